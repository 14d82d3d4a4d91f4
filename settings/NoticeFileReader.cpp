#include "settings/NoticeFileReader.h"

#include <windows.h>

#include "settings/NoticeFileFormats.h"
#include "settings/NoticeLines.h"
#include "settings/RegistryFile.h"

namespace velmora {

namespace {

wchar_t FoldAscii(wchar_t c) { return c >= L'A' && c <= L'Z' ? c - L'A' + L'a' : c; }

// The first line that holds character `index`, counted from 1.
unsigned LineOf(const TWideText& text, size_t index) {
    unsigned line = 1;
    for (size_t i = 0; i < index; ++i)
        if (text[i] == L'\n' || (text[i] == L'\r' && text[i + 1] != L'\n')) ++line;
    return line;
}

// regedit takes a UTF-16 file whose last byte is a stray one, which ends
// with zeros, or whose byte-order mark stands twice: editors and scripts
// leave such files, and the import reads them as if they had none of it.
void DecodeUtf16(const unsigned char* bytes, size_t size, TWideText& text) {
    text.resize((size - 2) / 2);
    for (size_t i = 0; i < text.size(); ++i)
        text[i] = static_cast<wchar_t>(bytes[2 + 2 * i] | bytes[3 + 2 * i] << 8);
    while (!text.empty() && text.back() == L'\0') text.pop_back();
    if (!text.empty() && text[0] == L'\xFEFF') text.erase(0, 1);
}

bool Decode(const unsigned char* bytes, size_t size, TWideText& text, TNoticeFile& result) {
    if (size >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE) {
        DecodeUtf16(bytes, size, text);
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

// An empty file is still one (empty) line to the readers.
TLines LinesOf(const TWideText& text) {
    TLines lines = NoticeLines(text);
    if (lines.empty()) lines.emplace_back();
    return lines;
}

// The logon reads the policy key's value before Winlogon's; a value
// deleted in one key and set in none leaves no text.
void Combine(const TFileValues& values, TNoticeName name, bool& has, TWideText& text,
             TNoticeFile& result) {
    const size_t at = static_cast<size_t>(name) - 1;
    const TNoticeValue& policy = values.keys[PolicyIndex].values[at];
    const TNoticeValue& winlogon = values.keys[WinlogonIndex].values[at];
    for (const auto& [value, bit] : {std::pair{&policy, NoticeKeyPolicy},
                                     std::pair{&winlogon, NoticeKeyWinlogon}})
        if (value->state == TValueState::Set) {
            has = true;
            text = value->text;
            result.keys |= bit;
            return;
        }
    for (const auto& [value, bit] : {std::pair{&policy, NoticeKeyPolicy},
                                     std::pair{&winlogon, NoticeKeyWinlogon}})
        if (value->state == TValueState::Deleted) {
            has = true;
            result.keys |= bit;
        }
}

}  // namespace

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }

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

TWideText LeftTrimmed(const TWideText& text) {
    size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) ++i;
    return text.substr(i);
}

namespace {

// The NT family's Winlogon key and the 9x family's, and the policy key.
struct TNoticeKey {
    const wchar_t* path;
    int index;
};
const TNoticeKey NoticeKeys[] = {
    {L"Software\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon", WinlogonIndex},
    {L"Software\\Microsoft\\Windows\\CurrentVersion\\Winlogon", WinlogonIndex},
    {PolicySystemKey, PolicyIndex},
};

TWideText WithoutTrailingBackslashes(TWideText path) {
    while (!path.empty() && path.back() == L'\\') path.pop_back();
    return path;
}

}  // namespace

int KeyIndexOf(TWideText path) {
    path = WithoutTrailingBackslashes(path);
    for (const TNoticeKey& key : NoticeKeys)
        if (SameAscii(path, key.path)) return key.index;
    return -1;
}

bool DeletesKey(const TWideText& path, int index) {
    const TWideText deleted = WithoutTrailingBackslashes(path);
    for (const TNoticeKey& key : NoticeKeys)
        if (key.index == index && StartsWithAscii(key.path, deleted.c_str()) &&
            (key.path[deleted.size()] == L'\0' || key.path[deleted.size()] == L'\\'))
            return true;
    return false;
}

TNoticeName NoticeNameOf(const TWideText& name) {
    if (SameAscii(name, L"LegalNoticeCaption")) return TNoticeName::Caption;
    if (SameAscii(name, L"LegalNoticeText")) return TNoticeName::Text;
    return TNoticeName::Other;
}

// A later line for the same value wins, as it does when the file is imported.
void Take(TKeyValues& key, TNoticeName name, const TWideText& value) {
    if (name == TNoticeName::Other) return;
    key.values[static_cast<size_t>(name) - 1] = {TValueState::Set, value};
}

void Drop(TKeyValues& key, TNoticeName name) {
    if (name == TNoticeName::Other) return;
    key.values[static_cast<size_t>(name) - 1] = {TValueState::Deleted, {}};
}

bool Fail(TNoticeFile& result, TNoticeFileError error, size_t line) {
    result.error = error;
    result.line = static_cast<unsigned>(line + 1);
    return false;
}

TNoticeFile ReadNoticeFile(const void* bytes, size_t size) {
    TNoticeFile result;
    if (size > NoticeFileLimit) {
        result.error = TNoticeFileError::TooLarge;
        return result;
    }
    TWideText text;
    if (!Decode(static_cast<const unsigned char*>(bytes), size, text, result)) return result;
    TLines lines = LinesOf(text);
    TFileValues values;
    if (IsRegistryFile(lines)) {
        result.format = TNoticeFileFormat::RegistryFile;
        ReadRegistryFile(lines, values, result);
    } else {
        // SetupAPI ends an INF file at its end-of-file marker, Ctrl-Z
        // ("General Syntax Rules for INF Files": a section ends at the next
        // section or at the end-of-file marker).
        lines = LinesOf(text.substr(0, text.find(L'\x1A')));
        if (!IsSecurityTemplate(lines)) {
            result.error = TNoticeFileError::UnknownFormat;
            return result;
        }
        result.format = TNoticeFileFormat::SecurityTemplate;
        ReadSecurityTemplate(lines, values, result);
    }
    if (result.error != TNoticeFileError::None) return result;

    Combine(values, TNoticeName::Caption, result.hasCaption, result.caption, result);
    Combine(values, TNoticeName::Text, result.hasText, result.text, result);
    if (!result.hasCaption && !result.hasText) {
        result.error = TNoticeFileError::NoNoticeValue;
        return result;
    }
    const size_t captionAt = static_cast<size_t>(TNoticeName::Caption) - 1;
    const size_t textAt = static_cast<size_t>(TNoticeName::Text) - 1;
    bool set = false;
    for (const TKeyValues& key : values.keys)
        for (const size_t at : {captionAt, textAt})
            set = set || key.values[at].state == TValueState::Set;
    // Deleted, the notice is off; the dialog shows that with both texts empty.
    if (!set) {
        result.removesNotice = true;
        result.hasCaption = result.hasText = true;
    }
    return result;
}

}  // namespace velmora
