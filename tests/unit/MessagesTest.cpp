#include <gtest/gtest.h>

#include <string>

#include "app/Messages.h"
#include "tests/unit/BoxWatcher.h"

using namespace velmora;

namespace {

std::string SystemText(DWORD code) {
    char text[256] = {};
    ::FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
                     text, sizeof text, nullptr);
    return text;
}

}  // namespace

TEST(AppendBounded, ExactFitAndOneByteOver) {
    char buffer[10] = "abcd";
    AppendBounded(buffer, 10, "efghi");  // 4 + 5 + 1 = 10
    EXPECT_STREQ(buffer, "abcdefghi");

    char over[10] = "abcd";
    AppendBounded(over, 10, "efghij");  // one byte more: the last is dropped
    EXPECT_STREQ(over, "abcdefghi");

    char full[10] = "abcdefghi";
    AppendBounded(full, 10, "x");
    EXPECT_STREQ(full, "abcdefghi");

    char tight[10] = "abcdefghi";
    AppendBounded(tight, 5, "x");  // destination already beyond the capacity
    EXPECT_STREQ(tight, "abcdefghi");
}

TEST(LoadText, MissingStringGivesAnEmptyText) {
    char buffer[16] = "garbage";
    EXPECT_EQ(LoadText(4711, buffer, sizeof buffer), 0);
    EXPECT_STREQ(buffer, "");
}

TEST(LoadText, LongerStringIsCut) {
    char buffer[8] = {};
    EXPECT_EQ(LoadText(100, buffer, 4), 3);
    EXPECT_STREQ(buffer, "Vel");
}

TEST(ReportWin32Error, CodeZeroShowsNothing) {
    EXPECT_TRUE(BoxesShownBy([] { ReportWin32Error(0); }).empty());
}

TEST(ReportWin32Error, AccessDenied) {
    const auto boxes = BoxesShownBy([] { ReportWin32Error(5); });
    ASSERT_EQ(boxes.size(), 1u);
    const auto& box = boxes.front();
    EXPECT_EQ(box.owner, nullptr);
    EXPECT_EQ(box.caption, "Velmora");
    EXPECT_EQ(box.text, "Win32-Fehler. Code: 0X00000005\n\r" + SystemText(5));
    EXPECT_EQ(box.icon, static_cast<UINT>(MB_ICONERROR));
    EXPECT_EQ(box.buttons, std::vector<int>{IDOK});
}

// Wine's system texts are all short; a stand-in gives a long one.
DWORD WINAPI LongSystemText(DWORD, LPCVOID, DWORD, DWORD, LPSTR buffer, DWORD size, va_list*) {
    const std::string text(size - 1, 'x');
    ::lstrcpynA(buffer, text.c_str(), size);
    return size - 1;
}

DWORD WINAPI NoSystemText(DWORD, LPCVOID, DWORD, DWORD, LPSTR, DWORD, va_list*) { return 0; }

TEST(ReportWin32Error, LongSystemTextIsCutTo254Characters) {
    char message[Win32ErrorTextCapacity] = {};
    ComposeWin32ErrorText(5, message, LongSystemText);
    const std::string text = message;
    EXPECT_EQ(text.size(), 254u);
    EXPECT_EQ(text.rfind("Win32-Fehler. Code: 0X00000005\n\rxxx", 0), 0u);

    char only[Win32ErrorTextCapacity] = {};
    ComposeWin32ErrorText(5, only, NoSystemText);
    EXPECT_STREQ(only, "Win32-Fehler. Code: 0X00000005");
}

TEST(ReportWin32Error, CodeWithoutSystemTextShowsTheCodeLine) {
    const auto boxes = BoxesShownBy([] { ReportWin32Error(0x2000BEEF); });
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes.front().text, "Win32-Fehler. Code: 0X2000BEEF");
}

TEST(ReportWin32Error, SystemTextWithInsertsDoesNotCrash) {
    // ERROR_WRONG_DISK has %1 %2 %3 inserts and no arguments are passed.
    const auto boxes = BoxesShownBy([] { ReportWin32Error(ERROR_WRONG_DISK); });
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes.front().text.rfind("Win32-Fehler. Code: 0X00000022", 0), 0u);
}

TEST(AppMessageBox, ShowsUnderTheProgramCaption) {
    int answer = 0;
    const auto boxes =
        BoxesShownBy([&] { answer = AppMessageBox(nullptr, "Frage?", MB_YESNO | MB_ICONQUESTION); });
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes.front().caption, "Velmora");
    EXPECT_EQ(boxes.front().text, "Frage?");
    EXPECT_EQ(boxes.front().icon, static_cast<UINT>(MB_ICONQUESTION));
    EXPECT_EQ(boxes.front().buttons, (std::vector<int>{IDYES, IDNO}));
    EXPECT_EQ(answer, IDYES);
}
