// The Main page's controls filled from the sheet: the print mode list, the
// media type, mirror and the summary.
#include <windows.h>

#include <string>

#include "resources/resource_ids.h"
#include "ui/main_page_model.h"
#include "ui/win32/main_page.h"

namespace tqr {
namespace {

// Controls greyed on a read-only sheet. About and the large picture stay
// usable: they change nothing.
constexpr int kEditingControls[] = {
    IDC_MAIN_MODE_LIST,
    IDC_MAIN_MEDIA_TYPE,
    IDC_MAIN_MIRROR,
    IDC_MAIN_ADVANCED,
    IDC_MAIN_DEFAULTS,
    IDC_MAIN_MODE_LABEL,
    IDC_MAIN_MEDIA_TYPE_LABEL,
    IDC_MAIN_PAGE_SIZE,
    IDC_MAIN_PRINTING_LABEL,
    IDC_MAIN_SCALING,
    IDC_MAIN_PERCENT_LABEL,
    IDC_MAIN_PRINTING,
    IDC_MAIN_OUTPUT_SIZE,
    IDC_MAIN_QUALITY_LABEL,
    IDC_MAIN_COLOR_ADJUSTMENT_LABEL,
    IDC_MAIN_OUTPUT_STYLE_LABEL,
    IDC_MAIN_QUALITY_COLON,
    IDC_MAIN_COLOR_ADJUSTMENT_COLON,
    IDC_MAIN_OUTPUT_STYLE_COLON,
    IDC_MAIN_QUALITY,
    IDC_MAIN_COLOR_ADJUSTMENT,
    IDC_MAIN_OUTPUT_STYLE,
};

// The controls that show the sheet's values in pictures.
constexpr int kPictures[] = {IDC_MAIN_MODE_PICTURE, IDC_MAIN_PAGE_PICTURE,
                             IDC_MAIN_OUTPUT_PICTURE};

void ShowPaperLabel(HWND page, SheetState* sheet, int controlId, PaperRole role) {
  const PaperLabel label = DescribePaperLabel(sheet, role);
  ShowPaperNameWithSize(page, sheet, controlId, label.name, label.width, label.length);
}

void ShowSummary(HWND page, SheetState* sheet) {
  const MainPageSummary summary = DescribeMainPage(sheet);
  SetDlgItemTextW(page, IDC_MAIN_SCALING, WideText(summary.scaling));
  SetDlgItemTextW(page, IDC_MAIN_PRINTING, WideText(summary.printing));
  ShowPaperLabel(page, sheet, IDC_MAIN_PAGE_SIZE, PaperRole::kPage);
  ShowPaperLabel(page, sheet, IDC_MAIN_OUTPUT_SIZE, PaperRole::kOutput);
  if (summary.quality) SetDlgItemTextW(page, IDC_MAIN_QUALITY, WideText(*summary.quality));
  SetDlgItemTextW(page, IDC_MAIN_COLOR_ADJUSTMENT, WideText(summary.colorAdjustment));
  SetDlgItemTextW(page, IDC_MAIN_OUTPUT_STYLE, WideText(summary.matching));
}

}  // namespace

void FillPrintModeList(HWND page, MainPageBlock* block) {
  SheetState* sheet = block->header.sheet;
  HWND list = GetDlgItem(page, IDC_MAIN_MODE_LIST);
  SendMessageW(list, LB_RESETCONTENT, 0, 0);
  // One print mode fills the list's height; four fit side by side.
  RECT client = {};
  GetClientRect(list, &client);
  const int height = client.bottom - client.top;
  SendMessageW(list, LB_SETITEMHEIGHT, 0, MAKELPARAM(height > 255 ? 255 : height, 0));
  SendMessageW(list, LB_SETCOLUMNWIDTH, static_cast<WPARAM>((client.right - client.left) / 4), 0);

  FillBuiltInModeDescriptions(sheet);
  if (!LoadPrintModeList(&block->modes)) return;

  const UserPrintModes& modes = block->modes;
  for (std::uint16_t position = 0; position < modes.count; ++position) {
    const std::uint16_t mode = modes.order[position];
    const PrintModeRecord* record = GetPrintModeRecord(sheet, &modes, mode);
    const std::u16string title = record != nullptr ? std::u16string(TitleOf(*record))
                                                   : std::u16string();
    const LRESULT item =
        SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(WideText(title)));
    if (item == LB_ERR || item == LB_ERRSPACE) continue;
    SendMessageW(list, LB_SETITEMDATA, static_cast<WPARAM>(item), mode);
    if (mode == sheet->printMode->currentId) sheet->printModeListPosition = position;
  }
}

void RefreshMainPage(HWND page, MainPageBlock* block, bool full) {
  SheetState* sheet = block->header.sheet;
  if (full) FillPrintModeList(page, block);
  NoteModeMismatch(sheet, &block->modes);
  SendDlgItemMessageW(page, IDC_MAIN_MODE_LIST, LB_SETCURSEL, sheet->printModeListPosition, 0);

  if (full) FillVisibleOptionCombo(page, IDC_MAIN_MEDIA_TYPE, sheet->mediaType);
  if (OptionList* mediaType = sheet->mediaType) {
    mediaType->currentPosition = OptionComboPosition(mediaType, mediaType->currentId);
    SendDlgItemMessageW(page, IDC_MAIN_MEDIA_TYPE, CB_SETCURSEL, mediaType->currentPosition, 0);
  }
  CheckDlgButton(page, IDC_MAIN_MIRROR, sheet->mirror.current == 1 ? BST_CHECKED : BST_UNCHECKED);
  ShowSummary(page, sheet);

  // The modified bit changes the list's selection colour and the large
  // picture; paper and orientation change the small pictures.
  InvalidateRect(GetDlgItem(page, IDC_MAIN_MODE_LIST), nullptr, FALSE);
  for (int id : kPictures) InvalidateRect(GetDlgItem(page, id), nullptr, FALSE);
}

void DisableMainPage(HWND page) {
  for (int id : kEditingControls) EnableControl(page, id, false);
}

}  // namespace tqr
