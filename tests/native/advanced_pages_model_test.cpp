// The Advanced sheet's rules: the step slider's geometry, clicks and keys,
// the colour balance bars' scroll codes and gradients, and what the sheet
// remembers, restores and shows in its title.
#include <cstring>
#include <memory>

#include "sheet/sheet_values.h"
#include "support/settings_fixture.h"
#include "ui/advanced_sheet_model.h"
#include "ui/color_page_model.h"
#include "ui/main_page_model.h"
#include "ui/step_slider_model.h"

namespace tqr {
namespace {

TEST(StepSliderModelTest, GeometryFollowsTheTrackbarsTicksWhileTheyFit) {
  struct Case {
    SliderKind kind;
    int firstTick;
    int secondTick;  // intensity only
    int clientWidth;
    int leftMargin;
    int spacing;
  };
  const Case cases[] = {
      // Quality: a margin of 10, the trackbar's spacing while position 2
      // and half a thumb fit: 10 + 2 * 100 + 4 = 214.
      {SliderKind::kQuality, 60, 0, 225, 10, 50},
      {SliderKind::kQuality, 110, 0, 225, 10, 100},
      {SliderKind::kQuality, 110, 0, 213, 10, 99},  // (213 - 14) / 2
      {SliderKind::kQuality, 10, 0, 225, 10, 0},    // no spacing
      {SliderKind::kQuality, -1, 0, 225, 10, -11},  // no ticks
      {SliderKind::kQuality, 60, 0, 15, 10, 0},     // too narrow for a scale
      // Intensity: centred; 100 spacings and a whole thumb must fit.
      {SliderKind::kIntensity, 27, 29, 250, 25, 2},
      {SliderKind::kIntensity, 27, 30, 308, 4, 3},    // 300 + 8 fits exactly
      {SliderKind::kIntensity, 27, 30, 280, 40, 2},   // rounded ticks 3 apart
      {SliderKind::kIntensity, 27, 30, 307, 53, 2},
      {SliderKind::kIntensity, 27, 31, 385, 42, 3},
      {SliderKind::kIntensity, 27, 31, 107, 53, 0},   // too narrow for a scale
      {SliderKind::kIntensity, -1, -1, 250, 125, 0},  // no ticks
  };
  for (const Case& c : cases) {
    const SliderGeometry geometry =
        c.kind == SliderKind::kQuality
            ? QualitySliderGeometry(c.firstTick, c.clientWidth)
            : IntensitySliderGeometry(c.firstTick, c.secondTick, c.clientWidth);
    SCOPED_TRACE(testing::Message() << "ticks " << c.firstTick << ", width " << c.clientWidth);
    EXPECT_EQ(geometry.leftMargin, c.leftMargin);
    EXPECT_EQ(geometry.firstTick, c.firstTick);
    EXPECT_EQ(geometry.spacing, c.spacing);
    EXPECT_EQ(SliderDrawsItself(geometry), c.spacing > 0);
  }
  EXPECT_EQ(SliderPositionX(QualitySliderGeometry(60, 225), 2), 110);
  EXPECT_EQ(SliderPositionX(IntensitySliderGeometry(27, 29, 250), 50), 125);
}

TEST(StepSliderModelTest, PressChoosesTheNearestPosition) {
  struct Case {
    int spacing;
    int rangeMaximum;
    int x;
    int position;
  };
  const Case cases[] = {
      {50, 2, 0, 0},     // left of the margin
      {50, 2, 10, 0},    // on position 0
      {50, 2, 34, 0},    // just before half way
      {50, 2, 35, 1},    // exactly half way chooses the higher
      {50, 2, 60, 1},    {50, 2, 85, 2},
      {50, 2, 500, 2},   // right of the last tick
      {2, 100, 10, 0},   {2, 100, 11, 1},  {2, 100, 110, 50}, {2, 100, 400, 100},
      {0, 2, 10, 2},     // no spacing: every press lands on the last position
      {0, 2, -40, 2},
  };
  for (const Case& c : cases) {
    const SliderGeometry geometry{10, 10 + c.spacing, c.spacing};
    EXPECT_EQ(SliderPositionAt(geometry, c.rangeMaximum, c.x), c.position)
        << "spacing " << c.spacing << ", x " << c.x;
  }
}

TEST(StepSliderModelTest, KeysMoveWithinTheFeatureOrTheRange) {
  NumericSetting quality{};
  quality.minimum = 0;
  quality.maximum = 1;  // a description that offers no "Fine"
  NumericSetting wide{};
  wide.minimum = -1;
  wide.maximum = 3;  // a description beyond the slider's ends
  const NumericSetting any{};
  using K = SliderKey;
  struct Case {
    SliderKind kind;
    K key;
    int from;
    int to;
    const NumericSetting* feature = nullptr;
  };
  const Case cases[] = {
      {SliderKind::kQuality, K::kRight, 2, 2, &wide}, {SliderKind::kQuality, K::kDown, 1, 2, &wide},
      {SliderKind::kQuality, K::kLeft, 0, 0, &wide},  {SliderKind::kQuality, K::kPageUp, 1, 0, &wide},
      {SliderKind::kQuality, K::kEnd, 0, 2, &wide},
      {SliderKind::kQuality, K::kRight, 0, 1},    {SliderKind::kQuality, K::kRight, 1, 1},
      {SliderKind::kQuality, K::kDown, 1, 1},     {SliderKind::kQuality, K::kPageDown, 0, 1},
      {SliderKind::kQuality, K::kEnd, 0, 2},      {SliderKind::kQuality, K::kLeft, 0, 0},
      {SliderKind::kQuality, K::kUp, 2, 1},       {SliderKind::kQuality, K::kPageUp, 1, 0},
      {SliderKind::kQuality, K::kHome, 2, 0},
      {SliderKind::kIntensity, K::kPageDown, 50, 55}, {SliderKind::kIntensity, K::kPageDown, 98, 100},
      {SliderKind::kIntensity, K::kPageUp, 3, 0},     {SliderKind::kIntensity, K::kPageUp, 50, 45},
      {SliderKind::kIntensity, K::kRight, 100, 100},  {SliderKind::kIntensity, K::kLeft, 0, 0},
      {SliderKind::kIntensity, K::kUp, 50, 49},       {SliderKind::kIntensity, K::kEnd, 7, 100},
      {SliderKind::kIntensity, K::kHome, 7, 0},
  };
  for (const Case& c : cases) {
    const int maximum = c.kind == SliderKind::kQuality ? kQualitySliderMaximum
                                                        : kIntensitySliderMaximum;
    const NumericSetting& feature =
        c.feature != nullptr ? *c.feature : c.kind == SliderKind::kQuality ? quality : any;
    EXPECT_EQ(SliderPositionAfterKey(c.kind, c.key, c.from, maximum, feature), c.to)
        << static_cast<int>(c.kind) << " key " << static_cast<int>(c.key) << " from " << c.from;
  }
}

TEST(StepSliderModelTest, ValuesTicksAndPositions) {
  EXPECT_EQ(SliderValueAt(SliderKind::kQuality, 2), 2);
  EXPECT_EQ(SliderValueAt(SliderKind::kIntensity, 0), -50);
  EXPECT_EQ(SliderValueAt(SliderKind::kIntensity, 100), 50);
  EXPECT_EQ(SliderPositionOf(SliderKind::kIntensity, -20), 30);
  EXPECT_EQ(SliderPositionOf(SliderKind::kQuality, 1), 1);
  EXPECT_EQ(SliderTickStep(SliderKind::kQuality), 1);
  EXPECT_EQ(SliderTickStep(SliderKind::kIntensity), 50);
}

TEST(ColorPageModelTest, ScrollCodesStayWithinTheBar) {
  using S = ScrollCode;
  struct Case {
    S code;
    int value;  // -50 to +50
    int thumb;
    int result;
  };
  const Case cases[] = {
      {S::kPageRight, 45, 0, 50},  {S::kPageRight, 30, 0, 40},  {S::kPageLeft, -45, 0, -50},
      {S::kPageLeft, 0, 0, -10},   {S::kLineRight, 50, 0, 50},  {S::kLineRight, 0, 0, 1},
      {S::kLineLeft, -50, 0, -50}, {S::kLineLeft, 0, 0, -1},    {S::kThumbTrack, 0, 80, 30},
      {S::kThumbPosition, 0, 5, -45}, {S::kLeft, 12, 0, -50},   {S::kRight, -12, 0, 50},
  };
  for (const Case& c : cases) {
    const std::optional<int> position =
        BalanceBarPositionAfter(static_cast<int>(c.code), c.value + kBalanceOffset, c.thumb);
    ASSERT_TRUE(position.has_value()) << static_cast<int>(c.code);
    EXPECT_EQ(*position - kBalanceOffset, c.result) << static_cast<int>(c.code) << " at " << c.value;
  }
  EXPECT_FALSE(BalanceBarPositionAfter(static_cast<int>(S::kEndScroll), 50, 0).has_value());
  EXPECT_FALSE(BalanceBarPositionAfter(99, 50, 0).has_value());
}

TEST(ColorPageModelTest, GradientRunsFromWhiteToTheInk) {
  // A bar of 2a + 104 pixels has 100 gradient columns.
  EXPECT_EQ(GradientColumns(2 * 17 + 104, 17), 100);
  EXPECT_EQ(GradientColumns(2 * 17 + 4, 17), 0);
  EXPECT_EQ(GradientColumns(10, 17), 0);
  struct Case {
    InkColor ink;
    int column;
    int columns;
    InkColor color;
  };
  const Case cases[] = {
      {{0, 255, 255}, 0, 100, {255, 255, 255}},   // first column white
      {{0, 255, 255}, 99, 100, {3, 255, 255}},    // last at 99 %: 255 - 99 * 255 / 100
      {{255, 0, 255}, 50, 100, {255, 128, 255}},  // 255 - 50 * 255 / 100 = 128
      {{0, 0, 0}, 99, 100, {3, 3, 3}},
      {{255, 0, 0}, 1, 3, {255, 171, 171}},       // t = 33: 255 - 33 * 255 / 100
      {{0, 0, 255}, 2, 3, {87, 87, 255}},         // t = 66
  };
  for (const Case& c : cases) {
    const InkColor color = GradientColumnColor(c.ink, c.column, c.columns);
    EXPECT_EQ(color.red, c.color.red) << c.column << "/" << c.columns;
    EXPECT_EQ(color.green, c.color.green) << c.column << "/" << c.columns;
    EXPECT_EQ(color.blue, c.color.blue) << c.column << "/" << c.columns;
  }
}

TEST(ColorPageModelTest, BarsAreTheSevenInksInTheirSets) {
  const NumericSetting SheetState::*settings[] = {
      &SheetState::cyan, &SheetState::magenta, &SheetState::yellow, &SheetState::black,
      &SheetState::red,  &SheetState::green,   &SheetState::blue};
  for (int i = 0; i < kBalanceBarCount; ++i) {
    EXPECT_EQ(kBalanceBars[i].setting, settings[i]) << i;
    EXPECT_EQ(kBalanceBars[i].set, i < 4 ? BalanceSet::kCmyk : BalanceSet::kRgb) << i;
  }
  EXPECT_EQ(kBalanceBars[0].ink.red, 0);
  EXPECT_EQ(kBalanceBars[2].ink.blue, 0);
}

class AdvancedSheetModelTest : public test::SettingsTest {
 protected:
  AdvancedSheetModelTest() {
    record_ = Defaults();
    EXPECT_EQ(BuildSheetState(ddf(), &state_, record_.get(), kDescriptionBaseName, printer()), 1);
  }
  ~AdvancedSheetModelTest() override { FreeSheetState(&state_); }

