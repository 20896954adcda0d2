// Looking up the entries of an option list by id and by combo position, the
// way the pages fill and read their combo boxes.
#include <cstdint>

#include "sheet/sheet_values.h"

namespace tqr {
namespace {

const OptionEntry* FindEntry(const OptionList* list, std::uint16_t optionId) {
  if (list == nullptr) return nullptr;
  const OptionEntry* entries = list->Entries();
  for (std::uint16_t i = 0; i < list->count; ++i) {
    if (entries[i].optionId == optionId) return &entries[i];
  }
  return nullptr;
}

}  // namespace

std::uint16_t OptionComboPosition(const OptionList* list, std::uint16_t optionId) {
  const OptionEntry* entry = FindEntry(list, optionId);
  return entry != nullptr ? entry->comboPosition : 0;
}

std::uint16_t OptionEntryIndex(const OptionList* list, std::uint16_t optionId) {
  if (list == nullptr) return 0;
  const OptionEntry* entry = FindEntry(list, optionId);
  if (entry == nullptr) return kNoComboPosition;
  return static_cast<std::uint16_t>(entry - list->Entries());
}

std::uint16_t OptionIdAtComboPosition(const OptionList* list, std::int16_t position) {
  if (list == nullptr) return kNoComboPosition;
  const OptionEntry* entries = list->Entries();
  for (std::uint16_t i = 0; i < list->count; ++i) {
    // A hidden entry has no position; matching its 0xFFFF against -1 (a combo
    // with nothing selected) would pick an option the user was never offered.
    if (entries[i].comboPosition == kNoComboPosition) continue;
    if (static_cast<std::int16_t>(entries[i].comboPosition) == position) {
      return entries[i].optionId;
    }
  }
  return kNoComboPosition;
}

const char16_t* OptionName(std::uint16_t optionId, const OptionList* list) {
  const OptionEntry* entry = FindEntry(list, optionId);
  return entry != nullptr ? entry->name : nullptr;
}

void ResetOptionToDefault(OptionList* list) {
  if (list == nullptr) return;
  list->currentId = list->defaultId;
  list->savedId = list->defaultId;
  list->currentPosition = OptionComboPosition(list, list->defaultId);
}

}  // namespace tqr
