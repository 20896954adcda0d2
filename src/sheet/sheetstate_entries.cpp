// The four entry builders. With no entry place they only count, which is
// how the first run of the build sizes the block.
#include <cstring>
#include <string>
#include <type_traits>

#include "sheet/sheetstate.h"
#include "sheet/sheetstate_rows.h"

namespace tqr {
namespace {

using sheet::DefaultValue;
using sheet::OptionCount;
using sheet::ValueAt;

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

// Option and value lists alike; only option lists carry names and combo
// positions.
template <typename Entry>
int BuildList(DdfHandle ddf, const char* feature, ChoiceList<Entry>* list, std::uint16_t start) {
  const std::uint16_t count = OptionCount(ddf, feature);
  if (list == nullptr) return count;
  Entry* entries = list->Entries();
  for (std::uint16_t i = 0; i < count; ++i) {
    entries[i].optionId = static_cast<std::uint16_t>(ValueAt(ddf, feature, i));
    if constexpr (std::is_same_v<Entry, OptionEntry>) {
      entries[i].comboPosition = i;
      PutOptionName(ddf, feature, i, entries[i].name);
    }
    entries[i].flags = 1;
    if (entries[i].optionId == start) list->currentPosition = i;
  }
  list->currentId = start;
  list->savedId = start;
  list->defaultId = static_cast<std::uint16_t>(DefaultValue(ddf, feature));
  list->built = 1;
  list->count = count;
  return count;
}

// What value and numeric settings share: current and saved from the record,
// the description's default, built.
template <typename Setting>
void StartSetting(DdfHandle ddf, const char* feature, Setting* setting, std::int16_t start) {
  setting->current = start;
  setting->saved = start;
  setting->defaultValue = static_cast<std::int16_t>(DefaultValue(ddf, feature));
  setting->built = 1;
}

}  // namespace

int BuildOptionList(DdfHandle ddf, const char* feature, OptionList* list, std::uint16_t start) {
  return BuildList(ddf, feature, list, start);
}

int BuildValueList(DdfHandle ddf, const char* feature, ValueList* list, std::uint16_t start) {
  return BuildList(ddf, feature, list, start);
}

void BuildValueSetting(DdfHandle ddf, const char* feature, ValueSetting* setting,
                       std::int16_t start) {
  if (setting != nullptr) StartSetting(ddf, feature, setting, start);
}

void BuildNumericSetting(DdfHandle ddf, const char* feature, NumericSetting* setting,
                         std::int16_t start) {
  if (setting == nullptr) return;
  StartSetting(ddf, feature, setting, start);
  setting->minimum =
      static_cast<std::int16_t>(DdfQuery(ddf, feature, DDFQ_RANGE_MIN, nullptr, 0, 0));
  setting->maximum =
      static_cast<std::int16_t>(DdfQuery(ddf, feature, DDFQ_RANGE_MAX, nullptr, 0, 0));
}

}  // namespace tqr
