// The two export formats and the policy's length limits, byte for byte, and
// the reader that takes such files back.
#include <gtest/gtest.h>

#include <cstdio>
#include <iterator>
#include <optional>
#include <string>

#include "app/AppState.h"
#include "settings/NoticeFileBytes.h"
#include "formats/NoticeFileReader.h"
#include "formats/NoticeFormats.h"
#include "formats/NoticeLines.h"
#include "formats/RegistryFile.h"
#include "formats/SecurityTemplate.h"
#include "settings/NoticeLimits.h"
#include "tests/driver/PlatformReaders.h"
#include "tests/driver/Registry.h"

using namespace velmora;

TEST(NoticeExport, RegistryFileEscapesTheCaptionAndWrapsTheTextAsRegedit) {
    EXPECT_EQ(RegistryFileText(L"a\"b\\c", L"x\ny"),
              L"Windows Registry Editor Version 5.00\r\n\r\n"
              L"[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies"
              L"\\System]\r\n"
              L"\"LegalNoticeCaption\"=\"a\\\"b\\\\c\"\r\n"
              L"\"LegalNoticeText\"=hex(1):78,00,0d,00,0a,00,79,00,00,00\r\n\r\n");
    // 18 bytes on the first line, 25 on each further one: lines of 80 and 78.
    const TWideText file = RegistryFileText(L"", TWideText(30, L'\xE4'));
    const size_t start = file.find(L"\"LegalNoticeText\"=hex(1):e4,00,");
    EXPECT_EQ(file.find(L"\\\r\n  e4,", start), start + 79);
    EXPECT_EQ(file.find(L"\\\r\n  ", start + 84), start + 84 + 75);
    EXPECT_EQ(file.substr(file.size() - 15), L"e4,00,00,00\r\n\r\n");
    EXPECT_NE(file.find(L"\"LegalNoticeCaption\"=\"\"\r\n"), TWideText::npos);
}

TEST(NoticeExport, TemplateQuotesEveryLineAndTurnsEmptyOnesIntoASpace) {
    const TWideText key =
        L"MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System\\";
    const TWideText head = L"[Unicode]\r\nUnicode=yes\r\n[Version]\r\n"
                              L"signature=\"$CHICAGO$\"\r\nRevision=1\r\n[Registry Values]\r\n";
    EXPECT_EQ(SecurityTemplateText(L"Ein \"Titel\"", L"a, b; c\r\n\r\n\"100 %\""),
              head + key + L"LegalNoticeCaption=1,\"Ein \"\"Titel\"\"\"\r\n" + key +
                  L"LegalNoticeText=7,\"a, b; c\",\" \",\"\"\"100 %%\"\"\"\r\n");
    // SetupAPI would end the file at Ctrl-Z: the export names the line instead.
    unsigned line = 0;
    EXPECT_TRUE(EndsTemplateEarly(L"a\r\nb\x1A" L"c", line));
    EXPECT_EQ(line, 2u);
    EXPECT_FALSE(EndsTemplateEarly(L"a\r\nb", line));
}

TEST(NoticeExport, PolicyLimitsCountLinesAndTheWholeTextWithItsBreaks) {
    EXPECT_TRUE(WithinPolicyLimits(TWideText(512, L'a') + L"\n" + TWideText(512, L'b')));
    EXPECT_FALSE(WithinPolicyLimits(L"a\n" + TWideText(513, L'b')));
    // Each break counts as CR LF, as the file writes it, also a lone line feed.
    TWideText text;
    for (int i = 0; i < 4; ++i) text += TWideText(510, L'x') + L"\n";
    EXPECT_TRUE(WithinPolicyLimits(text));
    EXPECT_FALSE(WithinPolicyLimits(text + L"x"));
}

