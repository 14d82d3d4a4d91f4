#include "tests/driver/UiDriver.h"

#include "tests/driver/RestrictedToken.h"

#include <cstdio>
#include <utility>

namespace uidriver {

namespace {

std::string FileName(const std::string& path) {
    const auto slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// This process's environment block with `extra` added.
std::string EnvironmentBlock(const std::vector<std::string>& extra) {
    std::string block;
    char* current = ::GetEnvironmentStringsA();
    for (const char* p = current; *p; p += ::lstrlenA(p) + 1) block.append(p).push_back('\0');
    ::FreeEnvironmentStringsA(current);
    for (const std::string& e : extra) block.append(e).push_back('\0');
    block.push_back('\0');
    return block;
}

std::wstring Widened(const std::string& text, UINT codePage) {
    std::wstring wide(text.size() + 1, L'\0');
    wide.resize(::MultiByteToWideChar(codePage, 0, text.c_str(), -1, &wide[0],
                                      static_cast<int>(wide.size())));
    return wide;
}

struct TWindowSearch {
    DWORD processId;
    const char* className;
    bool visibleOnly;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM param) {
    auto* s = reinterpret_cast<TWindowSearch*>(param);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(window, &pid);
    char name[64] = {};
    ::GetClassNameA(window, name, sizeof name);
    if (pid == s->processId && ::lstrcmpiA(name, s->className) == 0 &&
        (!s->visibleOnly || ::IsWindowVisible(window)))
        s->found.push_back(window);
    return TRUE;
}

}  // namespace

std::vector<HWND> TProcess::Windows(const char* className, bool visibleOnly) const {
    TWindowSearch search{id_, className, visibleOnly, {}};
    ::EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::string WindowsPath(const std::string& path) {
    if (path.empty() || path[0] != '/') return path;
    std::string result = "Z:" + path;
    for (char& c : result)
        if (c == '/') c = '\\';
    return result;
}

void SetWindowsVersion(const std::string& exeName, const std::string& version) {
    const std::string key = "Software\\Wine\\AppDefaults\\" + exeName;
    if (version.empty()) {
        HKEY k = nullptr;
        if (::RegOpenKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, KEY_SET_VALUE, &k) == ERROR_SUCCESS) {
            ::RegDeleteValueA(k, "Version");
            ::RegCloseKey(k);
        }
        return;
    }
    HKEY k = nullptr;
    if (::RegCreateKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &k,
                          nullptr) != ERROR_SUCCESS)
        return;
    ::RegSetValueExA(k, "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(version.c_str()),
                     static_cast<DWORD>(version.size() + 1));
    ::RegCloseKey(k);
}

void PreferNativeLibraries(const std::string& exeName, const std::vector<std::string>& names) {
    const std::string key = "Software\\Wine\\AppDefaults\\" + exeName + "\\DllOverrides";
    ::RegDeleteTreeA(HKEY_CURRENT_USER, key.c_str());
    ::RegDeleteKeyA(HKEY_CURRENT_USER, key.c_str());
    if (names.empty()) return;
    HKEY k = nullptr;
    if (::RegCreateKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &k,
                          nullptr) != ERROR_SUCCESS)
        return;
    static const char order[] = "native,builtin";
    for (const std::string& name : names)
        ::RegSetValueExA(k, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(order),
                         sizeof order);
    ::RegCloseKey(k);
}

TProcess::TProcess(const TStartOptions& options) {
    const std::string exe = WindowsPath(options.exe);
    SetWindowsVersion(FileName(exe), options.windowsVersion);
    std::string commandLine = "\"" + exe + "\"";
    if (!options.arguments.empty()) commandLine += " " + options.arguments;
    const std::wstring wideExe = Widened(exe, options.codePage);
    std::wstring wideCommandLine = Widened(commandLine, options.codePage);

    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    std::string environment = EnvironmentBlock(options.environment);
    void* block = options.environment.empty() ? nullptr : &environment[0];
    BOOL ok = FALSE;
    if (options.administrator) {
        ok = ::CreateProcessW(wideExe.c_str(), &wideCommandLine[0], nullptr, nullptr, FALSE, 0,
                              block, nullptr, &startup, &info);
    } else {
        HANDLE token = DenyOnlyAdministratorsToken();
        ok = token && ::CreateProcessAsUserW(token, wideExe.c_str(), &wideCommandLine[0], nullptr,
                                             nullptr, FALSE, 0, block, nullptr, &startup, &info);
        if (token) ::CloseHandle(token);
    }
    if (!ok) return;
    ::CloseHandle(info.hThread);
    process_ = info.hProcess;
    id_ = info.dwProcessId;
}

TProcess::TProcess(DWORD processId)
    : process_(::OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION | PROCESS_TERMINATE, FALSE,
                             processId)),
      id_(process_ ? processId : 0) {}

TProcess::TProcess(TProcess&& o) noexcept
    : process_(std::exchange(o.process_, nullptr)), id_(std::exchange(o.id_, 0)) {}

TProcess& TProcess::operator=(TProcess&& o) noexcept {
    if (this != &o) {
        this->~TProcess();
        process_ = std::exchange(o.process_, nullptr);
        id_ = std::exchange(o.id_, 0);
    }
    return *this;
}

TProcess::~TProcess() {
    if (process_ == nullptr) return;
    if (::WaitForSingleObject(process_, 0) == WAIT_TIMEOUT) {
        // A case that ended early, or a program that did not end: the next
        // case must not find it as the running instance.
        std::fprintf(stderr, "process %lu still ran at the end of the case: ended\n",
                     static_cast<unsigned long>(id_));
        ::TerminateProcess(process_, 1);
        ::WaitForSingleObject(process_, BoundMs);
    }
    ::CloseHandle(process_);
}

HWND TProcess::WaitForDialog(DWORD timeoutMs) const {
    const DWORD start = ::GetTickCount();
    do {
        const HWND dialog = FindMainDialog(id_);
        if (dialog != nullptr && ::IsWindowVisible(dialog)) return dialog;
        if (::WaitForSingleObject(process_, 20) == WAIT_OBJECT_0) return nullptr;
    } while (::GetTickCount() - start < timeoutMs);
    return nullptr;
}

bool TProcess::WaitForExit(DWORD timeoutMs) const {
    return process_ && ::WaitForSingleObject(process_, timeoutMs) == WAIT_OBJECT_0;
}

DWORD TProcess::ExitCode() const {
    DWORD code = STILL_ACTIVE;
    if (process_) ::GetExitCodeProcess(process_, &code);
    return code;
}

}  // namespace uidriver
