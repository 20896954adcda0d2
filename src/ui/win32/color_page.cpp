// The Color page of the Advanced sheet: colour balance as CMYK or RGB on
// gradient scroll bars, output style, brightness and intensity.
#include <windows.h>

#include "platform/ports.h"
#include "resources/feature_pages_ids.h"
#include "ui/advanced_sheet_model.h"
#include "ui/win32/advanced_pages.h"
#include "ui/win32/color_page.h"
#include "ui/win32/sheet_page.h"

namespace tqr {
namespace {

static_assert(kColorPageDialog == IDD_COLOR_PAGE);

constexpr DWORD kColorHelpContext = 6;

// Off with the colour controls: everything of the balance and the output
// style. Brightness and intensity stay.
constexpr int kColorControls[] = {
    IDC_BALANCE_LABEL, IDC_BALANCE_CMYK,  IDC_BALANCE_RGB,  IDC_CYAN_LABEL,   IDC_MAGENTA_LABEL,
    IDC_YELLOW_LABEL,  IDC_BLACK_LABEL,   IDC_RED_LABEL,    IDC_GREEN_LABEL,  IDC_BLUE_LABEL,
    IDC_MATCHING_LABEL, IDC_CYAN_BAR,     IDC_MAGENTA_BAR,  IDC_YELLOW_BAR,   IDC_BLACK_BAR,
    IDC_RED_BAR,       IDC_GREEN_BAR,     IDC_BLUE_BAR,     IDC_COLOR_MATCHING, IDC_CYAN_VALUE,
    IDC_MAGENTA_VALUE, IDC_YELLOW_VALUE,  IDC_BLACK_VALUE,  IDC_RED_VALUE,    IDC_GREEN_VALUE,
    IDC_BLUE_VALUE,
};

ColorPageBlock* ColorPageOf(HWND page) {
  ColorPageBlock* block = DialogStateOf<ColorPageBlock>(page);
  return block != nullptr && block->header.sheet != nullptr ? block : nullptr;
}

void ShowBalanceSet(HWND page, BalanceSet set) {
  for (int i = 0; i < kBalanceBarCount; ++i) {
    const int show = kBalanceBars[i].set == set ? SW_SHOW : SW_HIDE;
    const BalanceBarControls& controls = kBalanceBarControls[i];
    for (int id : {controls.labelId, controls.barId, controls.valueId}) {
      ShowWindow(GetDlgItem(page, id), show);
    }
  }
}

void ShowSigned(HWND page, int controlId, int value) {
  SetDlgItemInt(page, controlId, static_cast<UINT>(value), TRUE);
}

void RefreshColorPage(HWND page) {
  const ColorPageBlock* block = ColorPageOf(page);
  if (block == nullptr) return;
  SheetState* sheet = block->header.sheet;
  ShowModifiedTitle(page, sheet);
  const BalanceSet set = ShownBalanceSet(sheet);
  ShowBalanceSet(page, set);
  CheckRadioButton(page, IDC_BALANCE_CMYK, IDC_BALANCE_RGB,
                   set == BalanceSet::kCmyk ? IDC_BALANCE_CMYK : IDC_BALANCE_RGB);
  const bool colors = ColorControlsEnabled(sheet);
  for (int id : kColorControls) EnableControl(page, id, colors);
  for (int id : {IDC_GAMMA_LABEL, IDC_COLOR_GAMMA, IDC_INTENSITY_VALUE, IDC_INTENSITY_LABEL,
                 IDC_INTENSITY_SLIDER}) {
    EnableControl(page, id, true);
  }
  FillVisibleOptionCombo(page, IDC_COLOR_MATCHING, sheet->matching);
  FillVisibleOptionCombo(page, IDC_COLOR_GAMMA, sheet->gamma);
  for (int i = 0; i < kBalanceBarCount; ++i) {
    ShowSigned(page, kBalanceBarControls[i].valueId, (sheet->*kBalanceBars[i].setting).current);
  }
  ShowSigned(page, IDC_INTENSITY_VALUE, sheet->intensity.current);
}

void SetBarPosition(HWND page, int index, int value) {
  HWND bar = GetDlgItem(page, kBalanceBarControls[index].barId);
  SetScrollPos(bar, SB_CTL, value + kBalanceOffset, TRUE);
}

void OnInitDialog(HWND page, LPARAM lParam) {
  SheetState* sheet = SheetOfPageCreation(lParam);
  if (sheet == nullptr) return;
  auto* block = CreateDialogState<ColorPageBlock>(page, sheet);
  if (block == nullptr) return;
  for (int i = 0; i < kBalanceBarCount; ++i) {
    HWND bar = GetDlgItem(page, kBalanceBarControls[i].barId);
    block->gradients[i] = MakeGradientBitmap(bar, kBalanceBars[i].ink);
    SetScrollRange(bar, SB_CTL, 0, kBalanceBarMaximum, TRUE);
    SetBarPosition(page, i, (sheet->*kBalanceBars[i].setting).current);
    ShowWindow(bar, SW_SHOW);
  }
  block->hollowBrush = static_cast<HBRUSH>(GetStockObject(HOLLOW_BRUSH));

  SetUpStepSlider(page, IDC_INTENSITY_SLIDER, SliderKind::kIntensity, sheet, &sheet->intensity,
                  RefreshColorPage, &block->slider);
  GetDriverHelpFile(sheet->printer, block->header.helpFile);
  RefreshColorPage(page);
}

void OnClose(HWND page) {
  ColorPageBlock* block = DialogStateOf<ColorPageBlock>(page);
  if (block == nullptr) return;
  DetachStepSlider(&block->slider);
  for (HBITMAP& gradient : block->gradients) {
    if (gradient != nullptr) DeleteObject(gradient);
    gradient = nullptr;
  }
  // A stock brush: nothing to delete.
  block->hollowBrush = nullptr;
}

void OnHScroll(HWND page, WPARAM wParam, HWND bar) {
  ColorPageBlock* block = ColorPageOf(page);
  const int index = block != nullptr ? BalanceBarIndex(page, bar) : -1;
  if (index < 0) return;
  const int code = LOWORD(wParam);
  const std::optional<int> position =
      BalanceBarPositionAfter(code, GetScrollPos(bar, SB_CTL), HIWORD(wParam));
  if (!position) {
    // The end of a scroll follows every move and changes nothing.
    if (code != SB_ENDSCROLL) {
      TraceUnhandled("ColorPage", "scroll code", static_cast<std::uint32_t>(code));
    }
    return;
  }
  SetScrollPos(bar, SB_CTL, *position, TRUE);
  InvalidateRect(bar, nullptr, TRUE);
  SheetState* sheet = block->header.sheet;
  (sheet->*kBalanceBars[index].setting).current =
      static_cast<std::int16_t>(GetScrollPos(bar, SB_CTL) - kBalanceOffset);
  MarkAdvancedModified(sheet);
  RefreshColorPage(page);
}

void ResetColors(HWND page, ColorPageBlock* block) {
  SheetState* sheet = block->header.sheet;
  SetFocus(GetDlgItem(page, IDC_COLOR_DEFAULTS));
  ResetColorPage(sheet);
  for (int i = 0; i < kBalanceBarCount; ++i) {
    SetBarPosition(page, i, (sheet->*kBalanceBars[i].setting).current);
  }
  SetStepSliderPosition(&block->slider,
                        SliderPositionOf(SliderKind::kIntensity, sheet->intensity.current), false);
  InvalidateRect(block->slider.window, nullptr, TRUE);
  RefreshColorPage(page);
  MarkAdvancedModified(sheet);
}

void OnCommand(HWND page, WPARAM wParam) {
  ColorPageBlock* block = ColorPageOf(page);
  if (block == nullptr) return;
  SheetState* sheet = block->header.sheet;
  const WORD code = HIWORD(wParam);
  switch (LOWORD(wParam)) {
    case IDC_BALANCE_CMYK:
    case IDC_BALANCE_RGB: {
      if (code != BN_CLICKED) break;
      // Which set is shown changes no setting the printer uses.
      const BalanceSet set =
          LOWORD(wParam) == IDC_BALANCE_CMYK ? BalanceSet::kCmyk : BalanceSet::kRgb;
      ShowBalanceSet(page, set);
      ChooseBalanceSet(sheet, set);
      // Not a change of the print mode's settings, but one to apply.
      MarkPageChanged(page);
      break;
    }
    case IDC_COLOR_MATCHING:
    case IDC_COLOR_GAMMA: {
      OptionList* list = LOWORD(wParam) == IDC_COLOR_MATCHING ? sheet->matching : sheet->gamma;
      if (OnOptionComboChange(page, wParam, LOWORD(wParam), list) != 0) {
        MarkAdvancedModified(sheet);
        RefreshColorPage(page);
      }
      break;
    }
    case IDC_COLOR_DEFAULTS:
      if (code == BN_CLICKED) ResetColors(page, block);
      break;
    default:
      break;
  }
}

// The bars' painting and scrolling.
bool OnOther(HWND page, UINT message, WPARAM wParam, LPARAM lParam, INT_PTR* answer) {
  if (message == WM_CTLCOLORSCROLLBAR) {
    const ColorPageBlock* block = ColorPageOf(page);
    *answer = block == nullptr
                  ? FALSE
                  : reinterpret_cast<INT_PTR>(PaintBalanceBar(block, page,
                                                              reinterpret_cast<HDC>(wParam),
                                                              reinterpret_cast<HWND>(lParam)));
    return true;
  }
  if (message == WM_HSCROLL) {
    ColorPageBlock* block = ColorPageOf(page);
    const auto from = reinterpret_cast<HWND>(lParam);
    // The intensity slider's moves while the trackbar moves itself.
    if (block == nullptr || !OnStepSliderScroll(&block->slider, wParam, from)) {
      OnHScroll(page, wParam, from);
    }
    *answer = TRUE;
    return true;
  }
  return false;
}

// The page comes up: the intensity shows on the slider, which another page
// may have changed.
void OnActivate(HWND page) {
  if (ColorPageBlock* block = ColorPageOf(page)) {
    ShowStepSliderValue(&block->slider);
    RefreshColorPage(page);
  }
}

constexpr AdvancedPage kColorPage = {OnInitDialog, OnCommand, OnActivate,       OnClose,
                                     OnOther,      kColorHelpContext, nullptr};

}  // namespace

INT_PTR CALLBACK ColorPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  return AdvancedPageProc(kColorPage, page, message, wParam, lParam);
}

}  // namespace tqr
