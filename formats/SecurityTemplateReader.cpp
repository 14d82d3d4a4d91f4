// Security templates as secedit writes them and SetupAPI reads them: INF
// sections, the notice in [Registry Values].
#include "formats/ReaderShared.h"
#include "formats/SecurityTemplate.h"

namespace velmora {

namespace {

// A line's fields as SetupAPI splits them: commas outside quotes part them,
// a comment starts at a semicolon outside quotes, blanks outside quotes at
// either end of a field go, "" inside quotes is a quote and %% is a percent
// sign. False when the line ends inside quotes.
bool SplitFields(const TWideText& line, std::vector<TWideText>& fields) {
    TWideText field;
    size_t kept = 0;  // what stays of `field` once its trailing blanks go
    bool quoted = false;
    for (size_t i = 0;; ++i) {
        const bool end = i == line.size() || (!quoted && line[i] == L';');
        if (end || (!quoted && line[i] == L',')) {
            field.resize(kept);
            fields.push_back(field);
            field.clear();
            kept = 0;
            if (end) return !quoted;
            continue;
        }
        const wchar_t c = line[i];
        if (c == L'"') {
            if (quoted && i + 1 < line.size() && line[i + 1] == L'"') {
                field += c;
                ++i;
            } else {
                quoted = !quoted;
            }
            kept = field.size();
            continue;
        }
        if (!quoted && IsBlank(c)) {
            if (!field.empty()) field += c;
            continue;
        }
        if (c == L'%' && i + 1 < line.size() && line[i + 1] == L'%') ++i;
        field += c;
        kept = field.size();
    }
}

// "name = fields", split at the first "=" outside quotes.
bool SplitEntry(const TWideText& line, TWideText& name, TWideText& rest) {
    bool quoted = false;
    for (size_t i = 0; i < line.size(); ++i) {
        if (line[i] == L'"') quoted = !quoted;
        if (!quoted && line[i] == L'=') {
            name = Trimmed(line.substr(0, i));
            if (name.size() >= 2 && name.front() == L'"' && name.back() == L'"')
                name = name.substr(1, name.size() - 2);
            rest = line.substr(i + 1);
            return true;
        }
    }
    return false;
}

// SetupAPI takes a section's name as it stands between the brackets, blanks
// too: "[ Registry Values ]" is another section. False for a line that does
// not close its name, which makes SetupAPI refuse the whole file.
bool SectionOf(const TWideText& line, TWideText& section) {
    const size_t close = line.find(L']');
    if (close == TWideText::npos) return false;
    section = line.substr(1, close - 1);
    return true;
}

// Where a line ends in "\" outside quotes (a comment may follow), SetupAPI
// goes on with the next line, without its leading blanks ("General Syntax
// Rules for INF Files": line continuation). The lines as one each, and the
// line each starts at.
TLines JoinedLines(const TLines& lines, std::vector<size_t>& starts) {
    TLines joined;
    bool continued = false;
    for (size_t i = 0; i < lines.size(); ++i) {
        TWideText line = continued ? LeftTrimmed(lines[i]) : lines[i];
        if (continued)
            joined.back() += line;
        else {
            joined.push_back(line);
            starts.push_back(i);
        }
        bool quoted = false;
        size_t end = 0;
        for (; end < line.size() && (quoted || line[end] != L';'); ++end)
            if (line[end] == L'"') quoted = !quoted;
        while (end > 0 && IsBlank(line[end - 1])) --end;
        continued = !quoted && end > 0 && line[end - 1] == L'\\';
        if (!continued) continue;
        while (end > 0 && (IsBlank(line[end - 1]) || line[end - 1] == L'\\')) --end;
        TWideText& last = joined.back();
        last.erase(last.size() - (line.size() - end));
    }
    return joined;
}

bool HasSignature(const TLines& lines) {
    TWideText section;
    for (const TWideText& raw : lines) {
        const TWideText line = Trimmed(raw);
        if (!line.empty() && line[0] == L'[') SectionOf(line, section);
        TWideText name, rest;
        std::vector<TWideText> fields;
        if (!SameAscii(section, L"Version") || !SplitEntry(line, name, rest) ||
            !SameAscii(name, L"Signature") || !SplitFields(rest, fields))
            continue;
        if (SameAscii(fields[0], L"$CHICAGO$") || SameAscii(fields[0], L"$Windows NT$")) return true;
    }
    return false;
}

// The value of `type` (1 REG_SZ, 2 REG_EXPAND_SZ, 7 REG_MULTI_SZ) as text:
// a multi-string's elements are its lines, and an element of one space is
// an empty line, since an empty element would end the multi-string.
bool TextOfFields(const std::vector<TWideText>& fields, TWideText& text) {
    const TWideText& type = fields[0];
    const bool multi = type == L"7";
    if (!multi && type != L"1" && type != L"2") return false;
    for (size_t i = 1; i < fields.size(); ++i) {
        if (i > 1) text += multi ? L"\r\n" : L",";
        text += multi && fields[i] == L" " ? TWideText() : fields[i];
    }
    return true;
}

// SetupAPI ends an INF file at its end-of-file marker, Ctrl-Z ("General
// Syntax Rules for INF Files": a section ends at the next section or at the
// end-of-file marker).
TLines LinesBeforeEnd(const TWideText& text) { return LinesOf(text.substr(0, text.find(L'\x1A'))); }

}  // namespace

bool IsSecurityTemplate(const TWideText& text) {
    std::vector<size_t> starts;
    return HasSignature(JoinedLines(LinesBeforeEnd(text), starts));
}

void ReadSecurityTemplate(const TWideText& text, TFileValues& values, TNoticeFile& result) {
    std::vector<size_t> starts;
    const TLines lines = JoinedLines(LinesBeforeEnd(text), starts);
    TWideText section;
    for (size_t i = 0; i < lines.size(); ++i) {
        const TWideText line = Trimmed(lines[i]);
        if (line.empty() || line[0] == L';') continue;
        if (line[0] == L'[') {
            if (!SectionOf(line, section)) Fail(result, TNoticeFileError::BadKey, starts[i]);
            if (result.error != TNoticeFileError::None) return;
            continue;
        }
        TWideText path, rest;
        if (!SameAscii(section, L"Registry Values") || !SplitEntry(line, path, rest)) continue;
        // MACHINE\<key>\<value name>
        const size_t last = path.rfind(L'\\');
        if (!StartsWithAscii(path, L"MACHINE\\") || last == TWideText::npos) continue;
        const int key = KeyIndexOf(path.substr(8, last - 8));
        const TNoticeName name = NoticeNameOf(path.substr(last + 1));
        if (key < 0 || name == TNoticeName::Other) continue;
        std::vector<TWideText> fields;
        TWideText text;
        TNoticeFileError error = TNoticeFileError::None;
        if (!SplitFields(rest, fields))
            error = TNoticeFileError::UnterminatedQuote;
        else if (!TextOfFields(fields, text))
            error = TNoticeFileError::BadValue;
        else if (name == TNoticeName::Caption && text.find_first_of(L"\r\n") != TWideText::npos)
            error = TNoticeFileError::CaptionLineBreak;  // its edit has one line
        if (error != TNoticeFileError::None) {
            Fail(result, error, starts[i]);
            return;
        }
        Take(values.keys[key], name, text);
    }
}

}  // namespace velmora
