// The Save page's owner-drawn controls: the print mode list, the icon list
// and the two arrow buttons with their bitmaps.
#include <windows.h>

#include <string>

#include "resources/feature_pages_ids.h"
#include "ui/main_page_model.h"
#include "ui/win32/dlgutil_win32.h"
#include "ui/win32/module_instance.h"
#include "ui/win32/save_page.h"

namespace tqr {
namespace {

void DrawModeItem(const SavePageBlock* block, const DRAWITEMSTRUCT* item) {
  HDC dc = item->hDC;
  const RECT& rect = item->rcItem;
  const bool selected = (item->itemState & ODS_SELECTED) != 0;
  if (selected) {
    const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
    FillColor(dc, rect,
              block->drawFull != 0 ? highlight
                                   : MixedHighlightColor(highlight, GetSysColor(COLOR_WINDOW)));
    SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
  } else {
    FillColor(dc, rect, GetSysColor(COLOR_WINDOW));
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
  }
  if (item->itemID != static_cast<UINT>(-1)) {
    const auto mode = static_cast<std::uint16_t>(item->itemData);
    if (const PrintModeRecord* record = FindPrintModeRecord(block->store->View(), mode)) {
      DrawIconAndTitle(dc, rect, PrintModeIconId(*record), std::u16string(TitleOf(*record)),
                       nullptr);
    }
  }
  if ((item->itemState & ODS_FOCUS) != 0) DrawDoubleFocusRect(dc, rect);
}

void DrawIconItem(const DRAWITEMSTRUCT* item) {
  HDC dc = item->hDC;
  const bool selected = (item->itemState & ODS_SELECTED) != 0;
  FillColor(dc, item->rcItem, GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  if (item->itemID != static_cast<UINT>(-1)) {
    DrawIconAndTitle(dc, item->rcItem, kFirstPrintModeIcon + static_cast<int>(item->itemID),
                     std::u16string(), nullptr);
  }
  if ((item->itemState & ODS_FOCUS) != 0) DrawDoubleFocusRect(dc, item->rcItem);
}

// Normal, pressed and disabled bitmaps of each arrow.
struct ArrowBitmaps {
  int control;
  int normal;
  int pressed;
  int disabled;
};
constexpr ArrowBitmaps kArrows[] = {
    {IDC_SAVE_UP, IDB_SAVE_UP, IDB_SAVE_UP_PRESSED, IDB_SAVE_UP_DISABLED},
    {IDC_SAVE_DOWN, IDB_SAVE_DOWN, IDB_SAVE_DOWN_PRESSED, IDB_SAVE_DOWN_DISABLED},
};

void DrawArrow(const ArrowBitmaps& arrow, const DRAWITEMSTRUCT* item) {
  HDC dc = item->hDC;
  const RECT& rect = item->rcItem;
  FillColor(dc, rect, GetSysColor(COLOR_BTNFACE));
  const int id = (item->itemState & ODS_DISABLED) != 0  ? arrow.disabled
                 : (item->itemState & ODS_SELECTED) != 0 ? arrow.pressed
                                                         : arrow.normal;
  HBITMAP bitmap = LoadSystemColoredBitmap(id);
  if (bitmap == nullptr) return;
  RECT drawn = {};
  if (DrawBitmapCentred(dc, rect, bitmap, nullptr, &drawn) &&
      (item->itemState & (ODS_SELECTED | ODS_FOCUS)) != 0) {
    // One pixel outside the bitmap.
    const RECT focus = {drawn.left - 1, drawn.top - 1, drawn.right + 1, drawn.bottom + 1};
    DrawFocusRect(dc, &focus);
  }
  DeleteObject(bitmap);
}

}  // namespace

bool DrawSavePageItem(const SavePageBlock* block, const DRAWITEMSTRUCT* item) {
  switch (item->CtlID) {
    case IDC_SAVE_MODES:
      DrawModeItem(block, item);
      return true;
    case IDC_SAVE_ICONS:
      DrawIconItem(item);
      return true;
    default:
      for (const ArrowBitmaps& arrow : kArrows) {
        if (static_cast<int>(item->CtlID) == arrow.control) {
          DrawArrow(arrow, item);
          return true;
        }
      }
      return false;
  }
}

}  // namespace tqr
