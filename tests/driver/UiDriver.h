// Drives Velmora.exe from a test program: starts it under a chosen Windows
// version and with or without administrative rights, finds its dialog and
// message boxes, reads controls and acts on them like a user.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace uidriver {

// How long the driver waits for the program under test to answer, to show
// what an action shows, or to end: a program that takes longer has hung.
constexpr DWORD BoundMs = 5000;

// Wine's per-program version setting: win98, nt40, win2k, winxp, vista,
// win7, win10.
struct TStartOptions {
    std::string exe;            // Unix or Windows path
    std::string arguments;      // appended after the quoted program path
    std::string windowsVersion; // empty: the prefix's default
    bool administrator = true;  // false: Administrators made deny-only
    std::vector<std::string> environment;  // NAME=value added to ours
    UINT codePage = CP_ACP;     // of exe and arguments; CP_UTF8 for any name
};

class TProcess {
public:
    TProcess() = default;
    explicit TProcess(const TStartOptions& options);
    // A process the program under test started itself (its elevated copy).
    explicit TProcess(DWORD processId);
    TProcess(TProcess&& o) noexcept;
    TProcess& operator=(TProcess&& o) noexcept;
    ~TProcess();  // ends the process if it still runs, and says so

    bool started() const { return process_ != nullptr; }
    DWORD id() const { return id_; }
    // The main dialog once it is visible; null after the time-out.
    // A first start under a new version or token in a fresh prefix can be slow.
    HWND WaitForDialog(DWORD timeoutMs = 45000) const;
    // True when the process ended within the time; ExitCode is then valid.
    bool WaitForExit(DWORD timeoutMs = BoundMs) const;
    DWORD ExitCode() const;
    // The top-level windows of the process of a window class.
    std::vector<HWND> Windows(const char* className, bool visibleOnly = true) const;

private:
    HANDLE process_ = nullptr;
    DWORD id_ = 0;
};

std::string WindowsPath(const std::string& path);
void SetWindowsVersion(const std::string& exeName, const std::string& version);
// Wine prefers its built-in libraries; for `exeName` the ones named (as
// "version", "hhctrl.ocx") are looked for as files first, as Windows does.
// Read by Wine at each start; an empty list takes the preference back.
void PreferNativeLibraries(const std::string& exeName, const std::vector<std::string>& names);

// The top-level "Velmora" dialog of a process (the one with the edits).
HWND FindMainDialog(DWORD processId);
// The first such dialog of any process other than `excluded`; its process id
// into `processId`.
HWND FindOtherMainDialog(DWORD excluded, DWORD& processId);

// Waits until `process` ends, watching it all the while: true when it ended
// within the time and never showed its dialog or a message box.
bool EndsShowingNothing(const TProcess& process, DWORD timeoutMs = 20000);

// Polls `condition` until it holds or the time is up.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs = BoundMs);
// The dialog box (#32770) of `process` titled `title`, or whose title starts
// with it where `prefix`, once it shows; nullptr when none does in time.
HWND WaitForDialogTitled(const TProcess& process, const std::string& title,
                         DWORD timeoutMs = BoundMs, bool prefix = false);
// Waits until the dialog's thread has handled what was posted to it before:
// whatever a posted action or the start shows is on the screen by then.
// False when the thread does not get there within the bound.
bool Settled(HWND dialog);

// The tooltip windows of the process of one kind, balloons or plain ones;
// with `visibleOnly` only those showing now.
size_t CountTooltips(const TProcess& process, bool balloon, bool visibleOnly);

// Controls.
HWND Control(HWND dialog, int id);
std::string Text(HWND window);
bool IsEnabled(HWND window);
bool IsReadOnly(HWND edit);
int CheckState(HWND button);
int TextLimit(HWND edit);
LONG Style(HWND window);
std::string ClassName(HWND window);

// Actions; they are posted, so a modal box they open does not block.
void Click(HWND button);
void SetText(HWND edit, const std::string& text);
void TypeText(HWND edit, const std::string& text);
void PressKey(HWND dialog, UINT virtualKey);  // to the control with the focus
// As typed on the keyboard, to the dialog made the foreground window: F1
// becomes WM_HELP only on this way in.
void PressHardwareKey(HWND dialog, UINT virtualKey);
// Alt+Space, then `letter` as a mnemonic of the opened system menu, as typed;
// false when the menu did not open.
bool ChooseFromSystemMenu(const TProcess& process, HWND dialog, char letter);
// A click of the left mouse button in the middle of a control: what a
// static control with SS_NOTIFY turns into STN_CLICKED.
void ClickWithMouse(HWND control);
// Which system icon a control shows on the screen: MB_ICONERROR,
// MB_ICONQUESTION, MB_ICONWARNING, MB_ICONINFORMATION, or MB_USERICON for
// none of them.
UINT IconShown(HWND control);
// Moves the mouse pointer over the middle of a window, as a user would;
// false when it is not reported there within the driver's bound.
bool Hover(HWND window);
void Minimise(HWND dialog);
void Close(HWND dialog);  // WM_CLOSE, like the close box

// Message boxes.
struct TMessageBox {
    HWND window = nullptr;
    HWND owner = nullptr;
    std::string caption;
    std::string text;
    UINT icon = 0;             // MB_ICONERROR, MB_ICONQUESTION, ... or 0
    std::vector<int> buttons;  // visible button ids: IDOK, IDYES, ...
};
std::optional<TMessageBox> WaitForMessageBox(DWORD processId, DWORD timeoutMs = 10000);
// All message boxes shown by the process right now.
std::vector<TMessageBox> MessageBoxes(DWORD processId);
void Answer(const TMessageBox& box, int buttonId);
// Waits for the process's next message box, answers it with `buttonId` and
// waits until it has closed; nothing when no box came.
std::optional<TMessageBox> AnswerNextBox(DWORD processId, int buttonId = IDOK);

}  // namespace uidriver
