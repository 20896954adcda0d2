// Two lengths typed in millimetres or inches and kept in both units at
// once: the offsets of the Offset Setting dialog and the size of a server
// form. Millimetres are whole tenths, inches whole hundredths. A value that
// sits on a range limit in one unit maps onto the same limit in the other,
// so that switching units back and forth never walks a value off its range.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace tqr {

// The unit selector: 0 millimetres, anything else inches.
constexpr std::uint16_t kUnitMillimetres = 0;
constexpr std::uint16_t kUnitInches = 1;

inline int UnitIndex(std::uint16_t unit) { return unit == kUnitMillimetres ? 0 : 1; }
inline int DecimalsOf(std::uint16_t unit) { return unit == kUnitMillimetres ? 1 : 2; }

// v x 100 / 254 and v x 254 / 100, truncating toward zero.
std::int32_t MmToInch(std::int32_t tenthsOfMm);
std::int32_t InchToMm(std::int32_t hundredthsOfInch);

struct SizeRange {
  std::int32_t minimum;
  std::int32_t maximum;
};

// Field 1 is the vertical offset or the form's height, field 2 the
// horizontal offset or the width.
enum class SizeField { k1 = 0, k2 = 1 };

struct SizePairRecord {
  // [field][unit index]: value in tenths of a millimetre, hundredths of an inch.
  std::int32_t value[2][2];
  SizeRange range[2][2];
  std::uint16_t unit;  // shown now

  std::int32_t& Value(SizeField field, int unitIndex) {
    return value[static_cast<int>(field)][unitIndex];
  }
  std::int32_t Value(SizeField field, int unitIndex) const {
    return value[static_cast<int>(field)][unitIndex];
  }
  const SizeRange& Range(SizeField field, int unitIndex) const {
    return range[static_cast<int>(field)][unitIndex];
  }
};

// Reads an edit's text as a number with `decimals` places: an optional
// leading '-', digits and at most one '.'; digits past the places end the
// reading. Without a record any number is taken; with one it must lie
// within the field's range in the unit the places stand for (2: inches).
// Nothing for an empty or malformed text, a number too long for 32 bits,
// or one out of range.
std::optional<std::int32_t> ParseFixedPoint(const std::u16string& text, int decimals,
                                            SizeField field, const SizePairRecord* record);

// Stores a field's value typed in `unit` and derives the other unit's:
// a limit maps to the limit, anything else converts and is clamped into
// the other unit's range. An unchanged value changes nothing.
void UpdateOtherUnit(SizePairRecord* record, SizeField field, std::uint16_t unit,
                     std::int32_t value);

// Sets a field to a size known exactly in millimetres, its inches derived.
void SetFieldInMillimetres(SizePairRecord* record, SizeField field, std::int32_t tenthsOfMm);

// Checks both texts in `unit`, storing each field as it passes. The field
// that failed first, or nothing.
std::optional<SizeField> ValidateSizePairTexts(SizePairRecord* record, std::uint16_t unit,
                                               const std::u16string& field1Text,
                                               const std::u16string& field2Text);

// Which range message a dialog shows.
enum class SizePairMode { kOffset = 0, kFormSize = 3 };

std::u16string SizePairRangeMessage(const SizePairRecord& record, SizePairMode mode);

// "12.3", "-0.5", "8.27": a length with its unit's places, negative values
// signed before their magnitude.
std::u16string FormatLength(std::int32_t value, std::uint16_t unit);

// "(-5.0 to 5.0 mm)" or "(8.27 to 42.60 in)".
std::u16string RangeLabelText(const SizePairRecord& record, SizeField field, std::uint16_t unit);

}  // namespace tqr
