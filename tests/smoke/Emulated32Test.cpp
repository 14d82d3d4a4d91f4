// The real 32-bit Velmora.exe on a host that runs 32-bit code only under
// emulation, driven from the 64-bit twin's bench. Every start costs a minute
// or more there, so one start shows what matters most: the dialog with the
// stored values, Save into the 64-bit view only, exit code 0.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "tests/driver/Registry.h"
#include "tests/driver/UiDriver.h"

using namespace uidriver;

namespace {

constexpr DWORD EmulatedWait = 600000;
constexpr const char* Caption = "LegalNoticeCaption";
constexpr const char* Notice = "LegalNoticeText";

std::string Z(const std::string& text) { return std::string(text.c_str(), text.size() + 1); }

}  // namespace

TEST(Emulated32, ShowsSavesIntoTheSixtyFourBitViewAndExits) {
    const char* exe = std::getenv("VELMORA_SMOKE_EXE");
    ASSERT_NE(exe, nullptr) << "VELMORA_SMOKE_EXE names the 32-bit program";
    for (const char* name : {Caption, Notice, "LogonPrompt"}) {
        DeleteValue(WinlogonNt, name);
        DeleteValue(WinlogonNt, name, KEY_WOW64_32KEY);
    }
    WriteText(WinlogonNt, Caption, "Hinweis");
    WriteText(WinlogonNt, Notice, "Nur f\xFCr Befugte.");

    TProcess velmora({exe, "", "win7", true});
    const HWND d = velmora.WaitForDialog(EmulatedWait);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(CheckState(Control(d, 1010)), BST_CHECKED);
    EXPECT_EQ(Text(Control(d, 1013)), "Hinweis");
    EXPECT_EQ(Text(Control(d, 1014)), "Nur f\xFCr Befugte.");

    const std::string text = "Nur f\xFCr Befugte.\r\nZweite Zeile";
    SetText(Control(d, 1014), text);
    Click(Control(d, IDOK));
    const auto box = WaitForMessageBox(velmora.id(), EmulatedWait);
    ASSERT_TRUE(box.has_value());
    EXPECT_EQ(box->buttons, (std::vector<int>{IDYES, IDNO}));
    Answer(*box, IDYES);
    ASSERT_TRUE(velmora.WaitForExit(EmulatedWait));
    EXPECT_EQ(velmora.ExitCode(), 0u);

    const auto stored = ReadValue(WinlogonNt, Notice);
    ASSERT_TRUE(stored.has_value());
    EXPECT_EQ(stored->type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(stored->data, Z(text));
    EXPECT_FALSE(ReadValue(WinlogonNt, Caption, KEY_WOW64_32KEY).has_value());
    EXPECT_FALSE(ReadValue(WinlogonNt, Notice, KEY_WOW64_32KEY).has_value());
}
