// The program's own file, and the files that go with it: they lie beside it
// under its base name.
#pragma once

#include "base/Handles.h"

namespace velmora {

constexpr int ModulePathCapacity = 262;

// The program file's full path into `path`; its length, 0 when it cannot be
// read.
DWORD ProgramFilePath(char (&path)[ModulePathCapacity]);

// The program file's path with its last three characters replaced by the
// three letters of `extension`, by position, whatever the extension was.
// False when the program's path cannot be read.
bool CompanionFilePath(const char* extension, THeapBuffer& companion);

}  // namespace velmora
