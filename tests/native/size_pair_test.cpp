// Lengths typed in millimetres or inches: parsing, the other unit kept in
// step with exact limits, and the range messages and labels.
#include "ui/size_pair.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace tqr {
namespace {

// Offsets of -5.0 to 5.0 mm (-0.20 to 0.20 in) both ways.
SizePairRecord OffsetRecord() {
  SizePairRecord record{};
  for (auto& field : record.range) {
    field[0] = {-50, 50};
    field[1] = {-20, 20};
  }
  return record;
}

// A server form: height (field 1) 297.0 to 2667.0 mm, width 210.0 to 1082.2 mm.
SizePairRecord FormRecord() {
  SizePairRecord record{};
  record.range[0][0] = {2970, 26670};
  record.range[0][1] = {1169, 10500};
  record.range[1][0] = {2100, 10822};
  record.range[1][1] = {827, 4260};
  return record;
}

TEST(SizePairTest, ParseFixedPoint) {
  const SizePairRecord offsets = OffsetRecord();
  const struct {
    std::u16string text;
    int decimals;
    bool ranged;
    std::optional<std::int32_t> want;
  } cases[] = {
      {u"12", 1, false, 120},
      {u"12.34", 1, false, 123},  // places past the unit's end the reading
      {u"1.234x", 1, false, 12},
      {u"1.5", 2, false, 150},
      {u"-12.5", 1, false, -125},
      {u"-", 1, false, 0},
      {u".", 2, false, 0},
      {u"", 1, false, std::nullopt},
      {u"1..2", 1, false, std::nullopt},
      {u"1.2.3", 2, false, std::nullopt},
      {u"1/2", 1, false, std::nullopt},
      {u"--1", 1, false, std::nullopt},
      {u"1-", 1, false, std::nullopt},
      // Longer than any edit allows: refused instead of wrapping around 32 bits.
      {u"429496729.6", 1, false, std::nullopt},
      {u"99999999999999999999", 2, false, std::nullopt},
      {u"5.0", 1, true, 50},
      {u"-5", 1, true, -50},
      {u"5.1", 1, true, std::nullopt},
      {u"0.20", 2, true, 20},
      {u"-0.21", 2, true, std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.text.begin(), c.text.end()));
    EXPECT_EQ(ParseFixedPoint(c.text, c.decimals, SizeField::k1, c.ranged ? &offsets : nullptr),
              c.want);
  }
}

TEST(SizePairTest, ConversionsTruncateTowardZero) {
  EXPECT_EQ(MmToInch(8409), 3310);
  EXPECT_EQ(InchToMm(3310), 8407);
  EXPECT_EQ(MmToInch(-5), -1);
  EXPECT_EQ(InchToMm(-1), -2);
  EXPECT_EQ(MmToInch(2100), 826);
}

TEST(SizePairTest, TheOtherUnitFollowsWithLimitsMappedExactly) {
  const struct {
    const char* what;
    SizePairRecord record;
    SizeField field;
    std::uint16_t unit;
    std::int32_t typed;
    std::int32_t wantMm;
    std::int32_t wantInch;
  } cases[] = {
      {"width minimum", FormRecord(), SizeField::k2, kUnitMillimetres, 2100, 2100, 827},
      {"width maximum", FormRecord(), SizeField::k2, kUnitMillimetres, 10822, 10822, 4260},
      {"height maximum in inches", FormRecord(), SizeField::k1, kUnitInches, 10500, 26670, 10500},
      {"plain conversion", FormRecord(), SizeField::k2, kUnitMillimetres, 8409, 8409, 3310},
      {"inches to millimetres", FormRecord(), SizeField::k2, kUnitInches, 828, 2103, 828},
      {"offset maximum", OffsetRecord(), SizeField::k1, kUnitMillimetres, 50, 50, 20},
      {"offset minimum in inches", OffsetRecord(), SizeField::k2, kUnitInches, -20, -50, -20},
      {"offset converted", OffsetRecord(), SizeField::k2, kUnitMillimetres, -5, -5, -1},
  };
  for (auto c : cases) {
    SCOPED_TRACE(c.what);
    UpdateOtherUnit(&c.record, c.field, c.unit, c.typed);
    EXPECT_EQ(c.record.Value(c.field, 0), c.wantMm);
    EXPECT_EQ(c.record.Value(c.field, 1), c.wantInch);
  }
}

