#include "base/BoundCall.h"

namespace velmora {

namespace {

constexpr int KeptCapacity = 4;
// Released when the process ends, after every store and context.
TLibrary Kept[KeptCapacity];

void KeepForProcess(const char* library, HMODULE module) {
    for (TLibrary& kept : Kept) {
        if (kept.get() == module) return;
        if (!kept) {
            kept = LoadSystemLibrary(library);
            return;
        }
    }
}

}  // namespace

TLibrary TKeepFirstLoad::Load(const char* library) {
    TLibrary module = LoadSystemLibrary(library);
    if (module) KeepForProcess(library, module.get());
    return module;
}

}  // namespace velmora
