// The system's Save As and Open dialogs, from comdlg32 bound at run time.
#pragma once

#include <windows.h>

#include <vector>

#include "base/WideText.h"

namespace velmora {

constexpr int SaveAsPathCapacity = MAX_PATH + 1;

// One entry of the dialogs' list of file types: a description from the
// string table, shown with its patterns ("*.reg;*.inf") behind it. Every
// list ends with all files.
struct TFileType {
    UINT descriptionId;
    TWideText patterns;
};
using TFileTypes = std::vector<TFileType>;

// Asks for the file to write, starting from the name in `path`;
// `extension` is added to a name typed without one. The NT family shows the
// dialog in its Unicode form, so that any folder can be chosen; the 9x
// family has only the ANSI one. False when the user cancels or the dialog
// cannot be shown.
bool AskSaveAsPath(HWND owner, UINT titleId, const TFileTypes& types, const wchar_t* extension,
                   TWideText& path);

// Asks for a file to read, in the same forms; `path` starts empty or with
// a name. The program checks the file itself: a missing one is returned.
bool AskOpenPath(HWND owner, UINT titleId, const TFileTypes& types, TWideText& path);

}  // namespace velmora
