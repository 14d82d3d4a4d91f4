#include "formats/DscConfiguration.h"

#include <windows.h>

#include "formats/NoticeLines.h"
#include "formats/RegistryFile.h"

namespace velmora {

namespace {

void AppendLiteral(TWideText& out, const TWideText& value) {
    out += L'\'';
    for (const wchar_t c : value) {
        if (IsPowerShellQuote(c)) out += c;
        out += c;
    }
    out += L'\'';
}

void AppendProperty(TWideText& out, const wchar_t* name, const TWideText& value) {
    out += L"            ";
    out += name;
    out += TWideText(10 - ::lstrlenW(name), L' ');
    out += L"= ";
    out += value;
    out += L"\r\n";
}

TWideText Literal(const TWideText& value) {
    TWideText literal;
    AppendLiteral(literal, value);
    return literal;
}

// One line as it stands; several as @('a', 'b') -join "`r`n".
TWideText ValueData(const TWideText& value) {
    const std::vector<TWideText> lines = NoticeLines(value);
    if (lines.size() < 2) return Literal(value);
    TWideText data = L"@(";
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i > 0) data += L", ";
        AppendLiteral(data, lines[i]);
    }
    return data + L") -join \"`r`n\"";
}

void AppendResource(TWideText& out, const wchar_t* name, const TWideText& value) {
    out += L"        Registry ";
    out += name;
    out += L"\r\n        {\r\n";
    AppendProperty(out, L"Ensure", L"'Present'");
    AppendProperty(out, L"Key", Literal(TWideText(L"HKEY_LOCAL_MACHINE\\") + PolicySystemKey));
    AppendProperty(out, L"ValueName", Literal(name));
    AppendProperty(out, L"ValueType", L"'String'");
    AppendProperty(out, L"ValueData", ValueData(value));
    // As the resource documents it: a value that is there is overwritten
    // only with Force.
    AppendProperty(out, L"Force", L"$true");
    out += L"        }\r\n";
}

}  // namespace

bool IsPowerShellQuote(wchar_t c) { return c == L'\'' || (c >= L'\x2018' && c <= L'\x201B'); }

TWideText DscConfigurationText(const TWideText& caption, const TWideText& text) {
    TWideText file =
        L"# Die Anmeldenachricht, von Velmora geschrieben. Windows PowerShell 5.1:\r\n"
        L"#   .\\Anmeldenachricht.ps1\r\n"
        L"#   Start-DscConfiguration -Path .\\VelmoraAnmeldenachricht -Wait -Verbose\r\n"
        L"Configuration VelmoraAnmeldenachricht\r\n{\r\n"
        L"    Import-DscResource -ModuleName 'PSDesiredStateConfiguration'\r\n\r\n"
        L"    Node 'localhost'\r\n    {\r\n";
    AppendResource(file, L"LegalNoticeCaption", caption);
    AppendResource(file, L"LegalNoticeText", text);
    file += L"    }\r\n}\r\n\r\n"
            L"VelmoraAnmeldenachricht -OutputPath (Join-Path $PSScriptRoot "
            L"'VelmoraAnmeldenachricht')\r\n";
    return file;
}

}  // namespace velmora
