// Centring a dialog over its owner, kept on the screen.
#include "ui/win32/dlgutil_win32.h"

namespace tqr {
namespace {

ScreenRect ToScreenRect(const RECT& rect) {
  return ScreenRect{rect.left, rect.top, rect.right, rect.bottom};
}

}  // namespace

void CenterWindowOver(HWND window, HWND owner) {
  RECT windowRect = {};
  if (!GetWindowRect(window, &windowRect)) return;
  RECT ownerRect = {};
  // Without an owner (or with one already gone) the screen is the owner.
  if (owner == nullptr || !GetWindowRect(owner, &ownerRect)) {
    ownerRect = RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  }
  const ScreenPoint at =
      CenteredPosition(ToScreenRect(windowRect), ToScreenRect(ownerRect),
                       GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
  SetWindowPos(window, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

}  // namespace tqr
