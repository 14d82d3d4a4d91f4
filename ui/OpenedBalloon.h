// A balloon that opens by itself once the dialog shows, so that its hint is
// seen without searching for it, and closes at the user's first click or key
// in the dialog or after a while.
#pragma once

#include <windows.h>

namespace velmora {

// The dialog's timer that closes the balloon unasked.
constexpr UINT_PTR OpenedBalloonTimer = 1;
constexpr UINT OpenedBalloonMilliseconds = 15000;

// Takes `tip`, a tracking balloon of `dialog` (null: nothing happens), and
// shows it pointing into the middle of `target`.
void OpenBalloon(HWND dialog, HWND tip, HWND target);
void CloseOpenedBalloon(HWND dialog);

}  // namespace velmora
