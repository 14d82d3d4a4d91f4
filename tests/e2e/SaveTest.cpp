// Save without administrative rights: a message on NT 4, the elevated
// restart from NT 5 on.
#include <gtest/gtest.h>

#include "tests/driver/Registry.h"
#include "tests/driver/UiDriver.h"

using namespace uidriver;

TEST(Save, WithoutRightsOnNt4OnlyExplains) {
    WriteText(WinlogonNt, "LegalNoticeCaption", "vorher");
    TProcess velmora({VELMORA_EXE, "", "nt40", false});
    const HWND d = velmora.WaitForDialog();
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(Text(Control(d, IDOK)), "\xC4ndern");
    Click(Control(d, IDOK));
    const auto box = WaitForMessageBox(velmora.id());
    ASSERT_TRUE(box.has_value());
    EXPECT_EQ(box->owner, d);
    EXPECT_EQ(box->caption, "Velmora");
    EXPECT_EQ(box->text, "F\xFCr die Speicherung der Daten ben\xF6tigen Sie Administratorrechte.");
    EXPECT_EQ(box->icon, static_cast<UINT>(MB_ICONERROR));
    Answer(*box, IDOK);
    EXPECT_TRUE(WaitUntil([&] { return MessageBoxes(velmora.id()).empty(); }));
    // Nothing written or deleted, the dialog still open.
    const auto value = ReadValue(WinlogonNt, "LegalNoticeCaption");
    ASSERT_TRUE(value.has_value());
    EXPECT_EQ(value->data, std::string("vorher", 7));
    EXPECT_FALSE(velmora.WaitForExit(300));
    Close(d);
    ASSERT_TRUE(velmora.WaitForExit());
    EXPECT_EQ(velmora.ExitCode(), 0u);
    DeleteValue(WinlogonNt, "LegalNoticeCaption");
}

TEST(Save, WithoutRightsFromNt5OnRestartsElevated) {
    for (const char* version : {"winxp", "win7"}) {
        SCOPED_TRACE(version);
        TProcess first({VELMORA_EXE, "nocert", version, false});
        const HWND d = first.WaitForDialog();
        ASSERT_NE(d, nullptr);
        Click(Control(d, IDOK));
        ASSERT_TRUE(first.WaitForExit());
        EXPECT_EQ(first.ExitCode(), 0u);

        DWORD copyId = 0;
        HWND copy = nullptr;
        ASSERT_TRUE(WaitUntil([&] { return (copy = FindOtherMainDialog(first.id(), copyId)); },
                              20000));
        const TProcess copyProcess(copyId);  // ended with the case if it still runs
        ASSERT_TRUE(copyProcess.started());

        // The copy is the one instance now: another start only raises it.
        TProcess third({VELMORA_EXE, "", version, true});
        ASSERT_TRUE(EndsShowingNothing(third));
        EXPECT_EQ(third.ExitCode(), 0u);

        Close(copy);
        ASSERT_TRUE(copyProcess.WaitForExit());
        EXPECT_EQ(copyProcess.ExitCode(), 0u);
    }
}
