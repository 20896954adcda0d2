// Moving the sheet's edited values between their current, saved and default
// copies: applying a page, cancelling after a print mode was lost, and the
// Features page's Defaults button. All three walk the sheet's own table of
// entries, so that a new entry cannot be forgotten by one of them.
#include <algorithm>
#include <cstddef>
#include <cstring>
#include <iterator>
#include <type_traits>

#include "sheet/sheetstate_rows.h"
#include "sheet/sheet_values.h"

namespace tqr {
namespace {

using sheet::EntryKind;
using sheet::Row;

#define TQR_ENTRY(member) offsetof(SheetState, member)

// The entries the Features page's Defaults button leaves alone: the layout
// entries the pages do not offer, the printer-side entries the Features
// page keeps, and every entry of the Paper page, which has its own Defaults.
// Entries that only carry limits or fixed lists (current 0) are kept too.
constexpr std::size_t kKeptOnDefaults[] = {
    TQR_ENTRY(pageLayout),         TQR_ENTRY(adjustPage),         TQR_ENTRY(borderForm),
    TQR_ENTRY(posterLayout),       TQR_ENTRY(posterOverlap),      TQR_ENTRY(wtmView),
    TQR_ENTRY(traySetting),        TQR_ENTRY(errReport),          TQR_ENTRY(paperSize),
    TQR_ENTRY(printing),           TQR_ENTRY(scaling),            TQR_ENTRY(paperSize2),
    TQR_ENTRY(paperFeed),          TQR_ENTRY(cutter),             TQR_ENTRY(paperWidth),
    TQR_ENTRY(paperLength),        TQR_ENTRY(unit),               TQR_ENTRY(paperWidth2),
    TQR_ENTRY(paperLength2),       TQR_ENTRY(unit2),              TQR_ENTRY(noMargin),
    TQR_ENTRY(upperMargin),        TQR_ENTRY(isoA),               TQR_ENTRY(isoB),
    TQR_ENTRY(jis),                TQR_ENTRY(ansi),               TQR_ENTRY(arch),
    TQR_ENTRY(euroDin),            TQR_ENTRY(special),            TQR_ENTRY(custom),
    TQR_ENTRY(vertOffset),         TQR_ENTRY(horzOffset),         TQR_ENTRY(horzOffsetI),
    TQR_ENTRY(offsetUnit),         TQR_ENTRY(dryness),            TQR_ENTRY(autoLayout),
    TQR_ENTRY(nestingTimer),       TQR_ENTRY(lineOverlap),        TQR_ENTRY(lineShade),
    TQR_ENTRY(eopTimer),           TQR_ENTRY(automatic),          TQR_ENTRY(feed),
    TQR_ENTRY(paperSetting),       TQR_ENTRY(pageWidth),          TQR_ENTRY(pageLength),
    TQR_ENTRY(pageWidth2),         TQR_ENTRY(pageLength2),        TQR_ENTRY(paperWidth2Range),
    TQR_ENTRY(paperWidthI2Range),  TQR_ENTRY(paperLength2Range),  TQR_ENTRY(paperName),
    TQR_ENTRY(paperWidthI),        TQR_ENTRY(paperLengthI),       TQR_ENTRY(paperWidthI2),
    TQR_ENTRY(paperLengthI2),      TQR_ENTRY(paperLengthI2Range), TQR_ENTRY(vertOffsetI),
    TQR_ENTRY(margin),             TQR_ENTRY(marginInch),         TQR_ENTRY(paperSave),
};

#undef TQR_ENTRY

bool KeptOnDefaults(const Row& row) {
  return std::find(std::begin(kKeptOnDefaults), std::end(kKeptOnDefaults), row.entry) !=
         std::end(kKeptOnDefaults);
}

// Calls `fn` with a reference to every entry of the sheet (a list pointer or
// a setting), in build order; with `resetOnly`, only with the entries the
// Defaults button resets.
template <typename Fn>
void ForEachEntry(SheetState* state, bool resetOnly, Fn fn) {
  for (std::size_t i = 0; i < sheet::kRowCount; ++i) {
    const Row& row = sheet::kRows[i];
    if (resetOnly && KeptOnDefaults(row)) continue;
    switch (row.kind) {
      case EntryKind::Options:
        fn(sheet::ListAt<OptionList>(state, row));
        break;
      case EntryKind::Values:
        fn(sheet::ListAt<ValueList>(state, row));
        break;
      case EntryKind::Value:
        fn(sheet::EntryAt<ValueSetting>(state, row));
        break;
      case EntryKind::Numeric:
        fn(sheet::EntryAt<NumericSetting>(state, row));
        break;
      case EntryKind::Plain:
        fn(sheet::EntryAt<PlainSetting>(state, row));
        break;
    }
  }
}

template <typename Entry>
constexpr bool kIsList = std::is_pointer_v<std::remove_reference_t<Entry>>;

// The position that goes with a list's current id, as building it sets it.
std::uint16_t PositionOf(const OptionList* list, std::uint16_t id) {
  return OptionComboPosition(list, id);
}

std::uint16_t PositionOf(const ValueList* list, std::uint16_t id) {
  const ValueEntry* entries = list->Entries();
  for (std::uint16_t i = 0; i < list->count; ++i) {
    if (entries[i].optionId == id) return i;
  }
  return 0;
}

enum class Copy { kSaved, kDefault };

// An entry's current value (for a list, its current id and the position that
// goes with it) from its saved or its default copy.
template <typename Entry>
void TakeCurrentFrom(Entry& entry, Copy from) {
  if constexpr (kIsList<Entry&>) {
    if (entry == nullptr) return;
    entry->currentId = from == Copy::kSaved ? entry->savedId : entry->defaultId;
    entry->currentPosition = PositionOf(entry, entry->currentId);
  } else {
    entry.current = from == Copy::kSaved ? entry.saved : entry.defaultValue;
  }
}

void ClampToLimits(NumericSetting* setting) {
  if (setting->current > setting->maximum) setting->current = setting->maximum;
  if (setting->current < setting->minimum) setting->current = setting->minimum;
}

void CopyForms(SheetState* state, bool toSaved) {
  struct Pair {
    void* current;
    void* saved;
    std::size_t size;
  };
  const Pair pairs[] = {
      {state->formName, state->savedFormName, sizeof state->formName},
      {state->formName2, state->savedFormName2, sizeof state->formName2},
      {state->formSizes, state->savedFormSizes, sizeof state->formSizes},
  };
  for (const Pair& pair : pairs) {
    if (toSaved) {
      std::memcpy(pair.saved, pair.current, pair.size);
    } else {
      std::memcpy(pair.current, pair.saved, pair.size);
    }
  }
}

}  // namespace

void SnapshotSheetState(SheetState* state) {
  if (state == nullptr) return;
  // Their edits take any three digits; the limits are enforced on applying.
  ClampToLimits(&state->copies);
  ClampToLimits(&state->dryInkScan);
  ClampToLimits(&state->dryInkPage);
  ForEachEntry(state, false, [](auto& entry) {
    if constexpr (kIsList<decltype(entry)>) {
      if (entry != nullptr) entry->savedId = entry->currentId;
    } else {
      entry.saved = entry.current;
    }
  });
  CopyForms(state, true);
  CopyIniFile(state->baseIniPath, state->descriptionIniPath);
}

void RestoreSheetState(SheetState* state) {
  if (state == nullptr) return;
  ForEachEntry(state, false, [](auto& entry) { TakeCurrentFrom(entry, Copy::kSaved); });
  CopyForms(state, false);
  CopyIniFile(state->baseIniPath, state->descriptionIniPath);
}

void ResetSheetToDefaults(SheetState* state) {
  if (state == nullptr) return;
  ForEachEntry(state, true, [](auto& entry) { TakeCurrentFrom(entry, Copy::kDefault); });
  CopyIniFile(state->descriptionIniPath, state->baseIniPath);
  CopyIniFile(state->descriptionIniPath, state->workIniPath);
}

}  // namespace tqr
