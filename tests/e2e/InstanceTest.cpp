// One instance: a second start raises the first and leaves without a window.
#include <gtest/gtest.h>

#include "tests/driver/UiDriver.h"

using namespace uidriver;

namespace {

TStartOptions Velmora() { return {VELMORA_EXE, "", "win7", true}; }

}  // namespace

TEST(Instance, SecondStartRestoresTheFirstAndExits) {
    TProcess first(Velmora());
    const HWND dialog = first.WaitForDialog();
    ASSERT_NE(dialog, nullptr);

    for (bool minimised : {false, true}) {
        if (minimised) {
            Minimise(dialog);
            ASSERT_TRUE(WaitUntil([&] { return ::IsIconic(dialog) != FALSE; }));
        }
        TProcess second(Velmora());
        ASSERT_TRUE(EndsShowingNothing(second));
        EXPECT_EQ(second.ExitCode(), 0u);
        EXPECT_FALSE(::IsIconic(dialog));
        EXPECT_FALSE(first.WaitForExit(0));
    }
    Close(dialog);
    ASSERT_TRUE(first.WaitForExit());
    EXPECT_EQ(first.ExitCode(), 0u);
}

TEST(Instance, EveryWayOutEndsWithExitCodeZero) {
    struct TWay {
        const char* name;
        void (*leave)(HWND);
    };
    const TWay ways[] = {
        {"Escape", [](HWND d) { PressKey(d, VK_ESCAPE); }},
        {"Cancel", [](HWND d) { Click(Control(d, IDCANCEL)); }},
        {"close box", [](HWND d) { Close(d); }},
    };
    for (const TWay& way : ways) {
        TProcess velmora(Velmora());
        const HWND dialog = velmora.WaitForDialog();
        ASSERT_NE(dialog, nullptr) << way.name;
        way.leave(dialog);
        ASSERT_TRUE(velmora.WaitForExit()) << way.name;
        EXPECT_EQ(velmora.ExitCode(), 0u) << way.name;
    }
}
