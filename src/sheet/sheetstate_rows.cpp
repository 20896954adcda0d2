#include "sheet/sheetstate_rows.h"

#include <string_view>

namespace tqr::sheet {

// The table's own words for its columns.
using namespace feature;

namespace {

// A Plain entry is not described: the sheet reads no key for it, even where
// a new record takes its value from the description.
constexpr const char* SheetKey(EntryKind kind, const char* key) {
  return kind == EntryKind::Plain ? nullptr : key;
}

#define TQR_SHEET_ROW(member, kind, key, field, byDefault, apply, word, onDefaults) \
  TQR_SHEET_ROW_##kind(member, kind, key, field, byDefault, apply, word, onDefaults)
#define TQR_SHEET_ENTRY_ROW(member, kind, key, field, byDefault, apply, word, onDefaults) \
  Row{SheetKey(EntryKind::kind, key), EntryKind::kind, offsetof(SheetState, member),    \
      field, apply, byDefault, word, onDefaults},
#define TQR_SHEET_ROW_Options TQR_SHEET_ENTRY_ROW
#define TQR_SHEET_ROW_Values TQR_SHEET_ENTRY_ROW
#define TQR_SHEET_ROW_Value TQR_SHEET_ENTRY_ROW
#define TQR_SHEET_ROW_Numeric TQR_SHEET_ENTRY_ROW
#define TQR_SHEET_ROW_Plain TQR_SHEET_ENTRY_ROW
#define TQR_SHEET_ROW_RecordOnly(...)

}  // namespace

constexpr Row kRows[] = {TQR_FEATURES(TQR_SHEET_ROW)};
constexpr std::size_t kRowCount = sizeof kRows / sizeof kRows[0];
constexpr std::size_t kTablesBeforeRow = 105;

namespace {

#undef TQR_SHEET_ROW
#undef TQR_SHEET_ENTRY_ROW
#undef TQR_SHEET_ROW_Options
#undef TQR_SHEET_ROW_Values
#undef TQR_SHEET_ROW_Value
#undef TQR_SHEET_ROW_Numeric
#undef TQR_SHEET_ROW_Plain
#undef TQR_SHEET_ROW_RecordOnly

static_assert(kRowCount == 109);
static_assert(std::string_view(kRows[kTablesBeforeRow].key) == "HeadManagement");

// Print mode words 1 to 16 are each one row's, or a print mode would drop
// or overwrite a setting.
constexpr bool EveryWordHasOneRow() {
  for (int slot = 1; slot <= 16; ++slot) {
    int rows = 0;
    for (const Row& row : kRows) rows += row.word.slot == slot ? 1 : 0;
    if (rows != 1) return false;
  }
  for (const Row& row : kRows) {
    if (row.word.slot < 0 || row.word.slot > 16) return false;
  }
  return true;
}
static_assert(EveryWordHasOneRow());

}  // namespace

}  // namespace tqr::sheet
