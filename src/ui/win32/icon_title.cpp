// Print modes drawn as an icon over a title: the Main page's list and large
// picture, the Save page's lists and the export and import dialogs' lists.
#include <windows.h>

#include "ui/win32/dlgutil_win32.h"
#include "ui/win32/module_instance.h"

namespace tqr {
namespace {

constexpr int kIconSize = 32;
// Pixels between the icon and its title.
constexpr int kTitleGap = 1;

}  // namespace

void FillColor(HDC dc, const RECT& rect, COLORREF color) {
  HBRUSH brush = CreateSolidBrush(color);
  if (brush == nullptr) return;
  FillRect(dc, &rect, brush);
  DeleteObject(brush);
}

void DrawIconAndTitle(HDC dc, const RECT& rect, int iconId, const std::u16string& title,
                      HFONT font, bool greyed) {
  HGDIOBJ previousFont = font != nullptr ? SelectObject(dc, font) : nullptr;
  const auto* text = reinterpret_cast<const wchar_t*>(title.c_str());
  const int length = static_cast<int>(title.size());
  SIZE extent = {};
  GetTextExtentPoint32W(dc, length > 0 ? text : L" ", length > 0 ? length : 1, &extent);

  const int total = length > 0 ? kIconSize + kTitleGap + extent.cy : kIconSize;
  const int top = rect.top + ((rect.bottom - rect.top) - total) / 2;
  if (iconId != 0) {
    auto icon = static_cast<HICON>(LoadImageW(ModuleInstance(), MAKEINTRESOURCEW(iconId),
                                              IMAGE_ICON, kIconSize, kIconSize, LR_DEFAULTCOLOR));
    if (icon != nullptr) {
      const int left = rect.left + ((rect.right - rect.left) - kIconSize) / 2;
      if (greyed) {
        DrawStateW(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(icon), 0, left, top, kIconSize,
                   kIconSize, DST_ICON | DSS_DISABLED);
      } else {
        DrawIconEx(dc, left, top, icon, kIconSize, kIconSize, 0, nullptr, DI_NORMAL);
      }
      DestroyIcon(icon);
    }
  }
  if (length == 0) {
    if (previousFont != nullptr) SelectObject(dc, previousFont);
    return;
  }
  RECT textRect = {rect.left, top + kIconSize + kTitleGap, rect.right, rect.bottom};
  const int previousMode = SetBkMode(dc, TRANSPARENT);
  DrawTextW(dc, text, length, &textRect, DT_CENTER | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
  SetBkMode(dc, previousMode);
  if (previousFont != nullptr) SelectObject(dc, previousFont);
}

}  // namespace tqr
