// The Features page: copies, print head management and the two ink drying
// times. The rules live in ui/features_model.h; this reads the edits, calls
// them and shows the result.
#include <windows.h>
#include <commctrl.h>
#include <compstui.h>

#include "resources/feature_pages_ids.h"
#include "sheet/sheet_values.h"
#include "ui/features_model.h"
#include "ui/main_page_model.h"
#include "ui/win32/dlgutil_win32.h"
#include "ui/win32/pages.h"
#include "ui/win32/sheet_page.h"

namespace tqr {
namespace {

static_assert(kFeaturesPageDialog == IDD_FEATURES_PAGE);

constexpr DWORD kFeaturesHelpContext = 3;

struct FeaturesPageBlock {
  DialogHeader header;
  // Nonzero while the page writes its edits: their change notifications
  // then echo the page, not the user. A spin given its range may write its
  // edit before the page has shown the sheet's value there.
  std::uint32_t showing;
};

// Each number's edit and spin, and how many digits it takes.
struct NumberControls {
  FeatureNumber number;
  int editId;
  int spinId;
  int digits;
  WNDPROC filter;
};

const NumberControls kNumberControls[] = {
    {FeatureNumber::kCopies, IDC_COPIES_EDIT, IDC_COPIES_SPIN, 3, IntegerEditProc},
    {FeatureNumber::kDryInkScan, IDC_DRY_SCAN_EDIT, IDC_DRY_SCAN_SPIN, 2, IntegerOrZeroEditProc},
    {FeatureNumber::kDryInkPage, IDC_DRY_PAGE_EDIT, IDC_DRY_PAGE_SPIN, 2, IntegerOrZeroEditProc},
};

SheetState* SheetOf(HWND page) {
  const FeaturesPageBlock* block = DialogStateOf<FeaturesPageBlock>(page);
  return block != nullptr ? block->header.sheet : nullptr;
}

const NumberControls* ControlsOfEdit(int editId) {
  for (const NumberControls& controls : kNumberControls) {
    if (controls.editId == editId) return &controls;
  }
  return nullptr;
}

const NumberControls* ControlsOfSpin(HWND page, HWND spin) {
  for (const NumberControls& controls : kNumberControls) {
    if (GetDlgItem(page, controls.spinId) == spin) return &controls;
  }
  return nullptr;
}

const NumberControls& ControlsOf(FeatureNumber number) {
  return kNumberControls[static_cast<int>(number)];
}

void ShowNumber(HWND page, SheetState* sheet, FeatureNumber number) {
  SetDlgItemInt(page, ControlsOf(number).editId,
                static_cast<UINT>(FeatureSetting(sheet, number).current), FALSE);
}

void ShowHeadManagement(HWND page, const SheetState* sheet) {
  CheckRadioButton(page, IDC_HEAD_AUTOMATIC, IDC_HEAD_NO,
                   IsAutomaticHeadManagement(sheet) ? IDC_HEAD_AUTOMATIC : IDC_HEAD_NO);
}

void ShowFeatures(HWND page, FeaturesPageBlock* block) {
  SheetState* sheet = block->header.sheet;
  block->showing = 1;
  ClampFeatureNumbers(sheet);
  for (const NumberControls& controls : kNumberControls) ShowNumber(page, sheet, controls.number);
  ShowHeadManagement(page, sheet);
  block->showing = 0;
}

void EnableFeatureControls(HWND page, const SheetState* sheet) {
  const FeatureControls enabled = EnabledFeatureControls(sheet);
  for (int id : {IDC_COPIES_LABEL, IDC_COPIES_EDIT, IDC_COPIES_SPIN}) {
    EnableControl(page, id, enabled.copies);
  }
  for (int id : {IDC_HEAD_GROUP, IDC_HEAD_AUTOMATIC, IDC_HEAD_NO}) {
    EnableControl(page, id, enabled.headManagement);
  }
  for (int id : {IDC_DRYING_GROUP, IDC_DRY_SCAN_LABEL, IDC_DRY_SCAN_EDIT, IDC_DRY_SCAN_SPIN,
                 IDC_DRY_SCAN_UNIT, IDC_DRY_PAGE_LABEL, IDC_DRY_PAGE_UNIT}) {
    EnableControl(page, id, enabled.dryInkScan);
  }
  for (int id : {IDC_DRY_PAGE_EDIT, IDC_DRY_PAGE_SPIN}) EnableControl(page, id, enabled.dryInkPage);
  EnableControl(page, IDC_FEATURES_DEFAULTS, enabled.defaults);
}

// The banner and cutter choices of the Paper page reset what they make
// unused, and the edits show it: the copies are read back from theirs.
void ApplyFeatureRules(HWND page, FeaturesPageBlock* block) {
  SheetState* sheet = block->header.sheet;
  const UnusedSettingResets resets = ResetSettingsUnusedByPaper(sheet);
  block->showing = 1;
  if (resets.copies) ShowNumber(page, sheet, FeatureNumber::kCopies);
  if (resets.dryInkPage) ShowNumber(page, sheet, FeatureNumber::kDryInkPage);
  block->showing = 0;
}

// Reads the copies edit; a count outside the limits keeps the user on the
// page with the message.
bool CheckCopies(HWND page, SheetState* sheet) {
  const std::int16_t value =
      GetEditIntClamped(page, IDC_COPIES_EDIT, sheet->copies.minimum, sheet->copies.maximum);
  if (AcceptCopies(sheet, value)) return true;
  const DialogHeader* header = GetDialogHeader(page);
  ShowDriverMessage(page, reinterpret_cast<const wchar_t*>(kCopiesRangeMessage), MB_OK,
                    header != nullptr ? header->caption : kDriverCaption);
  SetFocus(GetDlgItem(page, IDC_COPIES_EDIT));
  return false;
}

void OnInitDialog(HWND page, LPARAM lParam) {
  SheetState* sheet = SheetOfPageCreation(lParam);
  if (sheet == nullptr) return;
  auto* block = CreateDialogState<FeaturesPageBlock>(page, sheet);
  if (block == nullptr) return;
  block->showing = 1;
  for (const NumberControls& controls : kNumberControls) {
    const NumericSetting& setting = FeatureSetting(sheet, controls.number);
    SendDlgItemMessageW(page, controls.spinId, UDM_SETBUDDY,
                        reinterpret_cast<WPARAM>(GetDlgItem(page, controls.editId)), 0);
    // The upper bound in the low word.
    SendDlgItemMessageW(page, controls.spinId, UDM_SETRANGE, 0,
                        MAKELPARAM(static_cast<WORD>(setting.maximum),
                                   static_cast<WORD>(setting.minimum)));
    SendDlgItemMessageW(page, controls.editId, EM_LIMITTEXT, controls.digits, 0);
    SubclassNumericEdit(page, controls.editId, controls.filter);
  }
  GetDriverHelpFile(sheet->printer, block->header.helpFile);
  ShowFeatures(page, block);
  EnableFeatureControls(page, sheet);
}

void OnEditChange(HWND page, SheetState* sheet, const NumberControls& controls) {
  const NumericSetting& setting = FeatureSetting(sheet, controls.number);
  const std::int16_t value =
      GetEditIntClamped(page, controls.editId, setting.minimum, setting.maximum);
  if (StoreFeatureNumber(sheet, controls.number, value)) MarkPageChanged(page);
}

void OnCommand(HWND page, WPARAM wParam) {
  FeaturesPageBlock* block = DialogStateOf<FeaturesPageBlock>(page);
  SheetState* sheet = block != nullptr ? block->header.sheet : nullptr;
  if (sheet == nullptr) return;
  const int id = LOWORD(wParam);
  const WORD code = HIWORD(wParam);
  if (const NumberControls* controls = ControlsOfEdit(id)) {
    if (code == EN_CHANGE && block->showing == 0) OnEditChange(page, sheet, *controls);
    return;
  }
  if (code != BN_CLICKED) return;
  switch (id) {
    case IDC_HEAD_AUTOMATIC:
    case IDC_HEAD_NO:
      if (SetAutomaticHeadManagement(sheet, id == IDC_HEAD_AUTOMATIC)) {
        ShowHeadManagement(page, sheet);
        MarkPageChanged(page);
      }
      break;
    case IDC_FEATURES_DEFAULTS:
      ResetSheetToDefaults(sheet);
      SetFocus(GetDlgItem(page, IDC_FEATURES_DEFAULTS));
      ShowFeatures(page, block);
      MarkPageChanged(page);
      break;
    default:
      break;
  }
}

// A spin turned. The spins write their edits themselves; line steps, which
// only other senders use, are taken from the value shown.
void OnVScroll(HWND page, WPARAM wParam, HWND spin) {
  SheetState* sheet = SheetOf(page);
  if (sheet == nullptr) return;
  MarkPageChanged(page);
  const NumberControls* controls = ControlsOfSpin(page, spin);
  const int code = LOWORD(wParam);
  if (controls == nullptr || (code != SB_LINEUP && code != SB_LINEDOWN)) return;
  BOOL read = FALSE;
  const int shown = static_cast<int>(GetDlgItemInt(page, controls->editId, &read, FALSE));
  const std::int16_t value = StepFeatureNumber(FeatureSetting(sheet, controls->number), shown,
                                               code == SB_LINEUP ? 1 : -1);
  SetDlgItemInt(page, controls->editId, static_cast<UINT>(value), FALSE);
  MarkPageChanged(page);
}

// OK may come from another page: the Paper page's choices are applied to
// the edits before the copies are read from them.
INT_PTR OnApply(HWND page, FeaturesPageBlock* block) {
  SheetState* sheet = block->header.sheet;
  ApplyFeatureRules(page, block);
  if (!CheckCopies(page, sheet)) return AnswerNotification(page, PSNRET_INVALID);
  ConfirmMainPage(sheet);
  SaveFeatures(sheet);
  ReportSheetResult(sheet, CPSUI_OK);
  return AnswerNotification(page, PSNRET_NOERROR);
}

INT_PTR OnReset(HWND page, SheetState* sheet) {
  if (CancelMainPage(sheet)) {
    SaveFeatures(sheet);
    ReportSheetResult(sheet, CPSUI_OK);
  }
  return AnswerNotification(page, 0);
}

INT_PTR OnNotify(HWND page, const NMHDR* header) {
  FeaturesPageBlock* block = DialogStateOf<FeaturesPageBlock>(page);
  if (block == nullptr || block->header.sheet == nullptr || header == nullptr) return FALSE;
  SheetState* sheet = block->header.sheet;
  switch (header->code) {
    case PSN_SETACTIVE:
      ApplyFeatureRules(page, block);
      EnableFeatureControls(page, sheet);
      return AnswerNotification(page, 0);
    case PSN_KILLACTIVE:
      return AnswerNotification(page, CheckCopies(page, sheet) ? FALSE : TRUE);
    case PSN_APPLY:
      return OnApply(page, block);
    case PSN_RESET:
      return OnReset(page, sheet);
    default: {
      // Help and the cancel question, as every editing page answers them.
      INT_PTR answer = FALSE;
      AnswerCommonNotification(page, header->code, sheet, block->header.helpFile,
                               block->header.caption, kFeaturesHelpContext, &answer);
      return answer;
    }
  }
}

}  // namespace

INT_PTR CALLBACK FeaturesPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      OnInitDialog(page, lParam);
      return TRUE;
    case WM_COMMAND:
      OnCommand(page, wParam);
      return TRUE;
    case WM_VSCROLL:
      OnVScroll(page, wParam, reinterpret_cast<HWND>(lParam));
      return TRUE;
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
