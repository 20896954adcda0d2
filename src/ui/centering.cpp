// Where a dialog goes so that it sits centred over its owner and starts on
// the screen.
#include <cstdint>

#include "ui/dlgutil.h"

namespace tqr {
namespace {

// One axis. The near edge is kept on the screen first; only when it is the
// far edge is pulled back onto the screen.
int CenteredCoordinate(int windowStart, int windowEnd, int ownerStart, int ownerEnd,
                       int screenSize) {
  // Wide arithmetic: the rectangles are whatever the window manager reports.
  const std::int64_t size = std::int64_t{windowEnd} - windowStart;
  const std::int64_t ownerSize = std::int64_t{ownerEnd} - ownerStart;
  std::int64_t position = ownerStart + (ownerSize - size) / 2;  // rounds toward zero
  if (position < 0) {
    position = 0;
  } else if (position + size > screenSize) {
    position = screenSize - size;
  }
  return static_cast<int>(position);
}

}  // namespace

ScreenPoint CenteredPosition(const ScreenRect& window, const ScreenRect& owner, int screenWidth,
                             int screenHeight) {
  return ScreenPoint{
      CenteredCoordinate(window.left, window.right, owner.left, owner.right, screenWidth),
      CenteredCoordinate(window.top, window.bottom, owner.top, owner.bottom, screenHeight)};
}

}  // namespace tqr
