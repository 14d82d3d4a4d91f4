#include "ui/SaveAsDialog.h"

#include <commdlg.h>

#include "app/AppState.h"
#include "app/Messages.h"
#include "base/BoundCall.h"

namespace velmora {

bool AskSaveAsPath(HWND owner, UINT titleId, UINT filterId, const char* extension,
                   char (&path)[SaveAsPathCapacity]) {
    char title[128] = {};
    LoadText(titleId, title, sizeof title);
    // A string resource cannot hold the zeros that separate the filter's parts.
    char filter[256] = {};
    LoadText(filterId, filter, sizeof filter - 1);
    for (char& c : filter)
        if (c == '|') c = '\0';

    OPENFILENAMEA dialog = {};
    // NT 4 and the 9x family reject the size of the later, longer record.
    dialog.lStructSize =
        OsVersion.dwMajorVersion >= 5 ? sizeof dialog : OPENFILENAME_SIZE_VERSION_400A;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter;
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = path;
    dialog.nMaxFile = SaveAsPathCapacity;
    dialog.lpstrTitle = title[0] != '\0' ? title : nullptr;
    dialog.lpstrDefExt = extension;
    // The file is written by the program, which reports a folder it may not
    // write to; the dialog's own trial file would be left behind on a crash.
    dialog.Flags = OFN_EXPLORER | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY |
                   OFN_NOCHANGEDIR | OFN_NOTESTFILECREATE;
    return CallBound<TKeepFirstLoad, decltype(&::GetSaveFileNameA)>(
               "comdlg32.dll", "GetSaveFileNameA", FALSE, &dialog) != FALSE;
}

}  // namespace velmora
