// Registry files as regedit imports them: "Windows Registry Editor Version
// 5.00" and "REGEDIT4". Line by line, each line as the import takes it:
// what regedit skips (another key's values, lines it does not know) is
// skipped; a notice value that regedit would skip, or a key line that it
// would not open, refuses the file, since the import would not set what it
// seems to set.
#include <windows.h>

#include <algorithm>
#include <string>

#include "formats/ReaderShared.h"
#include "formats/RegistryFile.h"

namespace velmora {

namespace {

constexpr const wchar_t* Version5 = L"Windows Registry Editor Version 5.00";
constexpr const wchar_t* Version4 = L"REGEDIT4";

// regedit compares the header to the letter, blanks before it allowed:
// "regedit4" or a blank behind it make a file it does not import.
TWideText HeaderOf(const TLines& lines) { return LeftTrimmed(lines[0]); }

// regedit names a root only in full; "HKLM" is reg.exe's.
bool HasFullRoot(const TWideText& key, TWideText& beneathMachine) {
    static const wchar_t* const Roots[] = {L"HKEY_CLASSES_ROOT", L"HKEY_CURRENT_USER",
                                           L"HKEY_USERS", L"HKEY_CURRENT_CONFIG",
                                           L"HKEY_DYN_DATA", L"HKEY_LOCAL_MACHINE"};
    for (const wchar_t* root : Roots) {
        const size_t length = ::lstrlenW(root);
        if (!StartsWithAscii(key, root) || (key.size() > length && key[length] != L'\\')) continue;
        beneathMachine = root == Roots[5] && key.size() > length ? key.substr(length + 1) : L"";
        return true;
    }
    return false;
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

bool EndsLine(const TWideText& text, size_t at) {
    while (at < text.size() && IsBlank(text[at])) ++at;
    return at == text.size() || text[at] == L';';
}

enum class THexLine { Ended, Continued, Bad };

// One line of "41,00,42,00": blanks may stand before a byte, not between
// it and its comma; a comment may follow the last byte or the "\" that
// continues the run on the next line.
THexLine ParseHexLine(const TWideText& line, size_t at, std::basic_string<unsigned char>& bytes) {
    for (;;) {
        while (at < line.size() && IsBlank(line[at])) ++at;
        unsigned value = 0;
        size_t digits = 0;
        for (; at < line.size() && HexDigit(line[at]) >= 0 && value <= 0xFF; ++digits)
            value = value * 16 + static_cast<unsigned>(HexDigit(line[at++]));
        if (value > 0xFF) return THexLine::Bad;
        if (digits == 0) {
            if (at < line.size() && line[at] == L'\\')
                return EndsLine(line, at + 1) ? THexLine::Continued : THexLine::Bad;
            return EndsLine(line, at) ? THexLine::Ended : THexLine::Bad;
        }
        bytes += static_cast<unsigned char>(value);
        if (at < line.size() && line[at] == L',') {
            ++at;
            continue;
        }
        return EndsLine(line, at) ? THexLine::Ended : THexLine::Bad;
    }
}

// "hex(1):", "hex(01):", "hex(7):": the type; -1 for anything else. regedit
// takes "hex" in lower case only.
long HexType(const TWideText& data, size_t& at) {
    if (data.compare(0, 4, L"hex(") != 0) return -1;
    long type = 0;
    size_t i = 4;
    for (; i < data.size() && HexDigit(data[i]) >= 0 && type < 0x10000; ++i)
        type = type * 16 + HexDigit(data[i]);
    if (i == 4 || data.compare(i, 2, L"):") != 0) return -1;
    at = i + 2;
    return type;
}

// The strings of REG_SZ, REG_EXPAND_SZ or REG_MULTI_SZ data, each up to its
// zero; a multi-string ends at an empty one. False for UTF-16 that stops
// inside a character before its string has ended.
bool StringsOf(const std::basic_string<unsigned char>& bytes, bool utf16, bool multi,
               std::vector<TWideText>& strings) {
    TWideText wide;
    if (utf16) {
        for (size_t i = 0; i + 1 < bytes.size(); i += 2)
            wide += static_cast<wchar_t>(bytes[i] | bytes[i + 1] << 8);
        if (bytes.size() % 2 != 0 && wide.find(L'\0') == TWideText::npos) return false;
    } else if (!bytes.empty()) {
        const int length = static_cast<int>(bytes.size());
        wide.resize(bytes.size());
        const int count = ::MultiByteToWideChar(CP_ACP, 0,
                                                reinterpret_cast<const char*>(bytes.data()),
                                                length, &wide[0], length);
        if (count <= 0) return false;
        wide.resize(static_cast<size_t>(count));
    }
    size_t start = 0;
    do {
        const size_t end = std::min(wide.find(L'\0', start), wide.size());
        if (multi && end == start && !strings.empty()) break;
        strings.push_back(wide.substr(start, end - start));
        start = end + 1;
    } while (multi && start < wide.size());
    return true;
}

class TRegistryReader {
public:
    TRegistryReader(const TLines& lines, TFileValues& values, TNoticeFile& result)
        : lines_(lines), values_(values), result_(result),
          unicode_(HeaderOf(lines) == Version5) {}

    void Read() {
        for (i_ = 1; i_ < lines_.size(); ++i_) {
            const TWideText line = LeftTrimmed(lines_[i_]);
            if (line.empty()) continue;
            if (line[0] == L'[' && !ReadKeyLine(line)) return;
            if (line[0] == L'"' && !ReadValueLine(line)) return;
        }
    }

private:
    // regedit skips a key line that it cannot open and goes on with the
    // values below it in the key before: refused here.
    bool ReadKeyLine(const TWideText& line) {
        const size_t close = line.rfind(L']');
        if (close == TWideText::npos || line.size() < 2 || IsBlank(line[1]))
            return Fail(result_, TNoticeFileError::BadKey, i_);
        const bool deleted = line[1] == L'-';
        TWideText beneathMachine;
        if (!HasFullRoot(line.substr(deleted ? 2 : 1, close - (deleted ? 2 : 1)), beneathMachine))
            return Fail(result_, TNoticeFileError::BadKey, i_);
        // A deleted key takes its values and the keys beneath it along, and
        // the values after it go nowhere until the next key line.
        key_ = deleted ? -1 : KeyIndexOf(beneathMachine);
        if (deleted && !beneathMachine.empty())
            for (const int index : {WinlogonIndex, PolicyIndex})
                if (DeletesKey(beneathMachine, index))
                    for (const TNoticeName name : {TNoticeName::Caption, TNoticeName::Text})
                        Drop(values_.keys[index], name);
        return true;
    }

    bool ReadValueLine(const TWideText& line) {
        // A name that its line does not end makes a line that regedit skips.
        TWideText name;
        size_t at = 1;
        valueLine_ = i_;
        if (!ReadQuoted(line, at, name)) return true;
        const TNoticeName notice = key_ >= 0 ? NoticeNameOf(name) : TNoticeName::Other;
        if (notice == TNoticeName::Other) return true;
        while (at < line.size() && IsBlank(line[at])) ++at;
        if (at == line.size() || line[at] != L'=') return true;
        const TWideText data = Trimmed(line.substr(at + 1));
        // Deleted ("=-"): KB 310516. A comment may follow.
        if (!data.empty() && data[0] == L'-') {
            if (!EndsLine(data, 1)) return Fail(result_, TNoticeFileError::BadValue, i_);
            Drop(values_.keys[key_], notice);
            return true;
        }
        std::vector<TWideText> strings;
        if (!data.empty() && data[0] == L'"') {
            size_t end = 1;
            strings.emplace_back();
            if (!ReadQuoted(data, end, strings[0]))
                return Fail(result_, TNoticeFileError::UnterminatedQuote, i_);
            if (!EndsLine(data, end)) return Fail(result_, TNoticeFileError::BadValue, i_);
        } else if (!ReadHexStrings(data, strings)) {
            return false;
        }
        return Store(notice, strings);
    }

    // REG_SZ, REG_EXPAND_SZ and REG_MULTI_SZ as hex. A REGEDIT4 file's
    // hex(2) and hex(7) come from the 9x family and are converted from the
    // ANSI code page, but regedit stores a hex(1) run's bytes as they stand
    // (as UTF-16) in either format. Wine's regedit converts hex(1) of a
    // REGEDIT4 file too; the loaded text is what Windows stores.
    bool ReadHexStrings(const TWideText& data, std::vector<TWideText>& strings) {
        size_t at = 0;
        const long type = HexType(data, at);
        if (type != REG_SZ && type != REG_EXPAND_SZ && type != REG_MULTI_SZ)
            return Fail(result_, TNoticeFileError::BadValue, i_);
        const size_t start = valueLine_;
        std::basic_string<unsigned char> bytes;
        TWideText line = data;
        for (;;) {
            const THexLine parsed = ParseHexLine(line, at, bytes);
            if (parsed == THexLine::Bad) return Fail(result_, TNoticeFileError::BadValue, start);
            if (parsed == THexLine::Ended) break;
            // The run goes on past blank and comment lines, and regedit
            // sets what it has at the file's end; a line of anything else
            // leaves the run without its end, and regedit drops the value.
            line.clear();
            while (i_ + 1 < lines_.size() && (line.empty() || line[0] == L';'))
                line = LeftTrimmed(lines_[++i_]);
            if (line.empty() || line[0] == L';') break;
            if (HexDigit(line[0]) < 0)
                return Fail(result_, TNoticeFileError::UnterminatedHex, start);
            at = 0;
        }
        if (!StringsOf(bytes, unicode_ || type == REG_SZ, type == REG_MULTI_SZ, strings))
            return Fail(result_, TNoticeFileError::BadValue, start);
        return true;
    }

    // A multi-string's strings are the text's lines, as Group Policy's
    // tools turn a multi-string notice into CR LF lines; the caption's edit
    // has one line.
    bool Store(TNoticeName notice, const std::vector<TWideText>& strings) {
        TWideText text;
        for (size_t s = 0; s < strings.size(); ++s) text += (s > 0 ? L"\r\n" : L"") + strings[s];
        if (notice == TNoticeName::Caption && text.find_first_of(L"\r\n") != TWideText::npos)
            return Fail(result_, TNoticeFileError::CaptionLineBreak, valueLine_);
        Take(values_.keys[key_], notice, text);
        return true;
    }

    const TLines& lines_;
    TFileValues& values_;
    TNoticeFile& result_;
    const bool unicode_;
    size_t i_ = 1;
    size_t valueLine_ = 1;
    int key_ = -1;
};

}  // namespace

bool IsRegistryFile(const TWideText& text) {
    const TWideText header = HeaderOf(LinesOf(text));
    return header == Version5 || header == Version4;
}

void ReadRegistryFile(const TWideText& text, TFileValues& values, TNoticeFile& result) {
    const TLines lines = LinesOf(text);
    TRegistryReader(lines, values, result).Read();
}

}  // namespace velmora
