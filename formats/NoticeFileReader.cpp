#include "formats/NoticeFileReader.h"

#include <windows.h>

#include "formats/NoticeFormats.h"
#include "formats/NoticeLines.h"
#include "formats/ReaderShared.h"
#include "formats/RegistryFile.h"
#include "formats/TextEncoding.h"

namespace velmora {

namespace {

wchar_t FoldAscii(wchar_t c) { return c >= L'A' && c <= L'Z' ? c - L'A' + L'a' : c; }

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

TLines LinesOf(const TWideText& text) {
    TLines lines = NoticeLines(text);
    if (lines.empty()) lines.emplace_back();
    return lines;
}

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
    // Each encoding once, in the order of the table; a format whose
    // encoding the bytes are not is passed over, and when no format takes
    // the file, the first encoding's reason is the answer.
    TWideText texts[3];
    TNoticeFile decoded[3];
    bool tried[3] = {};
    TFileValues values;
    const TNoticeFormat* taken = nullptr;
    for (const TNoticeFormat& format : NoticeFormats()) {
        const size_t e = static_cast<size_t>(format.encoding);
        if (!tried[e])
            DecodedText(static_cast<const unsigned char*>(bytes), size, format.encoding, texts[e],
                        decoded[e]);
        tried[e] = true;
        if (decoded[e].error == TNoticeFileError::None && format.recognises(texts[e])) {
            taken = &format;
            result.format = format.format;
            format.read(texts[e], values, result);
            break;
        }
    }
    if (taken == nullptr) {
        for (const TNoticeFile& reason : decoded)
            if (reason.error != TNoticeFileError::None) return reason;
        result.error = TNoticeFileError::UnknownFormat;
        return result;
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
