// The counter and balloon tooltips on a dialog of the test's own, where
// their texts can be read back.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "app/AppState.h"
#include "app/StringIds.h"
#include "tests/driver/Registry.h"
#include "tests/unit/TitleRecorder.h"
#include "tests/unit/ToolText.h"
#include "ui/ControlIds.h"
#include "ui/DialogState.h"
#include "ui/MainDialog.h"
#include "ui/Tooltips.h"

using namespace velmora;

namespace {

void Type(HWND edit, const char* keys) {
    for (const char* k = keys; *k; ++k) ::SendMessageA(edit, WM_CHAR, static_cast<BYTE>(*k), 1);
}

// Wine answers TTM_GETTITLE with nothing: titles and their icons are read
// from the TTM_SETTITLEA messages on their way to the tooltip.

class TooltipsTest : public ::testing::Test {
protected:
    void Open(bool administrator) {
        OsVersion.dwOSVersionInfoSize = sizeof OsVersion;
        ::GetVersionExA(&OsVersion);
        OsVersion.dwMajorVersion = 6;  // no logon prompt, so only notice values load
        IsAdmin = administrator;
        dialog_ = ::CreateDialogParamA(::GetModuleHandleA(nullptr), IDD_MAINDIALOG, nullptr,
                                       MainDialogProc, 0);
        ASSERT_NE(dialog_, nullptr);
    }
    void TearDown() override {
        if (dialog_) ::DestroyWindow(dialog_);
    }
    HWND Edit(int id) const { return ::GetDlgItem(dialog_, id); }
    std::string Counter(int id) const { return ToolText(CounterTip.get(), dialog_, Edit(id)); }
    HWND dialog_ = nullptr;
};

}  // namespace

TEST_F(TooltipsTest, CountersFollowTheText) {
    Open(true);
    ASSERT_TRUE(CounterTip);
    ::SetDlgItemTextA(dialog_, IDC_NOTICE_CAPTION, "");
    ::SetDlgItemTextA(dialog_, IDC_NOTICE_TEXT, "");
    EXPECT_EQ(Counter(IDC_NOTICE_CAPTION), "0 von maximal 255 Zeichen");
    EXPECT_EQ(Counter(IDC_NOTICE_TEXT), "0 von maximal 2550 Zeichen");
    EXPECT_EQ(Counter(IDC_PROMPT), "0 von maximal 255 Zeichen");

    Type(Edit(IDC_NOTICE_TEXT), "ab\rcd\r");  // Enter inserts CR LF here
    EXPECT_EQ(Counter(IDC_NOTICE_TEXT), "8 von maximal 2550 Zeichen");
    ::SetDlgItemTextA(dialog_, IDC_NOTICE_CAPTION, std::string(300, 'x').c_str());
    EXPECT_EQ(Counter(IDC_NOTICE_CAPTION), "300 von maximal 255 Zeichen");
}

TEST_F(TooltipsTest, ElevationBalloonOnlyWithoutRights) {
    Open(true);
    EXPECT_FALSE(ElevationTip);
    ::DestroyWindow(dialog_);
    dialog_ = nullptr;
    EXPECT_FALSE(CounterTip);  // released with the dialog

    const TTitleRecorder recorder;
    Open(false);
    ASSERT_TRUE(ElevationTip);
    EXPECT_EQ(ToolText(ElevationTip.get(), dialog_, ::GetDlgItem(dialog_, IDC_SAVE)),
              "Klicken Sie auf die Schaltfl\xE4" "che, um das Programm mit\r\nadministrativen "
              "Rechten neu zu starten.");
    // The signature panel has a balloon of its own on NT 6.
    ASSERT_FALSE(recorder.titles.empty());
    EXPECT_EQ(recorder.titles[0].tip, ElevationTip.get());
    EXPECT_EQ(recorder.titles[0].icon, static_cast<WPARAM>(TTI_INFO));
    EXPECT_EQ(recorder.titles[0].title, "\xC4nderungen erfordern administrative Rechte");
}

TEST_F(TooltipsTest, BalloonTextsAndTitlesAreCut) {
    Open(true);
    const TTitleRecorder recorder;
    const std::string longText(400, 't');
    const HWND literal =
        AddBalloonTip(dialog_, IDC_HELPBUTTON, TTI_ERROR, longText.c_str(), IDS_ELEVATION_TEXT,
                      IDS_SIGNATURE_FAILED);  // a title longer than 49 characters
    ASSERT_NE(literal, nullptr);
    const std::string text = ToolText(literal, dialog_, ::GetDlgItem(dialog_, IDC_HELPBUTTON));
    EXPECT_EQ(text, std::string(253, 't'));  // the literal text wins, cut
    EXPECT_EQ(ToolText(literal, dialog_, ::GetDlgItem(dialog_, IDC_HELPBUTTON)).size(), 253u);
    ASSERT_EQ(recorder.titles.size(), 1u);
    EXPECT_EQ(recorder.titles[0].icon, static_cast<WPARAM>(TTI_ERROR));
    EXPECT_EQ(recorder.titles[0].title,  // cut to 49 characters
              "Die \xDC" "berpr\xFC" "fung der digitalen Signatur schlug feh");
    ::DestroyWindow(literal);

    const HWND missing = AddBalloonTip(dialog_, IDC_HELPBUTTON, TTI_INFO, nullptr, 4711, 4712);
    ASSERT_NE(missing, nullptr);
    EXPECT_EQ(ToolText(missing, dialog_, ::GetDlgItem(dialog_, IDC_HELPBUTTON)), "");
    ASSERT_EQ(recorder.titles.size(), 2u);
    EXPECT_EQ(recorder.titles[1].title, "");
    ::DestroyWindow(missing);
}

// A policy's caption or text is shown at logon in place of Winlogon's: a
// warning over the whole notice block says so, with or without rights.
TEST_F(TooltipsTest, PolicyBalloonOverTheNoticeBlock) {
    const char* const policy = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System";
    for (const char* caption : {"", "Richtlinie"}) {
        SCOPED_TRACE(caption);
        uidriver::WriteText(policy, "LegalNoticeCaption", caption);
        const TTitleRecorder recorder;
        Open(false);
        if (*caption == '\0') {
            EXPECT_FALSE(PolicyTip);  // an empty policy text leaves Winlogon's in force
        } else {
            ASSERT_TRUE(PolicyTip);
            EXPECT_EQ(ToolText(PolicyTip.get(), dialog_,
                               reinterpret_cast<HWND>(static_cast<UINT_PTR>(IDC_NOTICE_FRAME))),
                      "Eine Sicherheitsrichtlinie legt Titel oder Text dieser Nachricht fest.\r\n"
                      "Bei der Anmeldung werden die Texte der Richtlinie angezeigt,\r\n"
                      "nicht die hier gespeicherten. Mehr dazu in der Hilfe.");
            const auto title = std::find_if(recorder.titles.begin(), recorder.titles.end(),
                                            [](const TSetTitle& t) { return t.tip == PolicyTip.get(); });
            ASSERT_NE(title, recorder.titles.end());
            EXPECT_EQ(title->icon, static_cast<WPARAM>(TTI_WARNING));
            EXPECT_EQ(title->title, "Sicherheitsrichtlinie hat Vorrang");
        }
        ::DestroyWindow(dialog_);
        dialog_ = nullptr;
        EXPECT_FALSE(PolicyTip);  // released with the dialog
    }
    uidriver::DeleteValue(policy, "LegalNoticeCaption");
}
