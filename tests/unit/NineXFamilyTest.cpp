// The 9x family exports most W functions only as stubs that fail; Wine
// implements them all. This program's own imports of the W functions the
// product calls are replaced by such stubs, which also note the call, and
// GetProcAddress notes every W export bound at run time: the paths that a
// 9x system takes must reach none of them.
#include <gtest/gtest.h>

#include <commdlg.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <type_traits>

#include "app/AppState.h"
#include "tests/unit/BoxWatcher.h"
#include "ui/ControlIds.h"
#include "ui/MainDialog.h"

using namespace velmora;

namespace {

std::vector<std::string> Reached;
// Each stubbed import, what the 9x family's stub of it returns, and the
// entry it had before.
struct TStubbed {
    const char* dll;
    const char* name;
    ULONG_PTR failure;
    void* stub;
    void* original;
};
extern TStubbed Stubbed[];
// The thread under test; the box watcher's calls go through to the system.
DWORD StubbedThread = 0;

template <int I, typename F>
struct TStub;
template <int I, typename R, typename... A>
struct TStub<I, R(WINAPI*)(A...)> {
    static R WINAPI Call(A... arguments) {
        if (::GetCurrentThreadId() != StubbedThread)
            return reinterpret_cast<R(WINAPI*)(A...)>(Stubbed[I].original)(arguments...);
        Reached.push_back(Stubbed[I].name);
        ::SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
        if constexpr (std::is_pointer_v<R>)
            return reinterpret_cast<R>(Stubbed[I].failure);
        else
            return static_cast<R>(Stubbed[I].failure);
    }
};

#define VELMORA_STUB(i, dll, fn, failure) \
    {dll, #fn, failure, reinterpret_cast<void*>(&TStub<i, decltype(&::fn)>::Call), nullptr}
TStubbed Stubbed[] = {
    VELMORA_STUB(0, "kernel32.dll", CreateFileW, reinterpret_cast<ULONG_PTR>(INVALID_HANDLE_VALUE)),
    VELMORA_STUB(1, "kernel32.dll", DeleteFileW, FALSE),
    VELMORA_STUB(2, "kernel32.dll", GetFullPathNameW, 0),
    VELMORA_STUB(3, "kernel32.dll", GetTempFileNameW, 0),
    VELMORA_STUB(4, "kernel32.dll", MoveFileExW, FALSE),
    VELMORA_STUB(5, "kernel32.dll", MoveFileW, FALSE),
    VELMORA_STUB(6, "advapi32.dll", RegQueryValueExW, ERROR_CALL_NOT_IMPLEMENTED),
    VELMORA_STUB(7, "user32.dll", GetWindowTextLengthW, 0),
    VELMORA_STUB(8, "user32.dll", GetWindowTextW, 0),
    VELMORA_STUB(9, "user32.dll", LoadStringW, 0),
    VELMORA_STUB(10, "advapi32.dll", RegSetValueExW, ERROR_CALL_NOT_IMPLEMENTED),
    VELMORA_STUB(11, "kernel32.dll", GetFileAttributesW, INVALID_FILE_ATTRIBUTES)};

// This program's import slot of `dll`!`name` now holds `entry`; the old one.
void* ReplaceImport(const char* dll, const char* name, void* entry) {
    auto* const base = reinterpret_cast<BYTE*>(::GetModuleHandleA(nullptr));
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(
        base + reinterpret_cast<const IMAGE_DOS_HEADER*>(base)->e_lfanew);
    const DWORD imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress;
    for (auto* d = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports); d->Name; ++d) {
        if (::lstrcmpiA(reinterpret_cast<const char*>(base + d->Name), dll) != 0) continue;
        auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + d->OriginalFirstThunk);
        auto* slot = reinterpret_cast<IMAGE_THUNK_DATA*>(base + d->FirstThunk);
        for (; names->u1.AddressOfData != 0; ++names, ++slot) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal) ||
                std::strcmp(reinterpret_cast<const char*>(
                                reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData)->Name),
                            name) != 0)
                continue;
            DWORD protection = 0;
            ::VirtualProtect(&slot->u1.Function, sizeof slot->u1.Function, PAGE_READWRITE, &protection);
            void* const old = reinterpret_cast<void*>(slot->u1.Function);
            slot->u1.Function = reinterpret_cast<ULONG_PTR>(entry);
            ::VirtualProtect(&slot->u1.Function, sizeof slot->u1.Function, protection, &protection);
            return old;
        }
    }
    return nullptr;
}

std::string ChosenFile;
using TGetProcAddress = decltype(&::GetProcAddress);
TGetProcAddress RealGetProcAddress = nullptr;

