#include "ui/NoticeLoad.h"

#include <utility>

#include "app/AppState.h"
#include "app/Messages.h"
#include "app/StringIds.h"
#include "base/FormatText.h"
#include "formats/Json.h"
#include "formats/NoticeFileReader.h"
#include "formats/NoticeFormats.h"
#include "formats/NoticeLines.h"
#include "settings/LogonNotice.h"
#include "settings/NoticeFileBytes.h"
#include "ui/ControlIds.h"
#include "ui/MainDialogInit.h"
#include "ui/SaveAsDialog.h"
#include "ui/SystemMenu.h"
#include "ui/TextLimits.h"
#include "ui/Tooltips.h"

namespace velmora {

namespace {

constexpr int MessageCapacity = 1025;

// The message boxes are ANSI: a name outside the code page shows its
// look-alikes there.
struct TFileName {
    explicit TFileName(const TWideText& path) {
        ::WideCharToMultiByte(CP_ACP, 0, path.c_str(), -1, ansi, sizeof ansi - 1, nullptr,
                              nullptr);
    }
    char ansi[SaveAsPathCapacity * 2] = {};
};

void Tell(HWND dialog, const char* message, UINT icon) {
    AppMessageBox(dialog, message, MB_OK | icon);
}

template <typename... Args>
void Report(HWND dialog, UINT id, Args... args) {
    char format[512] = {};
    LoadText(id, format, sizeof format);
    char message[MessageCapacity] = {};
    FormatText(message, format, args...);
    Tell(dialog, message, MB_ICONERROR);
}

void ReportOpenFailure(HWND dialog, const TFileName& name, DWORD error) {
    switch (error) {
    case ERROR_DIRECTORY: Report(dialog, IDS_LOAD_FOLDER, name.ansi); return;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION: Report(dialog, IDS_LOAD_LOCKED, name.ansi); return;
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME: Report(dialog, IDS_LOAD_MISSING, name.ansi); return;
    case ERROR_FILE_TOO_LARGE: Report(dialog, IDS_LOAD_TOO_LARGE, name.ansi); return;
    default: break;
    }
    char format[512] = {};
    LoadText(IDS_LOAD_FAILED, format, sizeof format);
    char message[MessageCapacity] = {};
    FormatText(message, format, static_cast<const char*>(name.ansi));
    char system[Win32ErrorTextCapacity] = {};
    ComposeWin32ErrorText(error, system, ::FormatMessageA);
    AppendBounded(message, MessageCapacity, system);
    Tell(dialog, message, MB_ICONERROR);
}

void ReportReadFailure(HWND dialog, const TFileName& name, const TNoticeFile& file) {
    const char* n = name.ansi;
    // The format recognised, for the messages about its content.
    const TNoticeFormat& row = NoticeFormatOf(file.format);
    char format[64] = {};
    LoadText(row.nameId, format, sizeof format);
    const char* f = format;
    switch (file.error) {
    case TNoticeFileError::TooLarge: Report(dialog, IDS_LOAD_TOO_LARGE, n); break;
    case TNoticeFileError::NulCharacter: Report(dialog, IDS_LOAD_NUL, n, file.line); break;
    case TNoticeFileError::UnknownFormat: Report(dialog, IDS_LOAD_UNKNOWN, n); break;
    case TNoticeFileError::UnterminatedQuote: Report(dialog, IDS_LOAD_QUOTE, f, n, file.line); break;
    case TNoticeFileError::UnterminatedHex: Report(dialog, IDS_LOAD_HEX, f, n, file.line); break;
    case TNoticeFileError::BadValue: Report(dialog, IDS_LOAD_BAD_VALUE, f, n, file.line); break;
    case TNoticeFileError::BadKey: Report(dialog, IDS_LOAD_BAD_KEY, f, n, file.line); break;
    case TNoticeFileError::CaptionLineBreak:
        Report(dialog, IDS_LOAD_CAPTION_BREAK, f, n, file.line);
        break;
    case TNoticeFileError::NoNoticeValue: Report(dialog, row.noValueId, f, n); break;
    case TNoticeFileError::BadJson: Report(dialog, IDS_LOAD_BAD_JSON, f, n, file.line); break;
    case TNoticeFileError::BeyondBounds:
        Report(dialog, IDS_LOAD_BEYOND_BOUNDS, f, n, file.line, JsonDepthLimit);
        break;
    case TNoticeFileError::ForeignScript:
        Report(dialog, IDS_LOAD_FOREIGN_SCRIPT, f, n, file.line);
        break;
    case TNoticeFileError::None: break;
    }
}

// The edits' limits hold for loaded texts as for typed ones: a longer text
// is not cut, and nothing is taken.
bool FitsTheEdits(HWND dialog, const TFileName& name, const TNoticeFile& file,
                  const TWideText& text) {
    UINT field = 0;
    size_t length = 0;
    int limit = 0;
    if (file.hasCaption && file.caption.size() > static_cast<size_t>(NoticeCaptionLimit)) {
        field = IDS_LOAD_FIELD_CAPTION;
        length = file.caption.size();
        limit = NoticeCaptionLimit;
    } else if (file.hasText && text.size() > static_cast<size_t>(NoticeTextLimit)) {
        field = IDS_LOAD_FIELD_TEXT;
        length = text.size();
        limit = NoticeTextLimit;
    } else {
        return true;
    }
    char fieldName[64] = {};
    LoadText(field, fieldName, sizeof fieldName);
    char format[512] = {};
    LoadText(IDS_LOAD_TOO_LONG, format, sizeof format);
    char message[MessageCapacity] = {};
    FormatText(message, format, static_cast<const char*>(fieldName),
               static_cast<const char*>(name.ansi), static_cast<int>(length), limit);
    Tell(dialog, message, MB_ICONERROR);
    return false;
}

void TellWhatWasLoaded(HWND dialog, const TFileName& name, const TNoticeFile& file) {
    char fields[256] = {};
    char keys[512] = {};
    char line[256] = {};
    for (const auto& [taken, id] : {std::pair{file.hasCaption, IDS_FIELD_CAPTION},
                                    std::pair{file.hasText, IDS_FIELD_TEXT}})
        if (taken && LoadText(id, line, sizeof line) > 0) AppendBounded(fields, sizeof fields, line);
    for (const auto& [bit, id] : {std::pair{NoticeKeyPolicy, IDS_LOAD_KEY_POLICY},
                                  std::pair{NoticeKeyWinlogon, IDS_LOAD_KEY_WINLOGON}})
        if ((file.keys & bit) != 0 && LoadText(id, line, sizeof line) > 0)
            AppendBounded(keys, sizeof keys, line);
    char format[512] = {};
    char message[MessageCapacity] = {};
    if (file.removesNotice) {
        LoadText(IDS_LOAD_REMOVED, format, sizeof format);
        FormatText(message, format, static_cast<const char*>(name.ansi),
                   static_cast<const char*>(keys));
    } else {
        LoadText(IDS_LOAD_DONE, format, sizeof format);
        FormatText(message, format, static_cast<const char*>(name.ansi),
                   static_cast<const char*>(fields), static_cast<const char*>(keys));
    }
    Tell(dialog, message, MB_ICONINFORMATION);
}

void LoadFromFile(HWND dialog) {
    TWideText path;
    // Every format's files together first, then each format's own.
    TFileTypes types = {{IDS_TYPE_READABLE, {}}};
    for (const TNoticeFormat& format : NoticeFormats()) {
        const TWideText pattern = TWideText(L"*.") + format.extension;
        types[0].patterns += (types[0].patterns.empty() ? L"" : L";") + pattern;
        types.push_back({format.typeId, pattern});
    }
    if (!AskOpenPath(dialog, IDS_LOAD_TITLE, types, path)) return;
    const TFileName name(path);
    THeapBuffer bytes;
    const DWORD error = ReadNoticeFileBytes(path.c_str(), bytes);
    if (error != NO_ERROR) {
        ReportOpenFailure(dialog, name, error);
        return;
    }
    const TNoticeFile file = ReadNoticeFile(bytes.chars(), bytes.size());
    if (file.error != TNoticeFileError::None) {
        ReportReadFailure(dialog, name, file);
        return;
    }
    // The multi-line edit breaks lines only at CR LF.
    const TWideText text = WithCrLf(file.text);
    if (!FitsTheEdits(dialog, name, file, text)) return;
    if (file.hasCaption) ShowLoadedText(dialog, IDC_NOTICE_CAPTION, file.caption);
    if (file.hasText) ShowLoadedText(dialog, IDC_NOTICE_TEXT, text);
    // As the stored values at start.
    DeriveNoticeBlock(dialog);
    for (const int id : {IDC_NOTICE_CAPTION, IDC_NOTICE_TEXT})
        UpdateCounterTool(::GetDlgItem(dialog, id));
    TellWhatWasLoaded(dialog, name, file);
}

}  // namespace

void AddLoadMenu(HWND dialog) {
    AppendSystemMenuItem(dialog, IDM_LOAD_FILE, IDS_LOAD_MENU, IsAdmin ? MF_ENABLED : MF_GRAYED);
}

bool LoadCommand(HWND dialog, WPARAM command) {
    // The system uses the four low bits of a system command itself.
    if ((command & 0xFFF0) != IDM_LOAD_FILE) return false;
    if (IsAdmin) LoadFromFile(dialog);
    return true;
}

}  // namespace velmora
