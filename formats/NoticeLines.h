// The notice text as the policy location takes it: line by line.
#pragma once

#include "base/WideText.h"
#include <vector>

namespace velmora {

// The lines of `text`; CR LF, a lone CR and a lone LF each end one. An empty
// text has no line; a text that ends with a break has an empty last line.
std::vector<TWideText> NoticeLines(const TWideText& text);

// `text` with every line break as CR LF.
TWideText WithCrLf(const TWideText& text);

}  // namespace velmora
