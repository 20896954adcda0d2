// The Features page without its window: copies, head management and the two
// ink drying times, what activating the page does to them, and what applying
// keeps. The dialog procedure in ui/win32/features_page.cpp reads its edits,
// calls these and writes the results back.
#pragma once

#include <cstdint>

#include "sheet/sheetstate.h"

namespace tqr {

// Shown whatever the description's copies limits are: the edit takes three
// digits, and the message speaks of what a user can type.
constexpr char16_t kCopiesRangeMessage[] = u"You can set the number of copies from 1 to 999.";

// The page's three numbers, each edited in an edit with a spin.
enum class FeatureNumber { kCopies, kDryInkScan, kDryInkPage };
NumericSetting& FeatureSetting(SheetState* state, FeatureNumber number);

// The numbers as the page shows them: each brought into its limits.
void ClampFeatureNumbers(SheetState* state);

// The copies edit read (an empty edit reads as 0): a value within the
// limits becomes the copies count and passes; any other fails and changes
// nothing.
bool AcceptCopies(SheetState* state, std::int16_t value);

// An edit changed: true when the value differs from the stored one, which
// it then replaces.
bool StoreFeatureNumber(SheetState* state, FeatureNumber number, std::int16_t value);

// A spin's line step from the value shown, kept within the limits.
std::int16_t StepFeatureNumber(const NumericSetting& setting, int shown, int delta);

// Head management: true for automatic.
bool IsAutomaticHeadManagement(const SheetState* state);
// True when the value changed.
bool SetAutomaticHeadManagement(SheetState* state, bool automatic);

// What activating the page resets is the sheet's own rule,
// ResetSettingsUnusedByPaper (sheet/sheet_values.h): every confirmed sheet
// applies it too, whether the page was shown or not.

// Which controls the user may change.
struct FeatureControls {
  bool copies = false;
  bool headManagement = false;
  bool dryInkScan = false;
  bool dryInkPage = false;
  bool defaults = false;
};
// Copies only without banner printing, the by-page time only with an
// automatic cut, and nothing at all on a read-only sheet.
FeatureControls EnabledFeatureControls(const SheetState* state);

// The page's part of applying: the numbers clamped, and the page's values
// saved.
void SaveFeatures(SheetState* state);

}  // namespace tqr
