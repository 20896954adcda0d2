// The Margins dialog: Without Margins, and the margins and printing range
// that follow from the feed and the printer paper.
#include <windows.h>

#include "resources/paper_ids.h"
#include "ui/win32/paper_page.h"

namespace tqr {
namespace {

constexpr DWORD kMarginsHelpTopic = 528;

struct MarginsBlock {
  DialogHeader header;
  // What Cancel puts back.
  std::int16_t noMargin;
  std::int16_t upperMargin;
};

void SetText(HWND dialog, int id, const std::u16string& text) {
  SetDlgItemTextW(dialog, id, WideText(text));
}

void UpdateMarginsDisplay(HWND dialog, const SheetState* sheet) {
  const bool without = sheet->noMargin.current != 0;
  ShowWindow(GetDlgItem(dialog, IDC_MARGINS_PANEL), without ? SW_SHOW : SW_HIDE);
  const MarginsDisplay shown = DescribeMargins(sheet);
  SetText(dialog, IDC_MARGINS_TOP, shown.top);
  SetText(dialog, IDC_MARGINS_BOTTOM, shown.bottom);
  SetText(dialog, IDC_MARGINS_SIDE, shown.side);
  SetText(dialog, IDC_MARGINS_HEIGHT, shown.height);
  SetText(dialog, IDC_MARGINS_WIDTH, shown.width);
  for (int unit : {IDC_MARGINS_TOP_UNIT, IDC_MARGINS_BOTTOM_UNIT, IDC_MARGINS_SIDE_UNIT,
                   IDC_MARGINS_WIDTH_UNIT, IDC_MARGINS_HEIGHT_UNIT}) {
    SetDlgItemTextW(dialog, unit, shown.inches ? L"in" : L"mm");
  }
  for (int id : {IDC_MARGINS_TOP, IDC_MARGINS_TOP_UNIT, IDC_MARGINS_BOTTOM,
                 IDC_MARGINS_BOTTOM_UNIT, IDC_MARGINS_SIDE, IDC_MARGINS_SIDE_UNIT}) {
    EnableControl(dialog, id, !without);
  }
}

void InitMargins(HWND dialog, SheetState* sheet) {
  auto* block = CreateDialogState<MarginsBlock>(dialog, sheet);
  if (block == nullptr) return;
  CenterWindowOver(dialog, GetParent(dialog));
  GetDriverHelpFile(sheet->printer, block->header.helpFile);
  SetCheckFromFlag(dialog, IDC_MARGINS_NONE, &sheet->noMargin.current);
  const char16_t* feed = OptionName(sheet->paperFeed->currentId, sheet->paperFeed);
  SetDlgItemTextW(dialog, IDC_MARGINS_FEED, feed != nullptr ? WideText(feed) : L"");
  const std::uint16_t paper = sheet->paperSize2->currentId;
  if (paper >= kFirstServerForm) {
    ShowPaperNameWithSize(dialog, sheet, IDC_MARGINS_PAPER, sheet->formName2,
                          static_cast<std::int32_t>(sheet->formSizes[2]),
                          static_cast<std::int32_t>(sheet->formSizes[3]));
  } else {
    const char16_t* name = OptionName(paper, sheet->paperSize2);
    SetDlgItemTextW(dialog, IDC_MARGINS_PAPER, name != nullptr ? WideText(name) : L"");
  }
  block->noMargin = sheet->noMargin.current;
  block->upperMargin = sheet->upperMargin.current;
  UpdateMarginsDisplay(dialog, sheet);
}

INT_PTR CALLBACK MarginsProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    InitMargins(dialog, reinterpret_cast<SheetState*>(lParam));
    return TRUE;
  }
  if (message == WM_DESTROY) return CloseModalDialog(dialog);
  if (message != WM_COMMAND) return FALSE;
  auto* block = DialogStateOf<MarginsBlock>(dialog);
  if (block == nullptr) return CommandWithoutState(dialog, wParam);
  SheetState* sheet = block->header.sheet;
  switch (LOWORD(wParam)) {
    case IDC_MARGINS_NONE:
      if (HIWORD(wParam) != BN_CLICKED) break;
      ReadCheckToFlag(dialog, IDC_MARGINS_NONE, &sheet->noMargin.current);
      UpdateMarginsDisplay(dialog, sheet);
      break;
    case IDC_MARGINS_OK:
      EndModalDialog(dialog, 1);
      break;
    case IDC_MARGINS_CANCEL:
    case IDCANCEL:
      sheet->noMargin.current = block->noMargin;
      sheet->upperMargin.current = block->upperMargin;
      EndModalDialog(dialog, 0);
      break;
    case IDC_MARGINS_HELP:
      OpenHelpTopic(dialog, block->header.helpFile, kMarginsHelpTopic);
      break;
    default:
      break;
  }
  return TRUE;
}

}  // namespace

INT_PTR ShowMargins(HWND owner, SheetState* sheet) {
  return ShowModalPaperDialog(owner, IDD_MARGINS, MarginsProc, sheet);
}

}  // namespace tqr
