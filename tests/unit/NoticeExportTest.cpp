// The two export formats and the policy's length limits, byte for byte.
#include <gtest/gtest.h>

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
