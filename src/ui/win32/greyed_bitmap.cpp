// Pictures drawn greyed on controls that cannot be used.
#include <vector>

#include "ui/greyed_picture.h"
#include "ui/win32/dlgutil_win32.h"

namespace tqr {

bool DrawGreyedBitmap(HDC dc, HBITMAP bitmap, int x, int y) {
  BITMAP size = {};
  if (bitmap == nullptr || GetObjectW(bitmap, sizeof size, &size) == 0 || size.bmWidth <= 0 ||
      size.bmHeight <= 0) {
    return false;
  }
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = size.bmWidth;
  info.bmiHeader.biHeight = -size.bmHeight;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  std::vector<RGBQUAD> pixels(static_cast<std::size_t>(size.bmWidth) *
                              static_cast<std::size_t>(size.bmHeight));
  if (GetDIBits(dc, bitmap, 0, static_cast<UINT>(size.bmHeight), pixels.data(), &info,
                DIB_RGB_COLORS) == 0) {
    return false;
  }
  const COLORREF face = GetSysColor(COLOR_3DFACE);
  for (RGBQUAD& pixel : pixels) {
    const COLORREF greyed =
        GreyedPixel(RGB(pixel.rgbRed, pixel.rgbGreen, pixel.rgbBlue), face);
    pixel.rgbRed = GetRValue(greyed);
    pixel.rgbGreen = GetGValue(greyed);
    pixel.rgbBlue = GetBValue(greyed);
  }
  return SetDIBitsToDevice(dc, x, y, static_cast<DWORD>(size.bmWidth),
                           static_cast<DWORD>(size.bmHeight), 0, 0, 0,
                           static_cast<UINT>(size.bmHeight), pixels.data(), &info,
                           DIB_RGB_COLORS) != 0;
}

}  // namespace tqr
