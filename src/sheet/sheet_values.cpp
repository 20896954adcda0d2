// Moving the sheet's edited values between their current, saved and default
// copies: applying a page, cancelling after a print mode was lost, and the
// Features page's Defaults button. All three walk the sheet's own table of
// entries, so that a new entry cannot be forgotten by one of them.
#include <cstddef>
#include <cstring>
#include <type_traits>

#include "settings/offered_papers.h"
#include "sheet/print_mode_settings.h"
#include "sheet/sheetstate_rows.h"
#include "sheet/sheet_values.h"

namespace tqr {
namespace {

using sheet::Row;

// "Cutter" option of no cut.
constexpr std::uint16_t kNoCut = 0;

// Calls `fn` with a reference to every entry of the sheet (a list pointer or
// a setting), in build order; with `resetOnly`, only with the entries the
// Defaults button resets (the feature table says which).
template <typename Fn>
void ForEachEntry(SheetState* state, bool resetOnly, Fn fn) {
  for (std::size_t i = 0; i < sheet::kRowCount; ++i) {
    const Row& row = sheet::kRows[i];
    if (resetOnly && !row.resetOnDefaults) continue;
    sheet::VisitEntry(state, row, fn);
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

void ClampToLimits(NumericSetting* setting) {
  if (setting->current > setting->maximum) setting->current = setting->maximum;
  if (setting->current < setting->minimum) setting->current = setting->minimum;
}

bool IsBannerPrinting(const SheetState* state) {
  return state->printing != nullptr && state->printing->currentId == kBannerPrinting;
}

bool HasAutomaticCut(const SheetState* state) {
  return state->cutter == nullptr || state->cutter->currentId != kNoCut;
}

UnusedSettingResets ResetSettingsUnusedByPaper(SheetState* state) {
  UnusedSettingResets resets;
  if (IsBannerPrinting(state)) {
    state->copies.current = state->copies.defaultValue;
    resets.copies = true;
  }
  if (!HasAutomaticCut(state)) {
    state->dryInkPage.current = state->dryInkPage.defaultValue;
    resets.dryInkPage = true;
  }
  return resets;
}

void SnapshotSheetState(SheetState* state) {
  if (state == nullptr) return;
  // Their edits take any three digits; the limits are enforced on applying.
  ClampToLimits(&state->copies);
  ClampToLimits(&state->dryInkScan);
  ClampToLimits(&state->dryInkPage);
  ResetSettingsUnusedByPaper(state);
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
  FollowPrintModeInList(state);
  CopyIniFile(state->descriptionIniPath, state->baseIniPath);
  CopyIniFile(state->descriptionIniPath, state->workIniPath);
}

}  // namespace tqr
