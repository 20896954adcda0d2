// The features a sheet edits, in the order their entries are built, with
// the settings field each starts from and how its saved value goes back.
#pragma once

#include <cstddef>
#include <cstdint>

#include "sheet/sheetstate.h"

namespace tqr::sheet {

enum class EntryKind : std::uint8_t { Options, Values, Value, Numeric, Plain };

// Width and signedness of the settings field.
enum class FieldType : std::uint8_t { None, U8, U16, I16, I32 };

enum class ApplyRule : std::uint8_t {
  Store,        // the saved value at the field's width (32-bit fields sign-extended)
  Skip,         // read only; the apply steps after the rows decide
  LowByte,      // the low 8 bits of the saved value
  RasterFlag,   // started as field == 1, applied as 1 when set, else 2
  AlsoPrivate,  // stored, and again in the `also` field of 16 bits
};

struct Row {
  const char* key;  // null for a value the description does not describe
  EntryKind kind;
  std::size_t entry;  // offset of the entry (or of the list pointer) in SheetState
  FieldType type;
  std::size_t field;  // offset in DRVDEVMODE
  ApplyRule apply;
  std::size_t also;            // second field of AlsoPrivate
  std::uint16_t plainDefault;  // default of a Plain entry
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
