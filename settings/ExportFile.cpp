#include "settings/ExportFile.h"

#include "base/Handles.h"

namespace velmora {

namespace {

// The file written beside the target; deleted unless it became the target.
class TFileBeside {
public:
    // Creates an empty file of a new name in the folder of `target`.
    DWORD Create(const char* target) {
        char folder[MAX_PATH] = {};
        char* name = nullptr;
        const DWORD length = ::GetFullPathNameA(target, sizeof folder, folder, &name);
        if (length == 0) return ::GetLastError();
        if (length >= sizeof folder || name == nullptr) return ERROR_FILENAME_EXCED_RANGE;
        *name = '\0';
        if (::GetTempFileNameA(folder, "vlm", 0, path_) == 0) return ::GetLastError();
        created_ = true;
        return NO_ERROR;
    }
    const char* path() const { return path_; }
    void Keep() { created_ = false; }
    ~TFileBeside() {
        if (created_) ::DeleteFileA(path_);
    }

private:
    char path_[MAX_PATH] = {};
    bool created_ = false;
};

DWORD WriteAll(const char* path, const TWideText& text) {
    const TFileHandle file(::CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                         FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return ::GetLastError();
    TWideText data(1, L'\xFEFF');  // the mark, written little-endian like the rest
    data += text;
    const DWORD bytes = static_cast<DWORD>(data.size() * sizeof(wchar_t));
    DWORD written = 0;
    if (!::WriteFile(file.get(), data.data(), bytes, &written, nullptr)) return ::GetLastError();
    if (written != bytes) return ERROR_HANDLE_DISK_FULL;
    if (!::FlushFileBuffers(file.get())) return ::GetLastError();
    return NO_ERROR;
}

DWORD Replace(const char* source, const char* target) {
    if (::MoveFileExA(source, target, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return NO_ERROR;
    DWORD error = ::GetLastError();
    // The 9x family lacks MoveFileEx; there the old file goes first.
    if (error != ERROR_CALL_NOT_IMPLEMENTED) return error;
    if (!::DeleteFileA(target) && ::GetLastError() != ERROR_FILE_NOT_FOUND) return ::GetLastError();
    return ::MoveFileA(source, target) ? NO_ERROR : ::GetLastError();
}

}  // namespace

DWORD WriteUnicodeFile(const char* path, const TWideText& text) {
    TFileBeside beside;
    DWORD error = beside.Create(path);
    if (error == NO_ERROR) error = WriteAll(beside.path(), text);
    if (error == NO_ERROR) error = Replace(beside.path(), path);
    if (error == NO_ERROR) beside.Keep();
    return error;
}

}  // namespace velmora
