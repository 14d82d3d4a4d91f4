// The signature panel of the real program: when it is built, which icon it
// shows, what a click on it installs and says.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/driver/CertStoreProbe.h"
#include "tests/driver/Registry.h"
#include "tests/driver/SignatureInputs.h"
#include "tests/driver/Texts.h"
#include "tests/driver/UiDriver.h"

using namespace uidriver;

namespace {

const std::string Folder = "C:\\velmora-signature-test";
const std::string Program = Folder + "\\Velmora.exe";
const std::string Companion = Folder + "\\Velmora.cer";

// The program (signed unless said otherwise) in a folder of its own, with
// the certificate file `companion` beside it, or none.
void Deploy(const std::string& program, const char* companion) {
    ::CreateDirectoryA(Folder.c_str(), nullptr);
    ASSERT_TRUE(::CopyFileA(WindowsPath(program).c_str(), Program.c_str(), FALSE));
    ::DeleteFileA(Companion.c_str());
    if (companion != nullptr) {
        ASSERT_TRUE(::CopyFileA(CertificateInput(companion).c_str(), Companion.c_str(), FALSE));
    }
}

class SignaturePanel : public ::testing::Test {
protected:
    void SetUp() override {
        // Both Winlogon keys exist, so that no report of a missing key comes
        // before the dialog on any system.
        WriteValue(Winlogon9x, "Velmora.test", REG_SZ, std::string("", 1), OwnView);
        DeleteValue(Winlogon9x, "Velmora.test", OwnView);
        WriteValue(WinlogonNt, "Velmora.test", REG_SZ, std::string("", 1));
        DeleteValue(WinlogonNt, "Velmora.test");
    }
    void TearDown() override {
        if (dialog_) Close(dialog_);
        velmora_.WaitForExit();
        velmora_ = TProcess();
        ::DeleteFileA(Program.c_str());
        ::DeleteFileA(Companion.c_str());
        ::RemoveDirectoryA(Folder.c_str());
        // Wine keeps an installed root: later starts would find it.
        RemoveFromUserRootStore(CertificateInput("signer"));
        ::RegDeleteKeyValueA(HKEY_CURRENT_USER, "Control Panel\\Desktop", "LogPixels");
    }
    void Start(const std::string& exe, const char* version, const char* arguments = "") {
        velmora_ = TProcess({exe, arguments, version, true});
        // The first start under a version in a fresh prefix can take long.
        dialog_ = velmora_.WaitForDialog(120000);
        ASSERT_NE(dialog_, nullptr);
    }
    HWND Icon() const { return Control(dialog_, 1006); }
    TProcess velmora_;
    HWND dialog_ = nullptr;
};

struct TCondition {
    const char* version;
    const char* arguments;
    bool panel;
};

}  // namespace

TEST_F(SignaturePanel, BuiltOnNt6UnlessRefusedAndWheneverAskedFor) {
    const TCondition conditions[] = {
        {"win7", "", true},         {"vista", "", true},       {"win10", "", true},
        {"win7", "nocert", false},  {"win7", "nocert cert", true},
        {"winxp", "", false},       {"winxp", "cert", true},   {"win2k", "cert", true},
        {"nt40", "", false},        {"win98", "", false},      {"win98", "cert", true},
    };
    for (const TCondition& c : conditions) {
        SCOPED_TRACE(std::string(c.version) + " \"" + c.arguments + "\"");
        Start(VELMORA_EXE, c.version, c.arguments);  // unsigned: the problem state
        EXPECT_EQ(Icon() != nullptr, c.panel);
        if (c.panel) {
            EXPECT_EQ(IconShown(Icon()), static_cast<UINT>(MB_ICONWARNING));
            EXPECT_TRUE(MessageBoxes(velmora_.id()).empty());  // not trusted: no box
        }
        Close(dialog_);
        ASSERT_TRUE(velmora_.WaitForExit());
        dialog_ = nullptr;
    }
}

