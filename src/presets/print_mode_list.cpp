#include "presets/print_mode_list.h"

namespace tqr {

const PrintModeRecord* FindPrintModeRecord(const PrintModeListView& list, std::uint16_t mode) {
  if (mode < kBuiltInPrintModes) return list.builtIn != nullptr ? &list.builtIn[mode] : nullptr;
  const std::size_t index = mode - kBuiltInPrintModes;
  return index < list.userCount ? &list.user[index] : nullptr;
}

const PrintModeRecord* FindRecordAtPosition(const PrintModeListView& list, std::uint16_t position) {
  if (list.order == nullptr || position >= list.count || position >= kMaxPrintModes) {
    return nullptr;
  }
  return FindPrintModeRecord(list, list.order[position]);
}

std::u16string_view GetTitleAtPosition(const PrintModeListView& list, std::uint16_t position) {
  const PrintModeRecord* record = FindRecordAtPosition(list, position);
  return record != nullptr ? TitleOf(*record) : std::u16string_view();
}

std::uint16_t FindModePosition(const std::uint16_t* order, std::uint16_t count,
                               std::uint16_t mode) {
  for (std::uint16_t position = 0; position < count && position < kMaxPrintModes; ++position) {
    if (order[position] == mode) return position;
  }
  return kPositionNotFound;
}

std::uint16_t FindPrintModeTitle(const PrintModeListView& list, std::u16string_view title) {
  for (std::uint16_t position = 0; position < list.count && position < kMaxPrintModes; ++position) {
    const PrintModeRecord* record = FindRecordAtPosition(list, position);
    if (record != nullptr && TitleOf(*record) == title) return position;
  }
  return kPositionNotFound;
}

}  // namespace tqr
