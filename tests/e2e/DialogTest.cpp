// What the user sees after the dialog has started, by system and rights.
#include <gtest/gtest.h>

#include <string>

#include <windows.h>

#include "tests/driver/Registry.h"
#include "tests/driver/UiDriver.h"

using namespace uidriver;

namespace {

struct TSituation {
    const char* name;
    const char* version;
    bool administrator;
    const char* saveText;
    bool noticeBoxEnabled;
    bool noticeReadOnly;
    bool promptBoxEnabled;
    bool promptEnabled;
    bool promptReadOnly;
    bool promptFrameEnabled;
};

const TSituation Situations[] = {
    {"administrator, NT 5", "winxp", true, "&Speichern", true, false, true, false, false, true},
    {"administrator, NT 6", "win7", true, "&Speichern", true, false, false, false, false, false},
    {"administrator, NT 10", "win10", true, "&Speichern", true, false, false, false, false, false},
    {"9x", "win98", true, "&Speichern", true, false, false, false, false, false},
    {"9x without rights", "win98", false, "&Speichern", true, false, false, false, false, false},
    {"no rights, NT 5", "win2k", false, "\xC4ndern", false, true, false, false, true, true},
    {"no rights, NT 6", "vista", false, "\xC4ndern", false, true, false, false, false, false},
};

// An empty registry: the keys exist, the three values do not. (A missing
// key is reported before the dialog shows; that has a test of its own.)
void ClearLogonValues() {
    for (const char* name : {"LegalNoticeCaption", "LegalNoticeText", "LogonPrompt"}) {
        DeleteValue(WinlogonNt, name);
        DeleteValue(Winlogon9x, name, OwnView);
    }
    WriteValue(Winlogon9x, "Velmora.test", REG_SZ, std::string("", 1), OwnView);
    DeleteValue(Winlogon9x, "Velmora.test", OwnView);
}

}  // namespace

// Nothing is stored yet, so both blocks start unchecked with their edits
// disabled: the states below are those of an empty registry.
TEST(Dialog, StateAfterInitialisation) {
    ClearLogonValues();
    for (const TSituation& s : Situations) {
        SCOPED_TRACE(s.name);
        TProcess velmora({VELMORA_EXE, "", s.version, s.administrator});
        const HWND d = velmora.WaitForDialog();
        ASSERT_NE(d, nullptr);

        EXPECT_EQ(Text(Control(d, IDOK)), s.saveText);
        EXPECT_TRUE(IsEnabled(Control(d, IDOK)));
        EXPECT_EQ(IsEnabled(Control(d, 1010)), s.noticeBoxEnabled);
        EXPECT_EQ(CheckState(Control(d, 1010)), BST_UNCHECKED);
        for (int edit : {1013, 1014}) {
            EXPECT_FALSE(IsEnabled(Control(d, edit))) << edit;
            EXPECT_EQ(IsReadOnly(Control(d, edit)), s.noticeReadOnly) << edit;
        }
        EXPECT_EQ(IsEnabled(Control(d, 1020)), s.promptBoxEnabled);
        EXPECT_EQ(CheckState(Control(d, 1020)), BST_UNCHECKED);
        EXPECT_EQ(IsEnabled(Control(d, 1022)), s.promptEnabled);
        EXPECT_EQ(IsReadOnly(Control(d, 1022)), s.promptReadOnly);
        EXPECT_EQ(IsEnabled(Control(d, 1021)), s.promptFrameEnabled);

        EXPECT_EQ(TextLimit(Control(d, 1013)), 255);
        EXPECT_EQ(TextLimit(Control(d, 1014)), 2550);
        EXPECT_EQ(TextLimit(Control(d, 1022)), 255);
        EXPECT_EQ(Text(Control(d, 1005)), "Version 2.0.0.0");
        Close(d);
        ASSERT_TRUE(velmora.WaitForExit());
        EXPECT_EQ(velmora.ExitCode(), 0u);
    }
}

