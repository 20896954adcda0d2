// Combo boxes filled from and read back into option lists.
#include <cwchar>

#include "ui/win32/dlgutil_win32.h"

namespace tqr {
namespace {

void FillCombo(HWND dialog, int comboId, OptionList* list, bool visibleOnly) {
  if (list == nullptr) return;
  HWND combo = GetDlgItem(dialog, comboId);
  SendMessageW(combo, CB_RESETCONTENT, 0, 0);
  OptionEntry* entries = list->Entries();
  std::uint16_t shown = 0;
  for (std::uint16_t i = 0; i < list->count; ++i) {
    OptionEntry& entry = entries[i];
    if (visibleOnly && (entry.flags & kOptionHidden) != 0) {
      entry.comboPosition = kNoComboPosition;
      continue;
    }
    entry.comboPosition = shown++;
    // Names come from the description; one without its terminator is cut
    // at the end of its field rather than read past it.
    wchar_t name[kOptionNameLength + 1] = {};
    wmemcpy(name, reinterpret_cast<const wchar_t*>(entry.name), kOptionNameLength);
    SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
  }
  const std::uint16_t position = OptionComboPosition(list, list->currentId);
  // A hidden current option shows no selection rather than a wrong one.
  const WPARAM selection =
      position == kNoComboPosition ? static_cast<WPARAM>(-1) : static_cast<WPARAM>(position);
  SendMessageW(combo, CB_SETCURSEL, selection, 0);
}

}  // namespace

void FillOptionCombo(HWND dialog, int comboId, OptionList* list) {
  FillCombo(dialog, comboId, list, false);
}

void FillVisibleOptionCombo(HWND dialog, int comboId, OptionList* list) {
  FillCombo(dialog, comboId, list, true);
}

int GetSelectedOptionId(HWND dialog, int comboId, const OptionList* list) {
  if (list == nullptr) return -1;
  const LRESULT selection = SendDlgItemMessageW(dialog, comboId, CB_GETCURSEL, 0, 0);
  if (selection == CB_ERR) return -1;
  const std::uint16_t id = OptionIdAtComboPosition(list, static_cast<std::int16_t>(selection));
  return id == 0xFFFF ? -1 : id;
}

int OnOptionComboChange(HWND dialog, WPARAM wParam, int comboId, OptionList* list) {
  if (HIWORD(wParam) != CBN_SELCHANGE || list == nullptr) return 0;
  const int id = GetSelectedOptionId(dialog, comboId, list);
  // No selection: the current option stays what it was instead of 0xFFFF.
  if (id < 0) return 0;
  list->currentId = static_cast<std::uint16_t>(id);
  list->currentPosition =
      static_cast<std::uint16_t>(SendDlgItemMessageW(dialog, comboId, CB_GETCURSEL, 0, 0));
  return 1;
}

}  // namespace tqr
