// Collects the message boxes that an action on this thread shows, answering
// each with its first button so the action can go on.
#pragma once

#include <atomic>
#include <functional>
#include <thread>
#include <vector>

#include "tests/driver/UiDriver.h"

inline std::vector<uidriver::TMessageBox> BoxesShownBy(const std::function<void()>& action) {
    std::vector<uidriver::TMessageBox> seen;
    std::atomic<bool> done{false};
    std::thread watcher([&] {
        while (!done) {
            for (const auto& box : uidriver::MessageBoxes(::GetCurrentProcessId())) {
                seen.push_back(box);
                uidriver::Answer(box, box.buttons.empty() ? IDOK : box.buttons.front());
                ::Sleep(200);  // let the box close before looking again
            }
            ::Sleep(20);
        }
    });
    action();
    done = true;
    watcher.join();
    return seen;
}
