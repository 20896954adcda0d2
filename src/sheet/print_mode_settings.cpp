#include "sheet/print_mode_settings.h"

#include "presets/print_mode_file.h"
#include "sheet/sheet_values.h"

namespace tqr {
namespace {

// Where settings word n (1 to 16) lives in the sheet: a list's current
// option id or a setting's current value.
struct WordPlace {
  OptionList* SheetState::*options;
  ValueList* SheetState::*values;
  ValueSetting SheetState::*value;
  NumericSetting SheetState::*number;
};

constexpr WordPlace Options(OptionList* SheetState::*member) {
  return WordPlace{member, nullptr, nullptr, nullptr};
}
constexpr WordPlace Values(ValueList* SheetState::*member) {
  return WordPlace{nullptr, member, nullptr, nullptr};
}
constexpr WordPlace Value(ValueSetting SheetState::*member) {
  return WordPlace{nullptr, nullptr, member, nullptr};
}
constexpr WordPlace Number(NumericSetting SheetState::*member) {
  return WordPlace{nullptr, nullptr, nullptr, member};
}

constexpr WordPlace kWordPlaces[16] = {
    Options(&SheetState::cartridge), Value(&SheetState::grayScale),
    Options(&SheetState::mediaType), Value(&SheetState::mirror),
    Number(&SheetState::printQuality), Values(&SheetState::halftoning),
    Number(&SheetState::cyan),       Number(&SheetState::magenta),
    Number(&SheetState::yellow),     Number(&SheetState::black),
    Number(&SheetState::red),        Number(&SheetState::green),
    Number(&SheetState::blue),       Options(&SheetState::matching),
    Options(&SheetState::gamma),     Number(&SheetState::intensity),
};

std::uint16_t CurrentAt(const SheetState* state, const WordPlace& place) {
  if (place.options != nullptr) {
    const OptionList* list = state->*place.options;
    return list != nullptr ? list->currentId : 0;
  }
  if (place.values != nullptr) {
    const ValueList* list = state->*place.values;
    return list != nullptr ? list->currentId : 0;
  }
  if (place.value != nullptr) return static_cast<std::uint16_t>((state->*place.value).current);
  return static_cast<std::uint16_t>((state->*place.number).current);
}

void SetCurrentAt(SheetState* state, const WordPlace& place, std::uint16_t word) {
  if (place.options != nullptr) {
    if (OptionList* list = state->*place.options) {
      list->currentId = word;
      list->currentPosition = OptionComboPosition(list, word);
    }
  } else if (place.values != nullptr) {
    if (ValueList* list = state->*place.values) list->currentId = word;
  } else if (place.value != nullptr) {
    (state->*place.value).current = static_cast<std::int16_t>(word);
  } else {
    (state->*place.number).current = static_cast<std::int16_t>(word);
  }
}

}  // namespace

void ApplyPrintModeRecord(SheetState* state, const PrintModeRecord& record) {
  for (int n = 1; n <= 16; ++n) SetCurrentAt(state, kWordPlaces[n - 1], record.Word(n));
}

bool MatchesPrintModeRecord(const SheetState* state, const PrintModeRecord& record) {
  for (int n = 1; n <= 16; ++n) {
    if (CurrentAt(state, kWordPlaces[n - 1]) != record.Word(n)) return false;
  }
  return true;
}

void CapturePrintModeRecord(const SheetState* state, PrintModeRecord* record) {
  for (int n = 1; n <= 16; ++n) record->Word(n) = CurrentAt(state, kWordPlaces[n - 1]);
}

bool SelectedPrintModeIsLost(const SheetState* state) {
  PrintModeOrder order{};
  if (!ReadPrintModeOrder(&order)) return false;
  const bool listed = IsModeListed(order, state->printMode->currentId);
  const bool confirmed = state->overlayPrompt.current != 0;
  return !(listed && confirmed);
}

void RestoreStandardPrintMode(SheetState* state) {
  state->printMode->currentId = 0;
  state->printMode->savedId = 0;
  state->printMode->currentPosition = OptionComboPosition(state->printMode, 0);
  ApplyPrintModeRecord(state, state->builtInModes[0]);
  state->firstPageOnly.current = 0;
}

}  // namespace tqr
