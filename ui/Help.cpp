#include "ui/Help.h"

#include "app/Messages.h"
#include "app/StringIds.h"
#include "base/FormatText.h"
#include "base/Handles.h"
#include "base/ModulePath.h"
#include "ui/HtmlHelp.h"

namespace velmora {

namespace {

constexpr UINT HelpContextCommand = 0x000F;  // HH_HELP_CONTEXT
constexpr DWORD DialogTopic = 1000;

void ReportHelpFileFailure(HWND dialog, const char* help) {
    char format[255] = {};
    const int loaded = LoadText(IDS_HELP_FILE_FAILED, format, 254);
    const THeapBuffer message(static_cast<SIZE_T>(loaded) + ::lstrlenA(help) + 1);
    if (!message) return;
    FormatText(message.chars(), format, help);
    AppMessageBox(dialog, message.chars(), MB_ICONERROR);
}

}  // namespace

void ShowHelp(HWND dialog) {
    if (!HtmlHelpAvailable()) {
        // Say so rather than let F1 do nothing without a word.
        char message[255] = {};
        LoadText(IDS_NO_HTMLHELP, message, sizeof message);
        AppMessageBox(dialog, message, MB_OK | MB_ICONERROR);
        return;
    }
    THeapBuffer help;
    if (!CompanionFilePath("chm", help)) return;
    if (CallHtmlHelp(dialog, help.chars(), HelpContextCommand, DialogTopic) == nullptr)
        ReportHelpFileFailure(dialog, help.chars());
}

}  // namespace velmora
