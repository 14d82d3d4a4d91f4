#include "formats/SecurityTemplate.h"

#include "formats/NoticeLines.h"
#include "formats/RegistryFile.h"

namespace velmora {

namespace {

// The template is read as an INF file: a quote inside a quoted string is
// doubled, and so is a percent sign, which would otherwise open a
// substitution. A line of it cannot hold a break: a pasted one in the
// caption becomes a space.
void AppendQuoted(TWideText& out, const TWideText& value) {
    out += L'"';
    for (const wchar_t c : value) {
        if (c == L'"' || c == L'%') out += c;
        out += c == L'\r' || c == L'\n' ? L' ' : c;
    }
    out += L'"';
}

void AppendValueLine(TWideText& file, const wchar_t* name, const wchar_t* type) {
    file += L"MACHINE\\";
    file += PolicySystemKey;
    file += L'\\';
    file += name;
    file += L'=';
    file += type;
}

}  // namespace

TWideText SecurityTemplateText(const TWideText& caption, const TWideText& text) {
    TWideText file =
        L"[Unicode]\r\nUnicode=yes\r\n[Version]\r\nsignature=\"$CHICAGO$\"\r\nRevision=1\r\n"
        L"[Registry Values]\r\n";
    AppendValueLine(file, L"LegalNoticeCaption", L"1,");
    AppendQuoted(file, caption);
    file += L"\r\n";
    AppendValueLine(file, L"LegalNoticeText", L"7,");
    bool first = true;
    for (const TWideText& line : NoticeLines(text)) {
        if (!first) file += L',';
        first = false;
        AppendQuoted(file, line.empty() ? TWideText(1, L' ') : line);
    }
    file += L"\r\n";
    return file;
}

bool EndsTemplateEarly(const TWideText& value, unsigned& line) {
    const std::vector<TWideText> lines = NoticeLines(value);
    for (size_t i = 0; i < lines.size(); ++i)
        if (lines[i].find(L'\x1A') != TWideText::npos) {
            line = static_cast<unsigned>(i + 1);
            return true;
        }
    return false;
}

}  // namespace velmora
