// "Print Head Alignment": automatic alignment, or a test pattern the user
// reads and the seven values A to G set from it by hand.
#include "maintenance/win32/maintenance_dialogs.h"
#include "resources/maintenance_ids.h"

namespace tqr {
namespace {

static_assert(IDC_ALIGN_VALUE_G - IDC_ALIGN_VALUE_A + 1 == kAlignmentValueCount);

void FillValueLists(HWND dialog) {
  for (int i = 0; i < kAlignmentValueCount; ++i) {
    HWND list = GetDlgItem(dialog, IDC_ALIGN_VALUE_A + i);
    if (list == nullptr) continue;
    SendMessageW(list, CB_RESETCONTENT, 0, 0);
    for (int value = 1; value <= kAlignmentChoices; ++value) {
      const wchar_t text[2] = {static_cast<wchar_t>(L'0' + value), L'\0'};
      SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    }
    SendMessageW(list, CB_SETCURSEL, kDefaultAlignmentPosition, 0);
  }
}

MaintenanceJob ChosenValuesJob(HWND dialog) {
  int positions[kAlignmentValueCount] = {};
  for (int i = 0; i < kAlignmentValueCount; ++i) {
    positions[i] =
        static_cast<int>(SendDlgItemMessageW(dialog, IDC_ALIGN_VALUE_A + i, CB_GETCURSEL, 0, 0));
  }
  return AlignmentValuesJob(positions);
}

}  // namespace

INT_PTR CALLBACK AlignmentDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      OpenMaintenanceDialog(dialog, lParam);
      // The values are not stored: every opening starts from 5.
      FillValueLists(dialog);
      return TRUE;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDC_RUN_AUTO_ALIGN:
          SendDialogJob(dialog, AutoAlignJob());
          CloseMaintenanceDialog(dialog, 1);
          return TRUE;
        case IDC_PRINT_TEST_PATTERN:
          // Stays open: the user reads the pattern and sets A to G from it.
          SendDialogJob(dialog, TestPatternJob());
          return TRUE;
        case IDC_SEND_ALIGN_VALUES:
          SendDialogJob(dialog, ChosenValuesJob(dialog));
          CloseMaintenanceDialog(dialog, 1);
          return TRUE;
        case IDCANCEL:
          CloseMaintenanceDialog(dialog, 0);
          return TRUE;
        default:
          return FALSE;
      }
    case WM_DESTROY:
      FreeDialogState(dialog);
      return FALSE;
    default:
      return FALSE;
  }
}

INT_PTR RunAlignmentDialog(const MaintenancePageBlock* page) {
  return RunMaintenanceDialog(page, IDD_PRINT_HEAD_ALIGNMENT, AlignmentDialogProc);
}

}  // namespace tqr
