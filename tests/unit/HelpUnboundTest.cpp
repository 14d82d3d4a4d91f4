// Without a bound HTML Help library (this test program never binds it),
// a help request says so instead of doing nothing. And the check that
// decides whether a help file may be opened at all.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "tests/driver/UiDriver.h"
#include "tests/unit/BoxWatcher.h"
#include "ui/Help.h"
#include "ui/HelpFileCheck.h"
#include "ui/HtmlHelp.h"

using namespace velmora;

TEST(HelpUnbound, SaysThatHtmlHelpIsMissing) {
    ASSERT_FALSE(HtmlHelpAvailable());
    EXPECT_EQ(CallHtmlHelp(nullptr, "x.chm", 15, 1000), nullptr);
    const auto boxes = BoxesShownBy([] { ShowHelp(nullptr); });
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes.front().text, "Die HTML-Hilfe ist auf dem System nicht installiert.");
    EXPECT_EQ(boxes.front().caption, "Velmora");
    EXPECT_EQ(boxes.front().icon, static_cast<UINT>(MB_ICONERROR));
}

// The build's own help file against one byte changed: by SHA-256; by SHA-1
// where the system has no SHA-256; never by SHA-1 over a SHA-256 that
// differs; and not at all without a hash.
TEST(HelpFileCheck, OnlyTheBuiltFileIsGenuine) {
    std::ifstream in(uidriver::WindowsPath(VELMORA_CHM), std::ios::binary);
    const std::string chm(std::istreambuf_iterator<char>(in), {});
    ASSERT_GT(chm.size(), 1000u);
    std::string changed = chm;
    changed[changed.size() / 2] ^= 1;
    using H = THashFunction;
    const struct { H hash; bool genuine; } rows[] = {
        {SystemHash, true},
        {H([](ALG_ID a, const BYTE* d, DWORD s, BYTE* h, DWORD* n) {
             return a != CALG_SHA_256 ? SystemHash(a, d, s, h, n) : FALSE; }), true},
        {H([](ALG_ID a, const BYTE* d, DWORD s, BYTE* h, DWORD* n) {
             const BOOL hashed = SystemHash(a, d, s, h, n);
             h[0] ^= a == CALG_SHA_256;
             return hashed; }), false},
        {H([](ALG_ID, const BYTE*, DWORD, BYTE*, DWORD*) { return FALSE; }), false}};
    for (const auto& row : rows) {
        EXPECT_EQ(IsGenuineHelpFile(reinterpret_cast<const BYTE*>(chm.data()), DWORD(chm.size()),
                                    row.hash), row.genuine);
        EXPECT_FALSE(IsGenuineHelpFile(reinterpret_cast<const BYTE*>(changed.data()),
                                       DWORD(changed.size()), row.hash));
    }
}
