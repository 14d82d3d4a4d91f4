// Calls into a system library bound at run time: load it from the system
// folder, resolve the export, call, release. Callers pass the library and
// export names, so a missing library or export can be tried.
#pragma once

#include <windows.h>

#include "base/Handles.h"
#include "base/SystemLibrary.h"

namespace velmora {

// How a binding holds a library beyond the call; `Load` gives the reference
// for one call.
//
// The first successful load of a library keeps one reference for the rest of
// the process: stores and contexts it handed out stay valid after the
// per-call reference is released. For a program that uses them at any time.
struct TKeepFirstLoad {
    static TLibrary Load(const char* library);
};
// Nothing is kept: a DLL that others load and unload must leave nothing
// behind. Whoever holds handles across calls holds the library too.
struct TKeepNothing {
    static TLibrary Load(const char* library) { return LoadSystemLibrary(library); }
};

// `Fn` is the export's type, decltype of the platform's declaration, so that
// a call cannot drift from the real signature. `notBound` is the result when
// the library or the export is missing; the export is then not called.
template <typename Hold, typename Fn, typename Result, typename... Args>
Result CallBound(const char* library, const char* exportName, Result notBound, Args... args) {
    const TLibrary module = Hold::Load(library);
    if (!module) return notBound;
    const auto entry = ResolveExport<Fn>(module.get(), exportName);
    return entry != nullptr ? entry(args...) : notBound;
}

template <typename Hold, typename Fn, typename... Args>
void CallBoundVoid(const char* library, const char* exportName, Args... args) {
    const TLibrary module = Hold::Load(library);
    if (!module) return;
    const auto entry = ResolveExport<Fn>(module.get(), exportName);
    if (entry != nullptr) entry(args...);
}

}  // namespace velmora
