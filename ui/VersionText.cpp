#include "VersionText.h"

namespace velmora {

// The version resource arrives with the help file.
int FormatVersionText(char*) { return 0; }

}  // namespace velmora
