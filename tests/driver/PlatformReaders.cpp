#include "tests/driver/PlatformReaders.h"

#include <setupapi.h>

namespace uidriver {

void Launch(std::wstring command) {
    STARTUPINFOW startup = {sizeof startup};
    PROCESS_INFORMATION info = {};
    if (!::CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &startup, &info))
        return;
    ::WaitForSingleObject(info.hProcess, 30000);
    for (HANDLE h : {info.hThread, info.hProcess}) ::CloseHandle(h);
}

TFields TemplateFields(const std::wstring& path, const std::wstring& name,
                       const std::wstring& key) {
    TFields fields;
    const HINF inf = ::SetupOpenInfFileW(path.c_str(), nullptr, INF_STYLE_WIN4, nullptr);
    INFCONTEXT line;
    const std::wstring entry = L"MACHINE\\" + key + L"\\" + name;
    if (inf == INVALID_HANDLE_VALUE) return {L"<unreadable>"};
    if (::SetupFindFirstLineW(inf, L"Registry Values", entry.c_str(), &line))
        for (DWORD i = 1; i <= ::SetupGetFieldCount(&line); ++i) {
            wchar_t field[4096] = {};
            ::SetupGetStringFieldW(&line, i, field, 4096, nullptr);
            fields.push_back(field);
        }
    ::SetupCloseInfFile(inf);
    return fields;
}

}  // namespace uidriver