TEST(NoticeExport, CutsNameTheSystemTheLineAndTheDocumentedLimit) {
    using S = TNoticeSystem;
    using K = TLimitKind;
    // Always last: where Microsoft documents nothing, the list says so.
    const TNoticeCut unpublished[] = {{S::Vista7, K::NonePublished, 0, 0},
                                      {S::Win8to11, K::NonePublished, 0, 0}};
    const auto with = [&](std::vector<TNoticeCut> cuts) {
        cuts.insert(cuts.end(), std::begin(unpublished), std::end(unpublished));
        return cuts;
    };
    EXPECT_EQ(NoticeCuts(L"Hinweis", L"Nur f\u00FCr Befugte."), with({}));
    EXPECT_EQ(NoticeCuts(L"T", TWideText(600, L'a')), with({{S::Xp2003, K::OneLineLength, 1, 512}}));
    // 2,100 characters in five lines: the fifth goes, and the text passes 2,048 in it.
    TWideText text = TWideText(420, L'a');
    for (int i = 0; i < 4; ++i) text += L"\r\n" + TWideText(i == 1 ? 520 : 384, L'b');
    EXPECT_EQ(NoticeCuts(L"T", text),
              with({{S::Xp2003, K::LineLength, 3, 512}, {S::Xp2003, K::LineCount, 5, 4},
                    {S::Xp2003, K::TextLength, 5, 2048}, {S::Win2000, K::NoSeveralLines, 2, 0},
                    {S::Nt4, K::BreakIsCr, 2, 0}}));
    // Outside code page 1252, the test environment's: the caption and the second line; a look-alike is no fit.
    EXPECT_EQ(NoticeCuts(L"\u03A9", L"a\nb \u0141\n\u00E4"),
              with({{S::Win2000, K::NoSeveralLines, 2, 0}, {S::Nt4, K::BreakIsCr, 2, 0},
                    {S::Win9x, K::AnsiCodePage, 0, 0}, {S::Win9x, K::AnsiCodePage, 2, 0}}));
}

namespace {

std::string Utf16File(const TWideText& text) {
    std::string bytes = "\xFF\xFE";
    for (const wchar_t c : text) {
        bytes += static_cast<char>(c & 0xFF);
        bytes += static_cast<char>(c >> 8);
    }
    return bytes;
}

const TWideText Policy = L"Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System";
const TWideText WinlogonKey = L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";
std::string Reg5(const TWideText& keys) {
    return Utf16File(L"Windows Registry Editor Version 5.00\r\n\r\n" + keys);
}
TWideText Key(const TWideText& path, const TWideText& values) {
    return L"[HKEY_LOCAL_MACHINE\\" + path + L"]\r\n" + values;
}
const std::string Winlogon4 =
    "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon]\r\n";

struct TReadCase {
    const char* what;
    std::string file;
    TNoticeFileError error;
    unsigned line;
    std::optional<TWideText> caption, text;
    unsigned keys;
    // Where Windows' regedit or SetupAPI is documented to read the file
    // otherwise than Wine's: the case and its source.
    const char* windowsDiffers = nullptr;
};

// A value the import leaves, REG_MULTI_SZ as lines. A 32-bit caller may
// start Wine's 32-bit regedit, whose Winlogon key is the redirected one:
// the value is looked up in the view it was written to.
std::optional<TWideText> Imported(const TWideText& key, const wchar_t* name) {
    HKEY k = nullptr;
    wchar_t data[4096] = {};
    DWORD type = 0, size = sizeof data - 4;
    if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_READ | KEY_WOW64_64KEY, &k) != 0 ||
        ::RegQueryValueExW(k, name, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
        if (k) ::RegCloseKey(k);
        k = nullptr;
        if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_READ | KEY_WOW64_32KEY, &k) != 0)
            return std::nullopt;
    }
    const LONG read = ::RegQueryValueExW(k, name, nullptr, &type, (BYTE*)data, &size);
    ::RegCloseKey(k);
    if (read != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ && type != REG_MULTI_SZ))
        return std::nullopt;
    TWideText text(data, size / 2);
    for (size_t z; type == REG_MULTI_SZ && (z = text.find(L'\0')) != text.npos && z + 1 < text.size();)
        text.replace(z, 1, text[z + 1] == L'\0' ? L"" : L"\r\n");
    return text.substr(0, text.find(L'\0'));
}