  SheetState* state_ = nullptr;
  std::unique_ptr<DRVDEVMODE> record_;
};

TEST_F(AdvancedSheetModelTest, ColourControlsAndSetsFollowTheSheet) {
  struct Case {
    std::uint16_t cartridge;
    std::int16_t grayScale;
    bool enabled;
  };
  const Case cases[] = {{0, 0, true}, {1, 0, false}, {0, 1, false}, {1, 1, false}};
  for (const Case& c : cases) {
    state_->cartridge->currentId = c.cartridge;
    state_->grayScale.current = c.grayScale;
    EXPECT_EQ(ColorControlsEnabled(state_), c.enabled) << c.cartridge << " " << c.grayScale;
  }
  ChooseBalanceSet(state_, BalanceSet::kRgb);
  EXPECT_EQ(state_->cmykOrRgb->currentId, 2);
  EXPECT_EQ(ShownBalanceSet(state_), BalanceSet::kRgb);
  ChooseBalanceSet(state_, BalanceSet::kCmyk);
  EXPECT_EQ(state_->cmykOrRgb->currentId, 1);
  EXPECT_EQ(ShownBalanceSet(state_), BalanceSet::kCmyk);
}

TEST_F(AdvancedSheetModelTest, DefaultsResetTheirPagesCurrentValuesOnly) {
  for (const BalanceBar& bar : kBalanceBars) (state_->*bar.setting).current = 17;
  state_->cmykOrRgb->currentId = 2;
  state_->gamma->currentId = 22;
  state_->intensity.current = -30;
  state_->printQuality.current = 2;
  ResetColorPage(state_);
  for (const BalanceBar& bar : kBalanceBars) {
    EXPECT_EQ((state_->*bar.setting).current, (state_->*bar.setting).defaultValue);
  }
  EXPECT_EQ(state_->cmykOrRgb->currentId, state_->cmykOrRgb->defaultId);
  EXPECT_EQ(state_->gamma->currentId, state_->gamma->defaultId);
  EXPECT_EQ(state_->gamma->currentPosition,
            OptionComboPosition(state_->gamma, state_->gamma->defaultId));
  EXPECT_EQ(state_->intensity.current, state_->intensity.defaultValue);
  EXPECT_EQ(state_->printQuality.current, 2);  // the Quality page's

  state_->cartridge->currentId = 1;
  state_->cartridge->savedId = 1;
  state_->grayScale.current = 1;
  state_->halftoning->currentId = 1;
  state_->mirror.current = 1;
  ResetQualityPage(state_);
  EXPECT_EQ(state_->cartridge->currentId, state_->cartridge->defaultId);
  EXPECT_EQ(state_->cartridge->savedId, 1);
  EXPECT_EQ(state_->grayScale.current, state_->grayScale.defaultValue);
  EXPECT_EQ(state_->halftoning->currentId, state_->halftoning->defaultId);
  EXPECT_EQ(state_->mirror.current, state_->mirror.defaultValue);
  EXPECT_EQ(state_->printQuality.current, state_->printQuality.defaultValue);
}

TEST_F(AdvancedSheetModelTest, RestoringPutsBackEverythingButThePrintMode) {
  state_->printMode->currentId = 1;
  const AdvancedValues before = RememberAdvancedValues(state_);
  const std::uint16_t mediaPosition = state_->mediaType->currentPosition;
  state_->cartridge->currentId = 1;
  state_->grayScale.current = 1;
  state_->mediaType->currentId = 3;
  state_->mediaType->currentPosition = 3;
  state_->mirror.current = 1;
  state_->printQuality.current = 0;
  state_->halftoning->currentId = 1;
  for (const BalanceBar& bar : kBalanceBars) (state_->*bar.setting).current = 9;
  state_->cmykOrRgb->currentId = 2;
  state_->matching->currentId = 3;
  state_->gamma->currentId = 30;
  state_->intensity.current = 40;
  state_->printMode->currentId = 4;

  RestoreAdvancedValues(state_, before);
  EXPECT_EQ(RememberAdvancedValues(state_).printMode, 4);
  EXPECT_EQ(state_->mediaType->currentPosition, mediaPosition);
  state_->printMode->currentId = 1;
  const AdvancedValues after = RememberAdvancedValues(state_);
  EXPECT_EQ(std::memcmp(&after, &before, sizeof after), 0);
}

TEST_F(AdvancedSheetModelTest, FlagsCaptionAndTitle) {
  state_->mainPageFlags = kMainPageDeleted;
  StartAdvancedSheet(state_);
  EXPECT_FALSE(IsAdvancedModified(state_));
  MarkAdvancedModified(state_);
  EXPECT_TRUE(IsAdvancedModified(state_));
  EXPECT_FALSE(IsMainPageModified(state_));  // until OK
  ConfirmAdvancedPage(state_);
  EXPECT_EQ(state_->mainPageFlags, kMainPageDeleted | kMainPageModified);

  state_->mainPageFlags = 0;
  state_->advancedMainPageFlags = kMainPageDeleted | kMainPageModified;
  CancelAdvancedPage(state_);
  EXPECT_EQ(state_->mainPageFlags, kMainPageDeleted);

  state_->printMode->currentId = 2;
  const AdvancedValues before = RememberAdvancedValues(state_);
  state_->mainPageFlags = 0;
  EXPECT_FALSE(AdvancedSheetChangedSettings(state_, before));
  state_->printMode->currentId = 3;
  EXPECT_TRUE(AdvancedSheetChangedSettings(state_, before));
  state_->printMode->currentId = 2;
  SetMainPageModified(state_, true);
  EXPECT_TRUE(AdvancedSheetChangedSettings(state_, before));
  // A value that marks nothing modified is a change all the same.
  SetMainPageModified(state_, false);
  state_->cmykOrRgb->currentId = state_->cmykOrRgb->currentId == 1 ? 2 : 1;
  EXPECT_TRUE(AdvancedSheetChangedSettings(state_, before));

  EXPECT_EQ(AdvancedSheetCaption(u"Photo"), u"[Photo]Properties");
  EXPECT_EQ(AdvancedSheetCaption(u""), u"[]Properties");
  EXPECT_EQ(ModifiedSheetTitle(state_), u"[Custom]");
}

}  // namespace
}  // namespace tqr
