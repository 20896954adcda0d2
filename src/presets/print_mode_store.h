// The Save page's copy of the user print mode file and the edits it makes
// before rewriting the file: append, overwrite, delete with renumbering, and
// reordering.
#pragma once

#include <cstdint>
#include <vector>

#include "presets/print_mode_list.h"
#include "presets/print_mode_record.h"

namespace tqr {

struct PrintModeStore {
  // The sheet's five built-in records; the store never changes them.
  const PrintModeRecord* builtIn = nullptr;
  std::uint16_t count = 0;  // list entries, built-in modes included
  std::uint16_t order[kMaxPrintModes] = {};
  // User record k is mode number 5 + k; always count - 5 of them.
  std::vector<PrintModeRecord> user;
  // The record being edited, exported or imported.
  PrintModeRecord working = {};
  std::uint16_t selection = 0;    // list position
  std::uint16_t modeToApply = 0;  // mode number made current on Apply

  PrintModeListView View() const {
    return PrintModeListView{builtIn, user.data(), user.size(), order, count};
  }
};

// Adds the working record as the next mode number at the end of the list.
// Refused when the list is full (105 entries) or the store is not a loaded one.
bool AppendPrintMode(PrintModeStore* store);
// Copies the working record over the user preset shown at `position`.
// Built-in modes cannot be overwritten.
bool OverwritePrintMode(PrintModeStore* store, std::uint16_t position);
// Removes the user preset shown at `position` and renumbers the modes above
// it so that mode numbers stay dense. `deletedMode` receives its mode number;
// the caller renumbers every other place that remembers a mode number with
// ModeAfterDelete. Built-in modes cannot be deleted.
bool DeletePrintMode(PrintModeStore* store, std::uint16_t position,
                     std::uint16_t* deletedMode = nullptr);
// A remembered mode number once `deletedMode` is gone: numbers above it fall
// by one. The deleted number itself is the caller's to replace.
constexpr std::uint16_t ModeAfterDelete(std::uint16_t mode, std::uint16_t deletedMode) {
  return mode > deletedMode ? static_cast<std::uint16_t>(mode - 1) : mode;
}
// Swap the entry at `position` with the one before (after) it. Refused at the
// first (last) position.
bool MovePrintModeUp(PrintModeStore* store, std::uint16_t position);
bool MovePrintModeDown(PrintModeStore* store, std::uint16_t position);

}  // namespace tqr
