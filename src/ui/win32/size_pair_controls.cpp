// A size pair's edits, range labels and unit combo.
#include <vector>

#include "ui/win32/paper_page.h"

namespace tqr {

std::u16string ReadDialogText(HWND dialog, int controlId, int limit) {
  std::vector<wchar_t> text(static_cast<std::size_t>(limit) + 1, L'\0');
  GetDlgItemTextW(dialog, controlId, text.data(), limit + 1);
  return std::u16string(reinterpret_cast<const char16_t*>(text.data()));
}

int ShowPaperMessage(HWND owner, const std::u16string& text, UINT buttons,
                     const wchar_t* caption) {
  return ShowDriverMessage(owner, WideText(text), buttons, caption);
}

namespace {

// The edits of a size pair take the texts the user typed; the longest one
// read is this long.
constexpr int kLongestSizeText = 512;

bool CheckPair(HWND dialog, SizePairRecord* record, const wchar_t* caption, std::uint16_t unit,
               std::uint16_t comboUnit, const SizePairControls& controls) {
  const std::optional<SizeField> failed = ValidateSizePairTexts(
      record, unit, ReadDialogText(dialog, controls.field1Edit, kLongestSizeText),
      ReadDialogText(dialog, controls.field2Edit, kLongestSizeText));
  if (!failed) return true;
  ShowPaperMessage(dialog, SizePairRangeMessage(*record, controls.mode), MB_OK, caption);
  SetFocus(GetDlgItem(dialog, *failed == SizeField::k1 ? controls.field1Edit : controls.field2Edit));
  SendDlgItemMessageW(dialog, controls.unitCombo, CB_SETCURSEL, UnitIndex(comboUnit), 0);
  return false;
}

}  // namespace

bool ValidateSizePair(HWND dialog, SizePairRecord* record, const wchar_t* caption,
                      std::uint16_t unit, const SizePairControls& controls) {
  return CheckPair(dialog, record, caption, unit, unit, controls);
}

bool SwitchSizePairUnit(HWND dialog, SizePairRecord* record, const wchar_t* caption,
                        std::uint16_t previousUnit, const SizePairControls& controls) {
  if (!CheckPair(dialog, record, caption, previousUnit, previousUnit, controls)) return false;
  record->unit = previousUnit == kUnitMillimetres ? kUnitInches : kUnitMillimetres;
  FormatSizePair(dialog, *record, record->unit, controls);
  return true;
}

void FormatSizePair(HWND dialog, const SizePairRecord& record, std::uint16_t unit,
                    const SizePairControls& controls) {
  const int index = UnitIndex(unit);
  SetDlgItemTextW(dialog, controls.field1Edit,
                  WideText(FormatLength(record.Value(SizeField::k1, index), unit)));
  SetDlgItemTextW(dialog, controls.field2Edit,
                  WideText(FormatLength(record.Value(SizeField::k2, index), unit)));
}

void ShowRangeLabels(HWND dialog, const SizePairRecord& record, std::uint16_t unit,
                     const SizePairControls& controls) {
  SetDlgItemTextW(dialog, controls.field2Label,
                  WideText(RangeLabelText(record, SizeField::k2, unit)));
  SetDlgItemTextW(dialog, controls.field1Label,
                  WideText(RangeLabelText(record, SizeField::k1, unit)));
}

}  // namespace tqr