TEST(SizePairTest, UnchangedTextInInchesKeepsTheExactMillimetres) {
  // 840.9 x 1189.0 mm shown in inches and confirmed unchanged, twice.
  SizePairRecord record = FormRecord();
  SetFieldInMillimetres(&record, SizeField::k1, 11890);
  SetFieldInMillimetres(&record, SizeField::k2, 8409);
  for (int round = 0; round < 2; ++round) {
    const std::u16string height = FormatLength(record.Value(SizeField::k1, 1), kUnitInches);
    const std::u16string width = FormatLength(record.Value(SizeField::k2, 1), kUnitInches);
    EXPECT_EQ(width, u"33.10");
    EXPECT_EQ(ValidateSizePairTexts(&record, kUnitInches, height, width), std::nullopt);
    EXPECT_EQ(record.Value(SizeField::k1, 0), 11890);
    EXPECT_EQ(record.Value(SizeField::k2, 0), 8409);
  }
  // A changed inch value does convert.
  EXPECT_EQ(ValidateSizePairTexts(&record, kUnitInches, u"46.81", u"33.11"), std::nullopt);
  EXPECT_EQ(record.Value(SizeField::k2, 0), 8409);  // 3311 x 254 / 100 = 8409.94
  EXPECT_EQ(ValidateSizePairTexts(&record, kUnitInches, u"46.81", u"33.00"), std::nullopt);
  EXPECT_EQ(record.Value(SizeField::k2, 0), 8382);
}

TEST(SizePairTest, ValidationNamesTheFirstFailingFieldAndKeepsTheOnesBefore) {
  SizePairRecord record = OffsetRecord();
  EXPECT_EQ(ValidateSizePairTexts(&record, kUnitMillimetres, u"9", u"1"), SizeField::k1);
  EXPECT_EQ(record.Value(SizeField::k1, 0), 0);
  EXPECT_EQ(ValidateSizePairTexts(&record, kUnitMillimetres, u"1.5", u""), SizeField::k2);
  EXPECT_EQ(record.Value(SizeField::k1, 0), 15);
  EXPECT_EQ(record.Value(SizeField::k1, 1), 5);
  EXPECT_EQ(ValidateSizePairTexts(&record, kUnitInches, u"-0.2", u"0.05"), std::nullopt);
  EXPECT_EQ(record.Value(SizeField::k1, 0), -50);
  EXPECT_EQ(record.Value(SizeField::k2, 0), 12);
}

TEST(SizePairTest, MessagesAndLabels) {
  EXPECT_EQ(SizePairRangeMessage(OffsetRecord(), SizePairMode::kOffset),
            u"Set the offset \nvertical from -5.0 mm (-0.20 in) to 5.0 mm (0.20 in) and the "
            u"\nhorizontal from -5.0 mm (-0.20 in) to 5.0 mm (0.20 in).");
  EXPECT_EQ(SizePairRangeMessage(FormRecord(), SizePairMode::kFormSize),
            u"Form Size\nWidth: 210.0 to 1082.2 mm (8.27 to 42.60 in)\nHeight: 297.0 to 2667.0 mm "
            u"(11.69 to 105.00 in)\nSet within these ranges.");
  EXPECT_EQ(RangeLabelText(OffsetRecord(), SizeField::k1, kUnitMillimetres), u"(-5.0 to 5.0 mm)");
  EXPECT_EQ(RangeLabelText(FormRecord(), SizeField::k2, kUnitInches), u"(8.27 to 42.60 in)");
  const struct {
    std::int32_t value;
    std::uint16_t unit;
    std::u16string want;
  } lengths[] = {{-5, kUnitMillimetres, u"-0.5"},
                 {0, kUnitMillimetres, u"0.0"},
                 {8409, kUnitMillimetres, u"840.9"},
                 {827, kUnitInches, u"8.27"},
                 {-20, kUnitInches, u"-0.20"},
                 {10500, kUnitInches, u"105.00"}};
  for (const auto& c : lengths) EXPECT_EQ(FormatLength(c.value, c.unit), c.want);
}

}  // namespace
}  // namespace tqr
