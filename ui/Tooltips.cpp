#include "Tooltips.h"

namespace velmora {

// The tooltips arrive with the counters.
bool CreateCounterTip(HWND) { return false; }
void AddCounterTool(HWND) {}
void UpdateCounterTool(HWND) {}
HWND AddBalloonTip(HWND, int, int, const char*, UINT, UINT) { return nullptr; }

}  // namespace velmora
