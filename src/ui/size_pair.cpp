#include "ui/size_pair.h"

#include <algorithm>
#include <cstdio>

namespace tqr {
namespace {

// Longer numbers than this are refused before they can overflow; no range
// of the driver comes near it.
constexpr std::int64_t kLargestParsed = 999999999;

std::u16string Widen(const char* text) { return std::u16string(text, text + std::char_traits<char>::length(text)); }

// "%ld.%ld" or "%ld.%02ld" of the magnitude, with a minus sign before it.
std::string Fixed(std::int32_t value, int decimals) {
  const std::int64_t magnitude = value < 0 ? -static_cast<std::int64_t>(value) : value;
  const std::int64_t scale = decimals == 1 ? 10 : 100;
  char text[32];
  std::snprintf(text, sizeof text, decimals == 1 ? "%s%lld.%lld" : "%s%lld.%02lld",
                value < 0 ? "-" : "", static_cast<long long>(magnitude / scale),
                static_cast<long long>(magnitude % scale));
  return text;
}

std::string Millimetres(std::int32_t value) { return Fixed(value, 1); }
std::string Inches(std::int32_t value) { return Fixed(value, 2); }

std::int32_t Clamp(std::int32_t value, const SizeRange& range) {
  return std::max(range.minimum, std::min(range.maximum, value));
}

// The other unit's value of `value`, limits mapping onto limits.
std::int32_t ConvertField(const SizePairRecord& record, SizeField field, int fromIndex,
                          std::int32_t value) {
  const int toIndex = 1 - fromIndex;
  const SizeRange& from = record.Range(field, fromIndex);
  const SizeRange& to = record.Range(field, toIndex);
  std::int32_t converted = 0;
  if (value == from.maximum) {
    converted = to.maximum;
  } else if (value == from.minimum) {
    converted = to.minimum;
  } else {
    converted = fromIndex == 0 ? MmToInch(value) : InchToMm(value);
  }
  return Clamp(converted, to);
}

}  // namespace

std::int32_t MmToInch(std::int32_t tenthsOfMm) {
  return static_cast<std::int32_t>(static_cast<std::int64_t>(tenthsOfMm) * 100 / 254);
}

std::int32_t InchToMm(std::int32_t hundredthsOfInch) {
  return static_cast<std::int32_t>(static_cast<std::int64_t>(hundredthsOfInch) * 254 / 100);
}

std::optional<std::int32_t> ParseFixedPoint(const std::u16string& text, int decimals,
                                            SizeField field, const SizePairRecord* record) {
  if (text.empty()) return std::nullopt;
  std::size_t at = 0;
  const bool negative = text[0] == u'-';
  if (negative) ++at;
  std::int64_t digits = 0;
  bool point = false;
  int places = 0;
  for (; at < text.size(); ++at) {
    const char16_t c = text[at];
    if (c == u'.') {
      if (point) return std::nullopt;
      point = true;
    } else if (c >= u'0' && c <= u'9') {
      if (point && places == decimals) break;  // the rest is ignored
      if (point) ++places;
      digits = digits * 10 + (c - u'0');
      if (digits > kLargestParsed) return std::nullopt;
    } else {
      return std::nullopt;
    }
  }
  for (; places < decimals; ++places) digits *= 10;
  if (digits > kLargestParsed) return std::nullopt;
  const auto value = static_cast<std::int32_t>(negative ? -digits : digits);
  if (record != nullptr) {
    const SizeRange& range = record->Range(field, decimals == 2 ? 1 : 0);
    if (value < range.minimum || value > range.maximum) return std::nullopt;
  }
  return value;
}

void UpdateOtherUnit(SizePairRecord* record, SizeField field, std::uint16_t unit,
                     std::int32_t value) {
  const int index = UnitIndex(unit);
  if (record->Value(field, index) == value) return;
  record->Value(field, index) = value;
  record->Value(field, 1 - index) = ConvertField(*record, field, index, value);
}

void SetFieldInMillimetres(SizePairRecord* record, SizeField field, std::int32_t tenthsOfMm) {
  record->Value(field, 0) = tenthsOfMm;
  record->Value(field, 1) = ConvertField(*record, field, 0, tenthsOfMm);
}

std::optional<SizeField> ValidateSizePairTexts(SizePairRecord* record, std::uint16_t unit,
                                               const std::u16string& field1Text,
                                               const std::u16string& field2Text) {
  const int decimals = DecimalsOf(unit);
  const std::pair<SizeField, const std::u16string*> fields[] = {{SizeField::k1, &field1Text},
                                                                {SizeField::k2, &field2Text}};
  for (const auto& [field, text] : fields) {
    const std::optional<std::int32_t> value = ParseFixedPoint(*text, decimals, field, record);
    if (!value) return field;
    UpdateOtherUnit(record, field, unit, *value);
  }
  return std::nullopt;
}

std::u16string SizePairRangeMessage(const SizePairRecord& record, SizePairMode mode) {
  const SizeRange& mm1 = record.Range(SizeField::k1, 0);
  const SizeRange& in1 = record.Range(SizeField::k1, 1);
  const SizeRange& mm2 = record.Range(SizeField::k2, 0);
  const SizeRange& in2 = record.Range(SizeField::k2, 1);
  std::string text;
  if (mode == SizePairMode::kOffset) {
    text = "Set the offset \nvertical from " + Millimetres(mm1.minimum) + " mm (" +
           Inches(in1.minimum) + " in) to " + Millimetres(mm1.maximum) + " mm (" +
           Inches(in1.maximum) + " in) and the \nhorizontal from " + Millimetres(mm2.minimum) +
           " mm (" + Inches(in2.minimum) + " in) to " + Millimetres(mm2.maximum) + " mm (" +
           Inches(in2.maximum) + " in).";
  } else {
    text = "Form Size\nWidth: " + Millimetres(mm2.minimum) + " to " + Millimetres(mm2.maximum) +
           " mm (" + Inches(in2.minimum) + " to " + Inches(in2.maximum) + " in)\nHeight: " +
           Millimetres(mm1.minimum) + " to " + Millimetres(mm1.maximum) + " mm (" +
           Inches(in1.minimum) + " to " + Inches(in1.maximum) + " in)\nSet within these ranges.";
  }
  return Widen(text.c_str());
}

std::u16string FormatLength(std::int32_t value, std::uint16_t unit) {
  return Widen(Fixed(value, DecimalsOf(unit)).c_str());
}

std::u16string RangeLabelText(const SizePairRecord& record, SizeField field, std::uint16_t unit) {
  const SizeRange& range = record.Range(field, UnitIndex(unit));
  const int decimals = DecimalsOf(unit);
  const std::string text = "(" + Fixed(range.minimum, decimals) + " to " +
                           Fixed(range.maximum, decimals) +
                           (unit == kUnitMillimetres ? " mm)" : " in)");
  return Widen(text.c_str());
}

}  // namespace tqr
