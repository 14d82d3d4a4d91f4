#include "ui/HtmlHelp.h"

#include "base/Handles.h"
#include "base/SystemLibrary.h"

namespace velmora {

namespace {

using HtmlHelpProc = HWND(WINAPI*)(HWND, LPCSTR, UINT, DWORD_PTR);

TLibrary HelpLibrary;
HtmlHelpProc HtmlHelpEntry = nullptr;

}  // namespace

THtmlHelpBinding::THtmlHelpBinding() {
    HtmlHelpEntry = nullptr;
    HelpLibrary = LoadSystemLibrary("HHCtrl.OCX");
    if (HelpLibrary)
        HtmlHelpEntry = ResolveExport<HtmlHelpProc>(HelpLibrary.get(), "HtmlHelpA");
}

THtmlHelpBinding::~THtmlHelpBinding() {
    HtmlHelpEntry = nullptr;
    HelpLibrary.reset();
}

bool HtmlHelpAvailable() { return HtmlHelpEntry != nullptr; }

HWND CallHtmlHelp(HWND caller, const char* file, UINT command, DWORD_PTR data) {
    return HtmlHelpEntry ? HtmlHelpEntry(caller, file, command, data) : nullptr;
}

}  // namespace velmora
