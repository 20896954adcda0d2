// The Paper page's smaller dialogs: Offset Setting, Paper Size Setting and
// the banner notice.
#include <windows.h>

#include "resources/paper_ids.h"
#include "ui/win32/module_instance.h"
#include "ui/win32/paper_page.h"

namespace tqr {
namespace {

constexpr DWORD kOffsetHelpTopic = 48;
constexpr DWORD kBannerHelpTopic = 4876;
// The edits take a sign, three digits, a point and two places.
constexpr int kOffsetEditLimit = 7;

constexpr SizePairControls kOffsetControls = {IDC_OFFSET_VERTICAL,       IDC_OFFSET_HORIZONTAL,
                                               IDC_OFFSET_VERTICAL_RANGE, IDC_OFFSET_HORIZONTAL_RANGE,
                                               IDC_OFFSET_UNIT,           SizePairMode::kOffset};

// --- Offset Setting ---------------------------------------------------------------

struct OffsetBlock {
  DialogHeader header;
  SizePairRecord record;
};

void SetField(SizePairRecord* record, SizeField field, const NumericSetting& mm,
              const NumericSetting& inches) {
  const int index = static_cast<int>(field);
  record->value[index][0] = mm.current;
  record->value[index][1] = inches.current;
  record->range[index][0] = {mm.minimum, mm.maximum};
  record->range[index][1] = {inches.minimum, inches.maximum};
}

void InitOffsetSetting(HWND dialog, SheetState* sheet) {
  auto* block = CreateDialogState<OffsetBlock>(dialog, sheet);
  if (block == nullptr) return;
  CenterWindowOver(dialog, GetParent(dialog));
  GetDriverHelpFile(sheet->printer, block->header.helpFile);
  SetField(&block->record, SizeField::k1, sheet->vertOffset, sheet->vertOffsetI);
  SetField(&block->record, SizeField::k2, sheet->horzOffset, sheet->horzOffsetI);
  block->record.unit = sheet->offsetUnit->currentId == 0 ? kUnitMillimetres : kUnitInches;
  FillVisibleOptionCombo(dialog, IDC_OFFSET_UNIT, sheet->offsetUnit);
  FormatSizePair(dialog, block->record, block->record.unit, kOffsetControls);
  ShowRangeLabels(dialog, block->record, block->record.unit, kOffsetControls);
  for (int edit : {IDC_OFFSET_VERTICAL, IDC_OFFSET_HORIZONTAL}) {
    SendDlgItemMessageW(dialog, edit, EM_LIMITTEXT, kOffsetEditLimit, 0);
    SubclassNumericEdit(dialog, edit, DecimalEditProc);
  }
}

void ConfirmOffsetSetting(HWND dialog, OffsetBlock* block) {
  SheetState* sheet = block->header.sheet;
  SizePairRecord& record = block->record;
  if (!ValidateSizePair(dialog, &record, block->header.caption, record.unit, kOffsetControls)) {
    return;
  }
  sheet->vertOffset.current = static_cast<std::int16_t>(record.Value(SizeField::k1, 0));
  sheet->vertOffsetI.current = static_cast<std::int16_t>(record.Value(SizeField::k1, 1));
  sheet->horzOffset.current = static_cast<std::int16_t>(record.Value(SizeField::k2, 0));
  sheet->horzOffsetI.current = static_cast<std::int16_t>(record.Value(SizeField::k2, 1));
  sheet->offsetUnit->currentId = record.unit;
  sheet->offsetUnit->currentPosition = OptionComboPosition(sheet->offsetUnit, record.unit);
  EndModalDialog(dialog, 1);
}

INT_PTR CALLBACK OffsetSettingProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    InitOffsetSetting(dialog, reinterpret_cast<SheetState*>(lParam));
    return TRUE;
  }
  if (message == WM_DESTROY) return CloseModalDialog(dialog);
  if (message != WM_COMMAND) return FALSE;
  auto* block = DialogStateOf<OffsetBlock>(dialog);
  if (block == nullptr) return CommandWithoutState(dialog, wParam);
  switch (LOWORD(wParam)) {
    case IDC_OFFSET_UNIT: {
      if (HIWORD(wParam) != CBN_SELCHANGE) break;
      const int id = GetSelectedOptionId(dialog, IDC_OFFSET_UNIT, block->header.sheet->offsetUnit);
      const std::uint16_t unit = id == 0 ? kUnitMillimetres : kUnitInches;
      if (id < 0 || unit == block->record.unit) break;
      if (SwitchSizePairUnit(dialog, &block->record, block->header.caption, block->record.unit,
                             kOffsetControls)) {
        ShowRangeLabels(dialog, block->record, block->record.unit, kOffsetControls);
      }
      break;
    }
    case IDC_OFFSET_OK:
      ConfirmOffsetSetting(dialog, block);
      break;
    case IDC_OFFSET_CANCEL:
    case IDCANCEL:
      EndModalDialog(dialog, 0);
      break;
    case IDC_OFFSET_HELP:
      OpenHelpTopic(dialog, block->header.helpFile, kOffsetHelpTopic);
      break;
    default:
      break;
  }
  return TRUE;
}

