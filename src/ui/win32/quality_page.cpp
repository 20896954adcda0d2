// The Quality page of the Advanced sheet: the cartridge setting, media type,
// mirror printing and the print quality on a three-step slider.
#include <windows.h>

#include "resources/feature_pages_ids.h"
#include "ui/advanced_sheet_model.h"
#include "ui/main_page_model.h"
#include "ui/win32/advanced_pages.h"
#include "ui/win32/sheet_page.h"

namespace tqr {
namespace {

static_assert(kQualityPageDialog == IDD_QUALITY_PAGE);

constexpr DWORD kQualityHelpContext = 5;

struct QualityPageBlock {
  DialogHeader header;
  StepSliderState slider;
};

QualityPageBlock* QualityPageOf(HWND page) {
  QualityPageBlock* block = DialogStateOf<QualityPageBlock>(page);
  return block != nullptr && block->header.sheet != nullptr ? block : nullptr;
}

void RefreshQualityPage(HWND page) {
  const QualityPageBlock* block = QualityPageOf(page);
  if (block == nullptr) return;
  SheetState* sheet = block->header.sheet;
  ShowModifiedTitle(page, sheet);
  FillVisibleOptionCombo(page, IDC_QUALITY_CARTRIDGE, sheet->cartridge);
  FillVisibleOptionCombo(page, IDC_QUALITY_MEDIA_TYPE, sheet->mediaType);
  CheckDlgButton(page, IDC_QUALITY_MIRROR, sheet->mirror.current == 1 ? BST_CHECKED : BST_UNCHECKED);
  if (const char16_t* mode = QualityName(sheet->printQuality.current)) {
    SetDlgItemTextW(page, IDC_QUALITY_MODE, reinterpret_cast<const wchar_t*>(mode));
  }
}

void OnInitDialog(HWND page, LPARAM lParam) {
  SheetState* sheet = SheetOfPageCreation(lParam);
  if (sheet == nullptr) return;
  auto* block = CreateDialogState<QualityPageBlock>(page, sheet);
  if (block == nullptr) return;
  SetUpStepSlider(page, IDC_QUALITY_SLIDER, SliderKind::kQuality, sheet, &sheet->printQuality,
                  RefreshQualityPage, &block->slider);
  GetDriverHelpFile(sheet->printer, block->header.helpFile);
  RefreshQualityPage(page);
}

void OnClose(HWND page) {
  if (QualityPageBlock* block = DialogStateOf<QualityPageBlock>(page)) {
    DetachStepSlider(&block->slider);
  }
}

void OnActivate(HWND page) {
  if (QualityPageBlock* block = QualityPageOf(page)) {
    ShowStepSliderValue(&block->slider);
    RefreshQualityPage(page);
  }
}

void Changed(HWND page, SheetState* sheet) {
  MarkAdvancedModified(sheet);
  InvalidateRect(GetDlgItem(page, IDC_QUALITY_SLIDER), nullptr, TRUE);
  RefreshQualityPage(page);
}

void OnCommand(HWND page, WPARAM wParam) {
  QualityPageBlock* block = QualityPageOf(page);
  if (block == nullptr) return;
  SheetState* sheet = block->header.sheet;
  switch (LOWORD(wParam)) {
    case IDC_QUALITY_CARTRIDGE:
      if (OnOptionComboChange(page, wParam, IDC_QUALITY_CARTRIDGE, sheet->cartridge) != 0) {
        Changed(page, sheet);
      }
      break;
    case IDC_QUALITY_MEDIA_TYPE:
      if (OnOptionComboChange(page, wParam, IDC_QUALITY_MEDIA_TYPE, sheet->mediaType) != 0) {
        Changed(page, sheet);
      }
      break;
    case IDC_QUALITY_MIRROR:
      if (HIWORD(wParam) != BN_CLICKED) break;
      ToggleMirror(sheet, IsDlgButtonChecked(page, IDC_QUALITY_MIRROR) == BST_CHECKED);
      Changed(page, sheet);
      break;
    case IDC_QUALITY_DEFAULTS:
      if (HIWORD(wParam) != BN_CLICKED) break;
      SetFocus(GetDlgItem(page, IDC_QUALITY_DEFAULTS));
      ResetQualityPage(sheet);
      SetStepSliderPosition(&block->slider, sheet->printQuality.current, true);
      Changed(page, sheet);
      break;
    default:
      break;
  }
}

// The slider's moves while the trackbar moves itself.
bool OnOther(HWND page, UINT message, WPARAM wParam, LPARAM lParam, INT_PTR* answer) {
  QualityPageBlock* block = message == WM_HSCROLL ? QualityPageOf(page) : nullptr;
  if (block == nullptr ||
      !OnStepSliderScroll(&block->slider, wParam, reinterpret_cast<HWND>(lParam))) {
    return false;
  }
  *answer = TRUE;
  return true;
}

constexpr AdvancedPage kQualityPage = {OnInitDialog, OnCommand, OnActivate, OnClose, OnOther,
                                       kQualityHelpContext, nullptr};

}  // namespace

INT_PTR CALLBACK QualityPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  return AdvancedPageProc(kQualityPage, page, message, wParam, lParam);
}

}  // namespace tqr
