// Pictures in the system's colours, and greyed on controls that cannot be
// used.
#include <vector>

#include "ui/greyed_picture.h"
#include "ui/win32/dlgutil_win32.h"
#include "ui/win32/module_instance.h"

namespace tqr {
namespace {

// A bitmap's pixels as 32-bit top-down colours.
struct Pixels {
  BITMAPINFO info;
  std::vector<RGBQUAD> colors;
};

bool ReadPixels(HDC dc, HBITMAP bitmap, Pixels* pixels) {
  BITMAP size = {};
  if (bitmap == nullptr || GetObjectW(bitmap, sizeof size, &size) == 0 || size.bmWidth <= 0 ||
      size.bmHeight <= 0) {
    return false;
  }
  pixels->info = BITMAPINFO{};
  BITMAPINFOHEADER& header = pixels->info.bmiHeader;
  header.biSize = sizeof header;
  header.biWidth = size.bmWidth;
  header.biHeight = -size.bmHeight;  // top-down
  header.biPlanes = 1;
  header.biBitCount = 32;
  header.biCompression = BI_RGB;
  pixels->colors.assign(static_cast<std::size_t>(size.bmWidth) *
                            static_cast<std::size_t>(size.bmHeight),
                        RGBQUAD{});
  return GetDIBits(dc, bitmap, 0, static_cast<UINT>(size.bmHeight), pixels->colors.data(),
                   &pixels->info, DIB_RGB_COLORS) != 0;
}

template <typename Change>
void ChangeColors(Pixels* pixels, Change change) {
  for (RGBQUAD& pixel : pixels->colors) {
    const COLORREF color = change(RGB(pixel.rgbRed, pixel.rgbGreen, pixel.rgbBlue));
    pixel.rgbRed = GetRValue(color);
    pixel.rgbGreen = GetGValue(color);
    pixel.rgbBlue = GetBValue(color);
  }
}

UINT Height(const Pixels& pixels) {
  return static_cast<UINT>(-pixels.info.bmiHeader.biHeight);
}

}  // namespace

HBITMAP LoadSystemColoredBitmap(int resourceId) {
  auto bitmap = static_cast<HBITMAP>(LoadImageW(ModuleInstance(), MAKEINTRESOURCEW(resourceId),
                                                IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  if (bitmap == nullptr) return nullptr;
  HDC screen = GetDC(nullptr);
  Pixels pixels;
  if (screen != nullptr && ReadPixels(screen, bitmap, &pixels)) {
    ChangeColors(&pixels, [](COLORREF color) {
      switch (ClassicGreyOf(color)) {
        case ClassicGrey::kFace:
          return GetSysColor(COLOR_3DFACE);
        case ClassicGrey::kShadow:
          return GetSysColor(COLOR_3DSHADOW);
        case ClassicGrey::kLight:
          return GetSysColor(COLOR_3DLIGHT);
        case ClassicGrey::kNone:
          break;
      }
      return color;
    });
    SetDIBits(screen, bitmap, 0, Height(pixels), pixels.colors.data(), &pixels.info,
              DIB_RGB_COLORS);
  }
  if (screen != nullptr) ReleaseDC(nullptr, screen);
  return bitmap;
}

bool DrawGreyedBitmap(HDC dc, HBITMAP bitmap, int x, int y) {
  Pixels pixels;
  if (!ReadPixels(dc, bitmap, &pixels)) return false;
  const COLORREF face = GetSysColor(COLOR_3DFACE);
  ChangeColors(&pixels, [face](COLORREF color) { return GreyedPixel(color, face); });
  const auto width = static_cast<DWORD>(pixels.info.bmiHeader.biWidth);
  return SetDIBitsToDevice(dc, x, y, width, Height(pixels), 0, 0, 0, Height(pixels),
                           pixels.colors.data(), &pixels.info, DIB_RGB_COLORS) != 0;
}

}  // namespace tqr