// At 120 DPI (125 %) fixed pixels would put the icon over the logon prompt:
// at any DPI it keeps to the row of the push buttons and covers no control.
TEST_F(SignaturePanel, IconOnTheRowOfThePushButtonsAtAnyDpi) {
    const auto rectOf = [&](HWND w) {
        RECT r = {};
        ::GetWindowRect(w, &r);
        ::MapWindowPoints(nullptr, dialog_, reinterpret_cast<POINT*>(&r), 2);
        return r;
    };
    // Also the preview's classic notice box, whose client area grows with the font as the
    // dialog's does: its width over the dialog's, at each dpi.
    std::vector<double> boxToDialog;
    for (const DWORD dpi : {96u, 120u}) {
        SCOPED_TRACE(dpi);  // Wine reads it at each program's start
        ::RegSetKeyValueA(HKEY_CURRENT_USER, "Control Panel\\Desktop", "LogPixels", REG_DWORD,
                          &dpi, sizeof dpi);
        Start(VELMORA_EXE, "win7");  // unsigned: the problem icon
        const RECT icon = rectOf(Icon()), save = rectOf(Control(dialog_, IDOK));
        for (HWND c = ::GetWindow(dialog_, GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT)) {
            RECT overlap, control = rectOf(c);
            EXPECT_TRUE(c == Icon() || !::IntersectRect(&overlap, &icon, &control))
                << ::GetDlgCtrlID(c);
        }
        EXPECT_GE((icon.top + icon.bottom) / 2, save.top);
        EXPECT_LT((icon.top + icon.bottom) / 2, save.bottom);
        ASSERT_TRUE(ChooseFromSystemMenu(velmora_, dialog_, 'O'));
        const HWND preview = WaitForDialogTitled(velmora_, "Vorschau der Anmeldenachricht");
        HWND box = nullptr;
        ASSERT_TRUE(preview != nullptr);
        PressKey(preview, VK_HOME);  // the classic family
        ASSERT_TRUE(WaitUntil([&] { return (box = Control(Control(preview, 1034), 1040)) != nullptr; }));
        RECT boxArea = {}, dialogArea = {};
        ::GetClientRect(box, &boxArea);
        ::GetClientRect(dialog_, &dialogArea);
        boxToDialog.push_back(double(boxArea.right) / dialogArea.right);
        PressKey(preview, VK_ESCAPE);
        EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(preview); }));
        Close(dialog_);
        ASSERT_TRUE(velmora_.WaitForExit());
        dialog_ = nullptr;
    }
    ASSERT_EQ(boxToDialog.size(), 2u);
    EXPECT_NEAR(boxToDialog[1], boxToDialog[0], 0.02);
}

TEST_F(SignaturePanel, UnreadableSignerOfATrustedFileIsReported) {
    // Two certificate-table entries: the system still accepts the file, the
    // signer cannot be read from it.
    const std::string twoEntries = SIGNATURE_INPUTS "/velmora/two-entries/Velmora.exe";
    velmora_ = TProcess({twoEntries, "", "win7", true});
    const auto box = AnswerNextBox(velmora_.id());
    ASSERT_TRUE(box.has_value());
    EXPECT_EQ(box->text, texts::SignatureBroken);
    EXPECT_EQ(box->caption, "Velmora");
    EXPECT_EQ(box->icon, static_cast<UINT>(MB_ICONERROR));
    EXPECT_EQ(::GetDlgItem(box->owner, 1013) != nullptr, true);  // owned by the dialog
    dialog_ = velmora_.WaitForDialog();
    ASSERT_NE(dialog_, nullptr);
    ASSERT_NE(Icon(), nullptr);
    EXPECT_EQ(IconShown(Icon()), static_cast<UINT>(MB_ICONWARNING));
}

TEST_F(SignaturePanel, NoChecksAtAllOnNt5WithoutTheOption) {
    // The same file: no box, because nothing was checked.
    const std::string twoEntries = SIGNATURE_INPUTS "/velmora/two-entries/Velmora.exe";
    Start(twoEntries, "winxp");
    EXPECT_TRUE(Settled(dialog_));
    EXPECT_TRUE(MessageBoxes(velmora_.id()).empty());
    EXPECT_EQ(Icon(), nullptr);
}

TEST_F(SignaturePanel, ClickWithoutCompanionFileReportsFileNotFound) {
    Deploy(VELMORA_SIGNED_EXE, nullptr);
    Start(Program, "win7");
    ASSERT_NE(Icon(), nullptr);
    ClickWithMouse(Icon());
    const auto box = AnswerNextBox(velmora_.id());
    ASSERT_TRUE(box.has_value());
    EXPECT_EQ(box->owner, nullptr);
    EXPECT_EQ(box->text.rfind("Win32-Fehler. Code: 0X00000002", 0), 0u) << box->text;
    EXPECT_EQ(box->icon, static_cast<UINT>(MB_ICONERROR));
    ASSERT_NE(Icon(), nullptr);  // the panel as it was
    EXPECT_EQ(IconShown(Icon()), static_cast<UINT>(MB_ICONWARNING));
}

