// Velmora's own DSC configurations: the properties of each Registry
// resource, every value a single-quoted string or single-quoted lines
// joined with "`r`n", and Force $true, as DscConfigurationText writes them.
#include <windows.h>

#include "formats/DscConfiguration.h"
#include "formats/ReaderShared.h"

namespace velmora {

namespace {

void SkipBlanks(const TWideText& line, size_t& at) {
    while (at < line.size() && IsBlank(line[at])) ++at;
}

// A single-quoted string from `at`, by PowerShell's rule: any of its quotes
// ends it, unless a second quote follows, which stands for itself.
bool ReadLiteral(const TWideText& line, size_t& at, TWideText& text) {
    if (at >= line.size() || !IsPowerShellQuote(line[at])) return false;
    for (++at; at < line.size(); ++at) {
        if (IsPowerShellQuote(line[at])) {
            if (at + 1 == line.size() || !IsPowerShellQuote(line[at + 1])) {
                ++at;
                return true;
            }
            ++at;
        }
        text += line[at];
    }
    return false;
}

bool Follows(const TWideText& line, size_t& at, const wchar_t* token) {
    SkipBlanks(line, at);
    const size_t length = ::lstrlenW(token);
    if (!SameAscii(line.substr(at, length), token)) return false;
    at += length;
    return true;
}

// 'text' or @('line', 'line') -join "`r`n"; nothing may follow.
bool ReadValue(const TWideText& line, size_t at, TWideText& value) {
    SkipBlanks(line, at);
    if (Follows(line, at, L"@(")) {
        do {
            SkipBlanks(line, at);
            if (!ReadLiteral(line, at, value)) return false;
            value += L"\r\n";
        } while (Follows(line, at, L","));
        if (!Follows(line, at, L")") || !Follows(line, at, L"-join") ||
            !Follows(line, at, L"\"`r`n\""))
            return false;
        value.erase(value.size() - 2);
    } else if (!ReadLiteral(line, at, value)) {
        return false;
    }
    SkipBlanks(line, at);
    return at == line.size();
}

struct TResource {
    size_t line = 0;  // of "Registry"
    TWideText ensure, key, name, type;
    bool hasData = false;
    TWideText data;
};

// A resource of a notice value, checked once it is closed.
bool Store(const TResource& resource, TFileValues& values) {
    const TNoticeName name = NoticeNameOf(resource.name);
    if (name == TNoticeName::Other) return true;
    const TWideText root = L"HKEY_LOCAL_MACHINE\\";
    const int key = StartsWithAscii(resource.key, root.c_str())
                        ? KeyIndexOf(resource.key.substr(root.size()))
                        : -1;
    if (key < 0 || !SameAscii(resource.type, L"String") || !SameAscii(resource.ensure, L"Present") ||
        !resource.hasData)
        return false;
    if (name == TNoticeName::Caption && resource.data.find_first_of(L"\r\n") != TWideText::npos)
        return false;
    Take(values.keys[key], name, resource.data);
    return true;
}

}  // namespace

bool IsDscConfiguration(const TWideText& text) {
    for (const TWideText& raw : LinesOf(text)) {
        const TWideText line = Trimmed(raw);
        if (line.empty() || line[0] == L'#') continue;
        return StartsWithAscii(line, L"Configuration ");
    }
    return false;
}

void ReadDscConfiguration(const TWideText& text, TFileValues& values, TNoticeFile& result) {
    const TLines lines = LinesOf(text);
    bool inside = false;
    TResource resource;
    for (size_t i = 0; i < lines.size(); ++i) {
        const TWideText line = Trimmed(lines[i]);
        if (!inside) {
            if (!StartsWithAscii(line, L"Registry ")) continue;
            inside = true;
            resource = TResource{};
            resource.line = i;
            continue;
        }
        if (line.empty() || line[0] == L'#' || (line == L"{" && i == resource.line + 1)) continue;
        if (line == L"}") {
            inside = false;
            if (!Store(resource, values)) {
                Fail(result, TNoticeFileError::ForeignScript, resource.line);
                return;
            }
            continue;
        }
        const size_t equals = line.find(L'=');
        const TWideText property = equals == TWideText::npos ? L"" : Trimmed(line.substr(0, equals));
        TWideText value;
        size_t at = equals + 1;
        const bool read = equals != TWideText::npos &&
                          (SameAscii(property, L"Force")
                               ? Follows(line, at, L"$true") && at == line.size()
                               : ReadValue(line, at, value));
        if (!read) {
            Fail(result, TNoticeFileError::ForeignScript, i);
            return;
        }
        if (SameAscii(property, L"Ensure")) resource.ensure = value;
        else if (SameAscii(property, L"Key")) resource.key = value;
        else if (SameAscii(property, L"ValueName")) resource.name = value;
        else if (SameAscii(property, L"ValueType")) resource.type = value;
        else if (SameAscii(property, L"ValueData")) {
            resource.data = value;
            resource.hasData = true;
        }
    }
    if (inside) Fail(result, TNoticeFileError::ForeignScript, resource.line);
}

}  // namespace velmora
