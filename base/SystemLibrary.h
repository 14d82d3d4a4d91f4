// Files of the operating system, by their full path in the system folder.
#pragma once

#include "base/Handles.h"

namespace velmora {

// The full path of `name` in the system folder into `path` (capacity in
// bytes); false when it does not fit.
bool SystemFilePath(const char* name, char* path, UINT capacity);

// The program may run elevated: a library is taken from the system folder
// by full path, never a file of that name beside the program or in the
// current folder. Empty when it cannot be loaded.
TLibrary LoadSystemLibrary(const char* name);

// From here on, libraries loaded by a plain name come from the system
// folder only, never from the program's folder or the current one. Older
// systems lack the call; there the full paths of LoadSystemLibrary remain.
void LimitLibrarySearchToSystemFolder();

// An export of `module` as the caller's function type (FARPROC stands for
// any signature; the export's real one is the caller's to know); null when
// the export is missing.
template <typename Fn>
Fn ResolveExport(HMODULE module, const char* exportName) {
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(::GetProcAddress(module, exportName)));
}

}  // namespace velmora
