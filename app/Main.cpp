// Program entry: one instance, rights and options decided, then the dialog.
#include <windows.h>

#include "app/Admin.h"
#include "app/AppState.h"
#include "app/CommandLine.h"
#include "app/Instance.h"
#include "app/Messages.h"
#include "base/SystemLibrary.h"
#include "ui/ControlIds.h"
#include "ui/HtmlHelp.h"
#include "ui/MainDialog.h"

using namespace velmora;

namespace {

void Run() {
    OsVersion.dwOSVersionInfoSize = sizeof OsVersion;
    if (!::GetVersionExA(&OsVersion)) {
        ReportWin32Error(::GetLastError());
        return;
    }
    if (!CreateInstanceMarker()) {
        ReportWin32Error(::GetLastError());
        return;
    }
    if (::GetLastError() == ERROR_ALREADY_EXISTS) {
        ActivateRunningInstance();
    } else {
        IsAdmin = OsVersion.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS || IsAdministrator();
        ParseCommandLine();
        ::DialogBoxParamA(::GetModuleHandleA(nullptr), IDD_MAINDIALOG, nullptr, MainDialogProc, 0);
    }
    InstanceEvent.reset();
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    // Before any library is loaded: the program may run elevated from a
    // folder that others can write to.
    LimitLibrarySearchToSystemFolder();
    // The help library is bound before anything else and released last.
    const THtmlHelpBinding htmlHelp;
    Run();
    return 0;
}
