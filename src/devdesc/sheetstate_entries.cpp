// The four entry builders. With no entry place they only count, which is
// how the first run of the build sizes the block.
#include <cstring>
#include <string>

#include "devdesc/sheetstate.h"

namespace tqr {
namespace {

std::uint16_t Count(DdfHandle ddf, const char* feature) {
  return static_cast<std::uint16_t>(DdfQuery(ddf, feature, DDFQ_COUNT, nullptr, 0, 0));
}

std::uint16_t ValueAt(DdfHandle ddf, const char* feature, std::uint16_t index) {
  std::uint32_t value = 0;
  return static_cast<std::uint16_t>(
      DdfQuery(ddf, feature, DDFQ_VALUE, &value, index, sizeof value));
}

std::uint16_t DefaultOf(DdfHandle ddf, const char* feature) {
  std::uint32_t value = 0;
  return static_cast<std::uint16_t>(
      DdfQuery(ddf, feature, DDFQ_DEFAULT_VALUE, &value, 0, sizeof value));
}

// The option's name from the ANSI code page into a slot of 64 UTF-16 units,
// cut to fit and terminated.
void PutOptionName(DdfHandle ddf, const char* feature, std::uint16_t index, char16_t* slot) {
  char ansi[kOptionNameLength + 1] = {};
  DdfQuery(ddf, feature, DDFQ_NAME, ansi, index, kOptionNameLength);
  const std::u16string wide = CurrentPorts().machine->AnsiToWide(ansi);
  const std::size_t length =
      wide.size() < static_cast<std::size_t>(kOptionNameLength) ? wide.size()
                                                                 : kOptionNameLength - 1;
  std::memset(slot, 0, kOptionNameLength * sizeof(char16_t));
  std::memcpy(slot, wide.data(), length * sizeof(char16_t));
}

template <typename List>
void FinishList(DdfHandle ddf, const char* feature, List* list, std::uint16_t start,
                std::uint16_t count) {
  list->currentId = start;
  list->savedId = start;
  list->defaultId = DefaultOf(ddf, feature);
  list->built = 1;
  list->count = count;
}

}  // namespace

int BuildOptionList(DdfHandle ddf, const char* feature, OptionList* list, std::uint16_t start) {
  const std::uint16_t count = Count(ddf, feature);
  if (list == nullptr) return count;
  OptionEntry* entries = list->Entries();
  for (std::uint16_t i = 0; i < count; ++i) {
    entries[i].optionId = ValueAt(ddf, feature, i);
    entries[i].comboPosition = i;
    PutOptionName(ddf, feature, i, entries[i].name);
    entries[i].flags = 1;
    if (entries[i].optionId == start) list->currentPosition = i;
  }
  FinishList(ddf, feature, list, start, count);
  return count;
}

int BuildValueList(DdfHandle ddf, const char* feature, ValueList* list, std::uint16_t start) {
  const std::uint16_t count = Count(ddf, feature);
  if (list == nullptr) return count;
  ValueEntry* entries = list->Entries();
  for (std::uint16_t i = 0; i < count; ++i) {
    entries[i].optionId = ValueAt(ddf, feature, i);
    entries[i].flags = 1;
    if (entries[i].optionId == start) list->currentPosition = i;
  }
  FinishList(ddf, feature, list, start, count);
  return count;
}

void BuildValueSetting(DdfHandle ddf, const char* feature, ValueSetting* setting,
                       std::int16_t start) {
  if (setting == nullptr) return;
  setting->current = start;
  setting->saved = start;
  setting->defaultValue = static_cast<std::int16_t>(DefaultOf(ddf, feature));
  setting->built = 1;
}

void BuildNumericSetting(DdfHandle ddf, const char* feature, NumericSetting* setting,
                         std::int16_t start) {
  if (setting == nullptr) return;
  std::uint32_t limit = 0;
  setting->current = start;
  setting->saved = start;
  setting->defaultValue = static_cast<std::int16_t>(DefaultOf(ddf, feature));
  setting->built = 1;
  setting->minimum =
      static_cast<std::int16_t>(DdfQuery(ddf, feature, DDFQ_RANGE_MIN, &limit, 0, sizeof limit));
  setting->maximum =
      static_cast<std::int16_t>(DdfQuery(ddf, feature, DDFQ_RANGE_MAX, &limit, 0, sizeof limit));
}

}  // namespace tqr
