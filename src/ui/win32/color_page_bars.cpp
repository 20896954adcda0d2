// The Color page's balance bars: their gradients and how they are painted.
#include <windows.h>

#include "resources/feature_pages_ids.h"
#include "ui/win32/color_page.h"

namespace tqr {

const BalanceBarControls kBalanceBarControls[kBalanceBarCount] = {
    {IDC_CYAN_LABEL, IDC_CYAN_BAR, IDC_CYAN_VALUE},
    {IDC_MAGENTA_LABEL, IDC_MAGENTA_BAR, IDC_MAGENTA_VALUE},
    {IDC_YELLOW_LABEL, IDC_YELLOW_BAR, IDC_YELLOW_VALUE},
    {IDC_BLACK_LABEL, IDC_BLACK_BAR, IDC_BLACK_VALUE},
    {IDC_RED_LABEL, IDC_RED_BAR, IDC_RED_VALUE},
    {IDC_GREEN_LABEL, IDC_GREEN_BAR, IDC_GREEN_VALUE},
    {IDC_BLUE_LABEL, IDC_BLUE_BAR, IDC_BLUE_VALUE},
};

namespace {

void DrawGradient(HDC dc, int width, int height, int columns, InkColor ink) {
  // A sunken frame from row 2 to height - 2.
  DrawSysColorLine(dc, 0, 2, 0, height - 2, COLOR_BTNSHADOW);
  DrawSysColorLine(dc, 1, 3, 1, height - 2, COLOR_BTNFACE);
  DrawSysColorLine(dc, 1, 2, width - 1, 2, COLOR_BTNTEXT);
  DrawSysColorLine(dc, 2, height - 3, width - 2, height - 3, COLOR_BTNFACE);
  DrawSysColorLine(dc, width - 1, 2, width - 1, height - 2, COLOR_HIGHLIGHTTEXT);
  DrawSysColorLine(dc, width - 2, 3, width - 2, height - 2, COLOR_BTNFACE);
  for (int i = 0; i < columns; ++i) {
    const InkColor color = GradientColumnColor(ink, i, columns);
    HBRUSH brush = CreateSolidBrush(RGB(color.red, color.green, color.blue));
    if (brush == nullptr) continue;
    const RECT column = {2 + i, 3, 3 + i, height - 3};
    FillRect(dc, &column, brush);
    DeleteObject(brush);
  }
}

}  // namespace

int BalanceBarIndex(HWND page, HWND window) {
  for (int i = 0; i < kBalanceBarCount; ++i) {
    if (window != nullptr && GetDlgItem(page, kBalanceBarControls[i].barId) == window) return i;
  }
  return -1;
}

HBITMAP MakeGradientBitmap(HWND bar, InkColor ink) {
  RECT client = {};
  GetClientRect(bar, &client);
  const int arrow = GetSystemMetrics(SM_CXHSCROLL);
  const int width = client.right - 2 * arrow;
  const int height = client.bottom;
  if (width <= 0 || height <= 0) return nullptr;
  HDC barDc = GetDC(bar);
  if (barDc == nullptr) return nullptr;
  HBITMAP bitmap = CreateCompatibleBitmap(barDc, width, height);
  HDC dc = CreateCompatibleDC(barDc);
  ReleaseDC(bar, barDc);
  if (bitmap != nullptr && dc != nullptr) {
    HGDIOBJ previous = SelectObject(dc, bitmap);
    DrawGradient(dc, width, height, GradientColumns(client.right, arrow), ink);
    SelectObject(dc, previous);
  }
  if (dc != nullptr) DeleteDC(dc);
  return bitmap;
}

HBRUSH PaintBalanceBar(const ColorPageBlock* block, HWND page, HDC dc, HWND bar) {
  const int index = BalanceBarIndex(page, bar);
  if (index < 0 || !IsWindowEnabled(bar) || block->gradients[index] == nullptr) return nullptr;
  RECT client = {};
  GetClientRect(bar, &client);
  const int arrow = GetSystemMetrics(SM_CXHSCROLL);
  HDC source = CreateCompatibleDC(dc);
  if (source != nullptr) {
    HGDIOBJ previous = SelectObject(source, block->gradients[index]);
    BitBlt(dc, arrow, 0, client.right - 2 * arrow, client.bottom, source, 0, 0, SRCCOPY);
    SelectObject(source, previous);
    DeleteDC(source);
  }
  return block->hollowBrush;
}

}  // namespace tqr
