// The window-free halves of the dialog utilities: option list lookups, the
// numeric keyboard filters, centring and the paper-size texts.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "ui/dlgutil.h"
#include "ui/greyed_picture.h"

namespace tqr {
namespace {

// --- option lists -------------------------------------------------------------------

// Ids 10, 20, 30 as a visible-only combo numbers them: 20 is hidden.
class OptionLookupTest : public ::testing::Test {
 protected:
  OptionLookupTest() : storage_(OptionListSize(3) / 2 + 1) {
    list_ = reinterpret_cast<OptionList*>(storage_.data());
    list_->count = 3;
    const std::uint16_t ids[] = {10, 20, 30};
    const std::uint16_t positions[] = {0, kNoComboPosition, 1};
    for (int i = 0; i < 3; ++i) {
      OptionEntry& entry = list_->Entries()[i];
      entry.optionId = ids[i];
      entry.comboPosition = positions[i];
      entry.name[0] = static_cast<char16_t>(u'A' + i);
    }
  }

  std::vector<std::uint16_t> storage_;
  OptionList* list_;
};

TEST_F(OptionLookupTest, LookupsAnswerAbsentAndNullListsWithTheirOwnValues) {
  EXPECT_EQ(OptionComboPosition(list_, 30), 1);
  EXPECT_EQ(OptionComboPosition(list_, 20), kNoComboPosition);
  EXPECT_EQ(OptionComboPosition(list_, 99), 0);
  EXPECT_EQ(OptionComboPosition(nullptr, 10), 0);

  EXPECT_EQ(OptionEntryIndex(list_, 30), 2);
  EXPECT_EQ(OptionEntryIndex(list_, 99), 0xFFFF);
  EXPECT_EQ(OptionEntryIndex(nullptr, 10), 0);

  EXPECT_EQ(OptionIdAtComboPosition(list_, 0), 10);
  EXPECT_EQ(OptionIdAtComboPosition(list_, 1), 30);
  EXPECT_EQ(OptionIdAtComboPosition(list_, 2), 0xFFFF);
  EXPECT_EQ(OptionIdAtComboPosition(nullptr, 0), 0xFFFF);

  EXPECT_EQ(std::u16string(OptionName(20, list_)), u"B");
  EXPECT_EQ(OptionName(99, list_), nullptr);
  EXPECT_EQ(OptionName(10, nullptr), nullptr);
}

TEST_F(OptionLookupTest, NothingSelectedNeverPicksAHiddenOption) {
  // CB_ERR is -1, the same bits as a hidden entry's position.
  EXPECT_EQ(OptionIdAtComboPosition(list_, -1), 0xFFFF);
}

TEST_F(OptionLookupTest, ResetToDefaultMovesCurrentSavedAndPosition) {
  list_->currentId = 10;
  list_->savedId = 10;
  list_->defaultId = 30;
  ResetOptionToDefault(list_);
  EXPECT_EQ(list_->currentId, 30);
  EXPECT_EQ(list_->savedId, 30);
  EXPECT_EQ(list_->currentPosition, 1);
  ResetOptionToDefault(nullptr);
}

// --- keyboard filters ----------------------------------------------------------------

struct KeyCase {
  const char* text;
  std::uint32_t start;
  std::uint32_t end;
  int character;
  KeyVerdict verdict;
};

constexpr KeyVerdict kPass = KeyVerdict::Pass;
constexpr KeyVerdict kRefuse = KeyVerdict::Refuse;
constexpr int kBackspace = 8;

std::string Describe(const KeyCase& c) {
  return "text \"" + std::string(c.text) + "\" selection " + std::to_string(c.start) + ".." +
         std::to_string(c.end) + " character " + std::to_string(c.character);
}

KeyContext ContextOf(const KeyCase& c) {
  KeyContext key;
  key.text = c.text;
  key.selectionStart = c.start;
  key.selectionEnd = c.end;
  key.character = c.character;
  return key;
}

TEST(KeyFilterTest, IntegerFieldsTakeOneToThreeDigitsWithoutLeadingZero) {
  const KeyCase cases[] = {
      {"", 0, 0, '0', kRefuse},          // a lone zero
      {"", 0, 0, '1', kPass},
      {"1", 1, 1, '0', kPass},           // 10
      {"10", 0, 0, '0', kRefuse},        // 010
      {"10", 1, 1, '0', kPass},          // 100
      {"999", 3, 3, '5', kRefuse},       // a fourth digit
      {"999", 0, 3, '5', kPass},         // replaces all three
      {"999", 0, 3, '0', kRefuse},       // would leave a zero in front
      {"999", 3, 3, kBackspace, kPass},
      {"", 0, 0, kBackspace, kPass},
      {"12", 2, 2, '-', kRefuse},
      {"12", 2, 2, 'a', kRefuse},
      {"12", 2, 2, -1, kRefuse},         // no ANSI equivalent
  };
  for (const KeyCase& c : cases) {
    EXPECT_EQ(DecideIntegerKey(ContextOf(c)), c.verdict) << Describe(c);
  }
}

TEST(KeyFilterTest, IntegerOrZeroFieldsTakeALoneZero) {
  const KeyCase cases[] = {
      {"", 0, 0, '0', kPass},
      {"0", 1, 1, '5', kRefuse},         // caret behind the zero: nothing goes
      {"0", 1, 1, '0', kRefuse},
      {"0", 1, 1, kBackspace, kRefuse},
      {"0", 0, 1, '5', kPass},           // the selected zero is replaced
      {"0", 0, 1, '0', kRefuse},
      {"5", 0, 0, '0', kRefuse},         // 05
      {"5", 1, 1, '0', kPass},           // 50
      {"120", 3, 3, '1', kRefuse},
      {"120", 3, 3, kBackspace, kPass},
      {"12", 2, 2, '.', kRefuse},
      {"", 0, 0, -1, kRefuse},
  };
  for (const KeyCase& c : cases) {
    EXPECT_EQ(DecideIntegerOrZeroKey(ContextOf(c)), c.verdict) << Describe(c);
  }
}

TEST(KeyFilterTest, DecimalFieldsTakeSignedFractions) {
  for (char c : std::string("-12.5")) EXPECT_EQ(DecideDecimalKey(c), kPass) << c;
  EXPECT_EQ(DecideDecimalKey(kBackspace), kPass);
  for (int c : {int{'/'}, int{'+'}, int{','}, int{'e'}, int{' '}, -1}) {
    EXPECT_EQ(DecideDecimalKey(c), kRefuse) << c;
  }
}

// --- centring -------------------------------------------------------------------------

struct CentreCase {
  const char* what;
  ScreenRect window;
  ScreenRect owner;
  ScreenPoint expected;
};

TEST(CenteringTest, CentresOverTheOwnerAndStaysOnTheScreen) {
  const CentreCase cases[] = {
      {"centred", {0, 0, 200, 100}, {100, 100, 500, 400}, {200, 200}},
      {"halves round toward zero", {0, 0, 200, 100}, {100, 100, 201, 400}, {51, 200}},
      {"left and top overflow", {0, 0, 400, 300}, {-300, -200, 100, 0}, {0, 0}},
      {"right and bottom overflow", {0, 0, 300, 200}, {900, 700, 1000, 768}, {724, 568}},
      {"as large as the screen", {0, 0, 1024, 768}, {600, 400, 1000, 700}, {0, 0}},
      {"as large, owner at the top left", {0, 0, 1024, 768}, {0, 0, 400, 300}, {0, 0}},
  };
  for (const CentreCase& c : cases) {
    const ScreenPoint point = CenteredPosition(c.window, c.owner, 1024, 768);
    EXPECT_EQ(point.x, c.expected.x) << c.what;
    EXPECT_EQ(point.y, c.expected.y) << c.what;
  }
}

// --- paper name with size --------------------------------------------------------------

TEST(PaperNameTextTest, SizesReadInMillimetresOrInches) {
  EXPECT_EQ(FormatPaperSizeText(2100, 2970, FormUnit::Millimetres), u"  210.0 x 297.0 mm");
  EXPECT_EQ(FormatPaperSizeText(9144, 12, FormUnit::Millimetres), u"  914.4 x 1.2 mm");
  EXPECT_EQ(FormatPaperSizeText(2159, 2794, FormUnit::Inches), u"  8.50 x 11.00 in");
  // 210 mm is 8.2677 in, truncated; small sizes keep two decimals.
  EXPECT_EQ(FormatPaperSizeText(2100, 25, FormUnit::Inches), u"  8.26 x 0.09 in");
}

struct FitCase {
  const char* what;
  std::u16string name;
  int availableChars;
  bool nameOnly;
  std::u16string nameAfter;
  std::u16string sizeAfter;
};

TEST(PaperNameTextTest, TooLongTextsLoseTheUnitLetterThenNameCharacters) {
  const std::u16string size = u"  210.0 x 297.0 mm";  // 18 characters
  const FitCase cases[] = {
      {"fits exactly", u"A4", 20, false, u"A4", size},
      {"unit letter is enough", u"A4", 19, false, u"A4", u"  210.0 x 297.0 m"},
      {"name shortened", u"Very long paper name", 25, false, u"Very lon",
       u"  210.0 x 297.0 m"},
      {"nothing fits", u"A4", 1, false, u"", u"  210.0 x 297.0 m"},
      {"only the name counts", u"Roll 36 inch", 10, true, u"Roll 36 in", size},
      {"names are cut to 63", std::u16string(70, u'n'), 200, false,
       std::u16string(63, u'n'), size},
  };
  const TextMeasure sixPixelsEach = [](const std::u16string& text) {
    return static_cast<int>(text.size()) * 6;
  };
  for (const FitCase& c : cases) {
    const PaperNameText text =
        FitPaperNameText(c.name, size, c.availableChars * 6, c.nameOnly, sixPixelsEach);
    EXPECT_EQ(text.name, c.nameAfter) << c.what;
    EXPECT_EQ(text.sizeText, c.sizeAfter) << c.what;
  }
}

TEST(PaperNameTextTest, JoinedTextDropsOneLeadingSpace) {
  EXPECT_EQ(JoinPaperNameText({u"Very lon", u"  210.0 x 297.0 m"}), u"Very lon  210.0 x 297.0 m");
  EXPECT_EQ(JoinPaperNameText({u"A4", u""}), u"A4 ");
}

// --- greyed pictures ------------------------------------------------------------------

TEST(GreyedPictureTest, ColoursWashHalfwayToTheFace) {
  struct Case {
    std::uint32_t color;
    std::uint32_t face;
    std::uint32_t greyed;
  };
  const Case cases[] = {
      {0x00C0C0C0, 0x00C0C0C0, 0x00C0C0C0},  // the picture's own backdrop stays the face
      {0x00000000, 0x00C0C0C0, 0x00606060},  // black ink: half the face
      {0x00FFFFFF, 0x00C0C0C0, 0x00DFDFDF},
      {0x000000FF, 0x00F0F0F0, 0x009E9E9E},  // red: grey 76
      {0x00FF0000, 0x00000000, 0x000E0E0E},  // blue is the darkest ink: grey 29
  };
  for (const Case& c : cases) {
    EXPECT_EQ(GreyedPixel(c.color, c.face), c.greyed) << std::hex << c.color;
  }
}

TEST(GreyedPictureTest, ClassicGreysAreKnownByTheirExactColour) {
  EXPECT_EQ(ClassicGreyOf(0x00C0C0C0), ClassicGrey::kFace);
  EXPECT_EQ(ClassicGreyOf(0x00808080), ClassicGrey::kShadow);
  EXPECT_EQ(ClassicGreyOf(0x00DFDFDF), ClassicGrey::kLight);
  for (std::uint32_t other : {0x00C0C0C1u, 0x00FFFFFFu, 0x00000000u, 0x00404040u}) {
    EXPECT_EQ(ClassicGreyOf(other), ClassicGrey::kNone) << std::hex << other;
  }
}

}  // namespace
}  // namespace tqr
