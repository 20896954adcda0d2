// Small control helpers: page changes, enabling, check boxes, the
// orientation radios, spin edits and clamped numbers.
#include "ui/win32/dlgutil_win32.h"

#include <commctrl.h>

namespace tqr {

void MarkPageChanged(HWND page) {
  SendMessageW(GetParent(page), PSM_CHANGED, reinterpret_cast<WPARAM>(page), 0);
}

void EnableControl(HWND dialog, int controlId, bool enable) {
  HWND control = GetDlgItem(dialog, controlId);
  // Enabling is left alone when nothing changes: EnableWindow would still
  // send WM_CANCELMODE and repaint.
  if (control == nullptr || (IsWindowEnabled(control) != FALSE) == enable) return;
  EnableWindow(control, enable ? TRUE : FALSE);
}

void SetCheckFromFlag(HWND dialog, int controlId, const std::uint16_t* flag) {
  if (flag == nullptr) return;
  SendDlgItemMessageW(dialog, controlId, BM_SETCHECK, *flag != 0 ? BST_CHECKED : BST_UNCHECKED, 0);
}

void SetCheckFromFlag(HWND dialog, int controlId, const std::int16_t* flag) {
  if (flag == nullptr) return;
  const std::uint16_t value = static_cast<std::uint16_t>(*flag);
  SetCheckFromFlag(dialog, controlId, &value);
}

std::uint16_t GetCheckState(HWND dialog, int controlId, const void* state) {
  if (state == nullptr) return 0xFFFF;
  return static_cast<std::uint16_t>(SendDlgItemMessageW(dialog, controlId, BM_GETCHECK, 0, 0));
}

int ReadCheckToFlag(HWND dialog, int controlId, std::uint16_t* flag) {
  if (flag == nullptr) return 0;
  *flag = static_cast<std::uint16_t>(SendDlgItemMessageW(dialog, controlId, BM_GETCHECK, 0, 0));
  return 1;
}

int ReadCheckToFlag(HWND dialog, int controlId, std::int16_t* flag) {
  if (flag == nullptr) return 0;
  std::uint16_t value = 0;
  ReadCheckToFlag(dialog, controlId, &value);
  *flag = static_cast<std::int16_t>(value);
  return 1;
}

void SetOrientationRadio(HWND dialog, int orientation) {
  CheckRadioButton(dialog, kPortraitRadio, kLandscapeRadio,
                   orientation == 1 ? kPortraitRadio : kLandscapeRadio);
}

int GetOrientationRadio(HWND dialog, ValueList* orientation) {
  if (orientation == nullptr) return 0;
  orientation->currentId = IsDlgButtonChecked(dialog, kPortraitRadio) == BST_CHECKED ? 1 : 2;
  return orientation->currentId;
}

void InitSpinEdit(HWND dialog, int editId, int spinId, int minimum, int maximum, int value) {
  // UDM_SETRANGE takes 16-bit bounds: the upper one in the low word.
  SendDlgItemMessageW(dialog, spinId, UDM_SETRANGE, 0,
                      MAKELPARAM(static_cast<WORD>(maximum), static_cast<WORD>(minimum)));
  SendDlgItemMessageW(dialog, editId, EM_LIMITTEXT, 3, 0);
  SetDlgItemInt(dialog, editId, static_cast<UINT>(value), TRUE);
}

std::int16_t GetEditIntClamped(HWND dialog, int editId, std::int16_t minimum,
                               std::int16_t maximum) {
  const bool isSigned = minimum < 0;
  BOOL read = FALSE;
  const UINT raw = GetDlgItemInt(dialog, editId, &read, isSigned ? TRUE : FALSE);
  // Compared before narrowing: 70000 is above 999, not 4464.
  const long long value =
      isSigned ? static_cast<long long>(static_cast<INT>(raw)) : static_cast<long long>(raw);
  if (value > maximum) {
    // Written signed so that a negative maximum reads back as itself; for
    // every other maximum the text is the same as unsigned.
    SetDlgItemInt(dialog, editId, static_cast<UINT>(static_cast<INT>(maximum)), TRUE);
    return maximum;
  }
  return static_cast<std::int16_t>(value);
}

}  // namespace tqr
