// Without a bound HTML Help library (this test program never binds it),
// a help request says so instead of doing nothing.
#include <gtest/gtest.h>

#include "tests/unit/BoxWatcher.h"
#include "ui/Help.h"
#include "ui/HtmlHelp.h"

using namespace velmora;

TEST(HelpUnbound, SaysThatHtmlHelpIsMissing) {
    ASSERT_FALSE(HtmlHelpAvailable());
    EXPECT_EQ(CallHtmlHelp(nullptr, "x.chm", 15, 1000), nullptr);
    const auto boxes = BoxesShownBy([] { ShowHelp(nullptr); });
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes.front().text, "Die HTML-Hilfe ist auf dem System nicht installiert.");
    EXPECT_EQ(boxes.front().caption, "Velmora");
    EXPECT_EQ(boxes.front().icon, static_cast<UINT>(MB_ICONERROR));
}
