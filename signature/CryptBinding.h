// Calls into a library that is loaded for the one call only: load it from
// the system folder, resolve the export, call, release. Callers pass the
// library and export names, so a missing library or export can be tried.
#pragma once

#include <windows.h>

#include "Handles.h"
#include "SystemLibrary.h"

namespace velmora {

// The library for one call. The first successful load of a library also
// keeps one reference for the rest of the process: stores and contexts it
// handed out must stay valid after the per-call reference is released.
TLibrary LoadForOneCall(const char* library);

template <typename Fn, typename Result, typename... Args>
Result CallBound(const char* library, const char* exportName, Result notBound, Args... args) {
    const TLibrary module = LoadForOneCall(library);
    if (!module) return notBound;
    const auto entry = ResolveExport<Fn>(module.get(), exportName);
    return entry != nullptr ? entry(args...) : notBound;
}

template <typename Fn, typename... Args>
void CallBoundVoid(const char* library, const char* exportName, Args... args) {
    const TLibrary module = LoadForOneCall(library);
    if (!module) return;
    const auto entry = ResolveExport<Fn>(module.get(), exportName);
    if (entry != nullptr) entry(args...);
}

}  // namespace velmora