TEST_F(SignaturePanel, ClickInstallsNothingButTheSignersOwnCertificate) {
    const std::string impostor = SIGNATURE_INPUTS "/velmora/impostor/Velmora.exe";
    const std::string changed = SIGNATURE_INPUTS "/velmora/changed/Velmora.exe";
    const struct {
        std::string program;
        const char* companion;
        const char* text;
    } cases[] = {
        {VELMORA_SIGNED_EXE, "other", texts::CertificateForeign},
        // A CA of somebody's own under the signer's name; and a program
        // signed with it, the CA beside it.
        {VELMORA_SIGNED_EXE, "impostor-ca", texts::CertificateForeign},
        {impostor, "impostor-ca", texts::CertificateForeign},
        // Changed after signing: its signer proves nothing.
        {changed, "signer", texts::SignatureBroken},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.program + " + " + c.companion);
        Deploy(c.program, c.companion);
        RemoveFromUserRootStore(Companion);
        const std::string before = UserRootSnapshot();
        Start(Program, "win7");
        ClickWithMouse(Icon());
        const auto box = AnswerNextBox(velmora_.id());
        ASSERT_TRUE(box.has_value());
        EXPECT_EQ(box->owner, dialog_);
        EXPECT_EQ(box->text, c.text);
        EXPECT_TRUE(UserRootSnapshot() == before);  // crypt32 and registry alike
        Close(dialog_);
        ASSERT_TRUE(velmora_.WaitForExit());
        dialog_ = nullptr;
    }
}

TEST_F(SignaturePanel, ClickInstallsTheSignersCertificate) {
    Deploy(VELMORA_SIGNED_EXE, "signer");
    RemoveFromUserRootStore(Companion);
    // Trusted roots that bear the signer's name, or contain it, are somebody
    // else's: the signer stays untrusted.
    const std::string twin = ReadBytes(CertificateInput("twin")),
                      contains = ReadBytes(CertificateInput("contains"));
    AddToStore("Root", twin, TStoreLocation::CurrentUser);
    AddToStore("Root", contains, TStoreLocation::CurrentUser);
    Start(Program, "win7");
    RemoveFromStore("Root", twin);
    RemoveFromStore("Root", contains);
    ASSERT_NE(Icon(), nullptr);
    // By keyboard: the system menu's item does what the click does.
    ASSERT_TRUE(ChooseFromSystemMenu(velmora_, dialog_, 'I'));
    // Installed, but Wine trusts roots only from the host's bundle: the
    // rebuilt panel is still not in order, and says so.
    const auto box = AnswerNextBox(velmora_.id());
    ASSERT_TRUE(box.has_value());
    EXPECT_EQ(box->owner, dialog_);
    EXPECT_EQ(box->text, texts::SignatureFailed);
    EXPECT_EQ(box->icon, static_cast<UINT>(MB_ICONERROR));
    EXPECT_TRUE(InUserRootStore(Companion));
    ASSERT_NE(Icon(), nullptr);
    EXPECT_EQ(IconShown(Icon()), static_cast<UINT>(MB_ICONWARNING));

    // Wine's chain engine takes its roots once per process: started again,
    // the program finds its signer trusted and shows no panel.
    Close(dialog_);
    ASSERT_TRUE(velmora_.WaitForExit());
    Start(Program, "win7");
    EXPECT_TRUE(Settled(dialog_));
    EXPECT_EQ(Icon(), nullptr);
    EXPECT_TRUE(MessageBoxes(velmora_.id()).empty());
    // Nothing to install: no item takes the I, and the menu stays open.
    ASSERT_TRUE(ChooseFromSystemMenu(velmora_, dialog_, 'I'));
    EXPECT_FALSE(WaitUntil([&] { return velmora_.Windows("#32768").empty(); }, 1500));
    PressHardwareKey(dialog_, VK_ESCAPE);
    EXPECT_TRUE(WaitUntil([&] { return velmora_.Windows("#32768").empty(); }));
}

// With the signer's certificate trusted as a root by Wine (the test run
// puts it into the CA bundle of a private mount namespace).
TEST_F(SignaturePanel, TrustedInOrderShowsNothingWithoutTheOption) {
    Start(VELMORA_SIGNED_EXE, "win7");
    EXPECT_TRUE(Settled(dialog_));
    EXPECT_EQ(Icon(), nullptr);
    EXPECT_TRUE(MessageBoxes(velmora_.id()).empty());
}

TEST_F(SignaturePanel, TrustedInOrderWithTheOptionShowsTheInfoIcon) {
    Deploy(VELMORA_SIGNED_EXE, "signer");
    Start(Program, "winxp", "cert");
    ASSERT_NE(Icon(), nullptr);
    EXPECT_EQ(IconShown(Icon()), static_cast<UINT>(MB_ICONINFORMATION));
    // A click installs again; the rebuilt panel stays in order, silently.
    ClickWithMouse(Icon());
    EXPECT_TRUE(Settled(dialog_));
    EXPECT_TRUE(MessageBoxes(velmora_.id()).empty());
    ASSERT_NE(Icon(), nullptr);
    EXPECT_EQ(IconShown(Icon()), static_cast<UINT>(MB_ICONINFORMATION));
}
