// The features a sheet edits, in the order their entries are built, with
// the settings field each starts from and how its saved value goes back:
// the sheet's rows of the feature table.
#pragma once

#include <cstddef>
#include <cstdint>

#include "sheet/sheetstate.h"

namespace tqr::sheet {

enum class EntryKind : std::uint8_t { Options, Values, Value, Numeric, Plain };

using ApplyHow = feature::ApplyHow;

// A sheet row of the feature table (settings/feature_table.h).
struct Row {
  const char* key;  // null for a value the description does not describe
  EntryKind kind;
  std::size_t entry;  // offset of the entry (or of the list pointer) in SheetState
  RecordField field;  // the settings field it starts from; size 0 for none
  feature::ApplyRule apply;
  feature::DefaultRule byDefault;
  feature::PrintModeWord word;
  bool resetOnDefaults;
};

extern const Row kRows[];
extern const std::size_t kRowCount;
// The paper and print mode tables are filled before this row.
extern const std::size_t kTablesBeforeRow;

// The list pointer a row's entry is (`List` is OptionList or ValueList).
template <typename List>
List*& ListAt(SheetState* state, const Row& row) {
  return *reinterpret_cast<List**>(reinterpret_cast<std::uint8_t*>(state) + row.entry);
}
template <typename List>
const List* ListAt(const SheetState* state, const Row& row) {
  return *reinterpret_cast<List* const*>(reinterpret_cast<const std::uint8_t*>(state) +
                                         row.entry);
}
template <typename Entry>
Entry& EntryAt(SheetState* state, const Row& row) {
  return *reinterpret_cast<Entry*>(reinterpret_cast<std::uint8_t*>(state) + row.entry);
}
template <typename Entry>
const Entry& EntryAt(const SheetState* state, const Row& row) {
  return *reinterpret_cast<const Entry*>(reinterpret_cast<const std::uint8_t*>(state) +
                                         row.entry);
}

// Calls `fn` with the row's entry: the list pointer of a list, else the
// setting; for a const state, read-only.
template <typename State, typename Fn>
void VisitEntry(State* state, const Row& row, Fn&& fn) {
  switch (row.kind) {
    case EntryKind::Options:
      fn(ListAt<OptionList>(state, row));
      return;
    case EntryKind::Values:
      fn(ListAt<ValueList>(state, row));
      return;
    case EntryKind::Value:
      fn(EntryAt<ValueSetting>(state, row));
      return;
    case EntryKind::Numeric:
      fn(EntryAt<NumericSetting>(state, row));
      return;
    case EntryKind::Plain:
      fn(EntryAt<PlainSetting>(state, row));
      return;
  }
}

// The description's answers the builders read; 0 when there is none.
inline std::uint16_t OptionCount(DdfHandle ddf, const char* feature) {
  return static_cast<std::uint16_t>(DdfQuery(ddf, feature, DDFQ_COUNT, nullptr, 0, 0));
}
inline std::uint32_t ValueAt(DdfHandle ddf, const char* feature, std::uint16_t index) {
  return DdfQuery(ddf, feature, DDFQ_VALUE, nullptr, index, 0);
}
inline std::uint32_t DefaultValue(DdfHandle ddf, const char* feature) {
  return DdfQuery(ddf, feature, DDFQ_DEFAULT_VALUE, nullptr, 0, 0);
}

}  // namespace tqr::sheet
