// The notice as a security template for "secedit /configure" and for
// importing into a Group Policy object.
#pragma once

#include "base/WideText.h"

namespace velmora {

struct TFileValues;
struct TNoticeFile;

// The whole file, CR LF line ends, without the byte-order mark. The text is
// a multi-string of its lines, one quoted element each, so that commas and
// semicolons inside a line stay text; an empty line, which the format cannot
// hold, becomes a single space.
TWideText SecurityTemplateText(const TWideText& caption, const TWideText& text);

// SetupAPI ends an INF file at Ctrl-Z (U+001A), so that secedit would apply
// a template holding one short. True, with the line of `value` (counted
// from 1) that holds the first, when `value` has one.
bool EndsTemplateEarly(const TWideText& value, unsigned& line);

// Whether `text` is an INF file with a [Version] signature; then the values
// of its [Registry Values], as SetupAPI reads them, or `result`'s error.
bool IsSecurityTemplate(const TWideText& text);
void ReadSecurityTemplate(const TWideText& text, TFileValues& values, TNoticeFile& result);

}  // namespace velmora
