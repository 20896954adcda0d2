// The Color page without its window: the seven colour balance bars with
// their inks and settings, the gradient behind each bar, where a scroll code
// moves a bar, which set of bars shows and when the colour controls are off,
// and Defaults. The dialog procedure in ui/win32/color_page.cpp draws and
// reads its controls with these.
#pragma once

#include <cstdint>
#include <optional>

#include "sheet/sheetstate.h"

namespace tqr {

struct InkColor {
  std::uint8_t red;
  std::uint8_t green;
  std::uint8_t blue;
};

enum class BalanceSet { kCmyk, kRgb };

// One colour balance bar: the setting it edits, its ink and its set.
struct BalanceBar {
  NumericSetting SheetState::*setting;
  InkColor ink;
  BalanceSet set;
};

// Cyan, Magenta, Yellow, Black, then Red, Green, Blue.
constexpr int kBalanceBarCount = 7;
extern const BalanceBar kBalanceBars[kBalanceBarCount];

// A bar's range is 0 to 100 for the values -50 to +50.
constexpr int kBalanceBarMaximum = 100;
constexpr int kBalanceOffset = 50;

// The scroll codes of a bar, with the platform's numbers.
enum class ScrollCode : int {
  kLineLeft = 0,
  kLineRight = 1,
  kPageLeft = 2,
  kPageRight = 3,
  kThumbPosition = 4,
  kThumbTrack = 5,
  kLeft = 6,
  kRight = 7,
  kEndScroll = 8,
};

// Where a scroll code moves a bar at `position` (`thumb` is the position the
// thumb codes carry), kept within the bar's range; nothing for a code that
// moves nothing.
std::optional<int> BalanceBarPositionAfter(int code, int position, int thumb);

// The gradient behind a bar from white to the ink: the number of columns for
// a bar of `clientWidth` with arrows `arrowWidth` wide (none when not above
// 0), and the colour of column `column` of `columns`.
int GradientColumns(int clientWidth, int arrowWidth);
InkColor GradientColumnColor(InkColor ink, int column, int columns);

// The set the "CMYKorRGB" choice shows, and choosing one.
BalanceSet ShownBalanceSet(const SheetState* state);
void ChooseBalanceSet(SheetState* state, BalanceSet set);

// The colour controls are off for black-ink printing and for grey scale.
bool ColorControlsEnabled(const SheetState* state);

// Defaults: the seven colours, the choice of set, output style, brightness
// and intensity.
void ResetColorPage(SheetState* state);

}  // namespace tqr
