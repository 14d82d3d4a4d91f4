// The setup program as an administrator deploys it: silently, for all users
// or for the current user, then removed again with its uninstaller.
#include <gtest/gtest.h>

#include <windows.h>
#include <shlobj.h>

#include <functional>
#include <string>

#include "tests/driver/CertStoreProbe.h"
#include "tests/driver/UiDriver.h"

using namespace uidriver;

namespace {

const char* const InstalledFiles[] = {"Velmora.exe", "Velmora.chm", "Velmora.cer", "Uninstall.exe"};
const char* const UninstallKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Velmora";

struct TMode {
    const char* name;
    const char* option;
    TStoreLocation store;  // where the certificate belongs
    TStoreLocation other;
    HKEY root;             // of the uninstall entry
    int programs;          // the Start menu's programs folder
};
const TMode AllUsers = {"all users", "", TStoreLocation::LocalMachine, TStoreLocation::CurrentUser,
                        HKEY_LOCAL_MACHINE, CSIDL_COMMON_PROGRAMS};
const TMode CurrentUser = {"current user", "/CURRENTUSER", TStoreLocation::CurrentUser,
                           TStoreLocation::LocalMachine, HKEY_CURRENT_USER, CSIDL_PROGRAMS};
const TMode Modes[] = {AllUsers, CurrentUser};

bool Exists(const std::string& path) {
    return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string ShellFolder(int csidl) {
    char path[MAX_PATH] = {};
    ::SHGetFolderPathA(nullptr, csidl, nullptr, 0, path);
    return path;
}

// The folder a mode installs into when /D does not name one.
std::string DefaultFolder(const TMode& mode) {
    return mode.root == HKEY_LOCAL_MACHINE ? ShellFolder(CSIDL_PROGRAM_FILES) + "\\Velmora"
                                           : ShellFolder(CSIDL_LOCAL_APPDATA) + "\\Programs\\Velmora";
}

// In this program's own view, the setup's, which has the same architecture.
bool Registered(HKEY root) {
    HKEY key = nullptr;
    if (::RegOpenKeyExA(root, UninstallKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    ::RegCloseKey(key);
    return true;
}

// The exit code; the Start-menu entry would otherwise reach the host's menus.
DWORD RunSilently(const std::string& exe, const std::string& arguments, bool administrator = true) {
    uidriver::TStartOptions options;
    options.exe = exe;
    options.arguments = arguments;
    options.administrator = administrator;
    options.environment = {"WINEDLLOVERRIDES=winemenubuilder.exe=d"};
    const uidriver::TProcess process(options);
    EXPECT_TRUE(process.WaitForExit(120000)) << exe;
    return process.ExitCode();
}

// Installs silently in `mode` into `folder` (the mode's own when empty),
// checks what is there and lets `installed` look too, uninstalls and checks
// that it is gone; the setup's exit code.
DWORD InstallAndRemove(const char* setup, const TMode& mode, const std::string& options,
                       std::string folder, const std::function<void()>& installed = [] {}) {
    std::string arguments = std::string("/S ") + mode.option + " " + options;
    if (folder.empty())
        folder = DefaultFolder(mode);
    else
        arguments += " /D=" + folder;
    const DWORD exitCode = RunSilently(setup, arguments);
    for (const char* name : InstalledFiles) EXPECT_TRUE(Exists(folder + "\\" + name)) << name;
    const std::string entry = ShellFolder(mode.programs) + "\\Velmora\\Velmora.lnk";
    EXPECT_TRUE(Exists(entry));
    EXPECT_TRUE(Registered(mode.root));
    EXPECT_FALSE(Registered(mode.root == HKEY_LOCAL_MACHINE ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE));
    installed();

    // The uninstaller runs on from a copy of itself once this process has ended.
    EXPECT_EQ(RunSilently(folder + "\\Uninstall.exe", "/S"), 0u);
    EXPECT_TRUE(uidriver::WaitUntil([&] { return !Exists(folder) && !Registered(mode.root); }, 30000))
        << folder;
    EXPECT_FALSE(Exists(entry));
    return exitCode;
}

// The setup enters the development certificate that the program's own
// signature tests must not find trusted: it leaves both stores as it found
// them. Wine keeps both in the registry, so this process sees what the
// setup did.
class Setup : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(der_.empty());
        Clean();
    }
    void TearDown() override { Clean(); }
    void Clean() const {
        RemoveFromStore("Root", der_, TStoreLocation::CurrentUser);
        RemoveFromStore("Root", der_, TStoreLocation::LocalMachine);
    }
    bool Holds(TStoreLocation location) const { return StoreHolds("Root", der_, location); }
    const std::string der_ = ReadBytes(uidriver::WindowsPath(VELMORA_CER));
};

// For all users in the machine's store, which every user's Root includes;
// for the current user in that user's own; with /NOCERT in neither.
TEST_F(Setup, EntersTheCertificateWhereChosenAndTakesItOutAgain) {
    for (const TMode& mode : Modes) {
        for (const bool noCert : {false, true}) {
            SCOPED_TRACE(std::string(mode.name) + (noCert ? " /NOCERT" : ""));
            EXPECT_EQ(InstallAndRemove(VELMORA_SETUP, mode, noCert ? "/NOCERT" : "",
                                       noCert ? "C:\\velmora-setup-test" : "", [&] {
                                           EXPECT_EQ(Holds(mode.store), !noCert);
                                           EXPECT_FALSE(Holds(mode.other));
                                       }),
                      0u);
            EXPECT_FALSE(Holds(mode.store));
        }
    }
}

// Refused, not quietly installed for the standard user alone.
TEST_F(Setup, OnlyAnAdministratorInstallsForAllUsers) {
    EXPECT_EQ(RunSilently(VELMORA_SETUP, "/S /D=C:\\velmora-setup-test", false), 2u);
    EXPECT_FALSE(Exists("C:\\velmora-setup-test"));
    EXPECT_FALSE(Registered(HKEY_CURRENT_USER));
}

// Taken out only where the setup added it: a certificate in the chosen
// store before stays; one in the other store neither counts as present nor
// goes.
TEST_F(Setup, LeavesCertificatesItDidNotAdd) {
    for (const TMode& mode : Modes) {
        SCOPED_TRACE(mode.name);
        AddToStore("Root", der_, mode.store);
        EXPECT_EQ(InstallAndRemove(VELMORA_SETUP, mode, "", "C:\\velmora-setup-test"), 0u);
        EXPECT_TRUE(Holds(mode.store));
        Clean();

        AddToStore("Root", der_, mode.other);
        EXPECT_EQ(InstallAndRemove(VELMORA_SETUP, mode, "", "C:\\velmora-setup-test",
                                   [&] { EXPECT_TRUE(Holds(mode.store)); }),
                  0u);
        EXPECT_FALSE(Holds(mode.store));
        EXPECT_TRUE(Holds(mode.other));
        Clean();
    }
}

// A setup whose Velmora.cer is Base64 text (of the Kestrel tests' own
// certificate): neither the machine's store nor Kestrel takes it, and the
// setup installs everything else and says so in its exit code.
TEST_F(Setup, FailedImportKeepsTheInstallationAndSetsTheExitCode) {
    for (const TMode& mode : Modes) {
        SCOPED_TRACE(mode.name);
        EXPECT_EQ(InstallAndRemove(BROKEN_CERTIFICATE_SETUP, mode, "", "C:\\velmora-setup-test-2"), 3u);
    }
}

}  // namespace
