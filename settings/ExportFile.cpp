#include "settings/ExportFile.h"

#include "app/AppState.h"
#include "base/Handles.h"

namespace velmora {

namespace {

// The file functions in one of their two forms: the W forms on the NT
// family, where a folder's name may lie outside the ANSI code page, the
// A forms on the 9x family, which has no others.
template <typename C>
struct TFileCalls;

template <>
struct TFileCalls<wchar_t> {
    static constexpr auto FullPathName = ::GetFullPathNameW;
    static constexpr auto TempFileName = ::GetTempFileNameW;
    static constexpr auto Create = ::CreateFileW;
    static constexpr auto MoveEx = ::MoveFileExW;
    static constexpr auto Move = ::MoveFileW;
    static constexpr auto Delete = ::DeleteFileW;
    static constexpr const wchar_t* Prefix = L"vlm";
};

template <>
struct TFileCalls<char> {
    static constexpr auto FullPathName = ::GetFullPathNameA;
    static constexpr auto TempFileName = ::GetTempFileNameA;
    static constexpr auto Create = ::CreateFileA;
    static constexpr auto MoveEx = ::MoveFileExA;
    static constexpr auto Move = ::MoveFileA;
    static constexpr auto Delete = ::DeleteFileA;
    static constexpr const char* Prefix = "vlm";
};

// The file written beside the target; deleted unless it became the target.
template <typename C>
class TFileBeside {
public:
    using TCalls = TFileCalls<C>;
    // Creates an empty file of a new name in the folder of `target`.
    DWORD Create(const C* target) {
        C folder[MAX_PATH] = {};
        C* name = nullptr;
        const DWORD length = TCalls::FullPathName(target, MAX_PATH, folder, &name);
        if (length == 0) return ::GetLastError();
        if (length >= MAX_PATH || name == nullptr) return ERROR_FILENAME_EXCED_RANGE;
        *name = '\0';
        if (TCalls::TempFileName(folder, TCalls::Prefix, 0, path_) == 0) return ::GetLastError();
        created_ = true;
        return NO_ERROR;
    }
    const C* path() const { return path_; }
    void Keep() { created_ = false; }
    ~TFileBeside() {
        if (created_) TCalls::Delete(path_);
    }

private:
    C path_[MAX_PATH] = {};
    bool created_ = false;
};

template <typename C>
DWORD WriteAll(const C* path, const std::string& data) {
    const TFileHandle file(TFileCalls<C>::Create(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                                 FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return ::GetLastError();
    const DWORD bytes = static_cast<DWORD>(data.size());
    DWORD written = 0;
    if (!::WriteFile(file.get(), data.data(), bytes, &written, nullptr)) return ::GetLastError();
    if (written != bytes) return ERROR_HANDLE_DISK_FULL;
    if (!::FlushFileBuffers(file.get())) return ::GetLastError();
    return NO_ERROR;
}

template <typename C>
DWORD Replace(const C* source, const C* target) {
    using TCalls = TFileCalls<C>;
    if (TCalls::MoveEx(source, target, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return NO_ERROR;
    DWORD error = ::GetLastError();
    // The 9x family lacks MoveFileEx; there the old file goes first.
    if (error != ERROR_CALL_NOT_IMPLEMENTED) return error;
    if (!TCalls::Delete(target) && ::GetLastError() != ERROR_FILE_NOT_FOUND)
        return ::GetLastError();
    return TCalls::Move(source, target) ? NO_ERROR : ::GetLastError();
}

template <typename C>
DWORD WriteBeside(const C* path, const std::string& bytes) {
    TFileBeside<C> beside;
    DWORD error = beside.Create(path);
    if (error == NO_ERROR) error = WriteAll(beside.path(), bytes);
    if (error == NO_ERROR) error = Replace(beside.path(), path);
    if (error == NO_ERROR) beside.Keep();
    return error;
}

}  // namespace

DWORD WriteExportFile(const wchar_t* path, const std::string& bytes) {
    if (OsVersion.dwPlatformId == VER_PLATFORM_WIN32_NT) return WriteBeside(path, bytes);
    char ansi[MAX_PATH + 1] = {};
    if (::WideCharToMultiByte(CP_ACP, 0, path, -1, ansi, sizeof ansi, nullptr, nullptr) == 0)
        return ::GetLastError();
    return WriteBeside(static_cast<const char*>(ansi), bytes);
}

}  // namespace velmora
