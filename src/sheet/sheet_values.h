// Lookups in a sheet's option lists, and moving the sheet's values between
// their current, saved and default copies. The pages call these; so do the
// print mode rules, which is why they live with the sheet and not the pages.
#pragma once

#include <cstdint>

#include "sheet/sheetstate.h"

namespace tqr {

// --- option lists -------------------------------------------------------------

// Combo position of the entry with `optionId`; 0 when absent or no list.
std::uint16_t OptionComboPosition(const OptionList* list, std::uint16_t optionId);
// Index of the entry with `optionId`; 0xFFFF when absent, 0 for no list.
std::uint16_t OptionEntryIndex(const OptionList* list, std::uint16_t optionId);
// Option id of the entry shown at `position` (compared as signed 16-bit);
// 0xFFFF when none.
std::uint16_t OptionIdAtComboPosition(const OptionList* list, std::int16_t position);
// The entry's name; null when absent or no list.
const char16_t* OptionName(std::uint16_t optionId, const OptionList* list);
// Current and saved id become the default; the position follows.
void ResetOptionToDefault(OptionList* list);

// --- the sheet's values ---------------------------------------------------------

// Brings the current value into the setting's [minimum, maximum].
void ClampToLimits(NumericSetting* setting);

// --- what the paper choices leave unused ----------------------------------------

// Banner printing: one long sheet off the roll per job.
bool IsBannerPrinting(const SheetState* state);
// Whether the cutter cuts each page off; true without a "Cutter" list.
bool HasAutomaticCut(const SheetState* state);

// Which values went back to their defaults.
struct UnusedSettingResets {
  bool copies = false;
  bool dryInkPage = false;
};
// Banner printing prints one copy of its kind: the copies go back to their
// default. Without an automatic cut there is no page end to wait at: the
// by-page drying time goes back to its default.
UnusedSettingResets ResetSettingsUnusedByPaper(SheetState* state);

// Current to saved for every edited value, then "tqr54bas.ini" over
// "TQR54GFX.ini". Before it copies, copies and the drying times are clamped
// into their limits and what the paper choices leave unused is reset, so
// that the values a confirmed sheet keeps do not depend on which pages the
// user happened to open.
void SnapshotSheetState(SheetState* state);
// Saved to current for the same values, and the same file copy.
void RestoreSheetState(SheetState* state);
// The Features page's Defaults: current values of the non-paper, non-layout
// entries take their defaults; "TQR54GFX.ini" is copied over the base and
// work files.
void ResetSheetToDefaults(SheetState* state);

}  // namespace tqr
