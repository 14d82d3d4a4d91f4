// Collects the message boxes that an action on this thread shows, answering
// each with its first button so the action can go on.
#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <vector>

#include "tests/driver/UiDriver.h"

struct TBoxWatch {
    std::vector<uidriver::TMessageBox> seen;
    std::atomic<bool> done{false};
};

// A thread of the system's own: the toolchain's thread model has no
// std::thread, and the program under test needs none.
inline DWORD WINAPI WatchBoxes(void* parameter) {
    auto& watch = *static_cast<TBoxWatch*>(parameter);
    while (!watch.done) {
        for (const auto& box : uidriver::MessageBoxes(::GetCurrentProcessId())) {
            watch.seen.push_back(box);
            uidriver::Answer(box, box.buttons.empty() ? IDOK : box.buttons.front());
            // Seen once: the next look starts once the box has closed.
            uidriver::WaitUntil([&] { return !::IsWindow(box.window); });
        }
        ::Sleep(20);
    }
    return 0;
}

inline std::vector<uidriver::TMessageBox> BoxesShownBy(const std::function<void()>& action) {
    TBoxWatch watch;
    const HANDLE watcher = ::CreateThread(nullptr, 0, WatchBoxes, &watch, 0, nullptr);
    action();
    watch.done = true;
    if (watcher != nullptr) {
        ::WaitForSingleObject(watcher, INFINITE);
        ::CloseHandle(watcher);
    }
    return watch.seen;
}