// A template's value as SetupAPI gives it: a multi-string's fields are lines.
std::optional<TWideText> Applied(const TWideText& path, const wchar_t* name, const TWideText& key) {
    const uidriver::TFields f = uidriver::TemplateFields(path.c_str(), name, key.c_str());
    if (f.size() < 2) return std::nullopt;
    TWideText text;
    for (size_t i = 1; i < f.size(); ++i)
        text += (i > 1 ? (f[0] == L"7" ? L"\r\n" : L",") : L"") + (f[i] == L" " ? L"" : f[i]);
    return text;
}

}  // namespace

// Every export loads back into the texts exported; what regedit and secedit
// write loads as they read it; bad input gets its reason and its line.
TEST(NoticeExport, FilesReadBackAsTheirReadersReadThem) {
    using E = TNoticeFileError;
    const TWideText caption = L"Hinweis \"Intern\" C:\\Daten, 100 % \x2013 \x20AC";
    const TWideText text = L"Zeile eins\r\n\r\nKomma, Semikolon; \x201E" L"Zitat\x201C \"x\" 50 %%\r\n"
                           L"\x03A9 \x0141\xF3" L"d\x017A\r\n";
    const TWideText wrapped = TWideText(300, L'\xE4') + L"\r\nEnde";
    const std::string tooBig(NoticeFileLimit + 1, 'x');
    const std::string tmpl = "[Version]\r\nSignature=$CHICAGO$\r\n[Registry Values]\r\nMACHINE\\"
                             "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System\\";
    const std::string setting = "{\"settingInstance\": {\"settingDefinitionId\": \"device_vendor_msft_"
                                "policy_config_localpoliciessecurityoptions_interactivelogon_message";
    const std::string json = "{\"settings\": [" + setting;
    const std::string dsc = "Configuration C\r\n{\r\n  Registry LegalNoticeText\r\n  {\r\n    Ensure = "
                            "'Present'\r\n    Key = 'HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\"
                            "CurrentVersion\\Policies\\System'\r\n    ValueName = 'LegalNoticeText'\r\n"
                            "    ValueType = 'String'\r\n    ValueData = ";
    std::vector<TReadCase> cases = {
        {"reg", Utf16File(RegistryFileText(caption, text)), E::None, 0, caption, text, 2},
        {"inf", Utf16File(SecurityTemplateText(caption, text)), E::None, 0, caption, text, 2},
        {"reg wrapped", Utf16File(RegistryFileText(L"", wrapped)), E::None, 0, L"", wrapped, 2},
        {"caption with a line break", Utf16File(RegistryFileText(L"a\r\nb", L"x")),
         E::CaptionLineBreak, 4, {}, {}, 0},
        {"inf wrapped", Utf16File(SecurityTemplateText(L"", wrapped)), E::None, 0, L"", wrapped, 2},
        {"reg off", Utf16File(RegistryFileText(L"", L"")), E::None, 0, L"", L"", 2},
        {"inf off", Utf16File(SecurityTemplateText(L"", L"")), E::None, 0, L"", L"", 2},
        {"regedit /e, names in any case, policy key first",
         Utf16File(L"Windows Registry Editor Version 5.00\r\n\r\n[HKEY_LOCAL_MACHINE\\" + Policy +
                   L"]\r\n\"legalnoticecaption\"=\"Richtlinie\"\r\n\r\n[HKEY_LOCAL_MACHINE\\"
                   L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon]\r\n\"Bin\"=hex:01,"
                   L"\\\r\n  02\r\n\"LegalNoticeCaption\"=\"Winlogon\"\r\n"
                   L"\"LegalNoticeText\"=\"Nur \\\"intern\\\" C:\\\\\"\r\n"),
         E::None, 0, L"Richtlinie", L"Nur \"intern\" C:\\", 3},
        {"REGEDIT4 in the code page", Winlogon4 + "\"LegalNoticeCaption\"=\"T\xE4st\"\r\n"
                                                  "\"LegalNoticeText\"=hex(2):41,e4,00\r\n",
         E::None, 0, L"T\xE4st", L"A\xE4", 1},
        {"secedit in the code page, text only",
         "[Unicode]\r\nUnicode=yes\r\n[System Access]\r\nMinimumPasswordAge = 0\r\n" + tmpl +
             "LegalNoticeText=7,Zeile 1,\"Zeile, 2\", ,Ende ; Kommentar\r\n",
         E::None, 0, std::nullopt, L"Zeile 1\r\nZeile, 2\r\n\r\nEnde", 2},
        {"neither format", "Hallo Welt\r\n", E::UnknownFormat, 0, {}, {}, 0},
        {"empty", "", E::UnknownFormat, 0, {}, {}, 0},
        {"template without signature", tmpl.substr(tmpl.find("[Registry")) + "LegalNoticeText=7,a\r\n",
         E::UnknownFormat, 0, {}, {}, 0},
        {"no notice value", Winlogon4 + "\"Shell\"=\"explorer.exe\"\r\n", E::NoNoticeValue, 0,
         {}, {}, 0},
        {"UTF-16, doubled mark, trailing zero, stray byte",
         Utf16File(L"\xFEFF" + RegistryFileText(L"T", L"x") + TWideText(1, L'\0')) + "x", E::None,
         0, L"T", L"x", 2},
        {"deleted after set, comment behind",
         Reg5(Key(WinlogonKey, L"\"LegalNoticeCaption\"=\"T\"\r\n\"LegalNoticeText\"=\"A\"\r\n"
                               L"\"LegalNoticeText\"=- ; aus\r\n")),
         E::None, 0, L"T", L"", 1},
        {"only deletes: off", Reg5(Key(WinlogonKey, L"\"LegalNoticeCaption\"=-\r\n"
                                                    L"\"legalnoticetext\"=-\r\n\x1A")),
         E::None, 0, L"", L"", 1},
        {"policy key deleted after its values: Winlogon's show",
         Reg5(Key(WinlogonKey, L"\"LegalNoticeCaption\"=\"W\"\r\n\"LegalNoticeText\"=\"w\"\r\n") +
              Key(Policy, L"\"LegalNoticeText\"=\"P\"\r\n") + L"[-HKEY_LOCAL_MACHINE\\" + Policy +
              L"]\r\n\"LegalNoticeCaption\"=\"nirgends\"\r\n"),
         E::None, 0, L"W", L"w", 1},
        {"hex(7), hex(01), comments, blank and comment lines in a run, odd run ended before",
         Reg5(Key(Policy, L"\"Shell=x\r\n\"LegalNoticeCaption\"=hex(2):43,00,00,00,05 ; c\r\n"
                          L"\"LegalNoticeText\"=hex(07):61,00,00,00,\\ ; w\r\n\r\n; k\r\n"
                          L"  62,00,00,00,00,00\r\n\"legalnoticetext\"=hex(01):61,00,\\\r\n 62,00\r\n"
                          L"\"LegalNoticeText\"=\"z\" ; c\r\n")),
         E::None, 0, L"C", L"z", 2},
        {"hex(7) text, the file ends the run",
         Reg5(Key(Policy, L"\"LegalNoticeText\"=hex(7):61,00,00,00,\\\r\n 62,00,00,00,00,00,\\")),
         E::None, 0, std::nullopt, L"a\r\nb", 2},
        {"hex(7) caption", Reg5(Key(Policy, L"\"LegalNoticeCaption\"=hex(7):61,00,00,00,62,00,00,00")),
         E::CaptionLineBreak, 4, {}, {}, 0},
        {"REGEDIT4 hex(1) as it stands", Winlogon4 + "\"LegalNoticeText\"=hex(1):41,00,42,00,00,00\r\n",
         E::None, 0, std::nullopt, L"AB", 1,
         "Windows' regedit stores a REGEDIT4 file's hex(1) bytes as they stand and converts only "
         "hex(2) and hex(7) from the code page; Wine's converts hex(1) too"},
        {"header in lower case", Reg5(Key(Policy, L"\"LegalNoticeText\"=\"x\"")).replace(2, 1, "w"),
         E::UnknownFormat, 0, {}, {}, 0},
        {"header with a blank behind", "REGEDIT4 " + Winlogon4.substr(8) + "\"LegalNoticeText\"=\"x\"",
         E::UnknownFormat, 0, {}, {}, 0},
        {"HKLM", Reg5(L"[HKLM\\" + Policy + L"]\r\n\"LegalNoticeText\"=\"x\"\r\n"), E::BadKey, 3,
         {}, {}, 0},
        {"key line without ]", Reg5(L"[HKEY_LOCAL_MACHINE\\" + Policy + L"\r\n\"LegalNoticeText\"=\"x\""),
         E::BadKey, 3, {}, {}, 0},
        {"HEX(1)", Reg5(Key(Policy, L"\"LegalNoticeText\"=HEX(1):41,00")), E::BadValue, 4, {}, {}, 0},
        {"blank in a hex list", Reg5(Key(Policy, L"\"LegalNoticeText\"=hex(1):41 ,00")), E::BadValue,
         4, {}, {}, 0},
        {"template continued, Ctrl-Z ends it",
         tmpl + "LegalNoticeText=7,\"a\",\\ ; weiter\r\n  \"b\"\r\n\x1A\r\n" + tmpl.substr(tmpl.find("MACHINE")) +
             "LegalNoticeCaption=1,x\r\n",
         E::None, 0, std::nullopt, L"a\r\nb", 2},
        {"[ Registry Values ]", "[Version]\r\nSignature=$Windows NT$\r\n[ Registry Values ]\r\n" +
             tmpl.substr(tmpl.find("MACHINE")) + "LegalNoticeText=7,a\r\n",
         E::NoNoticeValue, 0, {}, {}, 0},
        {"NUL byte", std::string("REGEDIT4\r\n\r\n\0", 13), E::NulCharacter, 3, {}, {}, 0},
        {"too large", tooBig, E::TooLarge, 0, {}, {}, 0},
        {"unterminated quote", Winlogon4 + "\"LegalNoticeText\"=\"offen\r\n", E::UnterminatedQuote,
         4, {}, {}, 0},
        {"unterminated hex", Winlogon4 + "\"LegalNoticeText\"=hex(1):41,00,\\\r\n  42,00,\\\r\n"
                                         "\"Shell\"=\"x\"\r\n",
         E::UnterminatedHex, 4, {}, {}, 0},
        {"bad hex", Winlogon4 + "\r\n\"LegalNoticeText\"=hex(1):4g,00\r\n", E::BadValue, 5, {},
         {}, 0},
        {"not text", Winlogon4 + "\"LegalNoticeCaption\"=dword:00000001\r\n", E::BadValue, 4, {},
         {}, 0},
        {"template quote", tmpl + "LegalNoticeCaption=1,\"offen\r\n", E::UnterminatedQuote, 4,
         {}, {}, 0},
        {"Intune's export: the text as one string, parted by U+F000; other settings",
         "\xEF\xBB\xBF" + json + "titleforusersattemptingtologon\", \"simpleSettingValue\": {\"value\": "
         "\"T\"}}}, {\"settingInstance\": {\"settingDefinitionId\": \"x\"}},\r\n" + setting +
         "textforusersattemptingtologon\", \"simpleSettingValue\": {\"value\": \"a\\uf000\\u00e4\\\"\"}}}]}",
         E::None, 0, L"T", L"a\r\n\xE4\"", 2},
        {"JSON with a trailing comma", json + "x\"},}]}", E::BadJson, 1, {}, {}, 0},
        {"JSON unclosed", "{\"a\":\r\n [\"b\"", E::BadJson, 2, {}, {}, 0},
        {"JSON name twice", "{\"a\": 1, \"a\": 2}", E::BadJson, 1, {}, {}, 0},
        {"JSON too deep", "{\"a\":" + std::string(40, '[') + std::string(40, ']') + "}",
         E::BeyondBounds, 1, {}, {}, 0},
        {"JSON not UTF-8", "{\"a\": \"\xE4\"}", E::UnknownFormat, 0, {}, {}, 0},
        {"JSON without the settings", "{\"settings\": []}", E::NoNoticeValue, 0, {}, {}, 0},
        {"text setting a number", json + "textforusersattemptingtologon\",\r\n\"simpleSettingValue\": "
         "{\"value\": 5}}}]}", E::BadValue, 1, {}, {}, 0},
        {"DSC value from a variable", dsc + "$message\r\n  }\r\n}\r\n", E::ForeignScript, 9, {}, {}, 0},
        {"DSC quote not closed", dsc + "'a''\r\n  }\r\n}\r\n", E::ForeignScript, 9, {}, {}, 0},
        {"DSC resource not closed", dsc + "'a'\r\n", E::ForeignScript, 3, {}, {}, 0},
        {"DSC, typographic quotes", dsc + "@('a', '''b\xE2\x80\x9A\xE2\x80\x9A') -join \"`r`n\"\r\n  }\r\n}",
         E::None, 0, std::nullopt, L"a\r\n'b\x201A", 2},
    };
    // Every format from one table of texts: what each channel's quoting,
    // comma and line rules could break, and the longest text the dialog takes.
    TWideText longest;
    for (int i = 0; i < 25; ++i) longest += (i ? L"\r\n" : L"") + TWideText(i < 24 ? 100 : 102, L'a' + i);
    const std::pair<TWideText, TWideText> texts[] = {
        {L"'Intern' \x201A" L"a\x2018 $env:X `t %PATH% \x20AC, \"b\"", L"a, b; \"c\" 'd' `$x $(1) 100 %%\r\n"
         L"\r\n\x201E" L"Zitat\x201C \x2013 \x03A9 \x0141\xF3" L"d\x017A \x2019\x201B\r\n"},
        {L"", longest}, {L"", L""}};
    for (size_t t = 0; t < std::size(texts); ++t) {
        for (const TNoticeFormat& f : NoticeFormats()) {
            const std::string extension(f.extension, f.extension + std::wcslen(f.extension));
            const std::string bytes = EncodedText(f.write(texts[t].first, texts[t].second), f.encoding);
            cases.push_back({"round trip", bytes, E::None, 0, texts[t].first, texts[t].second, 2});
            // For the readers on the host (tests/scripts/check-exports.py).
            const std::string stem = EXPORTS_DIR "/velmora-roundtrip-" + std::to_string(t) + ".";
            const TWideText both = texts[t].first + L'\0' + texts[t].second;
            for (const auto& [name, data] :
                 {std::pair{stem + extension, bytes},
                  {stem + "expected", std::string((const char*)both.data(), both.size() * 2)}}) {
                std::FILE* out = std::fopen(name.c_str(), "wb");
                ASSERT_NE(out, nullptr) << name;
                std::fwrite(data.data(), 1, data.size(), out);
                std::fclose(out);
            }
        }
    }
    wchar_t temp[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, temp);
    const auto clear = [] {
        for (const char* key : {uidriver::WinlogonNt, "Software\\Microsoft\\Windows\\CurrentVersion"
                                                      "\\Policies\\System"})
            for (const char* name : {"LegalNoticeCaption", "LegalNoticeText"})
                for (REGSAM view : {KEY_WOW64_64KEY, KEY_WOW64_32KEY})
                    uidriver::DeleteValue(key, name, view);
    };
    for (const TReadCase& c : cases) {
        SCOPED_TRACE(c.what);
        const TNoticeFile read = ReadNoticeFile(c.file.data(), c.file.size());
        // The same file through regedit's import and SetupAPI, which agree
        // with the reader; a file it refuses applies no notice the dialog
        // could show (none, or a caption of two lines).
        const TWideText path = TWideText(temp) + L"velmora-case";
        const HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, 0, CREATE_ALWAYS, 0, 0);
        DWORD written = 0;
        ::WriteFile(file, c.file.data(), static_cast<DWORD>(c.file.size()), &written, nullptr);
        ::CloseHandle(file);
        std::optional<TWideText> platform[2];
        const wchar_t* names[] = {L"LegalNoticeCaption", L"LegalNoticeText"};
        clear();
        const bool onHost = read.format >= TNoticeFileFormat::IntunePolicy;
        if (read.format != TNoticeFileFormat::SecurityTemplate && read.error != E::TooLarge && !onHost)
            uidriver::Launch(std::wstring(L"C:\\windows\\regedit.exe /s \"") + path.c_str() + L"\"");
        for (int n = 0; n < 2; ++n)
            for (const TWideText& key : {WinlogonKey, Policy})
                if (const auto v = read.format == TNoticeFileFormat::SecurityTemplate
                                       ? Applied(path, names[n], key)
                                       : Imported(key, names[n]))
                    platform[n] = v;
        ::DeleteFileW(path.c_str());
        const bool same = c.error == E::None
                              ? (platform[0].has_value() || read.hasCaption) == read.hasCaption &&
                                    (platform[1].has_value() || read.hasText) == read.hasText &&
                                    platform[0].value_or(L"") == read.caption &&
                                    platform[1].value_or(L"") == read.text
                              : platform[0] ? platform[0]->find_first_of(L"\r\n") != TWideText::npos
                                            : !platform[1];
        if (!onHost) {
            EXPECT_NE(same, c.windowsDiffers != nullptr) << (c.windowsDiffers ? c.windowsDiffers : "");
        }
        EXPECT_EQ(read.error, c.error);
        EXPECT_EQ(read.line, c.line);
        EXPECT_EQ(read.hasCaption, c.caption.has_value());
        EXPECT_EQ(read.caption, c.caption.value_or(L""));
        EXPECT_EQ(read.hasText, c.text.has_value());
        EXPECT_EQ(read.text, c.text.value_or(L""));
        EXPECT_EQ(read.keys, c.keys);
    }
    clear();
    // Refused before they are read: a folder, a device, a file above the bound.
    OsVersion.dwOSVersionInfoSize = sizeof OsVersion;
    ::GetVersionExA(&OsVersion);
    const TWideText big = TWideText(temp) + L"velmora-big.reg";
    const HANDLE file = ::CreateFileW(big.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, 0);
    ::SetFilePointer(file, NoticeFileLimit + 1, nullptr, FILE_BEGIN);
    ::SetEndOfFile(file);
    ::CloseHandle(file);
    THeapBuffer bytes;
    EXPECT_EQ(ReadNoticeFileBytes(temp, bytes), static_cast<DWORD>(ERROR_DIRECTORY));
    EXPECT_EQ(ReadNoticeFileBytes(L"nul.reg", bytes), static_cast<DWORD>(ERROR_BAD_FILE_TYPE));
    EXPECT_EQ(ReadNoticeFileBytes(big.c_str(), bytes), static_cast<DWORD>(ERROR_FILE_TOO_LARGE));
    ::DeleteFileW(big.c_str());
}
