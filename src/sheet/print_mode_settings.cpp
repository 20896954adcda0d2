#include "sheet/print_mode_settings.h"

#include <type_traits>

#include "presets/print_mode_file.h"
#include "sheet/sheet_values.h"
#include "sheet/sheetstate_rows.h"

namespace tqr {
namespace {

// The row whose current value is settings word n (1 to 16); the feature
// table gives each word exactly one.
const sheet::Row& RowOfWord(int n) {
  for (std::size_t i = 0; i < sheet::kRowCount; ++i) {
    if (sheet::kRows[i].word.slot == n) return sheet::kRows[i];
  }
  return sheet::kRows[0];  // not reached: checked when the table is compiled
}

// A list's current option id or a setting's current value.
std::uint16_t CurrentAt(const SheetState* state, int n) {
  std::uint16_t word = 0;
  sheet::VisitEntry(state, RowOfWord(n), [&](auto&& entry) {
    if constexpr (std::is_pointer_v<std::remove_reference_t<decltype(entry)>>) {
      word = entry != nullptr ? entry->currentId : 0;
    } else {
      word = static_cast<std::uint16_t>(entry.current);
    }
  });
  return word;
}

void SetCurrentAt(SheetState* state, int n, std::uint16_t word) {
  sheet::VisitEntry(state, RowOfWord(n), [&](auto& entry) {
    using Entry = std::remove_reference_t<decltype(entry)>;
    if constexpr (std::is_pointer_v<Entry>) {
      if (entry == nullptr) return;
      entry->currentId = word;
      if constexpr (std::is_same_v<Entry, OptionList*>) {
        entry->currentPosition = OptionComboPosition(entry, word);
      }
    } else {
      entry.current = static_cast<decltype(entry.current)>(word);
    }
  });
}

}  // namespace

void ApplyPrintModeRecord(SheetState* state, const PrintModeRecord& record) {
  for (int n = 1; n <= 16; ++n) SetCurrentAt(state, n, record.Word(n));
}

bool MatchesPrintModeRecord(const SheetState* state, const PrintModeRecord& record) {
  for (int n = 1; n <= 16; ++n) {
    if (CurrentAt(state, n) != record.Word(n)) return false;
  }
  return true;
}

void CapturePrintModeRecord(const SheetState* state, PrintModeRecord* record) {
  for (int n = 1; n <= 16; ++n) record->Word(n) = CurrentAt(state, n);
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

void FollowPrintModeInList(SheetState* state) {
  PrintModeOrder order{};
  if (state->printMode == nullptr || !ReadPrintModeOrder(&order)) return;
  const std::uint16_t position =
      FindModePosition(order.order, order.count, state->printMode->currentId);
  if (position != kPositionNotFound) state->printModeListPosition = position;
}

}  // namespace tqr
