// The Save button: store with rights, else restart elevated.
#pragma once

#include <windows.h>

namespace velmora {

void SaveCommand(HWND dialog);

// ShellExecuteA or a stand-in with its signature.
using TShellExecute = HINSTANCE(WINAPI*)(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT);

// Without rights on NT 5 and later: gives up the instance marker and starts
// the program's own file through "runas"; on failure reports it, marks this
// instance again and keeps the dialog open.
void RestartElevated(HWND dialog, TShellExecute shellExecute);

}  // namespace velmora
