#include "ui/features_model.h"

#include "sheet/sheet_values.h"

namespace tqr {
namespace {

// "HeadManagement" values.
constexpr std::uint16_t kHeadAutomatic = 1;
constexpr std::uint16_t kHeadNo = 0;

constexpr NumericSetting SheetState::*kNumbers[] = {
    &SheetState::copies,
    &SheetState::dryInkScan,
    &SheetState::dryInkPage,
};

bool Within(const NumericSetting& setting, int value) {
  return value >= setting.minimum && value <= setting.maximum;
}

}  // namespace

NumericSetting& FeatureSetting(SheetState* state, FeatureNumber number) {
  return state->*kNumbers[static_cast<int>(number)];
}

void ClampFeatureNumbers(SheetState* state) {
  for (NumericSetting SheetState::*member : kNumbers) ClampToLimits(&(state->*member));
}

bool AcceptCopies(SheetState* state, std::int16_t value) {
  if (!Within(state->copies, value)) return false;
  state->copies.current = value;
  return true;
}

bool StoreFeatureNumber(SheetState* state, FeatureNumber number, std::int16_t value) {
  NumericSetting& setting = FeatureSetting(state, number);
  if (setting.current == value) return false;
  setting.current = value;
  return true;
}

std::int16_t StepFeatureNumber(const NumericSetting& setting, int shown, int delta) {
  int value = shown + delta;
  if (value > setting.maximum) value = setting.maximum;
  if (value < setting.minimum) value = setting.minimum;
  return static_cast<std::int16_t>(value);
}

bool IsAutomaticHeadManagement(const SheetState* state) {
  return state->headManagement != nullptr && state->headManagement->currentId == kHeadAutomatic;
}

bool SetAutomaticHeadManagement(SheetState* state, bool automatic) {
  if (state->headManagement == nullptr) return false;
  const std::uint16_t value = automatic ? kHeadAutomatic : kHeadNo;
  if (state->headManagement->currentId == value) return false;
  state->headManagement->currentId = value;
  return true;
}

FeatureControls EnabledFeatureControls(const SheetState* state) {
  const bool editable = state->editable != 0;
  FeatureControls controls;
  controls.copies = editable && !IsBannerPrinting(state);
  controls.headManagement = editable;
  controls.dryInkScan = editable;
  controls.dryInkPage = editable && HasAutomaticCut(state);
  controls.defaults = editable;
  return controls;
}

void SaveFeatures(SheetState* state) {
  ClampFeatureNumbers(state);
  for (NumericSetting SheetState::*member : kNumbers) {
    NumericSetting& setting = state->*member;
    setting.saved = setting.current;
  }
  if (state->headManagement != nullptr) {
    state->headManagement->savedId = state->headManagement->currentId;
  }
}

}  // namespace tqr
