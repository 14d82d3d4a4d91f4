// The signature panel on a dialog of the test's own. This test program is
// signed like Velmora: its signature is well-formed, and its signer is a
// trusted root only in the TrustedPanel cases (run with the signer in Wine's
// CA bundle).
#include <gtest/gtest.h>

#include <string>

#include "app/AppState.h"
#include "app/StringIds.h"
#include "resources/VelmoraBuild.h"
#include "signature/ApiWinCrypt.h"
#include "signature/SignaturePanel.h"
#include "tests/driver/CertStoreProbe.h"
#include "tests/driver/SignatureInputs.h"
#include "tests/driver/Texts.h"
#include "tests/unit/BoxWatcher.h"
#include "tests/unit/TitleRecorder.h"
#include "tests/unit/ToolText.h"
#include "ui/ControlIds.h"
#include "ui/DialogState.h"
#include "ui/MainDialog.h"

using namespace velmora;

namespace {

const char* const ProblemText =
    "Das digitale Zertifikat f\xFCr das Programm ist ung\xFCltig.\r\nKlicken Sie hier, um das "
    "aktuelle Zertifikat zu installieren.\r\nWeitere Infos: " VELMORA_MAKER_URL;

std::string OwnPath(const char* extension) {
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string p = path;
    return p.replace(p.size() - 3, 3, extension);
}

int TooltipsOf(HWND dialog) {
    int count = 0;
    for (HWND w = ::GetTopWindow(nullptr); w; w = ::GetWindow(w, GW_HWNDNEXT)) {
        char name[64] = {};
        ::GetClassNameA(w, name, sizeof name);
        count += ::GetWindow(w, GW_OWNER) == dialog && ::lstrcmpiA(name, "tooltips_class32") == 0;
    }
    return count;
}

class PanelTest : public ::testing::Test {
protected:
    void SetUp() override {
        OsVersion.dwOSVersionInfoSize = sizeof OsVersion;
        ::GetVersionExA(&OsVersion);
        OsVersion.dwMajorVersion = 5;  // no panel of its own at initialisation
        IsAdmin = true;
        OptionCert = OptionNoCert = false;
        dialog_ = ::CreateDialogParamA(::GetModuleHandleA(nullptr), IDD_MAINDIALOG, nullptr,
                                       MainDialogProc, 0);
        ASSERT_NE(dialog_, nullptr);
        ::DeleteFileA(OwnPath("cer").c_str());
    }
    void TearDown() override {
        if (dialog_) ::DestroyWindow(dialog_);
        ::DeleteFileA(OwnPath("cer").c_str());
        OptionCert = false;
        // Wine keeps what was installed, and trusts it from the next process on.
        uidriver::RemoveFromUserRootStore(CertificateInput("signer"));
    }
    HWND Icon() const { return ::GetDlgItem(dialog_, IDC_SIGNATUREICON); }
    HICON ShownIcon() const {
        return reinterpret_cast<HICON>(::SendMessageA(Icon(), STM_GETICON, 0, 0));
    }
    std::string Balloon() const { return ToolText(SignatureTip.get(), dialog_, Icon()); }
    void PutCompanion(const char* certificate) {
        ASSERT_TRUE(::CopyFileA(CertificateInput(certificate).c_str(), OwnPath("cer").c_str(), FALSE));
    }
    HWND dialog_ = nullptr;
};

}  // namespace

TEST_F(PanelTest, UntrustedRootShowsTheProblemState) {
    ASSERT_EQ(Icon(), nullptr);
    TTitleRecorder recorder;
    const auto boxes = BoxesShownBy([&] { EXPECT_FALSE(BuildSignaturePanel(dialog_)); });
    EXPECT_TRUE(boxes.empty());
    ASSERT_NE(Icon(), nullptr);
    EXPECT_EQ(static_cast<DWORD>(::GetWindowLongA(Icon(), GWL_STYLE)), 0x50000303u);
    RECT r;
    ::GetWindowRect(Icon(), &r);
    ::MapWindowPoints(nullptr, dialog_, reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.left, 30);
    EXPECT_EQ(r.top, 385);
    EXPECT_EQ(r.right - r.left, 32);
    EXPECT_EQ(r.bottom - r.top, 32);
    // cryptui.dll has no icons under Wine: the fallback is what shows.
    EXPECT_EQ(ShownIcon(), ::LoadIconA(nullptr, IDI_EXCLAMATION));
    EXPECT_EQ(Balloon(), ProblemText);
    ASSERT_EQ(recorder.titles.size(), 1u);
    EXPECT_EQ(recorder.titles[0].icon, static_cast<WPARAM>(TTI_ERROR));
    EXPECT_EQ(recorder.titles[0].title, "Digitale Signatur");

    // A second build keeps the control and has one balloon, not two.
    const HWND first = Icon();
    const int tips = TooltipsOf(dialog_);
    EXPECT_FALSE(BuildSignaturePanel(dialog_));
    EXPECT_EQ(Icon(), first);
    EXPECT_EQ(TooltipsOf(dialog_), tips);
    EXPECT_EQ(Balloon(), ProblemText);
}

