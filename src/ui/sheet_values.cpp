// Moving the sheet's edited values between their current, saved and default
// copies: applying a page, cancelling after a print mode was lost, and the
// Features page's Defaults button. All three walk one table of entries so
// that a new entry cannot be forgotten by one of them.
#include <cstring>
#include <type_traits>
#include <variant>

#include "ui/dlgutil.h"

namespace tqr {
namespace {

using EntryMember =
    std::variant<OptionList* SheetState::*, ValueList* SheetState::*, ValueSetting SheetState::*,
                 NumericSetting SheetState::*, PlainSetting SheetState::*>;

// What the Defaults button does with an entry. It leaves alone the paper
// entries (the Paper page has its own Defaults), the layout entries the
// pages do not offer, and the printer-side entries the Features page keeps.
enum class OnDefaults { Reset, Keep };

struct SheetEntry {
  EntryMember member;
  OnDefaults onDefaults;
};

constexpr OnDefaults kReset = OnDefaults::Reset;
constexpr OnDefaults kKeep = OnDefaults::Keep;

// In build order. Entries that only carry limits or fixed lists (current 0)
// are listed too: their current and saved copies stay equal either way.
const SheetEntry kSheetEntries[] = {
    {&SheetState::pageLayout, kKeep},
    {&SheetState::mediaSize, kReset},
    {&SheetState::adjustPage, kKeep},
    {&SheetState::borderForm, kKeep},
    {&SheetState::pageBorder, kReset},
    {&SheetState::layout, kReset},
    {&SheetState::posterLayout, kKeep},
    {&SheetState::posterOverlap, kKeep},
    {&SheetState::duplex, kReset},
    {&SheetState::printOrder, kReset},
    {&SheetState::repeat, kReset},
    {&SheetState::waterMark, kReset},
    {&SheetState::firstPageOnly, kReset},
    {&SheetState::bindingPos, kReset},
    {&SheetState::wtmView, kKeep},
    {&SheetState::bindingUnit, kReset},
    {&SheetState::bindWidth, kReset},
    {&SheetState::bindWidthInch, kReset},
    {&SheetState::printQualityLevel, kReset},
    {&SheetState::color, kReset},
    {&SheetState::internalFont, kReset},
    {&SheetState::printAsRaster, kReset},
    {&SheetState::scalePatterns, kReset},
    {&SheetState::allTextToBlack, kReset},
    {&SheetState::traySetting, kKeep},
    {&SheetState::orientation, kReset},
    {&SheetState::rotate, kReset},
    {&SheetState::copies, kReset},
    {&SheetState::modeSelect, kReset},
    {&SheetState::errReport, kKeep},
    {&SheetState::printToFile, kReset},
    {&SheetState::overlay, kReset},
    {&SheetState::overlayState, kReset},
    {&SheetState::overlayPrompt, kReset},
    {&SheetState::duplexUnit, kReset},
    {&SheetState::printMode, kReset},
    {&SheetState::mediaType, kReset},
    {&SheetState::mirror, kReset},
    {&SheetState::paperSize, kKeep},
    {&SheetState::printing, kKeep},
    {&SheetState::scaling, kKeep},
    {&SheetState::paperSize2, kKeep},
    {&SheetState::paperFeed, kKeep},
    {&SheetState::cutter, kKeep},
    {&SheetState::cartridge, kReset},
    {&SheetState::grayScale, kReset},
    {&SheetState::printQuality, kReset},
    {&SheetState::halftoning, kReset},
    {&SheetState::cyan, kReset},
    {&SheetState::magenta, kReset},
    {&SheetState::yellow, kReset},
    {&SheetState::black, kReset},
    {&SheetState::red, kReset},
    {&SheetState::green, kReset},
    {&SheetState::blue, kReset},
    {&SheetState::cmykOrRgb, kReset},
    {&SheetState::matching, kReset},
    {&SheetState::gamma, kReset},
    {&SheetState::intensity, kReset},
    {&SheetState::paperWidth, kKeep},
    {&SheetState::paperLength, kKeep},
    {&SheetState::unit, kKeep},
    {&SheetState::paperWidth2, kKeep},
    {&SheetState::paperLength2, kKeep},
    {&SheetState::unit2, kKeep},
    {&SheetState::noMargin, kKeep},
    {&SheetState::upperMargin, kKeep},
    {&SheetState::isoA, kKeep},
    {&SheetState::isoB, kKeep},
    {&SheetState::jis, kKeep},
    {&SheetState::ansi, kKeep},
    {&SheetState::arch, kKeep},
    {&SheetState::euroDin, kKeep},
    {&SheetState::special, kKeep},
    {&SheetState::custom, kKeep},
    {&SheetState::vertOffset, kKeep},
    {&SheetState::horzOffset, kKeep},
    {&SheetState::horzOffsetI, kKeep},
    {&SheetState::offsetUnit, kKeep},
    {&SheetState::dryness, kKeep},
    {&SheetState::autoLayout, kKeep},
    {&SheetState::nestingTimer, kKeep},
    {&SheetState::lineOverlap, kKeep},
    {&SheetState::lineShade, kKeep},
    {&SheetState::eopTimer, kKeep},
    {&SheetState::automatic, kKeep},
    {&SheetState::feed, kKeep},
    {&SheetState::paperSetting, kKeep},
    {&SheetState::resolution, kReset},
    {&SheetState::pageWidth, kKeep},
    {&SheetState::pageLength, kKeep},
    {&SheetState::pageWidth2, kKeep},
    {&SheetState::pageLength2, kKeep},
    {&SheetState::paperWidth2Range, kKeep},
    {&SheetState::paperWidthI2Range, kKeep},
    {&SheetState::paperLength2Range, kKeep},
    {&SheetState::paperName, kKeep},
    {&SheetState::paperWidthI, kKeep},
    {&SheetState::paperLengthI, kKeep},
    {&SheetState::paperWidthI2, kKeep},
    {&SheetState::paperLengthI2, kKeep},
    {&SheetState::paperLengthI2Range, kKeep},
    {&SheetState::vertOffsetI, kKeep},
    {&SheetState::margin, kKeep},
    {&SheetState::marginInch, kKeep},
    {&SheetState::headManagement, kReset},
    {&SheetState::dryInkScan, kReset},
    {&SheetState::dryInkPage, kReset},
    {&SheetState::paperSave, kKeep},
};

// Calls `fn` with a reference to every entry (a list pointer or a setting);
// with `resetOnly`, only with the entries the Defaults button resets.
template <typename Fn>
void ForEachEntry(SheetState* state, bool resetOnly, Fn fn) {
  for (const SheetEntry& entry : kSheetEntries) {
    if (resetOnly && entry.onDefaults == kKeep) continue;
    std::visit([&](auto member) { fn(state->*member); }, entry.member);
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
  ForEachEntry(state, false, [](auto& entry) {
    if constexpr (kIsList<decltype(entry)>) {
      if (entry == nullptr) return;
      entry->currentId = entry->savedId;
      entry->currentPosition = PositionOf(entry, entry->currentId);
    } else {
      entry.current = entry.saved;
    }
  });
  CopyForms(state, false);
  CopyIniFile(state->baseIniPath, state->descriptionIniPath);
}

void ResetSheetToDefaults(SheetState* state) {
  if (state == nullptr) return;
  ForEachEntry(state, true, [](auto& entry) {
    if constexpr (kIsList<decltype(entry)>) {
      if (entry == nullptr) return;
      entry->currentId = entry->defaultId;
      entry->currentPosition = PositionOf(entry, entry->currentId);
    } else {
      entry.current = entry.defaultValue;
    }
  });
  CopyIniFile(state->descriptionIniPath, state->baseIniPath);
  CopyIniFile(state->descriptionIniPath, state->workIniPath);
}

}  // namespace tqr