// The template itself is checked from the resource; here only what the
// running dialog shows of it.
TEST(Dialog, RunningDialogShowsTheTemplate) {
    TProcess velmora({VELMORA_EXE, "", "win7", true});
    const HWND d = velmora.WaitForDialog();
    ASSERT_NE(d, nullptr);
    const std::pair<int, const char*> texts[] = {
        {1010, "&Aktiviert"}, {1012, "&Titel der Nachricht:"}, {1020, "Akti&viert"},
        {IDCANCEL, "Ab&brechen"}, {9, "&Hilfe"}, {1021, "Text im Anmeldedialog"}};
    for (const auto& [id, text] : texts) EXPECT_EQ(Text(Control(d, id)), text) << id;
    EXPECT_EQ(Text(d), "Velmora");
    EXPECT_TRUE(Style(Control(d, 1004)) & SS_NOTIFY);
    // The labels on one line, in the dialog's font (Tahoma, as on Windows):
    // a wrapped second line would be cut off by their height.
    const HDC screen = ::GetDC(nullptr);
    const HFONT font = ::CreateFontA(-::MulDiv(8, ::GetDeviceCaps(screen, LOGPIXELSY), 72), 0, 0,
                                     0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0,
                                     "MS Shell Dlg");
    const HGDIOBJ previous = ::SelectObject(screen, font);
    const std::pair<HWND, const char*> labels[] = {
        {Control(d, 1012), "Titel der Nachricht:"},
        {::FindWindowExA(d, nullptr, "Static", "Text der &Nachricht:"), "Text der Nachricht:"}};
    for (const auto& [window, text] : labels) {
        SIZE extent = {};
        ::GetTextExtentPoint32A(screen, text, lstrlenA(text), &extent);
        RECT label = {};
        ::GetClientRect(window, &label);
        EXPECT_LE(extent.cx, label.right) << text;
    }
    ::DeleteObject(::SelectObject(screen, previous));
    ::ReleaseDC(nullptr, screen);
    Close(d);
    ASSERT_TRUE(velmora.WaitForExit());
}

TEST(Dialog, CheckBoxesEnableTheirEditsAndKeepTheTexts) {
    TProcess velmora({VELMORA_EXE, "", "winxp", true});
    const HWND d = velmora.WaitForDialog();
    ASSERT_NE(d, nullptr);

    // The text's edit changes last.
    Click(Control(d, 1010));
    EXPECT_TRUE(WaitUntil([&] { return IsEnabled(Control(d, 1014)); }));
    EXPECT_EQ(CheckState(Control(d, 1010)), BST_CHECKED);
    EXPECT_TRUE(IsEnabled(Control(d, 1013)));
    SetText(Control(d, 1013), "Hinweis");
    SetText(Control(d, 1014), "Zeile 1\r\nZeile 2");

    Click(Control(d, 1010));
    EXPECT_TRUE(WaitUntil([&] { return !IsEnabled(Control(d, 1014)); }));
    EXPECT_FALSE(IsEnabled(Control(d, 1013)));
    EXPECT_EQ(Text(Control(d, 1013)), "Hinweis");

    Click(Control(d, 1010));
    EXPECT_TRUE(WaitUntil([&] { return IsEnabled(Control(d, 1014)); }));
    EXPECT_TRUE(IsEnabled(Control(d, 1013)));
    EXPECT_EQ(Text(Control(d, 1014)), "Zeile 1\r\nZeile 2");

    Click(Control(d, 1020));
    EXPECT_TRUE(WaitUntil([&] { return IsEnabled(Control(d, 1022)); }));

    PressKey(d, VK_ESCAPE);
    ASSERT_TRUE(velmora.WaitForExit());
    EXPECT_EQ(velmora.ExitCode(), 0u);
}

static bool TipShows(const TProcess& velmora, bool balloon) {
    return CountTooltips(velmora, balloon, true) > 0;
}

TEST(Dialog, CounterTipAlwaysAndElevationBalloonWithoutRights) {
    // Stored texts turn the notice block on: its edits take the mouse.
    WriteText(WinlogonNt, "LegalNoticeCaption", "Hinweis");
    WriteText(WinlogonNt, "LegalNoticeText", "Nur f\xFCr Befugte.");
    for (bool administrator : {true, false}) {
        SCOPED_TRACE(administrator ? "administrator" : "no rights");
        TProcess velmora({VELMORA_EXE, "nocert", "win7", administrator});
        const HWND d = velmora.WaitForDialog();
        ASSERT_NE(d, nullptr);
        EXPECT_EQ(velmora.Windows("tooltips_class32", false).size(), administrator ? 1u : 2u);
        if (!administrator) {
            // They show where the user points: the balloon over Save, the
            // counter over an edit.
            Hover(Control(d, IDOK));
            EXPECT_TRUE(WaitUntil([&] { return TipShows(velmora, true); }));
            Hover(Control(d, 1014));
            EXPECT_TRUE(WaitUntil([&] { return TipShows(velmora, false); }));
        }
        Close(d);
        ASSERT_TRUE(velmora.WaitForExit());
    }
    ClearLogonValues();
}
