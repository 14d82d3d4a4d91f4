// The notice as a PowerShell DSC configuration: only the Registry resource
// of PSDesiredStateConfiguration, which ships with Windows PowerShell 5.1,
// writing the two values of the policy location as REG_SZ. Unlike the
// security-option resources, whose text goes through secedit's comma rule,
// the value data here is the text itself.
#pragma once

#include "base/WideText.h"

namespace velmora {

struct TFileValues;
struct TNoticeFile;

// The whole script, CR LF line ends, without the byte-order mark. Each
// value is a single-quoted string, in which nothing but a quote is special;
// a text of several lines is its lines joined with an explicit CR LF.
TWideText DscConfigurationText(const TWideText& caption, const TWideText& text);

// Whether `text` is a DSC configuration (its first statement one); then the
// notice values of its Registry resources, read only as Velmora writes them:
// any other property value in such a resource refuses the file, since
// Velmora does not evaluate PowerShell.
// PowerShell takes the typographic single quotes (U+2018 to U+201B) for
// quotes too; inside a single-quoted string two of them stand for the second.
bool IsPowerShellQuote(wchar_t c);

bool IsDscConfiguration(const TWideText& text);
void ReadDscConfiguration(const TWideText& text, TFileValues& values, TNoticeFile& result);

}  // namespace velmora
