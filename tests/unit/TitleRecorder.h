// Records the balloon titles sent on this thread (TTM_SETTITLEA) while it
// lives: Wine's tooltip does not hand a title back.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

struct TSetTitle {
    HWND tip;
    WPARAM icon;
    std::string title;
};

class TTitleRecorder {
public:
    TTitleRecorder() {
        current_ = &titles;
        hook_ = ::SetWindowsHookExA(WH_CALLWNDPROC, Record, nullptr, ::GetCurrentThreadId());
    }
    ~TTitleRecorder() {
        ::UnhookWindowsHookEx(hook_);
        current_ = nullptr;
    }
    TTitleRecorder(const TTitleRecorder&) = delete;
    TTitleRecorder& operator=(const TTitleRecorder&) = delete;

    std::vector<TSetTitle> titles;

private:
    static LRESULT CALLBACK Record(int code, WPARAM wParam, LPARAM lParam) {
        const auto* message = reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (code == HC_ACTION && current_ != nullptr && message->message == TTM_SETTITLEA)
            current_->push_back({message->hwnd, message->wParam,
                                 reinterpret_cast<const char*>(message->lParam)});
        return ::CallNextHookEx(nullptr, code, wParam, lParam);
    }
    static inline std::vector<TSetTitle>* current_ = nullptr;
    HHOOK hook_;
};
