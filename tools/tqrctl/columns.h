// Lists that DeviceCapabilities answers in pieces (ids, names, sizes), shown side by
// side, one line per entry.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace tqrctl {

// The texts of `count` fixed-width name slots (64 characters for paper names, 24 for
// bin names), each up to its terminator or the end of its slot: a name that fills its
// slot has no terminator.
std::vector<std::string> SlotTexts(const wchar_t* slots, std::size_t count, std::size_t width);

struct Column {
  std::string title;
  std::vector<std::string> cells;
  bool alignRight = false;
};

// A header line and one line per row, columns two spaces apart. Rows run to the
// longest column; a shorter column shows "-", so a driver's uneven counts are seen.
std::string SideBySide(const std::vector<Column>& columns);

// True when every column has as many cells as the first.
bool SameLength(const std::vector<Column>& columns);

}  // namespace tqrctl
