// Stands in for a planted HHCtrl.OCX: it leaves a file beside itself as soon
// as any process loads it, and offers the entry the help looks for.
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

extern "C" __declspec(dllexport) HWND WINAPI HtmlHelpA(HWND, LPCSTR, UINT, DWORD_PTR) {
    return nullptr;
}
