// Stands in for a library planted beside the program (wintrust.dll,
// crypt32.dll, HHCtrl.OCX): it leaves a file
// beside itself as soon as any process loads it, and offers every entry the
// program looks up there (PlantedLibrary.def), each failing.
#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, void*) {
    if (reason != DLL_PROCESS_ATTACH) return TRUE;
    char path[MAX_PATH] = {};
    const DWORD n = ::GetModuleFileNameA(self, path, MAX_PATH - 16);
    if (n == 0) return TRUE;
    ::lstrcatA(path, ".loaded");
    const HANDLE file = ::CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file != INVALID_HANDLE_VALUE) ::CloseHandle(file);
    return TRUE;
}

// By the number of pointer-sized arguments: the callee clears them from the
// stack, as the real entries do.
using A = ULONG_PTR;
extern "C" A WINAPI Planted1(A) { return 0; }
extern "C" A WINAPI Planted2(A, A) { return 0; }
extern "C" A WINAPI Planted3(A, A, A) { return 0; }
extern "C" A WINAPI Planted4(A, A, A, A) { return 0; }
extern "C" A WINAPI Planted6(A, A, A, A, A, A) { return 0; }
extern "C" A WINAPI Planted7(A, A, A, A, A, A, A) { return 0; }
extern "C" A WINAPI Planted8(A, A, A, A, A, A, A, A) { return 0; }
