#include "settings/SaveCommand.h"

#include <shellapi.h>

#include "app/AppState.h"
#include "app/Instance.h"
#include "app/Messages.h"
#include "app/StringIds.h"
#include "base/ModulePath.h"
#include "settings/LogonNotice.h"

namespace velmora {

namespace {

constexpr int MessageCapacity = 1025;

void StoreAndOfferToQuit(HWND dialog) {
    if (!StoreLogonNotice(dialog)) return;
    char message[MessageCapacity] = {};
    LoadText(IDS_SAVED_QUIT, message, sizeof message);
    if (AppMessageBox(dialog, message, MB_YESNO | MB_ICONQUESTION) == IDYES) ::EndDialog(dialog, 0);
}

void ExplainMissingRights(HWND dialog) {
    char message[MessageCapacity] = {};
    LoadText(IDS_NEED_ADMIN, message, sizeof message);
    AppMessageBox(dialog, message, MB_OK | MB_ICONERROR);
}

}  // namespace

void RestartElevated(HWND dialog, TShellExecute shellExecute) {
    char path[ModulePathCapacity] = {};
    if (ProgramFilePath(path) == 0) {
        ReportWin32Error(::GetLastError());
        return;
    }
    // Without the marker the elevated copy becomes the one instance.
    InstanceEvent.reset();
    const auto result = reinterpret_cast<INT_PTR>(
        shellExecute(dialog, "runas", path, "", nullptr, SW_SHOWNORMAL));
    if (result > 32) {
        ::EndDialog(dialog, 0);
        return;
    }
    ReportWin32Error(::GetLastError());
    // The dialog stays open with the user's unsaved texts, and marks this
    // instance again.
    CreateInstanceMarker();
}

void SaveCommand(HWND dialog) {
    if (IsAdmin)
        StoreAndOfferToQuit(dialog);
    else if (OsVersion.dwMajorVersion <= 4)
        ExplainMissingRights(dialog);
    else
        RestartElevated(dialog, ::ShellExecuteA);
}

}  // namespace velmora
