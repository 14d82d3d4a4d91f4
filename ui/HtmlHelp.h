// HTML Help, bound once per process from the system's HHCtrl.OCX.
#pragma once

#include <windows.h>

namespace velmora {

// Binds the library for its lifetime; one exists for the whole process.
class THtmlHelpBinding {
public:
    THtmlHelpBinding();
    ~THtmlHelpBinding();
    THtmlHelpBinding(const THtmlHelpBinding&) = delete;
    THtmlHelpBinding& operator=(const THtmlHelpBinding&) = delete;
};

bool HtmlHelpAvailable();

// HtmlHelpA of the bound library; null without it.
HWND CallHtmlHelp(HWND caller, const char* file, UINT command, DWORD_PTR data);

}  // namespace velmora
