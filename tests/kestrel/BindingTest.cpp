// Kestrel's import with its crypt32 binding pointed elsewhere: at a missing
// library or export, and at KestrelStandIn.dll for a store that cannot be
// opened or refuses the certificate.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "certimport/ImportCertificate.h"
#include "tests/driver/CertStoreProbe.h"
#include "tests/driver/UiDriver.h"

using namespace uidriver;
using kestrel::ImportCertificate;
using velmora::TCrypt32Names;

namespace {

const char* const Store = "KestrelTest";

struct TNoLibrary : TCrypt32Names { static constexpr const char* library = "kestrel-no-such.dll"; };
struct TNoCreate : TCrypt32Names {
    static constexpr const char* CertCreateCertificateContext = "NoSuchExport";
};
struct TNoOpen : TCrypt32Names { static constexpr const char* CertOpenSystemStoreA = "NoSuchExport"; };
struct TNoAdd : TCrypt32Names {
    static constexpr const char* CertAddCertificateContextToStore = "NoSuchExport";
};

TEST(KestrelBinding, MissingLibraryOrExportGivesFalse) {
    const std::string cer = uidriver::WindowsPath(TEST_CER);
    const std::string der = ReadBytes(cer);
    RemoveFromStore(Store, der);
    EXPECT_FALSE(ImportCertificate<TNoLibrary>(cer.c_str(), Store));
    EXPECT_FALSE(ImportCertificate<TNoCreate>(cer.c_str(), Store));
    EXPECT_FALSE(ImportCertificate<TNoOpen>(cer.c_str(), Store));
    EXPECT_FALSE(ImportCertificate<TNoAdd>(cer.c_str(), Store));
    EXPECT_FALSE(StoreHolds(Store, der));
    EXPECT_TRUE(ImportCertificate<TCrypt32Names>(cer.c_str(), Store));
    EXPECT_TRUE(StoreHolds(Store, der));
    RemoveFromStore(Store, der);
}

struct TStandIn : TCrypt32Names {
    static constexpr const char* library = "KestrelStandIn.dll";
    static constexpr const char* CertCreateCertificateContext = "CreateContext";
    static constexpr const char* CertOpenSystemStoreA = "OpenStore";
    static constexpr const char* CertAddCertificateContextToStore = "AddRefused";
    static constexpr const char* CertCloseStore = "CloseStore";
    static constexpr const char* CertFreeCertificateContext = "FreeContext";
};
struct TStandInNoStore : TStandIn {
    static constexpr const char* CertOpenSystemStoreA = "OpenNoStore";
};

// The binding takes its library from the system folder only.
class KestrelStandIn : public ::testing::Test {
protected:
    static std::string InSystemFolder() {
        char folder[MAX_PATH] = {};
        ::GetSystemDirectoryA(folder, sizeof folder);
        return std::string(folder) + "\\KestrelStandIn.dll";
    }
    static void SetUpTestSuite() {
        ::CopyFileA(uidriver::WindowsPath(STAND_IN_DLL).c_str(), InSystemFolder().c_str(), FALSE);
    }
    static void TearDownTestSuite() { ::DeleteFileA(InSystemFolder().c_str()); }
    void SetUp() override { ::SetEnvironmentVariableA("KESTREL_STANDIN_LOG", nullptr); }

    static std::string Log() {
        char log[1024] = {};
        ::GetEnvironmentVariableA("KESTREL_STANDIN_LOG", log, sizeof log);
        return log;
    }
    const std::string cer_ = uidriver::WindowsPath(TEST_CER);
    const std::string created_ = "create(10001," + std::to_string(ReadBytes(cer_).size()) + ")";
};

// One load for the whole import, released at its end; the context is freed
// and no store closed.
TEST_F(KestrelStandIn, StoreThatCannotBeOpened) {
    EXPECT_FALSE(ImportCertificate<TStandInNoStore>(cer_.c_str(), Store));
    EXPECT_EQ(Log(), "load " + created_ + " open(0,KestrelTest) free unload");
}

TEST_F(KestrelStandIn, StoreThatRefusesTheCertificate) {
    EXPECT_FALSE(ImportCertificate<TStandIn>(cer_.c_str(), Store));
    EXPECT_EQ(Log(), "load " + created_ + " open(0,KestrelTest) add(4) close(0) free unload");
}

}  // namespace
