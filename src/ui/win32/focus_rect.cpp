// Lines of the owner-drawn controls: the double focus rectangle of the
// lists, and lines in system colours.
#include "ui/win32/dlgutil_win32.h"

namespace tqr {

bool DrawDoubleFocusRect(HDC dc, const RECT& rect) {
  if (!DrawFocusRect(dc, &rect)) return false;
  RECT inner = rect;
  InflateRect(&inner, -1, -1);
  return DrawFocusRect(dc, &inner) != FALSE;
}

void DrawSysColorLine(HDC dc, int x0, int y0, int x1, int y1, int colorIndex) {
  HPEN pen = CreatePen(PS_SOLID, 1, GetSysColor(colorIndex));
  if (pen == nullptr) return;
  HGDIOBJ previous = SelectObject(dc, pen);
  MoveToEx(dc, x0, y0, nullptr);
  LineTo(dc, x1, y1);
  SelectObject(dc, previous);
  DeleteObject(pen);
}

}  // namespace tqr
