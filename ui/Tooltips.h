// The counter tooltip of the three edits and the balloon tooltips.
#pragma once

#include <windows.h>

namespace velmora {

bool CreateCounterTip(HWND dialog);
void AddCounterTool(HWND edit);
void UpdateCounterTool(HWND edit);

// A balloon on control `id`: `literalText` wins over string `textId`;
// `titleId` names the title, `icon` is a TTI_ value. Null on failure.
HWND AddBalloonTip(HWND dialog, int id, int icon, const char* literalText, UINT textId,
                   UINT titleId);
// A balloon over the area of group box `frameId`, shown wherever the mouse
// rests on the dialog inside it; its tool id is `frameId`.
HWND AddAreaBalloonTip(HWND dialog, int frameId, int icon, UINT textId, UINT titleId);

// A balloon shown only on request (ShowTrackingBalloon), pointing where it
// is told.
HWND AddTrackingBalloonTip(HWND dialog, int icon, UINT textId, UINT titleId);
// Shows it with its stem in the middle of `target`.
void ShowTrackingBalloon(HWND tip, HWND dialog, HWND target);

}  // namespace velmora
