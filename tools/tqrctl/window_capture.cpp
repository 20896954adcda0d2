#include "tqrctl/window_capture.h"

#include <cstring>
#include <vector>

namespace tqrctl {
namespace {

// Releases what a capture holds on every way out.
struct CaptureDcs {
  HWND window = nullptr;
  HDC source = nullptr;
  HDC memory = nullptr;
  HBITMAP bitmap = nullptr;
  HGDIOBJ previous = nullptr;
  ~CaptureDcs() {
    if (previous != nullptr) SelectObject(memory, previous);
    if (bitmap != nullptr) DeleteObject(bitmap);
    if (memory != nullptr) DeleteDC(memory);
    if (source != nullptr) ReleaseDC(window, source);
  }
};

bool WriteFileBytes(const std::wstring& path, const std::vector<BYTE>& bytes) {
  const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const BOOL ok =
      WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
  return ok && written == bytes.size();
}

}  // namespace

bool CaptureWindow(HWND window, const std::wstring& path, std::string* complaint) {
  RECT frame{};
  if (!IsWindow(window) || !GetWindowRect(window, &frame)) {
    *complaint = "no window to capture";
    return false;
  }
  const LONG width = frame.right - frame.left;
  const LONG height = frame.bottom - frame.top;
  // Far beyond any dialog: a rectangle like that is a broken window, not a picture.
  if (width <= 0 || height <= 0 || width > 8192 || height > 8192) {
    *complaint = "the window measures " + std::to_string(width) + " x " + std::to_string(height);
    return false;
  }

  // Bottom-up rows of three bytes, each row padded to four: the layout of the file.
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  const std::size_t stride = (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t{3};
  const std::size_t imageSize = stride * static_cast<std::size_t>(height);

  CaptureDcs dcs;
  dcs.window = window;
  dcs.source = GetWindowDC(window);
  dcs.memory = dcs.source != nullptr ? CreateCompatibleDC(dcs.source) : nullptr;
  void* bits = nullptr;
  dcs.bitmap = dcs.memory != nullptr
                   ? CreateDIBSection(dcs.memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0)
                   : nullptr;
  if (dcs.bitmap == nullptr || bits == nullptr) {
    *complaint = "no drawing surface for the picture";
    return false;
  }
  dcs.previous = SelectObject(dcs.memory, dcs.bitmap);
  if (!BitBlt(dcs.memory, 0, 0, width, height, dcs.source, 0, 0, SRCCOPY)) {
    *complaint = "cannot copy the window's pixels";
    return false;
  }
  GdiFlush();

  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;  // "BM"
  file.bfOffBits = sizeof file + sizeof info.bmiHeader;
  file.bfSize = static_cast<DWORD>(file.bfOffBits + imageSize);
  std::vector<BYTE> bytes(file.bfSize);
  auto* out = bytes.data();
  std::memcpy(out, &file, sizeof file);
  info.bmiHeader.biSizeImage = static_cast<DWORD>(imageSize);
  std::memcpy(out + sizeof file, &info.bmiHeader, sizeof info.bmiHeader);
  std::memcpy(out + file.bfOffBits, bits, imageSize);
  if (!WriteFileBytes(path, bytes)) {
    *complaint = "cannot write the picture (error " + std::to_string(GetLastError()) + ")";
    return false;
  }
  return true;
}

}  // namespace tqrctl
