#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "app/CommandLine.h"
#include "tests/unit/GuardedPage.h"

using namespace velmora;

namespace {

constexpr char Program[] = "\"C:\\Programme\\Velmora\\Velmora.exe\" ";

TCommandLineOptions Parse(const std::string& arguments) {
    TCommandLineOptions options;
    ParseOptions((Program + arguments).c_str(), options);
    return options;
}

// Every argument ReadArgument finds after the program path, as copied.
std::vector<std::string> Arguments(const std::string& arguments) {
    const std::string line = Program + arguments;
    std::vector<std::string> result;
    DWORD length = 0;
    const char* position = ReadArgument(line.c_str(), nullptr, 0, length);
    while (*position != '\0') {
        const char* next = ReadArgument(position, nullptr, 0, length);
        std::string copy(length, '\0');
        ReadArgument(position, &copy[0], length, length);
        result.push_back(copy);
        position = next;
    }
    return result;
}

struct TRow {
    const char* input;
    bool cert;
    bool noCert;
};

}  // namespace

TEST(CommandLine, OptionsOfEveryRow) {
    const TRow rows[] = {
        {"cert", true, false},           {"CERT", true, false},
        {"-Cert", true, false},          {"/cert", true, false},
        {"\"cert\"", true, false},       {"-\"cert\"", true, false},
        {"/NoCert", false, true},        {"nocert cert", true, true},
        {"--cert", false, false},        {"ce-rt", true, false},
        {"cert-", true, false},          {"cert- x", false, false},
        {"\"\"cert", true, false},       {"\"\" cert", true, false},
        {"certificate", false, false},   {"cert=1", false, false},
        {"", false, false},              {"   ", false, false},
        {"cert   ", true, false},        {"\"ce-rt\"", false, false},
        {"/\"nocert", false, true},      {"x \"cert", true, false},
    };
    for (const TRow& row : rows) {
        const TCommandLineOptions options = Parse(row.input);
        EXPECT_EQ(options.cert, row.cert) << "input: " << row.input;
        EXPECT_EQ(options.noCert, row.noCert) << "input: " << row.input;
    }
}

TEST(CommandLine, ArgumentsAsRead) {
    EXPECT_EQ(Arguments("nocert cert"), (std::vector<std::string>{"nocert", "cert"}));
    EXPECT_EQ(Arguments("--cert"), (std::vector<std::string>{"-cert"}));
    EXPECT_EQ(Arguments("cert- x"), (std::vector<std::string>{"cert x"}));
    EXPECT_EQ(Arguments("a\"b c\"d"), (std::vector<std::string>{"ab cd"}));
    EXPECT_EQ(Arguments("\"-/ x\""), (std::vector<std::string>{"-/ x"}));
    // Blanks after the last argument give one more, empty, argument.
    EXPECT_EQ(Arguments("cert  "), (std::vector<std::string>{"cert", ""}));
    EXPECT_EQ(Arguments("\"unterminated arg"), (std::vector<std::string>{"unterminated arg"}));
}

TEST(CommandLine, ProgramPathIsComparedToo) {
    TCommandLineOptions options;
    ParseOptions("cert", options);
    EXPECT_TRUE(options.cert);
    ParseOptions("", options);  // flags are only ever set
    EXPECT_TRUE(options.cert);
    TCommandLineOptions none;
    ParseOptions("", none);
    ParseOptions("   ", none);
    ParseOptions("\t\r\n", none);
    EXPECT_FALSE(none.cert || none.noCert);
}

TEST(CommandLine, CopiesOnlyWhenTheArgumentFits) {
    char buffer[8];
    std::memset(buffer, 'Z', sizeof buffer);
    DWORD length = 0;
    const char* end = ReadArgument("  \"\"nocert rest", buffer, 5, length);
    EXPECT_EQ(length, 6u);
    EXPECT_EQ(std::string(buffer, 8), "ZZZZZZZZ");
    EXPECT_STREQ(end, " rest");
    end = ReadArgument("  \"\"nocert rest", buffer, 6, length);
    EXPECT_EQ(std::string(buffer, 8), "nocertZZ");  // no terminator written
    end = ReadArgument("   ", buffer, 6, length);
    EXPECT_EQ(length, 0u);
    EXPECT_EQ(*end, '\0');
}

// A line whose terminator is the last byte before a page that cannot be
// read: any read past the terminator ends the test with an access fault.
TEST(CommandLine, NeverReadsPastTheTerminator) {
    TGuardedPage guarded;
    ASSERT_TRUE(guarded.ready());

    const char* endings[] = {"x cert", "x \"cert", "x cert-", "x -", "x \"", "x \"\"", "x  ",
                             "x /", "x \"a\"-"};
    for (const char* ending : endings) {
        const char* line = guarded.PlaceAtEnd(ending);
        TCommandLineOptions options;
        ParseOptions(line, options);
        DWORD length = 0;
        ReadArgument(line + 1, nullptr, 0, length);
    }
}

TEST(CommandLine, HundredKilobyteArgument) {
    std::string huge(100 * 1024, 'c');
    EXPECT_EQ(Arguments(huge + " cert").front().size(), huge.size());
    const TCommandLineOptions options = Parse(huge + " cert");
    EXPECT_TRUE(options.cert);
    EXPECT_FALSE(Parse("\"" + huge).cert);
}
