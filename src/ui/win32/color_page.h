// What the Color page's files share: its state block and the balance bars.
// The dialog procedure itself is ColorPageProc (ui/win32/advanced_pages.h).
#pragma once

#include <windows.h>

#include "ui/color_page_model.h"
#include "ui/win32/dlgutil_win32.h"
#include "ui/win32/step_slider.h"

namespace tqr {

struct ColorPageBlock {
  DialogHeader header;
  StepSliderState slider;
  // One gradient per balance bar, in the order of kBalanceBars; each bar's
  // owner is this block, which deletes them when the page goes.
  HBITMAP gradients[kBalanceBarCount];
  HBRUSH hollowBrush;
};

// The controls of each balance bar, in the order of kBalanceBars.
struct BalanceBarControls {
  int labelId;
  int barId;
  int valueId;
};
extern const BalanceBarControls kBalanceBarControls[kBalanceBarCount];

// The index of the bar with `window`; -1 for another window.
int BalanceBarIndex(HWND page, HWND window);

// A bitmap of the bar's gradient from white to `ink` between its arrows,
// with a sunken frame; null when the bar has no room or memory is short.
HBITMAP MakeGradientBitmap(HWND bar, InkColor ink);
// WM_CTLCOLORSCROLLBAR: an enabled bar gets its gradient and the hollow
// brush; a disabled one is left to the system (0).
HBRUSH PaintBalanceBar(const ColorPageBlock* block, HWND page, HDC dc, HWND bar);

}  // namespace tqr
