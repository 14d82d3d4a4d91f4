// A file the user chose to load the notice from, read whole.
#pragma once

#include <windows.h>

#include "base/Handles.h"

namespace velmora {

// NO_ERROR and the file's contents in `contents`; ERROR_DIRECTORY for a
// folder, ERROR_BAD_FILE_TYPE for a device, ERROR_FILE_TOO_LARGE above
// NoticeFileLimit (checked before the file is read), else the error of the call that failed, ERROR_SHARING_VIOLATION
// when another program holds the file. The W functions on the NT family,
// where a name may lie outside the ANSI code page; the A ones on the 9x
// family, which has no others.
DWORD ReadNoticeFileBytes(const wchar_t* path, THeapBuffer& contents);

}  // namespace velmora
