// A bitmap centred in an owner-drawn control: the Main page's small
// pictures and the Save page's arrows.
#include <windows.h>

#include "ui/win32/dlgutil_win32.h"

namespace tqr {

bool DrawBitmapCentred(HDC dc, const RECT& rect, HBITMAP bitmap, const COLORREF* transparent,
                       RECT* drawn) {
  BITMAP info = {};
  if (bitmap == nullptr || GetObjectW(bitmap, sizeof info, &info) == 0) return false;
  HDC source = CreateCompatibleDC(dc);
  if (source == nullptr) return false;
  HGDIOBJ previous = SelectObject(source, bitmap);
  const int left = rect.left + ((rect.right - rect.left) - info.bmWidth) / 2;
  const int top = rect.top + ((rect.bottom - rect.top) - info.bmHeight) / 2;
  // GDI's own entry, which msimg32's TransparentBlt only forwards to:
  // importing msimg32 made every process that loads us for a capability
  // call load it too.
  const BOOL done =
      transparent != nullptr
          ? GdiTransparentBlt(dc, left, top, info.bmWidth, info.bmHeight, source, 0, 0,
                              info.bmWidth, info.bmHeight, *transparent)
          : BitBlt(dc, left, top, info.bmWidth, info.bmHeight, source, 0, 0, SRCCOPY);
  SelectObject(source, previous);
  DeleteDC(source);
  *drawn = RECT{left, top, left + info.bmWidth, top + info.bmHeight};
  return done != FALSE;
}

}  // namespace tqr
