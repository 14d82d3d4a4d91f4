// The setup program as an administrator deploys it: silently, for all users
// or for the current user, then removed again with its uninstaller.
#include <gtest/gtest.h>

#include <windows.h>
#include <aclapi.h>
#include <sddl.h>
#include <shlobj.h>

#include <functional>
#include <string>

#include "tests/driver/CertStoreProbe.h"
#include "tests/driver/UiDriver.h"

using namespace uidriver;

namespace {

const char* const InstalledFiles[] = {"Velmora.exe", "Velmora.chm", "Velmora.cer", "Uninstall.exe",
                                      "Uninstall.ini"};
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

// Paths are UTF-8: a user's name need not fit the ANSI code page.
std::wstring Utf16(const std::string& path) {
    wchar_t wide[MAX_PATH] = {};
    ::MultiByteToWideChar(CP_UTF8, 0, path.c_str(), -1, wide, MAX_PATH);
    return wide;
}

bool Exists(const std::string& path) {
    return ::GetFileAttributesW(Utf16(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The owner and DACL of an ASCII path as SDDL, as Wine reports them.
std::string Security(const std::string& path) {
    const SECURITY_INFORMATION parts = OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    char* sddl = nullptr;
    ::GetNamedSecurityInfoA(path.c_str(), SE_FILE_OBJECT, parts, nullptr, nullptr, nullptr, nullptr,
                            &descriptor);
    ::ConvertSecurityDescriptorToStringSecurityDescriptorA(descriptor, SDDL_REVISION_1, parts, &sddl,
                                                           nullptr);
    const std::string result = sddl ? sddl : "";
    ::LocalFree(sddl);
    ::LocalFree(descriptor);
    return result;
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
DWORD RunSilently(const std::string& exe, const std::string& arguments, bool administrator = true,
                  const char* windowsVersion = "") {
    uidriver::TStartOptions options;
    options.exe = exe;
    options.arguments = arguments;
    options.administrator = administrator;
    options.windowsVersion = windowsVersion;
    options.codePage = CP_UTF8;
    options.environment = {"WINEDLLOVERRIDES=winemenubuilder.exe=d"};
    const uidriver::TProcess process(options);
    EXPECT_TRUE(process.WaitForExit(120000)) << exe;
    return process.ExitCode();
}

// Installs silently in `mode` into `folder` (the mode's own when empty),
// checks what is there and lets `installed` look too, uninstalls and checks
// that it is gone, that the uninstaller ends with `uninstalled` and that the
// other mode's entry is as it was; the setup's exit code.
DWORD InstallAndRemove(const char* setup, const TMode& mode, const std::string& options,
                       std::string folder, const std::function<void()>& installed = [] {},
                       DWORD uninstalled = 0) {
    const HKEY otherRoot = mode.root == HKEY_LOCAL_MACHINE ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
    const bool otherRegistered = Registered(otherRoot);
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
    EXPECT_EQ(Registered(otherRoot), otherRegistered);
    // Whatever the folder above grants. Wine keeps a file's rights only as
    // unix mode bits, reported as ACEs for SYSTEM, the owner and Everyone;
    // Users' reading has no such bit, so nobody else is left.
    if (mode.root == HKEY_LOCAL_MACHINE) {
        EXPECT_EQ(Security(folder).find(";;;WD)"), std::string::npos) << Security(folder);
    }
    installed();

    // In place (_?=), so that the exit code is the uninstaller's own, not that
    // of a copy it hands over to; it leaves itself and the folder.
    const std::string uninstaller = folder + "\\Uninstall.exe", inPlace = "/S _?=" + folder;
    if (mode.root == HKEY_LOCAL_MACHINE) {
        EXPECT_EQ(RunSilently(uninstaller, inPlace, false), 2u);
        EXPECT_TRUE(Exists(folder + "\\Velmora.exe") && Registered(mode.root));
    }
    EXPECT_EQ(RunSilently(uninstaller, inPlace), uninstalled);
    // Wine lets go of the uninstaller's file a moment after its exit.
    EXPECT_TRUE(uidriver::WaitUntil([&] {
        ::DeleteFileW(Utf16(uninstaller).c_str());
        return ::RemoveDirectoryW(Utf16(folder).c_str()) || !Exists(folder);
    }, 10000)) << folder;
    EXPECT_EQ(Registered(mode.root), uninstalled == 3);  // the record of a certificate that stays
    EXPECT_EQ(Registered(otherRoot), otherRegistered);
    EXPECT_FALSE(Exists(entry));
    return exitCode;
}

// The setup enters the development certificate that the program's own
// signature tests must not find trusted: each case starts and ends without
// it in either store, and without an uninstall entry. Wine keeps both
// stores in the registry, so this process sees what the setup did.
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
        ::RegDeleteKeyA(HKEY_LOCAL_MACHINE, UninstallKey);
        ::RegDeleteKeyA(HKEY_CURRENT_USER, UninstallKey);
    }
    bool Holds(TStoreLocation location) const { return StoreHolds("Root", der_, location); }
    const std::string der_ = ReadBytes(uidriver::WindowsPath(VELMORA_CER));
};

// For all users in the machine's store, which every user's Root includes;
// for the current user in that user's own, also below a name outside the
// ANSI code page; with /NOCERT in neither.
TEST_F(Setup, EntersTheCertificateWhereChosenAndTakesItOutAgain) {
    const struct {
        const TMode& mode;
        const char* options;
        const char* folder;
    } cases[] = {{AllUsers, "", ""}, {AllUsers, "/NOCERT", "C:\\velmora-setup-test"},
                 {CurrentUser, "", ""}, {CurrentUser, "", "C:\\Łukasz Dvořák"},
                 {CurrentUser, "/NOCERT", "C:\\velmora-setup-test"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.mode.name) + " " + c.options + " " + c.folder);
        EXPECT_EQ(InstallAndRemove(VELMORA_SETUP, c.mode, c.options, c.folder, [&] {
                      EXPECT_EQ(Holds(c.mode.store), c.options[0] == '\0');
                      EXPECT_FALSE(Holds(c.mode.other));
                  }),
                  0u);
        EXPECT_FALSE(Holds(c.mode.store));
    }
}

// Refused with nothing installed: for all users without administrative
// rights, rather than quietly for the one account; on a system older than
// 2000; and into a folder that holds other files, whose rights are not the
// setup's to change.
TEST_F(Setup, RefusesForAllUsers) {
    const std::string folder = "C:\\velmora-setup-test", other = folder + "\\other.txt";
    EXPECT_EQ(RunSilently(VELMORA_SETUP, "/S /D=" + folder, false), 2u);
#ifndef _WIN64  // every 64-bit Windows is XP x64 or later
    for (const char* version : {"nt40", "win98"})
        EXPECT_EQ(RunSilently(VELMORA_SETUP, "/S /D=" + folder, true, version), 2u) << version;
#endif
    EXPECT_FALSE(Exists(folder) || Registered(HKEY_CURRENT_USER));
    ::CreateDirectoryA(folder.c_str(), nullptr);
    ::CloseHandle(::CreateFileA(other.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr));
    EXPECT_EQ(RunSilently(VELMORA_SETUP, "/S /D=" + folder), 2u);
    EXPECT_TRUE(Exists(other) && !Exists(folder + "\\Velmora.exe") && !Registered(HKEY_LOCAL_MACHINE));
    ::DeleteFileA(other.c_str());
    ::RemoveDirectoryA(folder.c_str());
}

// The current user's uninstaller, its entry lost, leaves the machine's
// installation alone: entry, Start menu and certificate.
TEST_F(Setup, UninstallersKeepToTheirOwnInstallation) {
    ASSERT_EQ(RunSilently(VELMORA_SETUP, "/S"), 0u);
    EXPECT_EQ(InstallAndRemove(VELMORA_SETUP, CurrentUser, "", "C:\\velmora-setup-test",
                               [] { ::RegDeleteKeyA(HKEY_CURRENT_USER, UninstallKey); }),
              0u);
    EXPECT_TRUE(Holds(TStoreLocation::LocalMachine));
    EXPECT_TRUE(Exists(ShellFolder(CSIDL_COMMON_PROGRAMS) + "\\Velmora\\Velmora.lnk"));
    EXPECT_EQ(InstallAndRemove(VELMORA_SETUP, AllUsers, "", ""), 0u);
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
// setup installs everything else and says so in its exit code. Its
// uninstaller, told that the setup added it, cannot take it out either: it
// removes everything else, keeps the record and says so too.
TEST_F(Setup, FailedImportKeepsTheInstallationAndSetsTheExitCode) {
    for (const TMode& mode : Modes) {
        SCOPED_TRACE(mode.name);
        const std::string store = mode.root == HKEY_LOCAL_MACHINE ? "LocalMachine" : "CurrentUser";
        const auto record = [&] {
            ::RegSetKeyValueA(mode.root, UninstallKey, "CertificateStore", REG_SZ, store.c_str(),
                              static_cast<DWORD>(store.size() + 1));
        };
        EXPECT_EQ(InstallAndRemove(BROKEN_CERTIFICATE_SETUP, mode, "", "C:\\velmora-setup-test-2",
                                   record, 3),
                  3u);
        Clean();
    }
}

}  // namespace
