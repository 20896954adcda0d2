// "Print Head Cleaning": the user picks the inks whose heads the printer
// cleans; each box has a swatch of its ink beside it.
#include "maintenance/win32/maintenance_dialogs.h"
#include "resources/maintenance_ids.h"

namespace tqr {
namespace {

struct InkBox {
  int swatchId;
  int checkId;
  COLORREF colour;
};

// In the order of kInksInBoxOrder.
constexpr InkBox kInkBoxes[kInkCount] = {
    {IDC_SWATCH_CYAN, IDC_CHECK_CYAN, RGB(0, 255, 255)},
    {IDC_SWATCH_MAGENTA, IDC_CHECK_MAGENTA, RGB(255, 0, 255)},
    {IDC_SWATCH_YELLOW, IDC_CHECK_YELLOW, RGB(255, 255, 0)},
    {IDC_SWATCH_PHOTO_CYAN, IDC_CHECK_PHOTO_CYAN, RGB(200, 255, 255)},
    {IDC_SWATCH_PHOTO_MAGENTA, IDC_CHECK_PHOTO_MAGENTA, RGB(255, 200, 255)},
    {IDC_SWATCH_BLACK, IDC_CHECK_BLACK, RGB(0, 0, 0)},
};

std::uint8_t CheckedInks(HWND dialog) {
  bool checked[kInkCount] = {};
  for (int i = 0; i < kInkCount; ++i) {
    checked[i] = IsDlgButtonChecked(dialog, kInkBoxes[i].checkId) == BST_CHECKED;
  }
  return InkMaskFromChecks(checked);
}

// The swatch controls are hidden; their rectangles are filled here.
void PaintSwatches(HWND dialog, HDC dc) {
  for (const InkBox& box : kInkBoxes) {
    HWND swatch = GetDlgItem(dialog, box.swatchId);
    if (swatch == nullptr) continue;
    RECT rect{};
    GetWindowRect(swatch, &rect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    HBRUSH brush = CreateSolidBrush(box.colour);
    if (brush == nullptr) continue;
    FillRect(dc, &rect, brush);
    DeleteObject(brush);
  }
}

}  // namespace

INT_PTR CALLBACK CleaningDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      OpenMaintenanceDialog(dialog, lParam);
      // Every opening starts from all inks: nothing is remembered between actions.
      for (const InkBox& box : kInkBoxes) CheckDlgButton(dialog, box.checkId, BST_CHECKED);
      EnableControl(dialog, IDC_EXECUTE_CLEANING, true);
      return TRUE;
    case WM_PAINT: {
      PAINTSTRUCT paint{};
      HDC dc = BeginPaint(dialog, &paint);
      if (dc != nullptr) PaintSwatches(dialog, dc);
      EndPaint(dialog, &paint);
      return TRUE;
    }
    case WM_PRINTCLIENT:
      PaintSwatches(dialog, reinterpret_cast<HDC>(wParam));
      return TRUE;
    case WM_COMMAND: {
      const int id = LOWORD(wParam);
      if (id == IDC_EXECUTE_CLEANING) {
        const std::uint8_t inks = CheckedInks(dialog);
        // The button is disabled without an ink; a cleaning of nothing is
        // never sent, however the command arrives.
        if (inks == 0) return TRUE;
        SendDialogJob(dialog, CleaningJob(inks));
        CloseMaintenanceDialog(dialog, 1);
        return TRUE;
      }
      if (id == IDCANCEL) {
        CloseMaintenanceDialog(dialog, 0);
        return TRUE;
      }
      for (const InkBox& box : kInkBoxes) {
        if (id == box.checkId && HIWORD(wParam) == BN_CLICKED) {
          EnableControl(dialog, IDC_EXECUTE_CLEANING, CheckedInks(dialog) != 0);
          return TRUE;
        }
      }
      return FALSE;
    }
    case WM_DESTROY:
      // Closed some other way than its buttons.
      FreeDialogState(dialog);
      return FALSE;
    default:
      return FALSE;
  }
}

INT_PTR RunCleaningDialog(const MaintenancePageBlock* page) {
  return RunMaintenanceDialog(page, IDD_PRINT_HEAD_CLEANING, CleaningDialogProc);
}

}  // namespace tqr
