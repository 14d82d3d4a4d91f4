#include "formats/RegistryFile.h"

#include <algorithm>

#include "formats/NoticeLines.h"

namespace velmora {

namespace {

// regedit's own export breaks hex data once a line reaches this column.
constexpr size_t HexWrapColumn = 77;

// The data of REG_SZ: UTF-16LE and the terminating zero, as regedit writes
// hex data, continued with ",\" and two spaces.
void AppendHexString(TWideText& file, const wchar_t* name, const TWideText& value) {
    const size_t start = file.size();
    file += L'"';
    file += name;
    file += L"\"=hex(1):";
    size_t column = file.size() - start;
    static const wchar_t Digits[] = L"0123456789abcdef";
    // c_str() ends in the zero that the data takes along.
    const wchar_t* data = value.c_str();
    const size_t bytes = (value.size() + 1) * 2;
    for (size_t i = 0; i < bytes; ++i) {
        const unsigned byte = (i % 2 == 0 ? data[i / 2] : data[i / 2] >> 8) & 0xFF;
        file += Digits[byte >> 4];
        file += Digits[byte & 0xF];
        if (i + 1 == bytes) break;
        file += L',';
        column += 3;
        if (column >= HexWrapColumn) {
            file += L"\\\r\n  ";
            column = 2;
        }
    }
    file += L"\r\n";
}

// Backslash and quote are the only escapes regedit knows.
void AppendQuotedString(TWideText& file, const wchar_t* name, const TWideText& value) {
    file += L'"';
    file += name;
    file += L"\"=\"";
    for (const wchar_t c : value) {
        if (c == L'\\' || c == L'"') file += L'\\';
        file += c;
    }
    file += L"\"\r\n";
}

}  // namespace

TWideText RegistryFileText(const TWideText& caption, const TWideText& text) {
    TWideText file = L"Windows Registry Editor Version 5.00\r\n\r\n[HKEY_LOCAL_MACHINE\\";
    file += PolicySystemKey;
    file += L"]\r\n";
    // A pasted line break would end a quoted string early, and a reader may
    // take another control character (Ctrl-Z) for the file's end; hex data
    // holds any of them.
    const bool plain = std::none_of(caption.begin(), caption.end(), [](wchar_t c) { return c < L' '; });
    if (plain)
        AppendQuotedString(file, L"LegalNoticeCaption", caption);
    else
        AppendHexString(file, L"LegalNoticeCaption", caption);
    AppendHexString(file, L"LegalNoticeText", WithCrLf(text));
    file += L"\r\n";
    return file;
}

}  // namespace velmora
