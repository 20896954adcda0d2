// The list of an export file's records in the Save as and Open dialogs:
// each record drawn as its icon over its title, three to a visible width.
// Every item owns a copy of its record; the list hands each copy back
// through WM_DELETEITEM when the item goes, whether the list is refilled,
// emptied or destroyed, so that is the one place copies are freed.
#include <windows.h>

#include <algorithm>
#include <memory>

#include "presets/export_file.h"
#include "ui/main_page_model.h"
#include "ui/win32/export_dialog_window.h"

namespace tqr {
namespace {

constexpr int kRecordsPerWidth = 3;
// An item is never taller than a list box item can be.
constexpr int kLargestItemHeight = 255;

// The label above the list says when the file holds more records than it
// lists (ListExportRecords hands one more then). The label is the control
// before the list in both dialogs' template, and its text is the template's
// otherwise.
void SayWhetherAllAreListed(HWND list, bool more) {
  const HWND label = GetWindow(list, GW_HWNDPREV);
  wchar_t kind[16] = {};
  if (label == nullptr || GetClassNameW(label, kind, 16) == 0 || lstrcmpiW(kind, L"Static") != 0) {
    return;
  }
  SetWindowTextW(label, more ? L"&Icon (first 100 only):" : L"&Icon:");
}

}  // namespace

void SetUpRecordList(HWND list) {
  RECT client = {};
  GetClientRect(list, &client);
  const int height = client.bottom - client.top;
  SendMessageW(list, LB_SETITEMHEIGHT, 0,
               MAKELPARAM(height > kLargestItemHeight ? kLargestItemHeight : height, 0));
  SendMessageW(list, LB_SETCOLUMNWIDTH,
               static_cast<WPARAM>((client.right - client.left) / kRecordsPerWidth), 0);
}

void EmptyRecordList(HWND list) { SendMessageW(list, LB_RESETCONTENT, 0, 0); }

void FillRecordList(HWND list, const std::vector<PrintModeRecord>& records) {
  EmptyRecordList(list);
  const std::size_t shown = std::min(records.size(), kListedExportRecords);
  static_assert(kListedExportRecords == 100, "the label names the number");
  // Drawn once, when all are in: a list that redraws and sizes its scroll
  // bar at every item took milliseconds an item.
  SendMessageW(list, WM_SETREDRAW, FALSE, 0);
  SendMessageW(list, LB_INITSTORAGE, shown, 0);
  for (std::size_t j = 0; j < shown; ++j) {
    auto copy = std::make_unique<PrintModeRecord>(records[j]);
    const LRESULT added = SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(copy.get()));
    // The list owns the copy once it holds the item.
    if (added != LB_ERR && added != LB_ERRSPACE) copy.release();
  }
  SendMessageW(list, LB_SETCURSEL, 0, 0);
  SendMessageW(list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list, nullptr, TRUE);
  SayWhetherAllAreListed(list, records.size() > shown);
}

void DrawRecordListItem(const DRAWITEMSTRUCT* item) {
  HDC dc = item->hDC;
  const RECT& rect = item->rcItem;
  const bool selected = (item->itemState & ODS_SELECTED) != 0;
  FillColor(dc, rect, GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  if (item->itemID == static_cast<UINT>(-1)) return;
  const auto* record = reinterpret_cast<const PrintModeRecord*>(item->itemData);
  if (record != nullptr) {
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, rect.left, rect.top, rect.right, rect.bottom);
    SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    DrawIconAndTitle(dc, rect, PrintModeIconId(*record), std::u16string(TitleOf(*record)), nullptr);
    RestoreDC(dc, saved);
  }
  if ((item->itemState & ODS_FOCUS) != 0) DrawDoubleFocusRect(dc, rect);
}

void DeleteRecordListItem(const DELETEITEMSTRUCT* item) {
  delete reinterpret_cast<PrintModeRecord*>(item->itemData);
}

}  // namespace tqr
