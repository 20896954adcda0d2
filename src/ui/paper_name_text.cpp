// The text of a paper size as the paper-size combos and labels show it: the
// name followed by the dimensions, shortened to the control's width.
#include <cstdint>
#include <cstdio>

#include "ui/dlgutil.h"

namespace tqr {
namespace {

constexpr std::size_t kMaxNameLength = 63;

}  // namespace

std::u16string FormatPaperSizeText(std::int32_t width, std::int32_t length, FormUnit unit) {
  // Integer division and remainder truncate toward zero, so a negative size
  // (never offered) would read like "-1.-5"; sizes here are never negative.
  char text[64];
  if (unit == FormUnit::Millimetres) {
    std::snprintf(text, sizeof text, "  %ld.%ld x %ld.%ld mm", static_cast<long>(width / 10),
                  static_cast<long>(width % 10), static_cast<long>(length / 10),
                  static_cast<long>(length % 10));
  } else {
    // Hundredths of an inch; 64-bit so that the product cannot overflow.
    const std::int64_t w = std::int64_t{width} * 100 / 254;
    const std::int64_t l = std::int64_t{length} * 100 / 254;
    std::snprintf(text, sizeof text, "  %ld.%02ld x %ld.%02ld in", static_cast<long>(w / 100),
                  static_cast<long>(w % 100), static_cast<long>(l / 100),
                  static_cast<long>(l % 100));
  }
  return WidenSevenBit(text);
}

PaperNameText FitPaperNameText(const std::u16string& name, const std::u16string& sizeText,
                               int available, bool nameOnly, const TextMeasure& measure) {
  PaperNameText text{name.substr(0, kMaxNameLength), sizeText};
  auto fits = [&] {
    const int width = measure(text.name) + (nameOnly ? 0 : measure(text.sizeText));
    return width <= available;
  };
  if (fits()) return text;
  // The unit's last letter goes first; the name then gives way character by
  // character, so the dimensions stay readable.
  if (!nameOnly && !text.sizeText.empty()) text.sizeText.pop_back();
  while (!text.name.empty() && !fits()) text.name.pop_back();
  return text;
}

std::u16string JoinPaperNameText(const PaperNameText& text) {
  const std::u16string& size = text.sizeText;
  return text.name + u" " + (size.empty() ? size : size.substr(1));
}

}  // namespace tqr
