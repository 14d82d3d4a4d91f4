// A refused elevation, which Wine never produces: the shell call is replaced.
#include <gtest/gtest.h>

#include "app/AppState.h"
#include "settings/SaveCommand.h"
#include "tests/unit/BoxWatcher.h"
#include "ui/ControlIds.h"
#include "ui/MainDialog.h"

using namespace velmora;

namespace {

int Calls = 0;
std::string Verb, Parameters;

HINSTANCE WINAPI RefusedElevation(HWND, LPCSTR verb, LPCSTR, LPCSTR parameters, LPCSTR, INT) {
    ++Calls;
    Verb = verb;
    Parameters = parameters;
    // The marker is given up while the copy would start.
    EXPECT_EQ(::OpenEventA(SYNCHRONIZE, FALSE, InstanceEventName), nullptr);
    ::SetLastError(ERROR_CANCELLED);
    return reinterpret_cast<HINSTANCE>(SE_ERR_ACCESSDENIED);
}

}  // namespace

TEST(SaveCommand, RefusedElevationKeepsTheDialogAndTheMarker) {
    OsVersion.dwOSVersionInfoSize = sizeof OsVersion;
    ::GetVersionExA(&OsVersion);
    IsAdmin = false;
    InstanceEvent.reset(::CreateEventA(nullptr, TRUE, FALSE, InstanceEventName));
    ASSERT_TRUE(InstanceEvent.valid());

    const HWND dialog = ::CreateDialogParamA(::GetModuleHandleA(nullptr), IDD_MAINDIALOG, nullptr,
                                             MainDialogProc, 0);
    ASSERT_NE(dialog, nullptr);
    ::SetDlgItemTextA(dialog, IDC_NOTICE_CAPTION, "ungespeichert");

    const auto boxes = BoxesShownBy([&] { RestartElevated(dialog, RefusedElevation); });
    EXPECT_EQ(Calls, 1);
    EXPECT_EQ(Verb, "runas");
    EXPECT_EQ(Parameters, "");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes.front().owner, nullptr);
    EXPECT_EQ(boxes.front().text.rfind("Win32-Fehler. Code: 0X000004C7\n\r", 0), 0u)
        << boxes.front().text;

    // The marker exists again, held by this instance, and the texts are kept.
    const HANDLE marker = ::OpenEventA(SYNCHRONIZE, FALSE, InstanceEventName);
    EXPECT_NE(marker, nullptr);
    if (marker) ::CloseHandle(marker);
    EXPECT_TRUE(InstanceEvent.valid());
    EXPECT_TRUE(::IsWindowVisible(dialog));
    char text[32] = {};
    ::GetDlgItemTextA(dialog, IDC_NOTICE_CAPTION, text, sizeof text);
    EXPECT_STREQ(text, "ungespeichert");
    ::DestroyWindow(dialog);
    InstanceEvent.reset();
}
