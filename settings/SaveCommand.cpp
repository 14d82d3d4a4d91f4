#include "settings/SaveCommand.h"

#include <shellapi.h>

#include "app/AppState.h"
#include "app/Instance.h"
#include "app/Messages.h"
#include "app/StringIds.h"
#include "base/FormatText.h"
#include "base/ModulePath.h"
#include "settings/LogonNotice.h"
#include "ui/MainDialogInit.h"

namespace velmora {

namespace {

constexpr int MessageCapacity = 1025;

// Nothing another program stored since the dialog loaded or last stored
// the values is written over unasked. True when the Save goes on: nothing
// changed, or the user chose the dialog's texts.
bool SettleChangesMeanwhile(HWND dialog) {
    char fields[256] = {};
    if (!ChangedMeanwhileFields(fields, sizeof fields)) return true;
    char format[MessageCapacity] = {};
    LoadText(IDS_CHANGED_MEANWHILE, format, sizeof format);
    char message[MessageCapacity] = {};
    FormatText(message, format, static_cast<const char*>(fields));
    switch (AppMessageBox(dialog, message, MB_YESNOCANCEL | MB_ICONWARNING)) {
    case IDYES: return true;
    case IDNO: ReloadLogonNotice(dialog); return false;
    default: return false;
    }
}

void StoreAndOfferToQuit(HWND dialog) {
    if (!SettleChangesMeanwhile(dialog) || !StoreLogonNotice(dialog)) return;
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
