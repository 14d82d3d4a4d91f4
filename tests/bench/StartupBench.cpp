// Median time from process start until the dialog is visible: Velmora
// without and with its signature panel, each against its yardstick, all
// four runs interleaved.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/driver/UiDriver.h"

namespace {

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to) {
    LARGE_INTEGER frequency;
    ::QueryPerformanceFrequency(&frequency);
    return double(to.QuadPart - from.QuadPart) / double(frequency.QuadPart);
}

// Seconds until the dialog shows, -1 when it does not; `icon` tells whether
// the signature icon showed.
double TimeToDialog(const uidriver::TStartOptions& start, bool* icon = nullptr) {
    LARGE_INTEGER from, ready;
    ::QueryPerformanceCounter(&from);
    uidriver::TProcess process(start);
    const HWND dialog = process.WaitForDialog(30000);
    ::QueryPerformanceCounter(&ready);
    if (dialog == nullptr) return -1;
    if (icon) *icon = ::GetDlgItem(dialog, 1006) != nullptr;
    uidriver::Close(dialog);
    process.WaitForExit(10000);
    return Seconds(from, ready);
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}

struct TPair {
    const char* name;
    uidriver::TStartOptions velmora, yardstick;
    double aim;
    std::vector<double> times[2];
};

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: StartupBench VELMORA.EXE YARDSTICK.EXE [RUNS]\n");
        return 2;
    }
    const int runs = argc > 3 ? std::atoi(argv[3]) : 15;
    const std::string velmora = argv[1], yardstick = argv[2];
    const std::string checked = uidriver::WindowsPath(velmora);
    // Windows 7: a system that shows the panel unless told "nocert".
    TPair pairs[] = {
        {"nocert", {velmora, "nocert", "win7"}, {yardstick, "", "win7"}, 1.15},
        {"panel", {velmora, "", "win7"}, {yardstick, "\"" + checked + "\"", "win7"}, 1.25},
    };
    bool icon = false;
    for (TPair& pair : pairs) {  // warm the file cache and Wine's own start-up
        TimeToDialog(pair.velmora, &icon);
        TimeToDialog(pair.yardstick);
    }
    for (int i = 0; i < runs; ++i) {
        for (TPair& pair : pairs) {
            const double v = TimeToDialog(pair.velmora), y = TimeToDialog(pair.yardstick);
            if (v < 0 || y < 0) {
                std::fprintf(stderr, "a dialog did not appear (%s)\n", pair.name);
                return 1;
            }
            pair.times[0].push_back(v);
            pair.times[1].push_back(y);
        }
    }
    std::printf("runs each: %d, interleaved; medians until the dialog shows\n", runs);
    std::printf("panel: %s\n", icon ? "problem state (icon shown)" : "in order (no icon)");
    std::printf("  %-8s %10s %10s %7s   %s\n", "Velmora", "Velmora", "yardstick", "ratio", "aim");
    for (const TPair& pair : pairs) {
        const double v = Median(pair.times[0]), y = Median(pair.times[1]);
        std::printf("  %-8s %7.1f ms %7.1f ms %7.2f   at most %.2f: %s\n", pair.name, v * 1000,
                    y * 1000, v / y, pair.aim, v / y <= pair.aim ? "met" : "MISSED");
    }
    return 0;
}
