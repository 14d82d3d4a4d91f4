#include "ui/SaveAsDialog.h"

#include <commdlg.h>

#include <string>

#include "app/AppState.h"
#include "app/Messages.h"
#include "app/StringIds.h"
#include "base/BoundCall.h"

namespace velmora {

namespace {

int LoadWideText(UINT id, wchar_t* buffer, int capacity) {
    return ::LoadStringW(::GetModuleHandleA(nullptr), id, buffer, capacity);
}

int LoadTextAs(UINT id, wchar_t* buffer, int capacity) { return LoadWideText(id, buffer, capacity); }
int LoadTextAs(UINT id, char* buffer, int capacity) { return LoadText(id, buffer, capacity); }

template <typename C>
using TText = std::basic_string<C, std::char_traits<C>, TTextAllocator<C>>;

// "Description (*.a, *.b)", "*.a;*.b", each ended by a zero, and a zero
// after the last pair; the patterns are ASCII in either form.
template <typename C>
TText<C> Filter(const TFileTypes& types) {
    TText<C> filter;
    TFileTypes all = types;
    all.push_back({IDS_TYPE_ALL, L"*.*"});
    for (const TFileType& type : all) {
        C description[128] = {};
        LoadTextAs(type.descriptionId, description, 128);
        filter += description;
        filter += C(' ');
        filter += C('(');
        for (const wchar_t c : type.patterns) {
            filter += c == L';' ? C(',') : static_cast<C>(c);
            if (c == L';') filter += C(' ');
        }
        filter += C(')');
        filter += C('\0');
        for (const wchar_t c : type.patterns) filter += static_cast<C>(c);
        filter += C('\0');
    }
    return filter;
}

// What both forms of the record hold alike. NT 4 and the 9x family reject
// the size of the later, longer record.
template <typename TRecord, typename C>
void Fill(TRecord& dialog, DWORD size400, bool open, HWND owner, const C* title, const C* filter,
          const C* extension, C* file) {
    dialog.lStructSize = OsVersion.dwMajorVersion >= 5 ? sizeof dialog : size400;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter;
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = file;
    dialog.nMaxFile = SaveAsPathCapacity;
    dialog.lpstrTitle = title[0] != '\0' ? title : nullptr;
    dialog.lpstrDefExt = extension;
    // The file is written by the program, which reports a folder it may not
    // write to; the dialog's own trial file would be left behind on a crash.
    // A file to open is checked by the program too, which names a missing
    // one in its own language.
    dialog.Flags = open ? OFN_EXPLORER | OFN_HIDEREADONLY | OFN_NOCHANGEDIR
                        : OFN_EXPLORER | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST |
                              OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_NOTESTFILECREATE;
}

bool AskWide(bool open, HWND owner, UINT titleId, const TFileTypes& types,
             const wchar_t* extension, TWideText& path) {
    wchar_t title[128] = {};
    LoadWideText(titleId, title, 128);
    const TText<wchar_t> filter = Filter<wchar_t>(types);
    wchar_t file[SaveAsPathCapacity] = {};
    path.copy(file, SaveAsPathCapacity - 1);
    OPENFILENAMEW dialog = {};
    Fill(dialog, OPENFILENAME_SIZE_VERSION_400W, open, owner, title, filter.c_str(), extension,
         file);
    if (CallBound<TKeepFirstLoad, decltype(&::GetSaveFileNameW)>(
            "comdlg32.dll", open ? "GetOpenFileNameW" : "GetSaveFileNameW", FALSE, &dialog) ==
        FALSE)
        return false;
    path = file;
    return true;
}

bool AskAnsi(bool open, HWND owner, UINT titleId, const TFileTypes& types,
             const wchar_t* extension, TWideText& path) {
    char title[128] = {};
    LoadText(titleId, title, sizeof title);
    const TText<char> filter = Filter<char>(types);
    char ansiExtension[8] = {};
    char file[SaveAsPathCapacity] = {};
    if (::WideCharToMultiByte(CP_ACP, 0, extension, -1, ansiExtension, sizeof ansiExtension,
                              nullptr, nullptr) == 0 ||
        ::WideCharToMultiByte(CP_ACP, 0, path.c_str(), -1, file, sizeof file, nullptr,
                              nullptr) == 0)
        return false;
    OPENFILENAMEA dialog = {};
    Fill(dialog, OPENFILENAME_SIZE_VERSION_400A, open, owner, title, filter.c_str(),
         ansiExtension[0] != '\0' ? ansiExtension : nullptr, file);
    if (CallBound<TKeepFirstLoad, decltype(&::GetSaveFileNameA)>(
            "comdlg32.dll", open ? "GetOpenFileNameA" : "GetSaveFileNameA", FALSE, &dialog) ==
        FALSE)
        return false;
    wchar_t wide[SaveAsPathCapacity] = {};
    if (::MultiByteToWideChar(CP_ACP, 0, file, -1, wide, SaveAsPathCapacity) == 0) return false;
    path = wide;
    return true;
}

}  // namespace

bool AskSaveAsPath(HWND owner, UINT titleId, const TFileTypes& types, const wchar_t* extension,
                   TWideText& path) {
    return OsVersion.dwPlatformId == VER_PLATFORM_WIN32_NT
               ? AskWide(false, owner, titleId, types, extension, path)
               : AskAnsi(false, owner, titleId, types, extension, path);
}

bool AskOpenPath(HWND owner, UINT titleId, const TFileTypes& types, TWideText& path) {
    return OsVersion.dwPlatformId == VER_PLATFORM_WIN32_NT
               ? AskWide(true, owner, titleId, types, nullptr, path)
               : AskAnsi(true, owner, titleId, types, L"", path);
}

}  // namespace velmora
