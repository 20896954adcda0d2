// The Maintenance page: head cleaning, nozzle check and head alignment, each
// sent to the printer at once as a small job. The page edits no settings but
// confirms and cancels the sheet like every other page.
#include <windows.h>
#include <commctrl.h>

#include "maintenance/win32/command_job.h"
#include "maintenance/win32/maintenance_dialogs.h"
#include "resources/maintenance_ids.h"
#include "ui/win32/module_instance.h"
#include "maintenance/win32/maintenance_pages.h"
#include "ui/win32/sheet_page.h"

namespace tqr {
namespace {

static_assert(kMaintenancePageDialog == IDD_MAINTENANCE_PAGE);

constexpr DWORD kMaintenanceHelpContext = 2049;

struct PictureButton {
  int controlId;
  int normalBitmap;
  int pressedBitmap;
};

constexpr PictureButton kPictureButtons[] = {
    {IDC_CLEANING_BUTTON, IDB_CLEANING, IDB_CLEANING_PRESSED},
    {IDC_SPARE_BUTTON_1, IDB_SPARE_1, IDB_SPARE_1_PRESSED},
    {IDC_NOZZLE_CHECK_BUTTON, IDB_NOZZLE_CHECK, IDB_NOZZLE_CHECK_PRESSED},
    {IDC_ALIGNMENT_BUTTON, IDB_ALIGNMENT, IDB_ALIGNMENT_PRESSED},
    {IDC_SPARE_BUTTON_2, IDB_SPARE_2, IDB_SPARE_2_PRESSED},
};

// Everything on the page, for a sheet the caller opened read-only.
constexpr int kPageControls[][2] = {
    {IDC_CLEANING_BUTTON, IDC_SPARE_BUTTON_2},
    {IDC_CLEANING_GROUP, IDC_ROLL_MEDIA_NOTE},
};

void OpenPage(HWND page, LPARAM initParam) {
  SheetState* sheet = SheetOfPageCreation(initParam);
  auto* block = CreateDialogState<MaintenancePageBlock>(page, sheet);
  if (block != nullptr) {
    block->window = page;
    if (sheet != nullptr) {
      GetDriverHelpFile(sheet->printer, block->header.helpFile);
      GetPrinterNameOf(sheet->printer, block->printerName, kPrinterNameLength);
    }
  }
  if (sheet == nullptr || sheet->editable == 0) {
    for (const auto& range : kPageControls) {
      for (int id = range[0]; id <= range[1]; ++id) EnableControl(page, id, false);
    }
  }
}

void DrawPictureButton(const DRAWITEMSTRUCT& item, const PictureButton& button) {
  // A selection or focus change shows the button as it is held; a full
  // redraw shows it at rest.
  const bool pressed = item.itemAction != ODA_DRAWENTIRE && (item.itemState & ODS_SELECTED) != 0;
  FillRect(item.hDC, &item.rcItem, GetSysColorBrush(COLOR_3DFACE));
  HBITMAP bitmap = LoadBitmapW(
      ModuleInstance(), MAKEINTRESOURCEW(pressed ? button.pressedBitmap : button.normalBitmap));
  if (bitmap == nullptr) return;
  BITMAP size{};
  GetObjectW(bitmap, sizeof size, &size);
  const int x = item.rcItem.left + (item.rcItem.right - item.rcItem.left - size.bmWidth) / 2;
  const int y = item.rcItem.top + (item.rcItem.bottom - item.rcItem.top - size.bmHeight) / 2;
  // A page that cannot be used shows its buttons as such.
  const bool greyed =
      (item.itemState & ODS_DISABLED) != 0 && DrawGreyedBitmap(item.hDC, bitmap, x, y);
  HDC memory = greyed ? nullptr : CreateCompatibleDC(item.hDC);
  if (memory != nullptr) {
    HGDIOBJ previous = SelectObject(memory, bitmap);
    BitBlt(item.hDC, x, y, size.bmWidth, size.bmHeight, memory, 0, 0, SRCCOPY);
    SelectObject(memory, previous);
    DeleteDC(memory);
  }
  DeleteObject(bitmap);
  if ((item.itemState & (ODS_SELECTED | ODS_FOCUS)) != 0) {
    const RECT focus = {x - 1, y - 1, x + size.bmWidth + 1, y + size.bmHeight + 1};
    DrawFocusRect(item.hDC, &focus);
  }
}

bool OnDrawItem(const DRAWITEMSTRUCT* item) {
  if (item == nullptr || item->CtlType != ODT_BUTTON) return false;
  for (const PictureButton& button : kPictureButtons) {
    if (static_cast<int>(item->CtlID) == button.controlId) {
      DrawPictureButton(*item, button);
      return true;
    }
  }
  return false;
}

bool OnCommand(HWND page, WPARAM wParam) {
  if (HIWORD(wParam) != BN_CLICKED) return false;
  const MaintenancePageBlock* block = DialogStateOf<MaintenancePageBlock>(page);
  switch (LOWORD(wParam)) {
    case IDC_CLEANING_BUTTON:
      RunCleaningDialog(block);
      return true;
    case IDC_NOZZLE_CHECK_BUTTON:
      // At once: the pattern costs a little ink and paper, nothing more.
      SendPageJob(block, NozzleCheckJob());
      return true;
    case IDC_ALIGNMENT_BUTTON:
      RunAlignmentDialog(block);
      return true;
    default:
      return false;
  }
}

INT_PTR OnNotify(HWND page, const NMHDR* header) {
  if (header == nullptr) return FALSE;
  MaintenancePageBlock* block = DialogStateOf<MaintenancePageBlock>(page);
  SheetState* sheet = block != nullptr ? block->header.sheet : nullptr;
  // The sheet's OK, Cancel and the question before a cancel are the same on
  // every page.
  switch (header->code) {
    case PSN_APPLY:
      return AnswerApply(page, sheet);
    case PSN_RESET:
      return AnswerReset(page, sheet);
    case PSN_QUERYCANCEL:
      return AnswerQueryCancel(page, sheet, block != nullptr ? block->header.caption : nullptr);
    case PSN_HELP:
      return AnswerHelp(page, block != nullptr ? block->header.helpFile : nullptr,
                        kMaintenanceHelpContext);
    default:
      return FALSE;
  }
}

}  // namespace

void SendPageJob(const MaintenancePageBlock* page, const MaintenanceJob& job) {
  if (page == nullptr) return;
  SendMaintenanceJob(page->printerName, job);
}

// --- what the two dialogs share ----------------------------------------------------

INT_PTR RunMaintenanceDialog(const MaintenancePageBlock* page, int dialogId, DLGPROC procedure) {
  if (page == nullptr) return 0;
  return DialogBoxParamW(ModuleInstance(), MAKEINTRESOURCEW(dialogId), page->window, procedure,
                         reinterpret_cast<LPARAM>(page));
}

void OpenMaintenanceDialog(HWND dialog, LPARAM initParam) {
  const auto* page = reinterpret_cast<const MaintenancePageBlock*>(initParam);
  auto* block = CreateDialogState<MaintenanceDialogBlock>(
      dialog, page != nullptr ? page->header.sheet : nullptr);
  if (block != nullptr) block->page = page;
  CenterWindowOver(dialog, page != nullptr ? page->window : GetParent(dialog));
}

void SendDialogJob(HWND dialog, const MaintenanceJob& job) {
  const auto* block = DialogStateOf<MaintenanceDialogBlock>(dialog);
  SendPageJob(block != nullptr ? block->page : nullptr, job);
}

void CloseMaintenanceDialog(HWND dialog, INT_PTR result) {
  FreeDialogState(dialog);
  EndDialog(dialog, result);
}

INT_PTR CALLBACK MaintenancePageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      OpenPage(page, lParam);
      return TRUE;
    case WM_DRAWITEM:
      return OnDrawItem(reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)) ? TRUE : FALSE;
    case WM_COMMAND:
      return OnCommand(page, wParam) ? TRUE : FALSE;
    case WM_NOTIFY:
      return OnNotify(page, reinterpret_cast<const NMHDR*>(lParam));
    case WM_DESTROY:
      ClosePageState(page);
      return FALSE;
    default:
      return FALSE;
  }
}

}  // namespace tqr
