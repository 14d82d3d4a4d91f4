#include "settings/SecurityTemplate.h"

#include "settings/NoticeLines.h"
#include "settings/RegistryFile.h"

namespace velmora {

namespace {

// The template is read as an INF file: a quote inside a quoted string is
// doubled, and so is a percent sign, which would otherwise open a
// substitution. A line of it cannot hold a break: a pasted one in the
// caption becomes a space.
TWideText Quoted(const TWideText& value) {
    TWideText quoted = L"\"";
    for (const wchar_t c : value) {
        if (c == L'"' || c == L'%') quoted += c;
        quoted += c == L'\r' || c == L'\n' ? L' ' : c;
    }
    return quoted + L'"';
}

TWideText ValueLine(const wchar_t* name, const TWideText& typeAndData) {
    return TWideText(L"MACHINE\\") + PolicySystemKey + L"\\" + name + L"=" + typeAndData +
           L"\r\n";
}

}  // namespace

TWideText SecurityTemplateText(const TWideText& caption, const TWideText& text) {
    TWideText lines;
    for (const TWideText& line : NoticeLines(text)) {
        if (!lines.empty()) lines += L',';
        lines += Quoted(line.empty() ? L" " : line);
    }
    TWideText file =
        L"[Unicode]\r\nUnicode=yes\r\n[Version]\r\nsignature=\"$CHICAGO$\"\r\nRevision=1\r\n"
        L"[Registry Values]\r\n";
    file += ValueLine(L"LegalNoticeCaption", L"1," + Quoted(caption));
    file += ValueLine(L"LegalNoticeText", L"7," + lines);
    return file;
}

}  // namespace velmora
