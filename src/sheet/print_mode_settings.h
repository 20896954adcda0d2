// The sixteen sheet values a print mode selects, and the check made when a
// document sheet opens that the print mode in effect still exists.
#pragma once

#include "sheet/sheetstate.h"
#include "presets/print_mode_record.h"

namespace tqr {

// Sets the current values from settings words 1 to 16 of `record`.
void ApplyPrintModeRecord(SheetState* state, const PrintModeRecord& record);
// Whether every one of the sixteen current values equals its word.
bool MatchesPrintModeRecord(const SheetState* state, const PrintModeRecord& record);
// Words 1 to 16 of `record` from the current values; word 17 is left alone.
void CapturePrintModeRecord(const SheetState* state, PrintModeRecord* record);

// Whether the print mode in effect was deleted since (it is not in the user
// print mode file's list) or the settings were never confirmed. False when
// there is no user print mode file to judge by.
bool SelectedPrintModeIsLost(const SheetState* state);
// Mode 0 with its settings, and the settings no longer marked modified.
void RestoreStandardPrintMode(SheetState* state);
// The current print mode's place in the print mode list as the user print
// mode file orders it, for a mode chosen away from the list (the Features
// page's Defaults). Left as it was when the file cannot be read or does not
// list the mode, as the Main page's Defaults leaves it.
void FollowPrintModeInList(SheetState* state);

constexpr char16_t kPrintModeLostMessage[] =
    u"The settings of the selected Print Mode have been deleted.\n"
    u"Print Mode will now be restored to the Standard settings. ";

}  // namespace tqr
