#include "ui/advanced_sheet_model.h"

#include <iterator>

#include "sheet/sheet_values.h"
#include "ui/main_page_model.h"

namespace tqr {
namespace {

// The "PrintMode" option that stands for settings of the user's own.
constexpr std::uint16_t kOwnSettingsOption = 5;

// What the Advanced sheet edits: four option lists, two value lists, two
// plain values and nine numbers.
constexpr OptionList* SheetState::*kOptionLists[] = {
    &SheetState::cartridge, &SheetState::mediaType, &SheetState::matching, &SheetState::gamma};
constexpr ValueList* SheetState::*kValueLists[] = {&SheetState::halftoning,
                                                    &SheetState::cmykOrRgb};
constexpr ValueSetting SheetState::*kValues[] = {&SheetState::grayScale, &SheetState::mirror};
constexpr NumericSetting SheetState::*kNumbers[] = {
    &SheetState::printQuality, &SheetState::cyan,  &SheetState::magenta,
    &SheetState::yellow,       &SheetState::black, &SheetState::red,
    &SheetState::green,        &SheetState::blue,  &SheetState::intensity};

constexpr std::size_t kListCount = std::size(kOptionLists) + std::size(kValueLists);
constexpr std::size_t kNumberCount = std::size(kValues) + std::size(kNumbers);
static_assert(kListCount == std::size(AdvancedValues{}.listIds));
static_assert(kNumberCount == std::size(AdvancedValues{}.numbers));

// Calls `visit(currentId, currentPosition, index)` for every list and
// `visit(current, index)` for every number, so remembering and restoring walk
// the same entries in the same order.
template <typename State, typename ListVisit, typename NumberVisit>
void ForEachAdvancedValue(State* state, ListVisit visitList, NumberVisit visitNumber) {
  std::size_t list = 0;
  for (OptionList* SheetState::*member : kOptionLists) {
    if (OptionList* entry = state->*member) {
      visitList(entry->currentId, entry->currentPosition, list);
    }
    ++list;
  }
  for (ValueList* SheetState::*member : kValueLists) {
    if (ValueList* entry = state->*member) {
      visitList(entry->currentId, entry->currentPosition, list);
    }
    ++list;
  }
  std::size_t number = 0;
  for (ValueSetting SheetState::*member : kValues) visitNumber((state->*member).current, number++);
  for (NumericSetting SheetState::*member : kNumbers) visitNumber((state->*member).current, number++);
}

void ResetList(OptionList* list) {
  if (list == nullptr) return;
  list->currentId = list->defaultId;
  list->currentPosition = OptionComboPosition(list, list->currentId);
}

std::u16string Bracketed(std::u16string_view text) {
  return u"[" + std::u16string(text) + u"]";
}

}  // namespace

AdvancedValues RememberAdvancedValues(const SheetState* state) {
  AdvancedValues values{};
  ForEachAdvancedValue(
      state,
      [&values](std::uint16_t id, std::uint16_t position, std::size_t i) {
        values.listIds[i] = id;
        values.listPositions[i] = position;
      },
      [&values](std::int16_t value, std::size_t i) { values.numbers[i] = value; });
  values.printMode = state->printMode != nullptr ? state->printMode->currentId : 0;
  return values;
}

void RestoreAdvancedValues(SheetState* state, const AdvancedValues& values) {
  ForEachAdvancedValue(
      state,
      [&values](std::uint16_t& id, std::uint16_t& position, std::size_t i) {
        id = values.listIds[i];
        position = values.listPositions[i];
      },
      [&values](std::int16_t& value, std::size_t i) { value = values.numbers[i]; });
}

void StartAdvancedSheet(SheetState* state) { state->advancedMainPageFlags = state->mainPageFlags; }

bool AdvancedSheetChangedSettings(const SheetState* state, const AdvancedValues& before) {
  // A value changed without marking the settings modified (the choice of
  // CMYK or RGB) is still a change to apply.
  const AdvancedValues after = RememberAdvancedValues(state);
  return IsMainPageModified(state) || after != before;
}

std::u16string AdvancedSheetCaption(std::u16string_view title) {
  return Bracketed(title) + u"Properties";
}

std::u16string ModifiedSheetTitle(const SheetState* state) {
  const char16_t* name = OptionName(kOwnSettingsOption, state->printMode);
  std::u16string text;
  // Names are NUL-terminated within their field.
  for (int i = 0; name != nullptr && i < kOptionNameLength && name[i] != u'\0'; ++i) {
    text.push_back(name[i]);
  }
  return Bracketed(text);
}

void MarkAdvancedModified(SheetState* state) { state->advancedMainPageFlags |= kMainPageModified; }

bool IsAdvancedModified(const SheetState* state) {
  return (state->advancedMainPageFlags & kMainPageModified) != 0;
}

void ConfirmAdvancedPage(SheetState* state) { state->mainPageFlags = state->advancedMainPageFlags; }

void CancelAdvancedPage(SheetState* state) {
  if ((state->advancedMainPageFlags & kMainPageDeleted) != 0) {
    state->mainPageFlags |= kMainPageDeleted;
  }
}

void ResetQualityPage(SheetState* state) {
  ResetList(state->cartridge);
  ResetList(state->mediaType);
  if (state->halftoning != nullptr) state->halftoning->currentId = state->halftoning->defaultId;
  state->grayScale.current = state->grayScale.defaultValue;
  state->mirror.current = state->mirror.defaultValue;
  state->printQuality.current = state->printQuality.defaultValue;
}

const char16_t* QualityName(std::int16_t quality) {
  switch (quality) {
    case 0:
      return u"Fast";
    case 1:
      return u"Normal";
    case 2:
      return u"Fine";
    default:
      return nullptr;
  }
}

}  // namespace tqr
