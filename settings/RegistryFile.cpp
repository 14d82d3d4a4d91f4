#include "settings/RegistryFile.h"

#include "settings/NoticeLines.h"

namespace velmora {

namespace {

// regedit's own export breaks hex data once a line reaches this column.
constexpr size_t HexWrapColumn = 77;

// The data of REG_SZ: UTF-16LE and the terminating zero, as regedit writes
// hex data, continued with ",\" and two spaces.
TWideText HexString(const TWideText& name, const TWideText& value) {
    TWideText line = L"\"" + name + L"\"=hex(1):";
    size_t column = line.size();
    static const wchar_t Digits[] = L"0123456789abcdef";
    const TWideText data = value + L'\0';
    const size_t bytes = data.size() * 2;
    for (size_t i = 0; i < bytes; ++i) {
        const unsigned byte = (i % 2 == 0 ? data[i / 2] : data[i / 2] >> 8) & 0xFF;
        line += Digits[byte >> 4];
        line += Digits[byte & 0xF];
        if (i + 1 == bytes) break;
        line += L',';
        column += 3;
        if (column >= HexWrapColumn) {
            line += L"\\\r\n  ";
            column = 2;
        }
    }
    return line + L"\r\n";
}

// Backslash and quote are the only escapes regedit knows.
TWideText QuotedString(const TWideText& name, const TWideText& value) {
    TWideText line = L"\"" + name + L"\"=\"";
    for (const wchar_t c : value) {
        if (c == L'\\' || c == L'"') line += L'\\';
        line += c;
    }
    return line + L"\"\r\n";
}

}  // namespace

TWideText RegistryFileText(const TWideText& caption, const TWideText& text) {
    TWideText file = L"Windows Registry Editor Version 5.00\r\n\r\n[HKEY_LOCAL_MACHINE\\";
    file += PolicySystemKey;
    file += L"]\r\n";
    // A pasted line break would end a quoted string early.
    file += caption.find_first_of(L"\r\n") == TWideText::npos
                ? QuotedString(L"LegalNoticeCaption", caption)
                : HexString(L"LegalNoticeCaption", caption);
    file += HexString(L"LegalNoticeText", WithCrLf(text));
    return file + L"\r\n";
}

}  // namespace velmora
