// The setup program as an administrator deploys it: silently, then removed
// again with its uninstaller.
#include <gtest/gtest.h>

#include <windows.h>
#include <shlobj.h>

#include <string>

#include "tests/driver/CertStoreProbe.h"
#include "tests/driver/UiDriver.h"

using namespace uidriver;

namespace {

const char* const InstalledFiles[] = {"Velmora.exe", "Velmora.chm", "Velmora.cer", "Uninstall.exe"};

bool Exists(const std::string& path) {
    return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string StartMenuEntry() {
    char programs[MAX_PATH] = {};
    ::SHGetFolderPathA(nullptr, CSIDL_COMMON_PROGRAMS, nullptr, 0, programs);
    return std::string(programs) + "\\Velmora\\Velmora.lnk";
}

// The exit code; the Start-menu entry would otherwise reach the host's menus.
DWORD RunSilently(const std::string& exe, const std::string& arguments) {
    uidriver::TStartOptions options;
    options.exe = exe;
    options.arguments = arguments;
    options.environment = {"WINEDLLOVERRIDES=winemenubuilder.exe=d"};
    const uidriver::TProcess process(options);
    EXPECT_TRUE(process.WaitForExit(120000)) << exe;
    return process.ExitCode();
}

// Installs silently into `folder`, checks what is there, uninstalls and
// checks that it is gone; the setup's exit code.
DWORD InstallAndRemove(const char* setup, const std::string& folder) {
    const DWORD exitCode = RunSilently(setup, "/S /D=" + folder);
    for (const char* name : InstalledFiles) EXPECT_TRUE(Exists(folder + "\\" + name)) << name;
    EXPECT_TRUE(Exists(StartMenuEntry()));

    // The uninstaller runs on from a copy of itself once this process has ended.
    EXPECT_EQ(RunSilently(folder + "\\Uninstall.exe", "/S"), 0u);
    EXPECT_TRUE(uidriver::WaitUntil([&] { return !Exists(folder); }, 30000)) << folder;
    EXPECT_FALSE(Exists(StartMenuEntry()));
    return exitCode;
}

// The setup enters the development certificate that the program's own
// signature tests must not find trusted: it leaves the store as it found it.
class Setup : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(der_.empty());
        RemoveFromStore("Root", der_);
    }
    void TearDown() override { RemoveFromStore("Root", der_); }
    const std::string der_ = ReadBytes(uidriver::WindowsPath(VELMORA_CER));
};

// Wine keeps the current user's Root store in the registry, so this later
// process sees what the setup added.
TEST_F(Setup, InstallsEntersTheCertificateAndUninstalls) {
    EXPECT_EQ(InstallAndRemove(VELMORA_SETUP, "C:\\velmora-setup-test"), 0u);
    EXPECT_TRUE(StoreHolds("Root", der_));
}

// A setup whose Velmora.cer is Base64 text: Kestrel refuses it, and the setup
// installs everything else and says so in its exit code.
TEST_F(Setup, FailedImportKeepsTheInstallationAndSetsTheExitCode) {
    EXPECT_EQ(InstallAndRemove(BROKEN_CERTIFICATE_SETUP, "C:\\velmora-setup-test-2"), 3u);
    EXPECT_FALSE(StoreHolds("Root", der_));
}

}  // namespace