TEST_F(PanelTest, ClickWithoutCompanionFileReportsTheSystemError) {
    BuildSignaturePanel(dialog_);
    const HWND icon = Icon();
    const HWND tip = SignatureTip.get();
    const auto boxes = BoxesShownBy([&] { SignaturePanelClick(dialog_); });
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].owner, nullptr);
    EXPECT_EQ(boxes[0].text.rfind("Win32-Fehler. Code: 0X00000002", 0), 0u) << boxes[0].text;
    EXPECT_EQ(Icon(), icon);  // panel unchanged
    EXPECT_EQ(SignatureTip.get(), tip);
}

TEST_F(PanelTest, ClickWithAnotherSignersCertificateInstallsNothing) {
    BuildSignaturePanel(dialog_);
    const HWND tip = SignatureTip.get();
    PutCompanion("other");
    const auto boxes = BoxesShownBy([&] { SignaturePanelClick(dialog_); });
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].owner, dialog_);
    EXPECT_EQ(boxes[0].text, texts::CertificateForeign);
    EXPECT_EQ(SignatureTip.get(), tip);
}

TEST_F(PanelTest, InstalledButStillNotTrustedSaysSo) {
    BuildSignaturePanel(dialog_);
    PutCompanion("signer");
    const auto boxes = BoxesShownBy([&] { SignaturePanelClick(dialog_); });
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].owner, dialog_);
    EXPECT_EQ(boxes[0].text, texts::SignatureFailed);
    EXPECT_EQ(boxes[0].icon, static_cast<UINT>(MB_ICONERROR));
    EXPECT_EQ(ShownIcon(), ::LoadIconA(nullptr, IDI_EXCLAMATION));
    EXPECT_EQ(Balloon(), ProblemText);
    EXPECT_EQ(TooltipsOf(dialog_), 2);  // the counter and one signature balloon
}

TEST_F(PanelTest, TrustedInOrderWithTheOptionShowsSignerAndExpiry) {
    OptionCert = true;
    const TTitleRecorder recorder;
    EXPECT_TRUE(BuildSignaturePanel(dialog_));
    ASSERT_NE(Icon(), nullptr);
    EXPECT_EQ(ShownIcon(), ::LoadIconA(nullptr, IDI_ASTERISK));
    ASSERT_EQ(recorder.titles.size(), 1u);
    EXPECT_EQ(recorder.titles[0].icon, static_cast<WPARAM>(TTI_INFO));
    EXPECT_EQ(recorder.titles[0].title, "Digitale Signatur");
    // The signer's certificate ends 31.12.2040 23:30 UTC; this runs in a
    // time zone 14 hours east of UTC too, where that is 2041 already.
    EXPECT_EQ(Balloon(), "Bei der \xDC" "berpr\xFC" "fung des Zertifikats wurden keine Fehler "
                         "festgestellt.\r\nZertifikat: Velmora Software\r\nG\xFCltig bis: "
                         "31.12.2040");
}

TEST_F(PanelTest, TrustedInOrderWithoutTheOptionShowsNothing) {
    const auto boxes = BoxesShownBy([&] { EXPECT_TRUE(BuildSignaturePanel(dialog_)); });
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(Icon(), nullptr);
    EXPECT_FALSE(SignatureTip);
}

TEST_F(PanelTest, TrustedClickThatEndsInOrderRemovesTheIcon) {
    // The icon exists in order only with the option; once the option is
    // gone, the rebuild after an accepted installation removes the panel.
    OptionCert = true;
    ASSERT_TRUE(BuildSignaturePanel(dialog_));
    OptionCert = false;
    PutCompanion("signer");
    const auto boxes = BoxesShownBy([&] { SignaturePanelClick(dialog_); });
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(Icon(), nullptr);
    EXPECT_FALSE(SignatureTip);
}
