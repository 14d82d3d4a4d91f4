// The two export formats and the policy's length limits, byte for byte, and
// the reader that takes such files back.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "app/AppState.h"
#include "settings/NoticeFileBytes.h"
#include "settings/NoticeFileReader.h"
#include "settings/NoticeLimits.h"
#include "settings/NoticeLines.h"
#include "settings/RegistryFile.h"
#include "settings/SecurityTemplate.h"

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
const std::string Winlogon4 =
    "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon]\r\n";

struct TReadCase {
    const char* what;
    std::string file;
    TNoticeFileError error;
    unsigned line;
    std::optional<TWideText> caption, text;
    unsigned keys;
};

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
    const TReadCase cases[] = {
        {"reg", Utf16File(RegistryFileText(caption, text)), E::None, 0, caption, text, 2},
        {"inf", Utf16File(SecurityTemplateText(caption, text)), E::None, 0, caption, text, 2},
        {"reg wrapped", Utf16File(RegistryFileText(L"a\r\nb", wrapped)), E::None, 0, L"a\r\nb",
         wrapped, 2},
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
        {"truncated UTF-16", Utf16File(L"Windows Registry Editor Version 5.00") + "x",
         E::TruncatedUtf16, 0, {}, {}, 0},
        {"NUL byte", std::string("REGEDIT4\r\n\r\n\0", 13), E::NulCharacter, 3, {}, {}, 0},
        {"too large", tooBig, E::TooLarge, 0, {}, {}, 0},
        {"unterminated quote", Winlogon4 + "\"LegalNoticeText\"=\"offen\r\n", E::UnterminatedQuote,
         4, {}, {}, 0},
        {"unterminated hex", Winlogon4 + "\"LegalNoticeText\"=hex(1):41,00,\\\r\n  42,00,\\\r\n",
         E::UnterminatedHex, 4, {}, {}, 0},
        {"bad hex", Winlogon4 + "\r\n\"LegalNoticeText\"=hex(1):4g,00\r\n", E::BadValue, 5, {},
         {}, 0},
        {"not text", Winlogon4 + "\"LegalNoticeCaption\"=dword:00000001\r\n", E::BadValue, 4, {},
         {}, 0},
        {"template quote", tmpl + "LegalNoticeCaption=1,\"offen\r\n", E::UnterminatedQuote, 4,
         {}, {}, 0},
    };
    for (const TReadCase& c : cases) {
        SCOPED_TRACE(c.what);
        const TNoticeFile read = ReadNoticeFile(c.file.data(), c.file.size());
        EXPECT_EQ(read.error, c.error);
        EXPECT_EQ(read.line, c.line);
        EXPECT_EQ(read.hasCaption, c.caption.has_value());
        EXPECT_EQ(read.caption, c.caption.value_or(L""));
        EXPECT_EQ(read.hasText, c.text.has_value());
        EXPECT_EQ(read.text, c.text.value_or(L""));
        EXPECT_EQ(read.keys, c.keys);
    }
    // Refused before they are read: a folder, a device, a file above the bound.
    OsVersion.dwOSVersionInfoSize = sizeof OsVersion;
    ::GetVersionExA(&OsVersion);
    wchar_t temp[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, temp);
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
