#include "tqrctl/columns.h"

#include <algorithm>
#include <string_view>

#include "tqrctl/text.h"

namespace tqrctl {

std::vector<std::string> SlotTexts(const wchar_t* slots, std::size_t count, std::size_t width) {
  std::vector<std::string> texts;
  for (std::size_t i = 0; i < count; ++i) {
    const wchar_t* slot = slots + i * width;
    const std::size_t length = std::find(slot, slot + width, L'\0') - slot;
    texts.push_back(Utf8(std::wstring_view(slot, length)));
  }
  return texts;
}

bool SameLength(const std::vector<Column>& columns) {
  return std::all_of(columns.begin(), columns.end(), [&](const Column& column) {
    return column.cells.size() == columns.front().cells.size();
  });
}

std::string SideBySide(const std::vector<Column>& columns) {
  std::size_t rows = 0;
  std::vector<std::size_t> widths;
  for (const Column& column : columns) {
    rows = std::max(rows, column.cells.size());
    std::size_t width = std::max<std::size_t>(column.title.size(), 1);
    for (const std::string& cell : column.cells) width = std::max(width, cell.size());
    widths.push_back(width);
  }
  auto line = [&](auto cellOf) {
    std::string text;
    for (std::size_t c = 0; c < columns.size(); ++c) {
      const std::string cell = cellOf(columns[c]);
      const std::string pad(widths[c] - cell.size(), ' ');
      text += "  ";
      text += columns[c].alignRight ? pad + cell : cell + pad;
    }
    while (!text.empty() && text.back() == ' ') text.pop_back();
    return text + "\n";
  };
  std::string out = line([](const Column& column) { return column.title; });
  for (std::size_t r = 0; r < rows; ++r) {
    out += line([&](const Column& column) {
      return r < column.cells.size() ? column.cells[r] : std::string("-");
    });
  }
  return out;
}

}  // namespace tqrctl
