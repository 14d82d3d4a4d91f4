// The version label and the help, on copies of the program where a test
// needs another name, another folder or no version block.
#include <gtest/gtest.h>

#include <string>

#include "tests/driver/UiDriver.h"

using namespace uidriver;

namespace {

const std::string Folder = "C:\\velmora-help-test";

// The program as `name` in the test folder, and beside it as Velmora.chm
// the help file `help`, or none.
std::string CopyOfVelmora(const std::string& name, const char* help,
                          const char* program = VELMORA_EXE) {
    ::CreateDirectoryA(Folder.c_str(), nullptr);
    const std::string exe = Folder + "\\" + name;
    EXPECT_TRUE(::CopyFileA(WindowsPath(program).c_str(), exe.c_str(), FALSE));
    const std::string chm = Folder + "\\Velmora.chm";
    if (help != nullptr) {
        EXPECT_TRUE(::CopyFileA(WindowsPath(help).c_str(), chm.c_str(), FALSE));
    } else {
        ::DeleteFileA(chm.c_str());
    }
    return exe;
}

void RemoveFolder() {
    WIN32_FIND_DATAA entry;
    const HANDLE find = ::FindFirstFileA((Folder + "\\*").c_str(), &entry);
    if (find != INVALID_HANDLE_VALUE) {
        do ::DeleteFileA((Folder + "\\" + entry.cFileName).c_str());
        while (::FindNextFileA(find, &entry));
        ::FindClose(find);
    }
    ::RemoveDirectoryA(Folder.c_str());
}

class HelpTest : public ::testing::Test {
protected:
    void TearDown() override {
        if (dialog_) Close(dialog_);
        velmora_.WaitForExit();
        velmora_ = TProcess();
        PreferNativeLibraries("Velmora.exe", {});
        RemoveFolder();
    }
    HWND Start(const TStartOptions& options) {
        velmora_ = TProcess(options);
        dialog_ = velmora_.WaitForDialog();
        EXPECT_NE(dialog_, nullptr);
        return dialog_;
    }
    // The help window of the program, once it shows.
    bool HelpWindowOpens() {
        return WaitUntil([&] { return !velmora_.Windows("HH Parent").empty(); }, 15000);
    }
    void CloseHelpWindows() {
        for (HWND w : velmora_.Windows("HH Parent")) ::PostMessageA(w, WM_CLOSE, 0, 0);
        WaitUntil([&] { return velmora_.Windows("HH Parent").empty(); });
    }
    TProcess velmora_;
    HWND dialog_ = nullptr;
};

}  // namespace

TEST_F(HelpTest, VersionLabelShowsTheFileVersion) {
    const HWND d = Start({VELMORA_EXE, "", "win7", true});
    EXPECT_EQ(Text(Control(d, 1005)), "Version 2.0.0.0");
}

TEST_F(HelpTest, CopyWithoutVersionBlockKeepsTheTemplateText) {
    const HWND d = Start({VELMORA_NO_VERSION_EXE, "", "win7", true});
    EXPECT_EQ(Text(Control(d, 1005)), "Version 2");
}

TEST_F(HelpTest, F1AndTheHelpButtonOpenTheDialogsTopic) {
    const HWND d = Start({VELMORA_EXE, "", "win7", true});
    PressHardwareKey(d, VK_F1);
    ASSERT_TRUE(HelpWindowOpens());
    EXPECT_EQ(Text(velmora_.Windows("HH Parent")[0]), "Velmora-Hilfe");
    EXPECT_TRUE(MessageBoxes(velmora_.id()).empty());
    CloseHelpWindows();
    Click(Control(d, 9));
    EXPECT_TRUE(HelpWindowOpens());
    EXPECT_TRUE(MessageBoxes(velmora_.id()).empty());
    CloseHelpWindows();
}

