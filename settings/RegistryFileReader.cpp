// Registry files as regedit imports them: "Windows Registry Editor Version
// 5.00" and "REGEDIT4".
#include <windows.h>

#include "settings/NoticeFileFormats.h"

namespace velmora {

namespace {

constexpr const wchar_t* Version5 = L"Windows Registry Editor Version 5.00";
constexpr const wchar_t* Version4 = L"REGEDIT4";

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }

TWideText LeftTrimmed(const TWideText& text) {
    size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) ++i;
    return text.substr(i);
}

// The key of a "[...]" line without its root; empty for a deleted key
// ("[-...]") and one beneath another root.
TWideText KeyPathOf(const TWideText& line) {
    const size_t close = line.rfind(L']');
    const TWideText key = line.substr(1, close == TWideText::npos ? TWideText::npos : close - 1);
    for (const wchar_t* root : {L"HKEY_LOCAL_MACHINE\\", L"HKLM\\"})
        if (StartsWithAscii(key, root)) return key.substr(::lstrlenW(root));
    return {};
}

// A quoted string from `at`, which is behind its opening quote; only a
// backslash and a quote are escaped. False when the line ends inside it.
bool ReadQuoted(const TWideText& line, size_t& at, TWideText& text) {
    for (; at < line.size(); ++at) {
        wchar_t c = line[at];
        if (c == L'"') {
            ++at;
            return true;
        }
        if (c == L'\\' && at + 1 < line.size() && (line[at + 1] == L'\\' || line[at + 1] == L'"'))
            c = line[++at];
        text += c;
    }
    return false;
}

int HexDigit(wchar_t c) {
    if (c >= L'0' && c <= L'9') return c - L'0';
    if (c >= L'a' && c <= L'f') return c - L'a' + 10;
    if (c >= L'A' && c <= L'F') return c - L'A' + 10;
    return -1;
}

// "41,00,42,00" into bytes; blanks around each may stand.
bool ParseHex(const TWideText& run, std::basic_string<unsigned char>& bytes) {
    size_t at = 0;
    while (at < run.size()) {
        while (at < run.size() && IsBlank(run[at])) ++at;
        if (at == run.size()) break;
        int value = 0, digits = 0;
        for (; at < run.size() && HexDigit(run[at]) >= 0 && digits < 2; ++digits)
            value = value * 16 + HexDigit(run[at++]);
        while (at < run.size() && IsBlank(run[at])) ++at;
        if (digits == 0 || (at < run.size() && run[at] != L',')) return false;
        bytes += static_cast<unsigned char>(value);
        ++at;  // the comma
    }
    return true;
}

// REG_SZ data up to its first zero: UTF-16LE in a version 5 file, the ANSI
// code page in a REGEDIT4 one.
bool TextOfHex(const TWideText& run, bool unicode, TWideText& text) {
    std::basic_string<unsigned char> bytes;
    if (!ParseHex(run, bytes)) return false;
    if (unicode) {
        if (bytes.size() % 2 != 0) return false;
        for (size_t i = 0; i < bytes.size(); i += 2) {
            const wchar_t c = static_cast<wchar_t>(bytes[i] | bytes[i + 1] << 8);
            if (c == L'\0') break;
            text += c;
        }
        return true;
    }
    const size_t end = bytes.find(static_cast<unsigned char>(0));
    const int length = static_cast<int>(end == bytes.npos ? bytes.size() : end);
    if (length == 0) return true;
    text.resize(static_cast<size_t>(length));
    const int count = ::MultiByteToWideChar(CP_ACP, 0, reinterpret_cast<const char*>(bytes.data()),
                                            length, &text[0], length);
    text.resize(count > 0 ? static_cast<size_t>(count) : 0);
    return count > 0;
}

}  // namespace

bool IsRegistryFile(const TLines& lines) {
    const TWideText first = Trimmed(lines[0]);
    return SameAscii(first, Version5) || SameAscii(first, Version4);
}

void ReadRegistryFile(const TLines& lines, TFileValues& values, TNoticeFile& result) {
    const bool unicode = SameAscii(Trimmed(lines[0]), Version5);
    int key = -1;
    for (size_t i = 1; i < lines.size(); ++i) {
        const unsigned lineNumber = static_cast<unsigned>(i + 1);
        const TWideText line = LeftTrimmed(lines[i]);
        if (line.empty() || line[0] == L';') continue;
        if (line[0] == L'[') {
            key = KeyIndexOf(KeyPathOf(line));
            continue;
        }
        if (line[0] != L'"' && line[0] != L'@') continue;
        // The value's name, then "=".
        TWideText name;
        size_t at = 1;
        if (line[0] == L'"' && !ReadQuoted(line, at, name)) {
            if (key < 0) continue;
            result.error = TNoticeFileError::UnterminatedQuote;
            result.line = lineNumber;
            return;
        }
        while (at < line.size() && IsBlank(line[at])) ++at;
        if (at == line.size() || line[at] != L'=') continue;
        TWideText data = LeftTrimmed(line.substr(at + 1));
        const TNoticeName notice =
            key >= 0 && line[0] == L'"' ? NoticeNameOf(name) : TNoticeName::Other;
        // Hex data goes on over lines that its own end with "\".
        const size_t start = i;
        bool ended = true;
        while (StartsWithAscii(data, L"hex")) {
            while (!data.empty() && IsBlank(data.back())) data.pop_back();
            if (data.empty() || data.back() != L'\\') break;
            data.pop_back();
            // A run that the file, an empty line or the next value ends lacks
            // its last bytes.
            const TWideText next = i + 1 < lines.size() ? LeftTrimmed(lines[i + 1]) : TWideText();
            if (next.empty() || HexDigit(next[0]) < 0) {
                ended = false;
                break;
            }
            data += next;
            ++i;
        }
        if (notice == TNoticeName::Other) continue;
        if (!ended) {
            result.error = TNoticeFileError::UnterminatedHex;
            result.line = static_cast<unsigned>(start + 1);
            return;
        }
        // A deleted value ("-") is no text to take.
        if (data == L"-") continue;
        TWideText text;
        bool readable = false;
        if (!data.empty() && data[0] == L'"') {
            size_t end = 1;
            if (!ReadQuoted(data, end, text)) {
                result.error = TNoticeFileError::UnterminatedQuote;
                result.line = lineNumber;
                return;
            }
            const TWideText rest = Trimmed(data.substr(end));
            readable = rest.empty() || rest[0] == L';';
        } else if (StartsWithAscii(data, L"hex(1):") || StartsWithAscii(data, L"hex(2):")) {
            readable = TextOfHex(data.substr(7), unicode, text);
        }
        if (!readable) {
            result.error = TNoticeFileError::BadValue;
            result.line = static_cast<unsigned>(start + 1);
            return;
        }
        Take(values.keys[key], notice, text);
    }
}

}  // namespace velmora
