// Filling the Paper page's controls from the sheet, and the printing types'
// rules as the page applies them.
#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "resources/paper_ids.h"
#include "ui/win32/paper_page.h"

namespace tqr {
namespace {

constexpr int kComboTextLength = kDisplayTextLength;

int ComboId(PaperCombo combo) {
  return combo == PaperCombo::kPage ? IDC_PAPER_SIZE : IDC_PAPER_OUTPUT;
}

PaperComboEntries CurrentChoices(const SheetState* sheet, PaperCombo combo) {
  std::vector<OfferedForm> forms;
  // No forms when the server's cannot be had: the description's sizes remain.
  ListOfferedForms(sheet->printer, &forms);
  return ListPaperChoices(sheet, combo, forms);
}

// Whether the printer paper differs from the page: another number, or two
// forms of other sizes.
bool PrinterPaperDiffers(const SheetState* sheet) {
  const std::uint16_t page = sheet->paperSize->currentId;
  const std::uint16_t paper = sheet->paperSize2->currentId;
  if (page != paper) return true;
  return page >= kFirstServerForm && (sheet->formSizes[0] != sheet->formSizes[2] ||
                                      sheet->formSizes[1] != sheet->formSizes[3]);
}

// A read-only sheet keeps every control of the printing types greyed.
void EnableForPrintingType(HWND page, const SheetState* sheet, std::uint16_t printing) {
  for (int i = 0; i < kPrintingTypeControlCount; ++i) {
    EnableControl(page, kPrintingTypeControls[i],
                  sheet->editable != 0 && IsEnabledForPrintingType(printing, i));
  }
}

void RefillBothPaperCombos(HWND page, SheetState* sheet) {
  FillPaperSizeCombo(page, sheet, PaperCombo::kPage);
  FillPaperSizeCombo(page, sheet, PaperCombo::kPrinterPaper);
}

}  // namespace

void FillPaperSizeCombo(HWND page, SheetState* sheet, PaperCombo combo) {
  const int comboId = ComboId(combo);
  HWND control = GetDlgItem(page, comboId);
  if (control == nullptr) return;
  const PaperComboEntries choices = CurrentChoices(sheet, combo);
  SendMessageW(control, CB_RESETCONTENT, 0, 0);
  for (const PaperChoice& choice : choices.entries) {
    if (choice.isForm) {
      ShowPaperNameWithSize(page, sheet, comboId, choice.name.c_str(), choice.width,
                            choice.length);
    } else {
      SendMessageW(control, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(WideText(choice.name)));
    }
  }
  const std::size_t position = SelectPaperChoice(sheet, combo, choices);
  SendMessageW(control, CB_SETCURSEL, position, 0);
}

void SyncPaperSizeFromCombo(HWND page, SheetState* sheet, PaperCombo combo) {
  const int comboId = ComboId(combo);
  const LRESULT selection = SendDlgItemMessageW(page, comboId, CB_GETCURSEL, 0, 0);
  if (selection == CB_ERR) return;
  const LRESULT length = SendDlgItemMessageW(page, comboId, CB_GETLBTEXTLEN, selection, 0);
  std::vector<wchar_t> text(length > 0 ? static_cast<std::size_t>(length) + 1 : 1, L'\0');
  if (length > 0) {
    SendDlgItemMessageW(page, comboId, CB_GETLBTEXT, selection,
                        reinterpret_cast<LPARAM>(text.data()));
  }
  std::u16string shown(reinterpret_cast<const char16_t*>(text.data()));
  if (shown.size() >= kComboTextLength) shown.resize(kComboTextLength - 1);
  SyncPaperChoice(sheet, combo, CurrentChoices(sheet, combo), static_cast<std::size_t>(selection),
                  shown);
}

int ApplyPrintingType(HWND page, SheetState* sheet, bool fromCombos, int previousPosition) {
  const LRESULT selection = SendDlgItemMessageW(page, IDC_PAPER_PRINTING, CB_GETCURSEL, 0, 0);
  const auto printing = static_cast<std::uint16_t>(selection == CB_ERR ? 0 : selection);
  const std::uint16_t feed = sheet->paperFeed->currentId;

  if (printing == kEnlargeReducePrinting) {
    EnableForPrintingType(page, sheet, printing);
    if (fromCombos) {
      SyncPaperSizeFromCombo(page, sheet, PaperCombo::kPage);
      SyncPaperSizeFromCombo(page, sheet, PaperCombo::kPrinterPaper);
    } else {
      RefillBothPaperCombos(page, sheet);
    }
    return 1;
  }
  if (printing != kNormalSizePrinting && printing != kBannerPrinting) {
    TraceUnhandled("ApplyPrintingType", "printing type", printing);
  }

  if (!fromCombos && previousPosition == kEnlargeReducePrinting &&
      !PageSizeAllowsPrinting(sheet, printing, feed)) {
    ShowPaperMessage(page, printing == kBannerPrinting ? kCannotBannerMessage
                                                       : kCannotNormalSizeMessage,
                     MB_OK);
    SendDlgItemMessageW(page, IDC_PAPER_PRINTING, CB_SETCURSEL, kEnlargeReducePrinting, 0);
    return 0;
  }
  sheet->scaling.current = sheet->scaling.defaultValue;
  InitSpinEdit(page, IDC_PAPER_SCALING, IDC_PAPER_SCALING_SPIN, sheet->scaling.minimum,
               sheet->scaling.maximum, sheet->scaling.current);
  EnableForPrintingType(page, sheet, printing);

  if (fromCombos) {
    SyncPaperSizeFromCombo(page, sheet, PaperCombo::kPage);
    CopyPageSizeToPrinterPaper(sheet);
    FillPaperSizeCombo(page, sheet, PaperCombo::kPrinterPaper);
    return 1;
  }
  if (printing == kNormalSizePrinting && previousPosition == kEnlargeReducePrinting &&
      PrinterPaperDiffers(sheet)) {
    ShowPaperMessage(page, kPrinterPaperChangedMessage, MB_OK);
  }
  FillPaperSizeCombo(page, sheet, PaperCombo::kPage);
  CopyPageSizeToPrinterPaper(sheet);
  FillPaperSizeCombo(page, sheet, PaperCombo::kPrinterPaper);
  if (printing == kBannerPrinting) ShowBannerNotice(page, sheet);
  return 1;
}

void ShowOffsets(HWND page, const SheetState* sheet) {
  const OffsetTexts texts = DescribeOffsets(sheet);
  SetDlgItemTextW(page, IDC_PAPER_VERTICAL, WideText(texts.vertical));
  SetDlgItemTextW(page, IDC_PAPER_HORIZONTAL, WideText(texts.horizontal));
  SetDlgItemTextW(page, IDC_PAPER_VERTICAL_UNIT, reinterpret_cast<const wchar_t*>(texts.unit));
  SetDlgItemTextW(page, IDC_PAPER_HORIZONTAL_UNIT, reinterpret_cast<const wchar_t*>(texts.unit));
}

void ShowFitScaling(HWND page, SheetState* sheet) {
  SetDlgItemInt(page, IDC_PAPER_SCALING, static_cast<UINT>(RefitScaling(sheet)), TRUE);
}

void RefreshPaperPage(HWND page, SheetState* sheet) {
  FillPaperSizeCombo(page, sheet, PaperCombo::kPage);
  FillOptionCombo(page, IDC_PAPER_PRINTING, sheet->printing);
  FillPaperSizeCombo(page, sheet, PaperCombo::kPrinterPaper);
  FillOptionCombo(page, IDC_PAPER_FEED, sheet->paperFeed);
  FillVisibleOptionCombo(page, IDC_PAPER_CUTTER, sheet->cutter);
  EnableControl(page, IDC_PAPER_CUTTER,
                sheet->editable != 0 && sheet->paperFeed->currentId != kCutSheetFeed);
  InitSpinEdit(page, IDC_PAPER_SCALING, IDC_PAPER_SCALING_SPIN, sheet->scaling.minimum,
               sheet->scaling.maximum, sheet->scaling.current);
  SetOrientationRadio(page, sheet->orientation->currentId);
  ShowOffsets(page, sheet);
  ApplyPrintingType(page, sheet, true, 0);
  const bool banner = sheet->printing->currentId == kBannerPrinting;
  if (banner) sheet->paperSave.current = 0;
  EnableControl(page, IDC_PAPER_SAVE_MEDIA, !banner);
  SetCheckFromFlag(page, IDC_PAPER_SAVE_MEDIA, &sheet->paperSave.current);
}

}  // namespace tqr
