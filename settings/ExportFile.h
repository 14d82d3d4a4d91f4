// Writing an exported file without ever leaving half of it under its name.
#pragma once

#include <windows.h>

#include <string>

namespace velmora {

// `bytes` into `path`: written into a new file in the same folder first,
// which then replaces `path`. NO_ERROR, or
// the error of the call that failed; the new file is then gone again and
// `path` is as it was. On the 9x family the path goes through the ANSI code
// page, which is all its file functions take.
DWORD WriteExportFile(const wchar_t* path, const std::string& bytes);

}  // namespace velmora
