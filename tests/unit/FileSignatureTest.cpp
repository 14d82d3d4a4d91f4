// The own-signature checks on signed, unsigned, changed and malformed files.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "signature/ApiWinCrypt.h"
#include "tests/driver/SignatureInputs.h"

using namespace velmora;

namespace {

struct TSigner {
    bool read = false;
    std::string name;
    DWORD length = 0;
    SYSTEMTIME expiry = {};
};

TSigner Signer(const char* program, DWORD capacity = 51) {
    TSigner s;
    std::string buffer(capacity, '#');
    s.length = 4711;
    s.read = GetFileSignerInfo(ProgramInput(program).c_str(), &buffer[0], capacity, &s.length,
                               &s.expiry);
    s.name = buffer.substr(0, buffer.find('\0'));
    return s;
}

}  // namespace

TEST(FileSignature, ReadsTheSignerOfTheOneEntry) {
    const TSigner s = Signer("signed");
    ASSERT_TRUE(s.read);
    EXPECT_EQ(s.name, SignerName);
    EXPECT_EQ(s.length, 17u);  // characters copied with the terminator

    DWORD needed = 0;
    EXPECT_TRUE(GetFileSignerInfo(ProgramInput("signed").c_str(), nullptr, 0, &needed, nullptr));
    EXPECT_EQ(needed, 17u);
}

TEST(FileSignature, LongSignerNameIsCutToTheBuffer) {
    const TSigner s = Signer("long-signer");
    ASSERT_TRUE(s.read);
    EXPECT_EQ(s.name, "Velmora Software Abteilung f\xFCr Zertifikate und Sig");
    EXPECT_EQ(s.name.size(), 50u);
    EXPECT_EQ(s.length, 51u);
}

// The test run sets TZ 14 hours east of UTC, where this expiry is 2016.
TEST(FileSignature, ExpiryIsTheCertificatesNotAfterInUtc) {
    if (std::getenv("TZ") != nullptr) {
        TIME_ZONE_INFORMATION zone = {};
        ::GetTimeZoneInformation(&zone);
        EXPECT_EQ(zone.Bias, -14 * 60) << "the run is not far from UTC";
    }
    const TSigner s = Signer("until2015");
    ASSERT_TRUE(s.read);
    EXPECT_EQ(s.expiry.wDay, 31);
    EXPECT_EQ(s.expiry.wMonth, 12);
    EXPECT_EQ(s.expiry.wYear, 2015);
    EXPECT_EQ(s.expiry.wHour, 23);
    EXPECT_EQ(s.expiry.wMinute, 30);
}

TEST(FileSignature, ChangedAfterSigningIsNotTrustedButItsSignerIsRead) {
    EXPECT_FALSE(VerifyFileSignature(ProgramInput("changed").c_str()));
    const TSigner s = Signer("changed");
    EXPECT_TRUE(s.read);
    EXPECT_EQ(s.name, SignerName);
}

TEST(FileSignature, FilesWithoutExactlyOneGoodEntryGiveNoSigner) {
    EXPECT_FALSE(VerifyFileSignature(ProgramInput("unsigned").c_str()));
    for (const char* program : {"unsigned", "two-entries", "short-entry", "overlong-entry"}) {
        const TSigner s = Signer(program);
        EXPECT_FALSE(s.read) << program;
        EXPECT_EQ(s.length, 0u) << program;
        EXPECT_EQ(s.name, std::string(51, '#')) << program;  // buffer untouched
    }
    DWORD length = 1;
    EXPECT_FALSE(GetFileSignerInfo("C:\\velmora-missing.exe", nullptr, 0, &length, nullptr));
    EXPECT_EQ(length, 0u);
}
