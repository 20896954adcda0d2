// The Paper page: page size, printing type, ratio, printer paper, feed,
// cutter, orientation and offsets, and the dialogs behind its buttons. The
// rules live in ui/paper_page_model.h; this reads controls, calls them and
// shows the result.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>

#include "resources/paper_ids.h"
#include "ui/win32/pages.h"
#include "ui/win32/paper_page.h"
#include "ui/win32/sheet_page.h"

namespace tqr {
namespace {

constexpr DWORD kPaperPageHelpContext = 2;
// The controls a read-only sheet greys; Save Media and Server Forms stay.
constexpr int kReadOnlyRanges[][2] = {{2001, 2011}, {2017, 2028}, {1009, 1009}, {9095, 9098}};

void DisableForReadOnly(HWND page) {
  for (const auto& range : kReadOnlyRanges) {
    for (int id = range[0]; id <= range[1]; ++id) EnableControl(page, id, false);
  }
}

void OnInitDialog(HWND page, LPARAM lParam) {
  SheetState* sheet = SheetOfPageCreation(lParam);
  if (sheet == nullptr) return;
  auto* block = CreateDialogState<PaperPageBlock>(page, sheet);
  if (block == nullptr) return;
  block->scalingAccepted = 1;
  SendDlgItemMessageW(page, IDC_PAPER_SCALING_SPIN, UDM_SETBUDDY,
                      reinterpret_cast<WPARAM>(GetDlgItem(page, IDC_PAPER_SCALING)), 0);
  SendDlgItemMessageW(page, IDC_PAPER_SCALING_SPIN, UDM_SETRANGE, 0,
                      MAKELPARAM(sheet->scaling.maximum, sheet->scaling.minimum));
  SendDlgItemMessageW(page, IDC_PAPER_SCALING, EM_LIMITTEXT, 2, 0);
  SubclassNumericEdit(page, IDC_PAPER_SCALING, IntegerEditProc);
  GetDriverHelpFile(sheet->printer, block->header.helpFile);
  RefreshPaperPage(page, sheet);
  sheet->formUnit = FormUnit::Millimetres;
  if (sheet->editable == 0) DisableForReadOnly(page);
}

// One step of the spin: the edit's value moved by `delta` within the range.
void StepScaling(HWND page, const SheetState* sheet, int delta) {
  BOOL read = FALSE;
  const int value = static_cast<int>(GetDlgItemInt(page, IDC_PAPER_SCALING, &read, FALSE));
  const int stepped = std::max<int>(sheet->scaling.minimum,
                                    std::min<int>(sheet->scaling.maximum, value + delta));
  SetDlgItemInt(page, IDC_PAPER_SCALING, static_cast<UINT>(stepped), FALSE);
  MarkPageChanged(page);
}

void OnFeedChange(HWND page, SheetState* sheet, WPARAM wParam) {
  OptionList* feed = sheet->paperFeed;
  const std::uint16_t previousId = feed->currentId;
  const std::uint16_t previousPosition = feed->currentPosition;
  if (OnOptionComboChange(page, wParam, IDC_PAPER_FEED, feed) == 0) return;
  if (CheckCutSheet(sheet)) {
    FillPaperSizeCombo(page, sheet, PaperCombo::kPage);
    FillPaperSizeCombo(page, sheet, PaperCombo::kPrinterPaper);
    if ((previousId == kCutSheetFeed) != (feed->currentId == kCutSheetFeed)) {
      ShowMargins(page, sheet);
    }
  } else {
    ShowPaperMessage(page, kCutSheetRefusedMessage, MB_OK);
    // The feed goes back to the tray the user had, not to the first one.
    feed->currentId = previousId;
    feed->currentPosition = previousPosition;
    SendDlgItemMessageW(page, IDC_PAPER_FEED, CB_SETCURSEL, previousPosition, 0);
  }
  if (feed->currentId != previousId) {
    sheet->cutter->currentId = sheet->cutter->defaultId;
    FillVisibleOptionCombo(page, IDC_PAPER_CUTTER, sheet->cutter);
    sheet->cutter->currentPosition = OptionComboPosition(sheet->cutter, sheet->cutter->currentId);
  }
  EnableControl(page, IDC_PAPER_CUTTER,
                sheet->editable != 0 && feed->currentId != kCutSheetFeed);
  ShowFitScaling(page, sheet);
  MarkPageChanged(page);
}

void OnPrintingChange(HWND page, SheetState* sheet, WPARAM wParam) {
  const int previous = sheet->printing->currentPosition;
  if (OnOptionComboChange(page, wParam, IDC_PAPER_PRINTING, sheet->printing) == 0) return;
  if (ApplyPrintingType(page, sheet, false, previous) == 0) {
    OnOptionComboChange(page, MAKEWPARAM(IDC_PAPER_PRINTING, CBN_SELCHANGE), IDC_PAPER_PRINTING,
                        sheet->printing);
  }
  ShowFitScaling(page, sheet);
  RefreshPaperPage(page, sheet);
  MarkPageChanged(page);
}

void OnCommand(HWND page, WPARAM wParam) {
  PaperPageBlock* block = PaperPageOf(page);
  if (block == nullptr) return;
  SheetState* sheet = block->header.sheet;
  const WORD code = HIWORD(wParam);
  switch (LOWORD(wParam)) {
    case IDC_PAPER_SIZE:
    case IDC_PAPER_OUTPUT:
      if (code != CBN_SELCHANGE) break;
      ApplyPrintingType(page, sheet, true, 0);
      ShowOffsets(page, sheet);
      ShowFitScaling(page, sheet);
      MarkPageChanged(page);
      break;
    case IDC_PAPER_PRINTING:
      OnPrintingChange(page, sheet, wParam);
      break;
    case IDC_PAPER_FEED:
      OnFeedChange(page, sheet, wParam);
      break;
    case IDC_PAPER_CUTTER:
      if (OnOptionComboChange(page, wParam, IDC_PAPER_CUTTER, sheet->cutter) != 0) {
        MarkPageChanged(page);
      }
      break;
    case IDC_PAPER_SCALING: {
      if (code != EN_CHANGE) break;
      BOOL read = FALSE;
      const UINT value = GetDlgItemInt(page, IDC_PAPER_SCALING, &read, FALSE);
      if (value != static_cast<UINT>(sheet->scaling.current)) MarkPageChanged(page);
      break;
    }
    case IDC_PAPER_MARGINS:
      if (code == BN_CLICKED && ShowMargins(page, sheet) == 1) {
        ShowFitScaling(page, sheet);
        MarkPageChanged(page);
      }
      break;
    case IDC_PAPER_SAVE_MEDIA:
      if (code != BN_CLICKED) break;
      sheet->paperSave.current =
          IsDlgButtonChecked(page, IDC_PAPER_SAVE_MEDIA) == BST_CHECKED ? 1 : 0;
      MarkPageChanged(page);
      break;
    case IDC_PAPER_OFFSETS:
      if (code == BN_CLICKED && ShowOffsetSetting(page, sheet) != 0) {
        ShowOffsets(page, sheet);
        MarkPageChanged(page);
      }
      break;
    case IDC_PAPER_SIZE_GROUPS:
      if (code == BN_CLICKED && ShowSizeGroups(page, sheet) != 0) {
        FillPaperSizeCombo(page, sheet, PaperCombo::kPage);
        FillPaperSizeCombo(page, sheet, PaperCombo::kPrinterPaper);
        SyncPaperSizeFromCombo(page, sheet, PaperCombo::kPage);
        SyncPaperSizeFromCombo(page, sheet, PaperCombo::kPrinterPaper);
        ShowFitScaling(page, sheet);
        MarkPageChanged(page);
      }
      break;
    case IDC_PAPER_SERVER_FORMS:
      if (code != BN_CLICKED) break;
      ShowServerForms(page, sheet);
      FillPaperSizeCombo(page, sheet, PaperCombo::kPage);
      FillPaperSizeCombo(page, sheet, PaperCombo::kPrinterPaper);
      ShowOffsets(page, sheet);
      MarkPageChanged(page);
      break;
    case IDC_PAPER_DEFAULTS:
      if (code != BN_CLICKED) break;
      ResetPaperPageToDefaults(sheet);
      SetFocus(GetDlgItem(page, IDC_PAPER_DEFAULTS));
      RefreshPaperPage(page, sheet);
      MarkPageChanged(page);
      break;
    case IDC_PAPER_PORTRAIT:
    case IDC_PAPER_LANDSCAPE:
      if (code != BN_CLICKED) break;
      GetOrientationRadio(page, sheet->orientation);
      MarkPageChanged(page);
      break;
    default:
      break;
  }
}

// Leaving the page: the typed ratio is stored and judged.
INT_PTR OnKillActive(HWND page, PaperPageBlock* block) {
  SheetState* sheet = block->header.sheet;
  BOOL read = FALSE;
  const UINT typed = GetDlgItemInt(page, IDC_PAPER_SCALING, &read, FALSE);
  block->scalingAccepted = 1;
  switch (CheckScaling(sheet, static_cast<std::int32_t>(typed > 0x7FFF ? 0x7FFF : typed))) {
    case ScalingVerdict::kOutOfRange:
      ShowPaperMessage(page, ScalingRangeMessage(sheet), MB_OK);
      block->scalingAccepted = 0;
      break;
    case ScalingVerdict::kAreaExceeded:
      ShowPaperMessage(page, kSystemAreaMessage, MB_OK);
      SetDlgItemInt(page, IDC_PAPER_SCALING, static_cast<UINT>(sheet->scaling.current), TRUE);
      block->scalingAccepted = 0;
      break;
    case ScalingVerdict::kMayNotFit:
      if (ShowPaperMessage(page, kMayNotFitMessage, MB_OKCANCEL) != IDOK) {
        block->scalingAccepted = 0;
      }
      break;
    case ScalingVerdict::kAccepted:
      break;
  }
  if (block->scalingAccepted != 0) return AnswerNotification(page, FALSE);
  SendDlgItemMessageW(page, IDC_PAPER_SCALING, EM_SETSEL, 0, -1);
  SetFocus(GetDlgItem(page, IDC_PAPER_SCALING));
  return AnswerNotification(page, TRUE);
}

INT_PTR OnNotify(HWND page, const NMHDR* header) {
  PaperPageBlock* block = PaperPageOf(page);
  if (block == nullptr || header == nullptr) return FALSE;
  SheetState* sheet = block->header.sheet;
  switch (header->code) {
    case UDN_DELTAPOS:
      if (header->idFrom != IDC_PAPER_SCALING_SPIN) return FALSE;
      StepScaling(page, sheet, reinterpret_cast<const NMUPDOWN*>(header)->iDelta > 0 ? 1 : -1);
      // The page keeps the edit itself; the spin's own position stays.
      return AnswerNotification(page, TRUE);
    case PSN_SETACTIVE:
      RefreshPaperPage(page, sheet);
      return AnswerNotification(page, 0);
    case PSN_KILLACTIVE:
      return OnKillActive(page, block);
    case PSN_APPLY:
      // Nothing is confirmed while the ratio the page was left with stands refused.
      if (block->scalingAccepted == 0) return AnswerNotification(page, PSNRET_NOERROR);
      return AnswerApply(page, sheet);
    default: {
      INT_PTR answer = FALSE;
      AnswerCommonNotification(page, header->code, sheet, block->header.helpFile,
                               block->header.caption, kPaperPageHelpContext, &answer);
      return answer;
    }
  }
}

}  // namespace

PaperPageBlock* PaperPageOf(HWND page) { return PageStateOf<PaperPageBlock>(page); }

INT_PTR CALLBACK PaperPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      OnInitDialog(page, lParam);
      return TRUE;
    case WM_COMMAND:
      OnCommand(page, wParam);
      return TRUE;
    case WM_VSCROLL: {
      PaperPageBlock* block = PaperPageOf(page);
      const WORD code = LOWORD(wParam);
      if (block != nullptr && (code == SB_LINEUP || code == SB_LINEDOWN)) {
        StepScaling(page, block->header.sheet, code == SB_LINEUP ? 1 : -1);
      }
      return TRUE;
    }
    case WM_NOTIFY:
      return OnNotify(page, reinterpret_cast<const NMHDR*>(lParam));
    case WM_DESTROY:
      ClosePageState(page);
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace tqr
