#include "Help.h"

#include "Handles.h"
#include "HtmlHelp.h"
#include "Messages.h"
#include "StringIds.h"

namespace velmora {

namespace {

constexpr UINT HelpContextCommand = 0x000F;  // HH_HELP_CONTEXT
constexpr DWORD DialogTopic = 1000;

// The program's path with its last three characters replaced by "chm".
bool HelpFilePath(THeapBuffer& help) {
    char path[260] = {};
    const DWORD length = ::GetModuleFileNameA(nullptr, path, sizeof path);
    if (length < 3) return false;
    help = THeapBuffer(length + 1);
    if (!help) return false;
    ::lstrcpynA(help.chars(), path, static_cast<int>(length - 3) + 1);
    AppendBounded(help.chars(), static_cast<int>(length + 1), "chm");
    return true;
}

void ReportHelpFileFailure(HWND dialog, const char* help) {
    char format[255] = {};
    const int loaded = LoadText(IDS_HELP_FILE_FAILED, format, 254);
    const THeapBuffer message(static_cast<SIZE_T>(loaded) + ::lstrlenA(help) + 1);
    if (!message) return;
    const char* args[] = {help};
    ::wvsprintfA(message.chars(), format, reinterpret_cast<va_list>(args));
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
    if (!HelpFilePath(help)) return;
    if (CallHtmlHelp(dialog, help.chars(), HelpContextCommand, DialogTopic) == nullptr)
        ReportHelpFileFailure(dialog, help.chars());
}

}  // namespace velmora
