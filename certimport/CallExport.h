// One call into an export of a system library that is loaded for that call
// only: load it from the system folder, resolve the export, call, release.
#pragma once

#include <windows.h>

#include "SystemLibrary.h"

namespace kestrel {

// `Result{}` (none, 0, false) when the library or the export is missing; the
// export is then not called.
template <typename Result, typename... Params>
Result CallExport(const char* library, const char* exportName, Params... args) {
    using Entry = Result(WINAPI*)(Params...);
    const velmora::TLibrary module = velmora::LoadSystemLibrary(library);
    if (!module) return Result{};
    const auto entry = velmora::ResolveExport<Entry>(module.get(), exportName);
    return entry != nullptr ? entry(args...) : Result{};
}

}  // namespace kestrel
