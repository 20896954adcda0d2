#include "ui/color_page_model.h"

#include "sheet/sheet_values.h"

namespace tqr {
namespace {

// "CMYKorRGB" values.
constexpr std::uint16_t kCmykChoice = 1;
constexpr std::uint16_t kRgbChoice = 2;
// "Cartridge" option that prints with black ink only.
constexpr std::uint16_t kBlackCartridge = 1;

constexpr int kPageStep = 10;

}  // namespace

const BalanceBar kBalanceBars[kBalanceBarCount] = {
    {&SheetState::cyan, {0, 255, 255}, BalanceSet::kCmyk},
    {&SheetState::magenta, {255, 0, 255}, BalanceSet::kCmyk},
    {&SheetState::yellow, {255, 255, 0}, BalanceSet::kCmyk},
    {&SheetState::black, {0, 0, 0}, BalanceSet::kCmyk},
    {&SheetState::red, {255, 0, 0}, BalanceSet::kRgb},
    {&SheetState::green, {0, 255, 0}, BalanceSet::kRgb},
    {&SheetState::blue, {0, 0, 255}, BalanceSet::kRgb},
};

std::optional<int> BalanceBarPositionAfter(int code, int position, int thumb) {
  int next = position;
  switch (static_cast<ScrollCode>(code)) {
    case ScrollCode::kLineLeft:
      next = position - 1;
      break;
    case ScrollCode::kLineRight:
      next = position + 1;
      break;
    case ScrollCode::kPageLeft:
      next = position - kPageStep;
      break;
    case ScrollCode::kPageRight:
      next = position + kPageStep;
      break;
    case ScrollCode::kThumbPosition:
    case ScrollCode::kThumbTrack:
      next = thumb;
      break;
    case ScrollCode::kLeft:
      next = 0;
      break;
    case ScrollCode::kRight:
      next = kBalanceBarMaximum;
      break;
    default:
      return std::nullopt;
  }
  if (next < 0) return 0;
  if (next > kBalanceBarMaximum) return kBalanceBarMaximum;
  return next;
}

int GradientColumns(int clientWidth, int arrowWidth) {
  const int columns = clientWidth - 2 * arrowWidth - 4;
  return columns > 0 ? columns : 0;
}

InkColor GradientColumnColor(InkColor ink, int column, int columns) {
  if (columns <= 0) return InkColor{255, 255, 255};
  const int t = column * 100 / columns;
  auto channel = [t](std::uint8_t value) {
    return static_cast<std::uint8_t>(255 - t * (255 - value) / 100);
  };
  return InkColor{channel(ink.red), channel(ink.green), channel(ink.blue)};
}

BalanceSet ShownBalanceSet(const SheetState* state) {
  return state->cmykOrRgb != nullptr && state->cmykOrRgb->currentId == kCmykChoice
             ? BalanceSet::kCmyk
             : BalanceSet::kRgb;
}

void ChooseBalanceSet(SheetState* state, BalanceSet set) {
  if (state->cmykOrRgb == nullptr) return;
  state->cmykOrRgb->currentId = set == BalanceSet::kCmyk ? kCmykChoice : kRgbChoice;
}

bool ColorControlsEnabled(const SheetState* state) {
  const bool blackOnly = state->cartridge != nullptr && state->cartridge->currentId == kBlackCartridge;
  return !blackOnly && state->grayScale.current != 1;
}

void ResetColorPage(SheetState* state) {
  for (const BalanceBar& bar : kBalanceBars) {
    NumericSetting& setting = state->*bar.setting;
    setting.current = setting.defaultValue;
  }
  // Current values only: the saved ones stay for Cancel.
  if (state->cmykOrRgb != nullptr) state->cmykOrRgb->currentId = state->cmykOrRgb->defaultId;
  for (OptionList* list : {state->matching, state->gamma}) {
    if (list == nullptr) continue;
    list->currentId = list->defaultId;
    list->currentPosition = OptionComboPosition(list, list->currentId);
  }
  state->intensity.current = state->intensity.defaultValue;
}

}  // namespace tqr
