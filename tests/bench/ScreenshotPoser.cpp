// Puts Velmora into a state worth a screenshot on NT 6: without rights with
// the mouse resting on the Save button (its balloon), or with rights on the
// enabled notice text (its counter). Prints "ready" and holds the pose.
#include <cstdio>
#include <cstring>

#include "UiDriver.h"

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: ScreenshotPoser VELMORA.EXE save|counter [SECONDS]\n");
        return 2;
    }
    const bool counter = std::strcmp(argv[2], "counter") == 0;
    uidriver::TProcess velmora({argv[1], "nocert", "win7", counter});
    const HWND dialog = velmora.WaitForDialog();
    if (dialog == nullptr) return 1;
    if (counter) {
        uidriver::Click(uidriver::Control(dialog, 1010));
        uidriver::WaitUntil([&] { return uidriver::IsEnabled(uidriver::Control(dialog, 1014)); });
        uidriver::TypeText(uidriver::Control(dialog, 1014), "Nur f\xFCr befugte Benutzer.\r");
        ::Sleep(300);
    }
    uidriver::Hover(uidriver::Control(dialog, counter ? 1014 : IDOK));
    std::printf("ready\n");
    std::fflush(stdout);
    ::Sleep((argc > 3 ? std::atoi(argv[3]) : 6) * 1000);
    uidriver::Close(dialog);
    velmora.WaitForExit(5000);
    return 0;
}