// The user who picks ChosenFile in the file dialog, in either form.
BOOL WINAPI ChooseFileA(OPENFILENAMEA* dialog) {
    ::lstrcpynA(dialog->lpstrFile, ChosenFile.c_str(), static_cast<int>(dialog->nMaxFile));
    return TRUE;
}
BOOL WINAPI ChooseFileW(OPENFILENAMEW* dialog) {
    ::MultiByteToWideChar(CP_ACP, 0, ChosenFile.c_str(), -1, dialog->lpstrFile,
                          static_cast<int>(dialog->nMaxFile));
    return TRUE;
}

FARPROC WINAPI NotingGetProcAddress(HMODULE module, LPCSTR name) {
    if (HIWORD(name) == 0 || ::GetCurrentThreadId() != StubbedThread)
        return RealGetProcAddress(module, name);
    const size_t length = std::strlen(name);
    if (length > 0 && name[length - 1] == 'W') Reached.push_back(name);
    if (std::strncmp(name, "GetSaveFileName", 15) == 0 || std::strncmp(name, "GetOpenFileName", 15) == 0)
        return name[length - 1] == 'W' ? reinterpret_cast<FARPROC>(reinterpret_cast<void*>(&ChooseFileW))
                                       : reinterpret_cast<FARPROC>(reinterpret_cast<void*>(&ChooseFileA));
    return RealGetProcAddress(module, name);
}

// For the life of the object the W functions are stubs, as on the 9x family.
struct TNineXStubs {
    TNineXStubs() {
        StubbedThread = ::GetCurrentThreadId();
        for (TStubbed& f : Stubbed) f.original = ReplaceImport(f.dll, f.name, f.stub);
        RealGetProcAddress = reinterpret_cast<TGetProcAddress>(ReplaceImport(
            "kernel32.dll", "GetProcAddress", reinterpret_cast<void*>(&NotingGetProcAddress)));
    }
    ~TNineXStubs() {
        for (TStubbed& f : Stubbed)
            if (f.original) ReplaceImport(f.dll, f.name, f.original);
        ReplaceImport("kernel32.dll", "GetProcAddress", reinterpret_cast<void*>(RealGetProcAddress));
    }
};

}  // namespace

// The dialog's start, both exports and loading the second back on Windows 95
// take only A functions; on NT 4 the same steps reach the W ones, which
// shows that the stubs note them.
TEST(NineXFamily, ReachesNoStubbedWideFunction) {
    char folder[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, folder);
    ChosenFile = std::string(folder) + "velmora-9x-export.reg";
    for (const DWORD platform : {VER_PLATFORM_WIN32_WINDOWS, VER_PLATFORM_WIN32_NT}) {
        SCOPED_TRACE(platform);
        OsVersion = {sizeof OsVersion, 4, 0, 950, platform, ""};
        IsAdmin = true;
        ::DeleteFileA(ChosenFile.c_str());
        Reached.clear();
        char caption[32] = {};
        {
            const TNineXStubs stubs;
            BoxesShownBy([&] {
                const HWND dialog = ::CreateDialogParamA(::GetModuleHandleA(nullptr), IDD_MAINDIALOG,
                                                         nullptr, MainDialogProc, 0);
                ASSERT_NE(dialog, nullptr);
                ::SetDlgItemTextA(dialog, IDC_NOTICE_CAPTION, "Hinweis");
                ::SetDlgItemTextA(dialog, IDC_NOTICE_TEXT, "Nur f\xFCr Befugte.");
                ::CheckDlgButton(dialog, IDC_NOTICE_ENABLED, BST_CHECKED);
                ::SendMessageA(dialog, WM_SYSCOMMAND, IDM_EXPORT_REGISTRY, 0);
                ::SendMessageA(dialog, WM_SYSCOMMAND, IDM_EXPORT_TEMPLATE, 0);
                ::SetDlgItemTextA(dialog, IDC_NOTICE_CAPTION, "");
                ::SendMessageA(dialog, WM_SYSCOMMAND, IDM_LOAD_FILE, 0);
                ::GetDlgItemTextA(dialog, IDC_NOTICE_CAPTION, caption, sizeof caption);
                ::DestroyWindow(dialog);
            });
        }
        std::ifstream file(ChosenFile, std::ios::binary);
        const std::string written((std::istreambuf_iterator<char>(file)), {});
        if (platform == VER_PLATFORM_WIN32_WINDOWS) {
            EXPECT_TRUE(Reached.empty()) << Reached.front();
            // The template, the last export, in UTF-16 with its mark.
            EXPECT_EQ(written.substr(0, 6), std::string("\xFF\xFE[\0U\0", 6));
            EXPECT_STREQ(caption, "Hinweis");
        } else {
            EXPECT_FALSE(Reached.empty());
        }
    }
    ::DeleteFileA(ChosenFile.c_str());
    OsVersion.dwOSVersionInfoSize = sizeof OsVersion;
    ::GetVersionExA(&OsVersion);
}
