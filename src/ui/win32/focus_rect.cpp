// The double focus rectangle of the owner-drawn lists.
#include "ui/win32/dlgutil_win32.h"

namespace tqr {

bool DrawDoubleFocusRect(HDC dc, const RECT& rect) {
  if (!DrawFocusRect(dc, &rect)) return false;
  RECT inner = rect;
  InflateRect(&inner, -1, -1);
  return DrawFocusRect(dc, &inner) != FALSE;
}

}  // namespace tqr
