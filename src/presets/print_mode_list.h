// Record access shared by every holder of print modes (the Main page's copy
// of the user print mode file and the Save page's store): mode numbers below
// 5 name the built-in records, the rest the user records, and list positions
// go through the display order.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "presets/print_mode_record.h"

namespace tqr {

// What a search for a list position answers when there is none.
constexpr std::uint16_t kPositionNotFound = 0xFFFF;

// One holder's records and list, borrowed for a lookup.
struct PrintModeListView {
  const PrintModeRecord* builtIn = nullptr;  // kBuiltInPrintModes records, or null
  const PrintModeRecord* user = nullptr;     // user records in mode-number order
  std::size_t userCount = 0;
  const std::uint16_t* order = nullptr;  // display order, kMaxPrintModes entries
  std::uint16_t count = 0;               // significant entries of the order
};

// The record of mode number `mode`, or null when the holder has none: a
// display order entry from a file may name a mode that has no record.
const PrintModeRecord* FindPrintModeRecord(const PrintModeListView& list, std::uint16_t mode);
// The record shown at list position `position`, or null.
const PrintModeRecord* FindRecordAtPosition(const PrintModeListView& list, std::uint16_t position);
// The title shown at `position`; empty when the position has no record.
std::u16string_view GetTitleAtPosition(const PrintModeListView& list, std::uint16_t position);
// The first of the `count` display order entries (at most 105) that shows
// `mode`, or kPositionNotFound.
std::uint16_t FindModePosition(const std::uint16_t* order, std::uint16_t count,
                               std::uint16_t mode);
// The first list position whose title equals `title` exactly (case counts),
// or kPositionNotFound.
std::uint16_t FindPrintModeTitle(const PrintModeListView& list, std::u16string_view title);

}  // namespace tqr
