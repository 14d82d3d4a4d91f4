// KestrelStandIn.dll: what Kestrel's binding calls in place of crypt32 in a
// test, to play the store failures that Wine's crypt32 cannot be made to
// produce. It notes its loading, each call and its unloading in the
// environment variable KESTREL_STANDIN_LOG, which outlives the library.
#include <windows.h>

namespace {

int context;  // what stands for the certificate context
int store;    // and for the store

void Note(const char* what) {
    char log[1024] = {};
    ::GetEnvironmentVariableA("KESTREL_STANDIN_LOG", log, sizeof log - 128);
    if (log[0] != '\0') ::lstrcatA(log, " ");
    ::lstrcatA(log, what);
    ::SetEnvironmentVariableA("KESTREL_STANDIN_LOG", log);
}

}  // namespace

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, void*) {
    if (reason == DLL_PROCESS_ATTACH) Note("load");
    if (reason == DLL_PROCESS_DETACH) Note("unload");
    return TRUE;
}

extern "C" __declspec(dllexport) const void* WINAPI CreateContext(DWORD encoding, const BYTE*,
                                                                  DWORD size) {
    char note[64];
    ::wsprintfA(note, "create(%lx,%lu)", encoding, size);
    Note(note);
    return &context;
}

extern "C" __declspec(dllexport) void* WINAPI OpenNoStore(ULONG_PTR provider, const char* name) {
    char note[128];
    ::wsprintfA(note, "open(%lu,%.64s)", static_cast<unsigned long>(provider), name);
    Note(note);
    return nullptr;
}

extern "C" __declspec(dllexport) void* WINAPI OpenStore(ULONG_PTR provider, const char* name) {
    OpenNoStore(provider, name);
    return &store;
}

extern "C" __declspec(dllexport) BOOL WINAPI AddRefused(void* s, const void* c, DWORD disposition,
                                                        void* added) {
    char note[64];
    ::wsprintfA(note, s == &store && c == &context && !added ? "add(%lu)" : "add?(%lu)",
                disposition);
    Note(note);
    return FALSE;
}

extern "C" __declspec(dllexport) BOOL WINAPI CloseStore(void* s, DWORD flags) {
    char note[64];
    ::wsprintfA(note, s == &store ? "close(%lu)" : "close?(%lu)", flags);
    Note(note);
    return TRUE;
}

extern "C" __declspec(dllexport) BOOL WINAPI FreeContext(const void* c) {
    Note(c == &context ? "free" : "free?");
    return TRUE;
}
