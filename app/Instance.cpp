#include "app/Instance.h"

#include "app/AppState.h"
#include "app/Messages.h"
#include "app/StringIds.h"

namespace velmora {

bool CreateInstanceMarker() {
    InstanceEvent.reset(::CreateEventA(nullptr, TRUE, FALSE, InstanceEventName));
    return InstanceEvent.valid();
}

void ActivateRunningInstance() {
    char title[30] = {};
    LoadText(IDS_APPNAME, title, sizeof title);
    const HWND window = ::FindWindowExA(nullptr, nullptr, nullptr, title);
    if (window == nullptr) {
        ReportWin32Error(::GetLastError());
        return;
    }
    // Synchronous, so that a minimised dialog is restored before it is raised.
    ::SendMessageA(window, WM_SYSCOMMAND, SC_RESTORE, 0);
    ::SetForegroundWindow(window);
}

}  // namespace velmora