// A help file that is missing, or that is not the one the program was built
// with (the same topic number, compiled apart): named once per request,
// and a foreign one never opened.
TEST_F(HelpTest, MissingOrForeignHelpFileIsNamedOncePerRequest) {
    const struct { const char* name; const char* help; std::string text; } rows[] = {
        {"Kopie.exe", nullptr,
         "Die Hilfe-Datei kann nicht ge\xF6" "ffnet werden.\r\n(" + Folder + "\\Kopie.chm)"},
        {"Velmora.exe", FOREIGN_CHM,
         "Die Hilfe-Datei neben dem Programm geh\xF6rt nicht zu dieser Version und wird nicht "
         "ge\xF6" "ffnet.\r\n(" + Folder + "\\Velmora.chm)"}};
    for (const auto& row : rows) {
        const HWND d = Start({CopyOfVelmora(row.name, row.help), "", "win7", true});
        for (int request = 0; request < 2; ++request) {
            if (request == 0) Click(Control(d, 9)); else PressHardwareKey(d, VK_F1);
            const auto box = AnswerNextBox(velmora_.id());
            ASSERT_TRUE(box.has_value());
            EXPECT_EQ(box->owner, d);
            EXPECT_EQ(box->caption, "Velmora");
            EXPECT_EQ(box->text, row.text);
            EXPECT_EQ(box->icon, static_cast<UINT>(MB_ICONERROR));
            EXPECT_TRUE(Settled(d));
            EXPECT_TRUE(MessageBoxes(velmora_.id()).empty());
            EXPECT_TRUE(velmora_.Windows("HH Parent").empty());
        }
        Close(d);
        ASSERT_TRUE(velmora_.WaitForExit());
        dialog_ = nullptr;
    }
}

TEST_F(HelpTest, ExtensionIsReplacedByPosition) {
    const std::string exe = CopyOfVelmora("Kopie.progr", nullptr);
    const HWND d = Start({exe, "", "win7", true});
    Click(Control(d, 9));
    const auto box = AnswerNextBox(velmora_.id());
    ASSERT_TRUE(box.has_value());
    EXPECT_NE(box->text.find("(" + Folder + "\\Kopie.prchm)"), std::string::npos) << box->text;
}

// A copy in a folder that others can write to (Downloads, a share): none
// of the libraries planted there is loaded, even with Wine told to prefer
// a native copy of each, as Windows would. The run reaches every binding:
// version label, help, signature check, the icon's click, Save.
TEST_F(HelpTest, LibrariesPlantedBesideTheProgramAreNeverLoaded) {
    const std::string exe = CopyOfVelmora("Velmora.exe", VELMORA_CHM, VELMORA_SIGNED_EXE);
    // Only libraries whose planted copy would run its DllMain if loaded, and
    // so leave its marker. Not version.dll: Wine's user32 loads the built-in
    // one before the program runs, and a load by plain name gets that one
    // (the import check of the program guards its static import). Not
    // cryptui.dll: ExtractIconA maps it as data only, so no DllMain runs.
    const char* const planted[] = {"wintrust.dll", "crypt32.dll", "HHCtrl.OCX"};
    for (const char* name : planted) {
        ASSERT_TRUE(::CopyFileA(WindowsPath(PLANTED_LIBRARY).c_str(),
                                (Folder + "\\" + name).c_str(), FALSE));
    }
    PreferNativeLibraries("Velmora.exe", {"wintrust", "crypt32", "hhctrl.ocx"});
    const HWND d = Start({exe, "", "win7", true});
    EXPECT_EQ(Text(Control(d, 1005)), "Version 2.0.0.0");
    PressHardwareKey(d, VK_F1);
    EXPECT_TRUE(HelpWindowOpens());
    CloseHelpWindows();
    ClickWithMouse(Control(d, 1006));
    EXPECT_TRUE(AnswerNextBox(velmora_.id()).has_value());  // no certificate file beside it
    Click(Control(d, IDOK));
    EXPECT_TRUE(AnswerNextBox(velmora_.id(), IDYES).has_value());
    EXPECT_TRUE(velmora_.WaitForExit());
    dialog_ = nullptr;
    for (const char* name : planted) {
        EXPECT_EQ(::GetFileAttributesA((Folder + "\\" + name + ".loaded").c_str()),
                  INVALID_FILE_ATTRIBUTES)
            << name;
    }
}
