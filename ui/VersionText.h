// "Version a.b.c.d" from the program file's version resource.
#pragma once

namespace velmora {

// Writes into `buffer` (32 bytes hold the longest text); returns the
// number of characters, 0 when no text was built.
int FormatVersionText(char* buffer);

}  // namespace velmora
