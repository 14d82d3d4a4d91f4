// The preview's list of what each system cuts, in the string table's words.
#pragma once

#include <string>
#include <vector>

#include "settings/NoticeLimits.h"

namespace velmora {

// One line each, CR LF between them; a text within every documented limit
// gets the one line that says so.
std::string NoticeCutList(const std::vector<TNoticeCut>& cuts);

}  // namespace velmora
