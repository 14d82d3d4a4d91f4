// Median time from process start until the dialog is visible, Velmora
// against the minimal dialog program, runs interleaved.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "tests/driver/UiDriver.h"

namespace {

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to) {
    LARGE_INTEGER frequency;
    ::QueryPerformanceFrequency(&frequency);
    return double(to.QuadPart - from.QuadPart) / double(frequency.QuadPart);
}

double TimeToDialog(const char* exe) {
    LARGE_INTEGER start, ready;
    ::QueryPerformanceCounter(&start);
    uidriver::TProcess process({exe, "", "", true});
    const HWND dialog = process.WaitForDialog(30000);
    ::QueryPerformanceCounter(&ready);
    if (dialog == nullptr) return -1;
    uidriver::Close(dialog);
    process.WaitForExit(10000);
    return Seconds(start, ready);
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: StartupBench VELMORA.EXE MINIMAL.EXE [RUNS]\n");
        return 2;
    }
    const int runs = argc > 3 ? std::atoi(argv[3]) : 15;
    std::vector<double> velmora, minimal;
    TimeToDialog(argv[1]);  // warm the file cache and Wine's own start-up
    TimeToDialog(argv[2]);
    for (int i = 0; i < runs; ++i) {
        const double v = TimeToDialog(argv[1]);
        const double m = TimeToDialog(argv[2]);
        if (v < 0 || m < 0) {
            std::fprintf(stderr, "a dialog did not appear\n");
            return 1;
        }
        velmora.push_back(v);
        minimal.push_back(m);
    }
    const double mv = Median(velmora), mm = Median(minimal);
    std::printf("runs each:              %d (interleaved)\n", runs);
    std::printf("Velmora dialog ready:   %.1f ms (median)\n", mv * 1000);
    std::printf("minimal dialog ready:   %.1f ms (median)\n", mm * 1000);
    std::printf("ratio:                  %.2f (aim: at most 1.3)\n", mv / mm);
    return 0;
}