// --- Paper Size Setting -------------------------------------------------------------

// The group boxes in the order of the groups.
constexpr int kGroupBoxes[kSizeGroupCount] = {IDC_GROUP_ISO_A, IDC_GROUP_ISO_B, IDC_GROUP_JIS,
                                              IDC_GROUP_ANSI,  IDC_GROUP_ARCH,  IDC_GROUP_DIN,
                                              IDC_GROUP_SPECIAL};

struct SizeGroupsBlock {
  DialogHeader header;
  std::uint16_t flags[kSizeGroupCount];
};

INT_PTR CALLBACK SizeGroupsProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    auto* sheet = reinterpret_cast<SheetState*>(lParam);
    auto* block = CreateDialogState<SizeGroupsBlock>(dialog, sheet);
    CenterWindowOver(dialog, GetParent(dialog));
    for (int g = 0; block != nullptr && g < kSizeGroupCount; ++g) {
      block->flags[g] = static_cast<std::uint16_t>(SizeGroupFlag(sheet, g)->current);
      SetCheckFromFlag(dialog, kGroupBoxes[g], &block->flags[g]);
    }
    return TRUE;
  }
  if (message == WM_DESTROY) {
    FreeDialogState(dialog);
    return TRUE;
  }
  if (message != WM_COMMAND) return FALSE;
  auto* block = DialogStateOf<SizeGroupsBlock>(dialog);
  const int id = LOWORD(wParam);
  if (id == IDC_GROUPS_CANCEL || id == IDCANCEL || block == nullptr) {
    if (id == IDC_GROUPS_CANCEL || id == IDCANCEL) EndModalDialog(dialog, 0);
    return TRUE;
  }
  if (id == IDC_GROUPS_OK) {
    StoreSizeGroups(block->header.sheet, block->flags);
    EndModalDialog(dialog, 1);
    return TRUE;
  }
  for (int g = 0; g < kSizeGroupCount; ++g) {
    if (kGroupBoxes[g] == id && HIWORD(wParam) == BN_CLICKED) {
      ReadCheckToFlag(dialog, id, &block->flags[g]);
    }
  }
  return TRUE;
}

// --- banner notice ------------------------------------------------------------------

INT_PTR CALLBACK BannerNoticeProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: {
      auto* sheet = reinterpret_cast<SheetState*>(lParam);
      if (DialogHeader* header = AllocateDialogState(dialog, sizeof(DialogHeader), sheet)) {
        GetDriverHelpFile(sheet->printer, header->helpFile);
      }
      CenterWindowOver(dialog, GetParent(dialog));
      return TRUE;
    }
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
        EndModalDialog(dialog, 0);
      } else if (LOWORD(wParam) == IDC_BANNER_HELP) {
        if (const DialogHeader* header = GetDialogHeader(dialog)) {
          OpenHelpTopic(dialog, header->helpFile, kBannerHelpTopic);
        }
      }
      return TRUE;
    case WM_DESTROY:
      return CloseModalDialog(dialog);
    default:
      return FALSE;
  }
}

}  // namespace

void EndModalDialog(HWND dialog, INT_PTR result) {
  FreeDialogState(dialog);
  EndDialog(dialog, result);
}

INT_PTR CloseModalDialog(HWND dialog) {
  if (const DialogHeader* header = GetDialogHeader(dialog)) {
    QuitDriverHelp(dialog, header->helpFile);
  }
  FreeDialogState(dialog);
  return TRUE;
}

INT_PTR CommandWithoutState(HWND dialog, WPARAM wParam) {
  if (LOWORD(wParam) == IDCANCEL) EndDialog(dialog, 0);
  return TRUE;
}

INT_PTR ShowOffsetSetting(HWND owner, SheetState* sheet) {
  return ShowModalPaperDialog(owner, IDD_OFFSET_SETTING, OffsetSettingProc, sheet);
}

INT_PTR ShowSizeGroups(HWND owner, SheetState* sheet) {
  return ShowModalPaperDialog(owner, IDD_SIZE_GROUPS, SizeGroupsProc, sheet);
}

INT_PTR ShowBannerNotice(HWND owner, SheetState* sheet) {
  return ShowModalPaperDialog(owner, IDD_BANNER_NOTICE, BannerNoticeProc, sheet);
}

INT_PTR ShowModalPaperDialog(HWND owner, int dialogId, DLGPROC procedure, SheetState* sheet) {
  return DialogBoxParamW(ModuleInstance(), MAKEINTRESOURCEW(dialogId), owner, procedure,
                         reinterpret_cast<LPARAM>(sheet));
}

}  // namespace tqr
