#include "tests/driver/UiDriver.h"

#include <commctrl.h>

#include <initializer_list>

namespace uidriver {

namespace {

// A message to a window of the program under test, which may hang: the
// test fails then, but goes on. `failed` is the answer after five seconds.
// Without SMTO_ABORTIFHUNG: a thread that has not asked for a message for
// five seconds counts as hung, and one that has just shown a message box has
// often not yet asked; its answer would come back empty.
LRESULT SendBounded(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT failed) {
    DWORD_PTR answer = 0;
    if (!::SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL, BoundMs, &answer))
        return failed;
    return static_cast<LRESULT>(answer);
}

constexpr int MainDialogMarker = 1013;  // the caption edit exists only there
constexpr int MessageBoxTextId = 0xFFFF;

struct TSearch {
    DWORD processId;
    std::vector<HWND> found;
};

bool IsDialogOf(HWND window, DWORD processId) {
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    return owner == processId && ClassName(window) == "#32770";
}

BOOL CALLBACK CollectDialog(HWND window, LPARAM param) {
    auto* s = reinterpret_cast<TSearch*>(param);
    if (IsDialogOf(window, s->processId)) s->found.push_back(window);
    return TRUE;
}

std::vector<HWND> DialogsOf(DWORD processId) {
    TSearch search{processId, {}};
    ::EnumWindows(CollectDialog, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// 32-bit pixels of a bitmap selected into `dc`.
std::vector<DWORD> Pixels(HDC dc, HBITMAP bitmap, int width, int height) {
    BITMAPINFO header = {};
    header.bmiHeader.biSize = sizeof header.bmiHeader;
    header.bmiHeader.biWidth = width;
    header.bmiHeader.biHeight = -height;
    header.bmiHeader.biPlanes = 1;
    header.bmiHeader.biBitCount = 32;
    std::vector<DWORD> pixels(static_cast<size_t>(width) * height);
    ::GetDIBits(dc, bitmap, 0, height, pixels.data(), &header, DIB_RGB_COLORS);
    for (DWORD& p : pixels) p &= 0xFFFFFF;
    return pixels;
}

// Icon handles of another process mean nothing here, so the icon shown is
// told apart by its picture: the screen under the icon control against each
// system icon drawn on the same background.
UINT IconOnScreen(HWND control) {
    RECT r;
    ::GetWindowRect(control, &r);
    const int w = r.right - r.left, h = r.bottom - r.top;
    if (w <= 0 || h <= 0) return 0;
    const HDC screen = ::GetDC(nullptr);
    const HDC memory = ::CreateCompatibleDC(screen);
    const HBITMAP shot = ::CreateCompatibleBitmap(screen, w, h);
    HGDIOBJ old = ::SelectObject(memory, shot);
    ::BitBlt(memory, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
    ::SelectObject(memory, old);
    const std::vector<DWORD> shown = Pixels(memory, shot, w, h);

    struct TIcon {
        LPCSTR id;
        UINT style;
    };
    static const TIcon icons[] = {{IDI_HAND, MB_ICONERROR},
                                  {IDI_QUESTION, MB_ICONQUESTION},
                                  {IDI_EXCLAMATION, MB_ICONWARNING},
                                  {IDI_ASTERISK, MB_ICONINFORMATION}};
    UINT best = MB_USERICON;
    size_t fewest = shown.size() / 10 + 1;  // at most 10 % of the pixels may differ
    for (const TIcon& icon : icons) {
        const HBITMAP drawn = ::CreateCompatibleBitmap(screen, w, h);
        old = ::SelectObject(memory, drawn);
        const HBRUSH background = ::CreateSolidBrush(shown.empty() ? 0 : shown.front());
        const RECT all = {0, 0, w, h};
        ::FillRect(memory, &all, background);
        ::DeleteObject(background);
        ::DrawIconEx(memory, 0, 0, ::LoadIconA(nullptr, icon.id), 0, 0, 0, nullptr, DI_NORMAL);
        ::SelectObject(memory, old);
        const std::vector<DWORD> expected = Pixels(memory, drawn, w, h);
        ::DeleteObject(drawn);
        size_t differing = 0;
        for (size_t i = 0; i < shown.size(); ++i) differing += shown[i] != expected[i];
        if (differing < fewest) {
            fewest = differing;
            best = icon.style;
        }
    }
    ::DeleteObject(shot);
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);
    return best;
}

UINT IconStyle(HWND box) {
    for (HWND child = ::GetWindow(box, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (ClassName(child) != "Static" || (Style(child) & SS_TYPEMASK) != SS_ICON) continue;
        if (!::IsWindowVisible(child) || SendBounded(child, STM_GETICON, 0, 0, 0) == 0) return 0;
        return IconShown(child);  // waits for a box that is not painted yet
    }
    return 0;
}

TMessageBox Describe(HWND box) {
    TMessageBox result;
    result.window = box;
    result.owner = ::GetWindow(box, GW_OWNER);
    result.caption = Text(box);
    result.text = Text(::GetDlgItem(box, MessageBoxTextId));
    result.icon = IconStyle(box);
    for (HWND child = ::GetWindow(box, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
        if (ClassName(child) == "Button" && ::IsWindowVisible(child))
            result.buttons.push_back(::GetDlgCtrlID(child));
    return result;
}

}  // namespace

HWND FindMainDialog(DWORD processId) {
    for (HWND dialog : DialogsOf(processId))
        if (::GetDlgItem(dialog, MainDialogMarker) != nullptr && Text(dialog) == "Velmora")
            return dialog;
    return nullptr;
}

namespace {

struct TOther {
    DWORD excluded;
    HWND found;
};

BOOL CALLBACK FindOther(HWND window, LPARAM param) {
    auto* o = reinterpret_cast<TOther*>(param);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(window, &pid);
    if (pid != o->excluded && ClassName(window) == "#32770" &&
        ::GetDlgItem(window, MainDialogMarker) != nullptr && Text(window) == "Velmora") {
        o->found = window;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

HWND FindOtherMainDialog(DWORD excluded, DWORD& processId) {
    TOther other{excluded, nullptr};
    ::EnumWindows(FindOther, reinterpret_cast<LPARAM>(&other));
    processId = 0;
    if (other.found) ::GetWindowThreadProcessId(other.found, &processId);
    return other.found;
}

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
    const DWORD start = ::GetTickCount();
    while (!condition()) {
        if (::GetTickCount() - start >= timeoutMs) return false;
        ::Sleep(20);
    }
    return true;
}

HWND WaitForDialogTitled(const TProcess& process, const std::string& title, DWORD timeoutMs,
                         bool prefix) {
    HWND found = nullptr;
    WaitUntil([&] {
        for (HWND w : process.Windows("#32770")) {
            const std::string text = Text(w);
            if (prefix ? text.rfind(title, 0) == 0 : text == title) found = w;
        }
        return found != nullptr;
    }, timeoutMs);
    return found;
}

bool Settled(HWND dialog) {
    // Posted messages are handled in order, modal loops included; the
    // pushed look of Cancel, which clicks nothing, tells when one was. The
    // first round ends once the thread is back in a message loop, past the
    // handler it was in; the second comes after whatever that handler
    // posted on its way out.
    const HWND marker = ::GetDlgItem(dialog, IDCANCEL);
    for (int round = 0; round < 2; ++round) {
        if (marker == nullptr || !::PostMessageA(marker, BM_SETSTATE, TRUE, 0)) return false;
        const bool handled = WaitUntil(
            [&] { return (SendBounded(marker, BM_GETSTATE, 0, 0, 0) & BST_PUSHED) != 0; });
        ::PostMessageA(marker, BM_SETSTATE, FALSE, 0);
        if (!handled) return false;
    }
    return true;
}

bool EndsShowingNothing(const TProcess& process, DWORD timeoutMs) {
    bool shown = false;
    const bool ended = WaitUntil(
        [&] {
            shown = shown || FindMainDialog(process.id()) != nullptr ||
                    !MessageBoxes(process.id()).empty();
            return process.WaitForExit(0);
        },
        timeoutMs);
    return ended && !shown;
}

HWND Control(HWND dialog, int id) { return ::GetDlgItem(dialog, id); }

std::string Text(HWND window) {
    if (window == nullptr) return {};
    const LRESULT length = SendBounded(window, WM_GETTEXTLENGTH, 0, 0, -1);
    if (length < 0) return {};
    std::string text(static_cast<size_t>(length) + 1, '\0');
    const LRESULT copied =
        SendBounded(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]), 0);
    text.resize(static_cast<size_t>(copied));
    return text;
}

bool IsEnabled(HWND window) { return ::IsWindowEnabled(window) != FALSE; }
bool IsReadOnly(HWND edit) { return (Style(edit) & ES_READONLY) != 0; }
LONG Style(HWND window) { return ::GetWindowLongA(window, GWL_STYLE); }

size_t CountTooltips(const TProcess& process, bool balloon, bool visibleOnly) {
    size_t count = 0;
    for (HWND tip : process.Windows(TOOLTIPS_CLASSA, visibleOnly))
        if (((Style(tip) & TTS_BALLOON) != 0) == balloon) ++count;
    return count;
}

std::string ClassName(HWND window) {
    char name[64] = {};
    ::GetClassNameA(window, name, sizeof name);
    return name;
}

int CheckState(HWND button) { return static_cast<int>(SendBounded(button, BM_GETCHECK, 0, 0, -1)); }
int TextLimit(HWND edit) { return static_cast<int>(SendBounded(edit, EM_GETLIMITTEXT, 0, 0, -1)); }

void Click(HWND button) { ::PostMessageA(button, BM_CLICK, 0, 0); }

void SetText(HWND edit, const std::string& text) {
    SendBounded(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), FALSE);
}

void TypeText(HWND edit, const std::string& text) {
    for (unsigned char c : text) ::PostMessageA(edit, WM_CHAR, c, 1);
}

void PressKey(HWND dialog, UINT virtualKey) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    const DWORD thread = ::GetWindowThreadProcessId(dialog, nullptr);
    HWND target = dialog;
    if (::GetGUIThreadInfo(thread, &info) && info.hwndFocus != nullptr) target = info.hwndFocus;
    const UINT scan = ::MapVirtualKeyA(virtualKey, 0);
    ::PostMessageA(target, WM_KEYDOWN, virtualKey, 1 | (scan << 16));
    ::PostMessageA(target, WM_KEYUP, virtualKey, 1 | (scan << 16) | 0xC0000000u);
}

namespace {

// Key presses and releases as typed, to the dialog made the foreground
// window; a key with `up` set is released.
struct TKeyStroke {
    WORD key;
    bool up;
};

void TypeKeys(HWND dialog, std::initializer_list<TKeyStroke> strokes) {
    ::SetForegroundWindow(dialog);
    WaitUntil([&] { return ::GetForegroundWindow() == dialog; }, 2000);
    std::vector<INPUT> keys(strokes.size());
    size_t i = 0;
    for (const TKeyStroke& stroke : strokes) {
        keys[i].type = INPUT_KEYBOARD;
        keys[i].ki.wVk = stroke.key;
        keys[i++].ki.dwFlags = stroke.up ? KEYEVENTF_KEYUP : 0;
    }
    ::SendInput(static_cast<UINT>(keys.size()), keys.data(), sizeof(INPUT));
}

}  // namespace

void PressHardwareKey(HWND dialog, UINT virtualKey) {
    const WORD key = static_cast<WORD>(virtualKey);
    TypeKeys(dialog, {{key, false}, {key, true}});
}

bool ChooseFromSystemMenu(const TProcess& process, HWND dialog, char letter) {
    TypeKeys(dialog, {{VK_MENU, false}, {VK_SPACE, false}, {VK_SPACE, true}, {VK_MENU, true}});
    // Three bounds: on a host of two cores that also runs the emulated smoke
    // test, a menu once took longer than one to show.
    if (!WaitUntil([&] { return !process.Windows("#32768").empty(); }, 3 * BoundMs)) return false;
    PressHardwareKey(dialog, static_cast<UINT>(letter));
    return true;
}

void ClickWithMouse(HWND control) {
    RECT r;
    ::GetClientRect(control, &r);
    const LPARAM middle = MAKELPARAM(r.right / 2, r.bottom / 2);
    ::PostMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, middle);
    ::PostMessageA(control, WM_LBUTTONUP, 0, middle);
}

UINT IconShown(HWND control) {
    UINT icon = MB_USERICON;
    WaitUntil([&] { return (icon = IconOnScreen(control)) != MB_USERICON; }, 3000);
    return icon;
}

bool Hover(HWND window) {
    RECT r;
    ::GetWindowRect(window, &r);
    const int x = (r.left + r.right) / 2, y = (r.top + r.bottom) / 2;
    const auto moveThere = [&] {
        ::SetCursorPos(x - 3, y - 3);
        INPUT move = {};
        move.type = INPUT_MOUSE;
        move.mi.dx = 3;
        move.mi.dy = 3;
        move.mi.dwFlags = MOUSEEVENTF_MOVE;
        ::SendInput(1, &move, sizeof move);
        return ::GetTickCount();
    };
    // Now and then the relative move starts from where the pointer was
    // before the jump, and the pointer ends up beside the control: moved
    // again until, a while after the move, it is reported over it.
    DWORD movedAt = moveThere();
    return WaitUntil([&] {
        if (::GetTickCount() - movedAt < 150) return false;
        POINT at = {};
        if (::GetCursorPos(&at) && ::PtInRect(&r, at)) return true;
        movedAt = moveThere();
        return false;
    });
}

void Minimise(HWND dialog) { ::PostMessageA(dialog, WM_SYSCOMMAND, SC_MINIMIZE, 0); }
void Close(HWND dialog) { ::PostMessageA(dialog, WM_CLOSE, 0, 0); }

std::vector<TMessageBox> MessageBoxes(DWORD processId) {
    std::vector<TMessageBox> boxes;
    for (HWND dialog : DialogsOf(processId))
        if (::GetDlgItem(dialog, MainDialogMarker) == nullptr && ::IsWindowVisible(dialog))
            boxes.push_back(Describe(dialog));
    return boxes;
}

std::optional<TMessageBox> WaitForMessageBox(DWORD processId, DWORD timeoutMs) {
    const DWORD start = ::GetTickCount();
    do {
        auto boxes = MessageBoxes(processId);
        if (!boxes.empty()) return boxes.front();
        ::Sleep(20);
    } while (::GetTickCount() - start < timeoutMs);
    return std::nullopt;
}

void Answer(const TMessageBox& box, int buttonId) {
    ::PostMessageA(box.window, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(box.window, buttonId)));
}

std::optional<TMessageBox> AnswerNextBox(DWORD processId, int buttonId) {
    auto box = WaitForMessageBox(processId);
    if (box) {
        Answer(*box, buttonId);
        WaitUntil([&] { return MessageBoxes(processId).empty(); });
    }
    return box;
}

}  // namespace uidriver
