// The Main page's owner-drawn controls: the print mode list, the large
// picture of the chosen mode and the three small pictures of the summary.
// A picture whose resource is missing is left out; the rest still draws.
#include <windows.h>

#include <string>

#include "resources/resource_ids.h"
#include "ui/main_page_model.h"
#include "ui/win32/main_page.h"
#include "ui/win32/dlgutil_win32.h"
#include "ui/win32/module_instance.h"

namespace tqr {
namespace {

// Drawn transparent in the small pictures.
constexpr COLORREF kTransparentColor = RGB(255, 0, 255);

void DrawModeListItem(HWND page, MainPageBlock* block, const DRAWITEMSTRUCT* item) {
  SheetState* sheet = block->header.sheet;
  HDC dc = item->hDC;
  const RECT& rect = item->rcItem;
  const int saved = SaveDC(dc);

  const bool selected = (item->itemState & ODS_SELECTED) != 0;
  // A read-only sheet greys the list, its selection included.
  const bool greyed =
      (item->itemState & ODS_DISABLED) != 0 || IsWindowEnabled(item->hwndItem) == FALSE;
  if (greyed) {
    FillColor(dc, rect, GetSysColor(selected ? COLOR_BTNFACE : COLOR_WINDOW));
    SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
  } else if (selected) {
    const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
    const COLORREF background =
        IsMainPageModified(sheet) ? MixedHighlightColor(highlight, GetSysColor(COLOR_WINDOW))
                                  : highlight;
    FillColor(dc, rect, background);
    SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
  } else {
    FillColor(dc, rect, GetSysColor(COLOR_WINDOW));
  }

  if (item->itemID != static_cast<UINT>(-1)) {
    const auto position = static_cast<std::uint16_t>(item->itemID);
    const auto mode = static_cast<std::uint16_t>(item->itemData);
    // The list draws the selection as the user moves it: the drawn item is
    // the chosen mode from now on, and the large picture follows.
    if (selected && (item->itemAction & (ODA_SELECT | ODA_FOCUS)) != 0) {
      sheet->printMode->currentId = mode;
      sheet->printModeListPosition = position;
      InvalidateRect(GetDlgItem(page, IDC_MAIN_MODE_PICTURE), nullptr, FALSE);
    }
    RECT client = {};
    GetClientRect(item->hwndItem, &client);
    const bool visible = rect.right > client.left && rect.left < client.right;
    const PrintModeRecord* record = GetPrintModeRecord(sheet, &block->modes, mode);
    if (visible && record != nullptr) {
      IntersectClipRect(dc, rect.left, rect.top, rect.right, rect.bottom);
      DrawIconAndTitle(dc, rect, PrintModeIconId(*record), std::u16string(TitleOf(*record)),
                       block->titleFont, greyed);
    }
  }
  RestoreDC(dc, saved);
  if ((item->itemState & ODS_FOCUS) != 0) DrawDoubleFocusRect(dc, rect);
}

void DrawLargePicture(MainPageBlock* block, const DRAWITEMSTRUCT* item) {
  HDC dc = item->hDC;
  const RECT& rect = item->rcItem;
  FillColor(dc, rect, GetSysColor(COLOR_BTNFACE));
  // A sunken frame one pixel inside the control.
  RECT frame = rect;
  InflateRect(&frame, -1, -1);
  const LONG right = frame.right - 1;
  const LONG bottom = frame.bottom - 1;
  FillColor(dc, RECT{frame.left, frame.top, right, frame.top + 1}, GetSysColor(COLOR_BTNSHADOW));
  FillColor(dc, RECT{frame.left, frame.top, frame.left + 1, bottom}, GetSysColor(COLOR_BTNSHADOW));
  FillColor(dc, RECT{frame.left, bottom, frame.right, bottom + 1}, GetSysColor(COLOR_BTNHIGHLIGHT));
  FillColor(dc, RECT{right, frame.top, right + 1, bottom + 1}, GetSysColor(COLOR_BTNHIGHLIGHT));

  const LargePicture picture = DescribeLargePicture(block->header.sheet, &block->modes);
  if (!picture.shown) return;
  const int saved = SaveDC(dc);
  IntersectClipRect(dc, frame.left + 1, frame.top + 1, right, bottom);
  SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
  SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
  DrawIconAndTitle(dc, rect, picture.iconId, picture.text, block->titleFont);
  RestoreDC(dc, saved);
}

// A bitmap centred in the control, magenta transparent.
void DrawSmallPicture(const SheetState* sheet, const DRAWITEMSTRUCT* item, MainPicture which) {
  HDC dc = item->hDC;
  const RECT& rect = item->rcItem;
  FillColor(dc, rect, GetSysColor(COLOR_BTNFACE));
  auto bitmap = static_cast<HBITMAP>(LoadImageW(ModuleInstance(),
                                                MAKEINTRESOURCEW(MainPictureBitmap(sheet, which)),
                                                IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
  if (bitmap == nullptr) return;
  RECT drawn = {};
  DrawBitmapCentred(dc, rect, bitmap, &kTransparentColor, &drawn);
  DeleteObject(bitmap);
}

}  // namespace

bool DrawMainPageItem(HWND page, MainPageBlock* block, const DRAWITEMSTRUCT* item) {
  switch (item->CtlID) {
    case IDC_MAIN_MODE_LIST:
      DrawModeListItem(page, block, item);
      return true;
    case IDC_MAIN_MODE_PICTURE:
      DrawLargePicture(block, item);
      return true;
    case IDC_MAIN_PAGE_PICTURE:
      DrawSmallPicture(block->header.sheet, item, MainPicture::kPage);
      return true;
    case IDC_MAIN_ARROW_PICTURE:
      DrawSmallPicture(block->header.sheet, item, MainPicture::kArrow);
      return true;
    case IDC_MAIN_OUTPUT_PICTURE:
      DrawSmallPicture(block->header.sheet, item, MainPicture::kOutput);
      return true;
    default:
      return false;
  }
}

}  // namespace tqr
