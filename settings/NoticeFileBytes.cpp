#include "settings/NoticeFileBytes.h"

#include "app/AppState.h"
#include "base/FileContents.h"
#include "formats/NoticeFileReader.h"

namespace velmora {

namespace {

// Shared for reading only: a file another program is writing counts as held.
HANDLE OpenForReading(const wchar_t* path, DWORD& attributes) {
    if (OsVersion.dwPlatformId == VER_PLATFORM_WIN32_NT) {
        attributes = ::GetFileAttributesW(path);
        if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
            return INVALID_HANDLE_VALUE;
        return ::CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    }
    char ansi[MAX_PATH + 1] = {};
    if (::WideCharToMultiByte(CP_ACP, 0, path, -1, ansi, sizeof ansi, nullptr, nullptr) == 0) {
        attributes = INVALID_FILE_ATTRIBUTES;
        return INVALID_HANDLE_VALUE;
    }
    attributes = ::GetFileAttributesA(ansi);
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        return INVALID_HANDLE_VALUE;
    return ::CreateFileA(ansi, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
}

}  // namespace

DWORD ReadNoticeFileBytes(const wchar_t* path, THeapBuffer& contents) {
    DWORD attributes = 0;
    const TFileHandle file(OpenForReading(path, attributes));
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        return ERROR_DIRECTORY;
    if (!file) return ::GetLastError();
    // A device under a file's name (NUL, COM1) could wait for input forever.
    if (::GetFileType(file.get()) != FILE_TYPE_DISK) return ERROR_BAD_FILE_TYPE;
    DWORD high = 0;
    ::SetLastError(NO_ERROR);
    const DWORD low = ::GetFileSize(file.get(), &high);
    if (low == INVALID_FILE_SIZE && ::GetLastError() != NO_ERROR) return ::GetLastError();
    if (high != 0 || low > NoticeFileLimit) return ERROR_FILE_TOO_LARGE;
    contents = ReadWholeFile(file.get());
    return contents || low == 0 ? NO_ERROR : ::GetLastError();
}

}  // namespace velmora
