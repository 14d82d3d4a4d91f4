#include "settings/NoticeFileReader.h"

#include <windows.h>

#include "settings/NoticeFileFormats.h"
#include "settings/NoticeLines.h"
#include "settings/RegistryFile.h"

namespace velmora {

namespace {

wchar_t FoldAscii(wchar_t c) { return c >= L'A' && c <= L'Z' ? c - L'A' + L'a' : c; }

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }

// The first line that holds character `index`, counted from 1.
unsigned LineOf(const TWideText& text, size_t index) {
    unsigned line = 1;
    for (size_t i = 0; i < index; ++i)
        if (text[i] == L'\n' || (text[i] == L'\r' && text[i + 1] != L'\n')) ++line;
    return line;
}

bool Decode(const unsigned char* bytes, size_t size, TWideText& text, TNoticeFile& result) {
    if (size >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE) {
        if (size % 2 != 0) {
            result.error = TNoticeFileError::TruncatedUtf16;
            return false;
        }
        text.resize((size - 2) / 2);
        for (size_t i = 0; i < text.size(); ++i)
            text[i] = static_cast<wchar_t>(bytes[2 + 2 * i] | bytes[3 + 2 * i] << 8);
    } else if (size >= 2 && bytes[0] == 0xFE && bytes[1] == 0xFF) {
        result.error = TNoticeFileError::UnknownFormat;  // big-endian: neither reader takes it
        return false;
    } else if (size > 0) {
        const int count = ::MultiByteToWideChar(CP_ACP, 0, reinterpret_cast<const char*>(bytes),
                                                static_cast<int>(size), nullptr, 0);
        text.resize(count > 0 ? static_cast<size_t>(count) : 0);
        if (count > 0)
            ::MultiByteToWideChar(CP_ACP, 0, reinterpret_cast<const char*>(bytes),
                                  static_cast<int>(size), &text[0], count);
    }
    // Either reader would end the line, or the whole file, there.
    const size_t nul = text.find(L'\0');
    if (nul != TWideText::npos) {
        result.error = TNoticeFileError::NulCharacter;
        result.line = LineOf(text, nul);
        return false;
    }
    return true;
}

}  // namespace

bool SameAscii(const TWideText& a, const wchar_t* b) {
    size_t i = 0;
    for (; i < a.size() && b[i] != L'\0'; ++i)
        if (FoldAscii(a[i]) != FoldAscii(b[i])) return false;
    return i == a.size() && b[i] == L'\0';
}

bool StartsWithAscii(const TWideText& text, const wchar_t* prefix) {
    const size_t length = ::lstrlenW(prefix);
    return text.size() >= length && SameAscii(text.substr(0, length), prefix);
}

TWideText Trimmed(const TWideText& text) {
    size_t begin = 0, end = text.size();
    while (begin < end && IsBlank(text[begin])) ++begin;
    while (end > begin && IsBlank(text[end - 1])) --end;
    return text.substr(begin, end - begin);
}

int KeyIndexOf(TWideText path) {
    while (!path.empty() && path.back() == L'\\') path.pop_back();
    if (SameAscii(path, PolicySystemKey)) return PolicyIndex;
    // The NT family's and the 9x family's.
    if (SameAscii(path, L"Software\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon") ||
        SameAscii(path, L"Software\\Microsoft\\Windows\\CurrentVersion\\Winlogon"))
        return WinlogonIndex;
    return -1;
}

TNoticeName NoticeNameOf(const TWideText& name) {
    if (SameAscii(name, L"LegalNoticeCaption")) return TNoticeName::Caption;
    if (SameAscii(name, L"LegalNoticeText")) return TNoticeName::Text;
    return TNoticeName::Other;
}

// A later line for the same value wins, as it does when the file is imported.
void Take(TKeyValues& key, TNoticeName name, const TWideText& value) {
    if (name == TNoticeName::Caption) {
        key.hasCaption = true;
        key.caption = value;
    } else if (name == TNoticeName::Text) {
        key.hasText = true;
        key.text = value;
    }
}

TNoticeFile ReadNoticeFile(const void* bytes, size_t size) {
    TNoticeFile result;
    if (size > NoticeFileLimit) {
        result.error = TNoticeFileError::TooLarge;
        return result;
    }
    TWideText text;
    if (!Decode(static_cast<const unsigned char*>(bytes), size, text, result)) return result;
    // An empty file is still one (empty) line to the readers.
    TLines lines = NoticeLines(text);
    if (lines.empty()) lines.emplace_back();
    TFileValues values;
    if (IsRegistryFile(lines))
        ReadRegistryFile(lines, values, result);
    else if (IsSecurityTemplate(lines))
        ReadSecurityTemplate(lines, values, result);
    else
        result.error = TNoticeFileError::UnknownFormat;
    if (result.error != TNoticeFileError::None) return result;

    const TKeyValues& policy = values.keys[PolicyIndex];
    const TKeyValues& winlogon = values.keys[WinlogonIndex];
    if (policy.hasCaption || winlogon.hasCaption) {
        result.hasCaption = true;
        result.caption = policy.hasCaption ? policy.caption : winlogon.caption;
        result.keys |= policy.hasCaption ? NoticeKeyPolicy : NoticeKeyWinlogon;
    }
    if (policy.hasText || winlogon.hasText) {
        result.hasText = true;
        result.text = policy.hasText ? policy.text : winlogon.text;
        result.keys |= policy.hasText ? NoticeKeyPolicy : NoticeKeyWinlogon;
    }
    if (!result.hasCaption && !result.hasText) result.error = TNoticeFileError::NoNoticeValue;
    return result;
}

}  // namespace velmora
