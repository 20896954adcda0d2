#include "wine/support/capture_window.h"

#include <cstdio>
#include <vector>

namespace tqr::test {
namespace {

bool WriteBmp(const wchar_t* path, const BITMAPINFOHEADER& info, const void* bits,
              DWORD bitsSize) {
  BITMAPFILEHEADER file = {};
  file.bfType = 0x4D42;  // "BM"
  file.bfOffBits = sizeof file + sizeof info;
  file.bfSize = file.bfOffBits + bitsSize;
  FILE* out = _wfopen(path, L"wb");
  if (out == nullptr) return false;
  const bool written = fwrite(&file, sizeof file, 1, out) == 1 &&
                       fwrite(&info, sizeof info, 1, out) == 1 &&
                       fwrite(bits, bitsSize, 1, out) == 1;
  return fclose(out) == 0 && written;
}

}  // namespace

bool CaptureWindowToBmp(HWND window, const wchar_t* path) {
  if (window == nullptr || !IsWindowVisible(window)) return false;
  RedrawWindow(window, nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  // The client area only: without a window manager (Xvfb) nothing draws the
  // frame and caption, and the screen there shows whatever lies below.
  RECT rect = {};
  GetClientRect(window, &rect);
  MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&rect), 2);
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
  if (width <= 0 || height <= 0) return false;

  BITMAPINFO bitmapInfo = {};
  BITMAPINFOHEADER& info = bitmapInfo.bmiHeader;
  info.biSize = sizeof info;
  info.biWidth = width;
  info.biHeight = height;  // bottom-up, as .bmp files are
  info.biPlanes = 1;
  info.biBitCount = 24;
  info.biCompression = BI_RGB;
  const DWORD stride = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
  info.biSizeImage = stride * static_cast<DWORD>(height);

  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &bitmapInfo, DIB_RGB_COLORS, &bits, nullptr, 0);
  bool captured = false;
  if (memory != nullptr && bitmap != nullptr) {
    HGDIOBJ previous = SelectObject(memory, bitmap);
    // From the screen where the window lies: what the user sees, the
    // owner-drawn parts included.
    captured = BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY) != FALSE;
    GdiFlush();
    SelectObject(memory, previous);
  }
  const bool written = captured && WriteBmp(path, info, bits, info.biSizeImage);
  if (bitmap != nullptr) DeleteObject(bitmap);
  if (memory != nullptr) DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return written;
}

}  // namespace tqr::test
