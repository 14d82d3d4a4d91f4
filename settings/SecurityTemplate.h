// The notice as a security template for "secedit /configure" and for
// importing into a Group Policy object.
#pragma once

#include <string>

namespace velmora {

// The whole file, CR LF line ends, without the byte-order mark. The text is
// a multi-string of its lines, one quoted element each, so that commas and
// semicolons inside a line stay text; an empty line, which the format cannot
// hold, becomes a single space.
std::wstring SecurityTemplateText(const std::wstring& caption, const std::wstring& text);

}  // namespace velmora
