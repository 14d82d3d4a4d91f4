// Files of the operating system, by their full path in the system folder.
#pragma once

#include "base/Handles.h"

namespace velmora {

// The full path of `name` in the system folder into `path` (capacity in
// bytes); false when it does not fit.
bool SystemFilePath(const char* name, char* path, UINT capacity);

// Where a library loaded by full path finds the libraries it imports.
// A plain LoadLibrary searches them from the program's folder on, so a file
// planted beside the program would run inside it, elevated too.
enum class TImportSearch {
    // The system folder alone: the default-directory API (Windows 8, and
    // Vista and 7 with their security update).
    SystemFolderOnly,
    // Every older system: the loaded library's own folder (the system
    // folder) first, the program's folder never.
    LibraryFolderFirst,
};
TImportSearch ImportSearchOfThisSystem();

// The program may run elevated: a library is taken from the system folder
// by full path, never a file of that name beside the program or in the
// current folder, and so are its imports. Empty when it cannot be loaded.
TLibrary LoadSystemLibrary(const char* name, TImportSearch search = ImportSearchOfThisSystem());

// From here on, libraries loaded by a plain name come from the system
// folder only, never from the program's folder or the current one. Systems
// without the default-directory API lose at least the current folder where
// they know SetDllDirectoryA (XP SP1 on); the full paths of
// LoadSystemLibrary cover the rest.
void LimitLibrarySearchToSystemFolder();

// An export of `module` as the caller's function type (FARPROC stands for
// any signature; the export's real one is the caller's to know); null when
// the export is missing.
template <typename Fn>
Fn ResolveExport(HMODULE module, const char* exportName) {
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(::GetProcAddress(module, exportName)));
}

}  // namespace velmora
