#include "ui/Help.h"

#include "app/Messages.h"
#include "app/StringIds.h"
#include "base/FileContents.h"
#include "base/FormatText.h"
#include "base/Handles.h"
#include "base/ModulePath.h"
#include "ui/HelpFileCheck.h"
#include "ui/HtmlHelp.h"

namespace velmora {

namespace {

constexpr UINT HelpContextCommand = 0x000F;  // HH_HELP_CONTEXT
constexpr DWORD DialogTopic = 1000;

void ReportHelpFile(HWND dialog, UINT id, const char* help) {
    char format[255] = {};
    const int loaded = LoadText(id, format, 254);
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
    // Held open from before the read until HTML Help has opened it by its
    // name: others may read it meanwhile but neither change, replace nor
    // remove it, so the file opened is the one checked.
    const TFileHandle file(::CreateFileA(help.chars(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                         OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    const THeapBuffer contents = file ? ReadWholeFile(file.get()) : THeapBuffer();
    if (!contents) {
        ReportHelpFile(dialog, IDS_HELP_FILE_FAILED, help.chars());
        return;
    }
    if (!IsGenuineHelpFile(contents.as<BYTE>(), static_cast<DWORD>(contents.size()))) {
        ReportHelpFile(dialog, IDS_HELP_FILE_FOREIGN, help.chars());
        return;
    }
    if (CallHtmlHelp(dialog, help.chars(), HelpContextCommand, DialogTopic) == nullptr)
        ReportHelpFile(dialog, IDS_HELP_FILE_FAILED, help.chars());
}

}  // namespace velmora
