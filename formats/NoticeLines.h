// The notice text as the policy location takes it: line by line, within the
// lengths that location is documented for.
#pragma once

#include "base/WideText.h"
#include <vector>

namespace velmora {

// Documented for the policy values, fewer than the dialog takes.
constexpr size_t PolicyLineLimit = 512;
constexpr size_t PolicyTextLimit = 2048;

// The lines of `text`; CR LF, a lone CR and a lone LF each end one. An empty
// text has no line; a text that ends with a break has an empty last line.
std::vector<TWideText> NoticeLines(const TWideText& text);

// `text` with every line break as CR LF.
TWideText WithCrLf(const TWideText& text);

// False when a line is longer than PolicyLineLimit characters or the text,
// each break counted as CR LF like the dialog's counter does, is longer than
// PolicyTextLimit.
bool WithinPolicyLimits(const TWideText& text);

}  // namespace velmora
