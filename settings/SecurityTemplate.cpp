#include "settings/SecurityTemplate.h"

#include "settings/NoticeLines.h"
#include "settings/RegistryFile.h"

namespace velmora {

namespace {

// The template is read as an INF file: a quote inside a quoted string is
// doubled, and so is a percent sign, which would otherwise open a
// substitution. A line of it cannot hold a break: a pasted one in the
// caption becomes a space.
std::wstring Quoted(const std::wstring& value) {
    std::wstring quoted = L"\"";
    for (const wchar_t c : value) {
        if (c == L'"' || c == L'%') quoted += c;
        quoted += c == L'\r' || c == L'\n' ? L' ' : c;
    }
    return quoted + L'"';
}

std::wstring ValueLine(const wchar_t* name, const std::wstring& typeAndData) {
    return std::wstring(L"MACHINE\\") + PolicySystemKey + L"\\" + name + L"=" + typeAndData +
           L"\r\n";
}

}  // namespace

std::wstring SecurityTemplateText(const std::wstring& caption, const std::wstring& text) {
    std::wstring lines;
    for (const std::wstring& line : NoticeLines(text)) {
        if (!lines.empty()) lines += L',';
        lines += Quoted(line.empty() ? L" " : line);
    }
    std::wstring file =
        L"[Unicode]\r\nUnicode=yes\r\n[Version]\r\nsignature=\"$CHICAGO$\"\r\nRevision=1\r\n"
        L"[Registry Values]\r\n";
    file += ValueLine(L"LegalNoticeCaption", L"1," + Quoted(caption));
    file += ValueLine(L"LegalNoticeText", L"7," + lines);
    return file;
}

}  // namespace velmora
