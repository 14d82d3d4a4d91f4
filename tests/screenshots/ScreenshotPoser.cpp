// Puts Velmora into a state worth a screenshot on NT 6 and holds it:
//   save       without rights, the mouse resting on the Save button (its balloon)
//   counter    with rights, text typed into the notice text (its counter)
//   signature  with rights, the mouse resting on the signature icon (its balloon)
//   policy     with rights and a policy caption, the mouse on the notice block
//   preview0 ... preview3  with rights, the preview of a typed notice for one
//              Windows family (classic, 9x, Vista and 7, 8 to 11)
// Prints "ready" once the pose is taken.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "tests/driver/Registry.h"
#include "tests/driver/UiDriver.h"

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: ScreenshotPoser VELMORA.EXE save|counter|signature|policy [SECONDS]\n");
        return 2;
    }
    const bool counter = std::strcmp(argv[2], "counter") == 0;
    const bool signature = std::strcmp(argv[2], "signature") == 0;
    const bool policy = std::strcmp(argv[2], "policy") == 0;
    const bool preview = std::strncmp(argv[2], "preview", 7) == 0;
    const char* const policyKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System";
    if (policy) uidriver::WriteText(policyKey, "LegalNoticeCaption", "Richtlinie");
    uidriver::TProcess velmora(
        {argv[1], signature ? "" : "nocert", "win7", counter || signature || policy || preview});
    const HWND dialog = velmora.WaitForDialog();
    if (policy) uidriver::DeleteValue(policyKey, "LegalNoticeCaption");
    if (dialog == nullptr) return 1;
    int target = IDOK;
    if (counter) {
        uidriver::Click(uidriver::Control(dialog, 1010));
        uidriver::WaitUntil([&] { return uidriver::IsEnabled(uidriver::Control(dialog, 1014)); });
        uidriver::TypeText(uidriver::Control(dialog, 1014), "Nur f\xFCr befugte Benutzer.\r");
        ::Sleep(300);
        target = 1014;
    } else if (signature) {
        target = 1006;
    } else if (policy) {
        target = 1012;
    }
    HWND shown = dialog;
    if (preview) {
        const wchar_t caption[] = L"Hinweis f\u00FCr Benutzer \u2013 \u03A9 Labor";
        const wchar_t text[] = L"Dieses System ist nur f\u00FCr befugte Benutzer bestimmt.\r\n\r\n"
                               L"Jeder Zugriff wird protokolliert. Wer ohne Befugnis weitermacht, "
                               L"muss mit rechtlichen Schritten rechnen.";
        ::SendMessageW(uidriver::Control(dialog, 1013), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(caption));
        ::SendMessageW(uidriver::Control(dialog, 1014), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
        uidriver::ChooseFromSystemMenu(velmora, dialog, 'O');
        uidriver::WaitUntil([&] { return (shown = ::FindWindowA("#32770", "Vorschau der Anmeldenachricht")) != nullptr; });
        const HWND family = uidriver::Control(shown, 1030);
        ::SendMessageA(family, CB_SETCURSEL, std::atoi(argv[2] + 7), 0);
        ::SendMessageA(shown, WM_COMMAND, MAKEWPARAM(1030, CBN_SELCHANGE), reinterpret_cast<LPARAM>(family));
    } else {
        uidriver::Hover(uidriver::Control(dialog, target));
    }
    std::printf("ready\n");
    std::fflush(stdout);
    ::Sleep((argc > 3 ? std::atoi(argv[3]) : 6) * 1000);
    if (shown != dialog) uidriver::Close(shown);
    uidriver::Close(dialog);
    velmora.WaitForExit(5000);
    return 0;
}
