// The Features page's rules on a sheet of the shipped description: copies
// and drying-time limits, what activating the page resets and greys, and
// what applying saves, from this page or any other.
#include "ui/features_model.h"

#include <cstring>
#include <memory>

#include "sheet/sheet_values.h"

#include "support/settings_fixture.h"

namespace tqr {
namespace {

class FeaturesModelTest : public test::SettingsTest {
 protected:
  FeaturesModelTest() {
    record_ = Defaults();
    EXPECT_EQ(BuildSheetState(ddf(), &state_, record_.get(), kDescriptionBaseName, printer()), 1);
    state_->editable = 1;
  }
  ~FeaturesModelTest() override { FreeSheetState(&state_); }

  SheetState* state_ = nullptr;
  std::unique_ptr<DRVDEVMODE> record_;
};

TEST_F(FeaturesModelTest, LimitsComeFromTheDescription) {
  struct Case {
    FeatureNumber number;
    std::int16_t minimum;
    std::int16_t maximum;
    std::int16_t byDefault;
  };
  const Case cases[] = {
      {FeatureNumber::kCopies, 1, 999, 1},
      {FeatureNumber::kDryInkScan, 0, 10, 0},
      {FeatureNumber::kDryInkPage, 0, 60, 0},
  };
  for (const Case& c : cases) {
    const NumericSetting& setting = FeatureSetting(state_, c.number);
    EXPECT_EQ(setting.minimum, c.minimum);
    EXPECT_EQ(setting.maximum, c.maximum);
    EXPECT_EQ(setting.defaultValue, c.byDefault);
  }
}

TEST_F(FeaturesModelTest, CopiesPassOnlyWithinTheirLimits) {
  struct Case {
    std::int16_t read;
    bool passes;
    std::int16_t stored;
  };
  // An empty edit reads as 0; the edit itself never gives more than the
  // maximum.
  const Case cases[] = {{0, false, 7}, {1, true, 1}, {999, true, 999}, {1000, false, 7},
                        {-1, false, 7}};
  for (const Case& c : cases) {
    state_->copies.current = 7;
    EXPECT_EQ(AcceptCopies(state_, c.read), c.passes) << c.read;
    EXPECT_EQ(state_->copies.current, c.stored) << c.read;
  }
}

TEST_F(FeaturesModelTest, NumbersAreClampedAndStepped) {
  state_->copies.current = 0;
  state_->dryInkScan.current = 11;
  state_->dryInkPage.current = -3;
  ClampFeatureNumbers(state_);
  EXPECT_EQ(state_->copies.current, 1);
  EXPECT_EQ(state_->dryInkScan.current, 10);
  EXPECT_EQ(state_->dryInkPage.current, 0);

  struct Case {
    FeatureNumber number;
    int shown;
    int delta;
    std::int16_t result;
  };
  const Case steps[] = {
      {FeatureNumber::kCopies, 1, -1, 1},      {FeatureNumber::kCopies, 998, 1, 999},
      {FeatureNumber::kCopies, 999, 1, 999},   {FeatureNumber::kDryInkScan, 0, -1, 0},
      {FeatureNumber::kDryInkScan, 9, 1, 10},  {FeatureNumber::kDryInkScan, 10, 1, 10},
      {FeatureNumber::kDryInkPage, 60, 1, 60}, {FeatureNumber::kDryInkPage, 0, 1, 1},
  };
  for (const Case& c : steps) {
    EXPECT_EQ(StepFeatureNumber(FeatureSetting(state_, c.number), c.shown, c.delta), c.result)
        << c.shown << " " << c.delta;
  }

  EXPECT_FALSE(StoreFeatureNumber(state_, FeatureNumber::kDryInkScan, 10));
  EXPECT_TRUE(StoreFeatureNumber(state_, FeatureNumber::kDryInkScan, 4));
  EXPECT_EQ(state_->dryInkScan.current, 4);
}

TEST_F(FeaturesModelTest, ActivatingResetsAndGreysWhatThePaperChoicesMakeUnused) {
  struct Case {
    const char* what;
    std::uint16_t printing;
    std::uint16_t cutter;
    std::uint32_t editable;
    bool copiesReset;
    bool pageReset;
    FeatureControls enabled;
  };
  const Case cases[] = {
      {"normal, cut", 0, 1, 1, false, false, {true, true, true, true, true}},
      {"banner", 2, 1, 1, true, false, {false, true, true, true, true}},
      {"no cut", 0, 0, 1, false, true, {true, true, true, false, true}},
      {"banner, no cut", 2, 0, 1, true, true, {false, true, true, false, true}},
      {"read-only", 0, 1, 0, false, false, {false, false, false, false, false}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    state_->printing->currentId = c.printing;
    state_->cutter->currentId = c.cutter;
    state_->editable = c.editable;
    state_->copies.current = 5;
    state_->dryInkPage.current = 30;

    const UnusedSettingResets resets = ResetSettingsUnusedByPaper(state_);
    EXPECT_EQ(resets.copies, c.copiesReset);
    EXPECT_EQ(resets.dryInkPage, c.pageReset);
    EXPECT_EQ(state_->copies.current, c.copiesReset ? 1 : 5);
    EXPECT_EQ(state_->dryInkPage.current, c.pageReset ? 0 : 30);

    const FeatureControls enabled = EnabledFeatureControls(state_);
    EXPECT_EQ(enabled.copies, c.enabled.copies);
    EXPECT_EQ(enabled.headManagement, c.enabled.headManagement);
    EXPECT_EQ(enabled.dryInkScan, c.enabled.dryInkScan);
    EXPECT_EQ(enabled.dryInkPage, c.enabled.dryInkPage);
    EXPECT_EQ(enabled.defaults, c.enabled.defaults);
  }
}

// A confirmed sheet's record follows the paper choices even when the
// Features page was never shown: the snapshot every page takes applies them.
TEST_F(FeaturesModelTest, ConfirmingResetsWhatThePaperChoicesLeaveUnused) {
  struct Case {
    const char* what;
    std::uint16_t printing;
    std::uint16_t cutter;
    std::int16_t copies;
    std::int16_t byPage;
  };
  const Case cases[] = {
      {"normal, cut", 0, 1, 5, 30},
      {"enlarge/reduce, cut", 1, 1, 5, 30},
      {"banner", 2, 1, 1, 30},
      {"no cut", 0, 0, 5, 0},
      {"banner, no cut", 2, 0, 1, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    state_->printing->currentId = c.printing;
    state_->cutter->currentId = c.cutter;
    state_->copies.current = 5;
    state_->dryInkPage.current = 30;

    SnapshotSheetState(state_);
    EXPECT_EQ(state_->copies.saved, c.copies);
    EXPECT_EQ(state_->dryInkPage.saved, c.byPage);
    DRVDEVMODE record;
    std::memcpy(static_cast<void*>(&record), record_.get(), sizeof record);
    ApplySheetState(state_, &record);
    EXPECT_EQ(static_cast<int>(record.dm.dmCopies), c.copies);
    EXPECT_EQ(static_cast<int>(record.DryInkPage), c.byPage);
  }
}

TEST_F(FeaturesModelTest, HeadManagementChangesOnlyWhenItDiffers) {
  ASSERT_TRUE(IsAutomaticHeadManagement(state_));  // the description's default
  EXPECT_FALSE(SetAutomaticHeadManagement(state_, true));
  EXPECT_TRUE(SetAutomaticHeadManagement(state_, false));
  EXPECT_EQ(state_->headManagement->currentId, 0);
  EXPECT_FALSE(IsAutomaticHeadManagement(state_));
}

TEST_F(FeaturesModelTest, SavingClampsAndKeepsThePagesValues) {
  state_->copies.current = 1200;
  state_->dryInkScan.current = 3;
  state_->dryInkPage.current = 99;
  state_->headManagement->currentId = 0;
  state_->mediaType->currentId = 2;
  const std::uint16_t mediaSaved = state_->mediaType->savedId;
  SaveFeatures(state_);
  EXPECT_EQ(state_->copies.saved, 999);
  EXPECT_EQ(state_->copies.current, 999);
  EXPECT_EQ(state_->dryInkScan.saved, 3);
  EXPECT_EQ(state_->dryInkPage.saved, 60);
  EXPECT_EQ(state_->headManagement->savedId, 0);
  // Only the page's own values.
  EXPECT_EQ(state_->mediaType->savedId, mediaSaved);
}

}  // namespace
}  // namespace tqr
