// The tokenizer under a double-byte code page: characters are never split,
// and a lead byte right before the terminator never takes it along.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "app/CommandLine.h"
#include "tests/unit/GuardedPage.h"

using namespace velmora;

TEST(CommandLineDbcs, RunsUnderCodePage932) { ASSERT_EQ(::GetACP(), 932u); }

TEST(CommandLineDbcs, DoubleByteCharactersCountTwoBytes) {
    // 0x82 0xA0 is one character of code page 932.
    const char line[] = "\x82\xA0-cert rest";
    DWORD length = 0;
    char copy[16] = {};
    const char* end = ReadArgument(line, copy, sizeof copy, length);
    EXPECT_EQ(length, 6u);
    EXPECT_STREQ(copy, "\x82\xA0" "cert");
    EXPECT_STREQ(end, " rest");
}

TEST(CommandLineDbcs, TrailByteThatLooksLikeAnOptionPrefixIsKept) {
    // 0x83 0x5C: the trail byte is a backslash; 0x81 0x5B has no special
    // meaning either way, but both must stay whole inside the argument.
    const char line[] = "\x83\x5C\x81\x5B";
    DWORD length = 0;
    char copy[8] = {};
    ReadArgument(line, copy, sizeof copy, length);
    EXPECT_EQ(length, 4u);
    EXPECT_STREQ(copy, line);
}

TEST(CommandLineDbcs, LeadByteAtTheVeryEnd) {
    TGuardedPage guarded;
    ASSERT_TRUE(guarded.ready());

    const char* endings[] = {"x \x82", "x \"\x82", "x -\x82", "cert\x82"};
    for (const char* ending : endings) {
        const char* line = guarded.PlaceAtEnd(ending);
        TCommandLineOptions options;
        ParseOptions(line, options);
        EXPECT_FALSE(options.cert || options.noCert);
        DWORD length = 0;
        const char* end = ReadArgument(line + 1, nullptr, 0, length);
        EXPECT_EQ(*end, '\0');
    }
}
