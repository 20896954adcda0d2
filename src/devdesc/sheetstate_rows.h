// The features a sheet edits, in the order their entries are built, with
// the settings field each starts from and how its saved value goes back.
#pragma once

#include <cstddef>
#include <cstdint>

#include "devdesc/sheetstate.h"

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

inline OptionList*& ListAt(SheetState* state, const Row& row) {
  return *reinterpret_cast<OptionList**>(reinterpret_cast<std::uint8_t*>(state) + row.entry);
}
inline ValueList*& ValuesAt(SheetState* state, const Row& row) {
  return *reinterpret_cast<ValueList**>(reinterpret_cast<std::uint8_t*>(state) + row.entry);
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

}  // namespace tqr::sheet
