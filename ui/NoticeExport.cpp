#include "ui/NoticeExport.h"

#include "app/AppState.h"
#include "app/Messages.h"
#include "app/StringIds.h"
#include "base/FormatText.h"
#include "formats/NoticeFormats.h"
#include "formats/NoticeLines.h"
#include "settings/ExportFile.h"
#include "settings/NoticeLimits.h"
#include "ui/ControlIds.h"
#include "ui/MainDialog.h"
#include "ui/NoticeTexts.h"
#include "ui/SaveAsDialog.h"
#include "ui/SystemMenu.h"

namespace velmora {

namespace {


void WarnAboutLength(HWND dialog) {
    char message[512] = {};
    LoadText(IDS_EXPORT_TOO_LONG, message, sizeof message);
    AppMessageBox(dialog, message, MB_OK | MB_ICONWARNING);
}

// A file that its readers would read short is not written: the message
// names the field and the line that holds the character.
bool EndsEarly(HWND dialog, const TNoticeFormat& format, const TWideText& caption,
               const TWideText& text) {
    unsigned line = 0;
    UINT field = 0;
    if (format.endsEarly == nullptr) return false;
    if (format.endsEarly(caption, line))
        field = IDS_LOAD_FIELD_CAPTION;
    else if (format.endsEarly(text, line))
        field = IDS_LOAD_FIELD_TEXT;
    else
        return false;
    char fieldName[64] = {};
    LoadText(field, fieldName, sizeof fieldName);
    char pattern[512] = {};
    LoadText(IDS_EXPORT_FILE_END, pattern, sizeof pattern);
    char message[1025] = {};
    FormatText(message, pattern, static_cast<const char*>(fieldName), line);
    AppMessageBox(dialog, message, MB_OK | MB_ICONERROR);
    return true;
}

void Export(HWND dialog, const TNoticeFormat& format) {
    // As Save would store it: a block that is off or not filled in gives
    // empty values, which is how the policy says "no notice".
    TWideText caption, text;
    if (IsCheckBoxChecked(dialog, IDC_NOTICE_ENABLED) &&
        ::GetWindowTextLengthA(::GetDlgItem(dialog, IDC_NOTICE_CAPTION)) > 0 &&
        ::GetWindowTextLengthA(::GetDlgItem(dialog, IDC_NOTICE_TEXT)) > 0) {
        caption = NoticeText(dialog, IDC_NOTICE_CAPTION);
        text = NoticeText(dialog, IDC_NOTICE_TEXT);
    }
    if (EndsEarly(dialog, format, caption, text)) return;
    if (!WithinPolicyLimits(text)) WarnAboutLength(dialog);
    // Through the code page: the 9x family has no LoadStringW.
    char ansiName[SaveAsPathCapacity] = {};
    wchar_t name[SaveAsPathCapacity] = {};
    LoadText(IDS_EXPORT_FILE_NAME, ansiName, sizeof ansiName);
    ::MultiByteToWideChar(CP_ACP, 0, ansiName, -1, name, SaveAsPathCapacity);
    TWideText path = name;
    const TFileTypes types = {{format.typeId, TWideText(L"*.") + format.extension}};
    if (!AskSaveAsPath(dialog, format.titleId, types, format.extension, path)) return;
    ReportWin32Error(
        WriteExportFile(path.c_str(), EncodedText(format.write(caption, text), format.encoding)));
}

}  // namespace

void AddExportMenu(HWND dialog) {
    const HMENU menu = ::GetSystemMenu(dialog, FALSE);
    if (menu == nullptr) return;
    ::AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    for (const TNoticeFormat& format : NoticeFormats())
        AppendSystemMenuItem(dialog, format.command, format.menuTextId);
}

bool ExportCommand(HWND dialog, WPARAM command) {
    // The system uses the four low bits of a system command itself.
    for (const TNoticeFormat& format : NoticeFormats())
        if ((command & 0xFFF0) == format.command) {
            Export(dialog, format);
            return true;
        }
    return false;
}

}  // namespace velmora
