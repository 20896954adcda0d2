// The Advanced sheet (Quality, Color, Save) without its windows: the values
// it may change and puts back on Cancel, its caption and title, the copy of
// the Main page flags its pages work on, and the Quality page's Defaults.
#pragma once

#include <cstdint>
#include <string>

#include "sheet/sheetstate.h"

namespace tqr {

// The seventeen values the Advanced sheet may change, and the print mode.
struct AdvancedValues {
  std::uint16_t listIds[6];
  std::uint16_t listPositions[6];
  std::int16_t numbers[11];
  std::uint16_t printMode;

  bool operator==(const AdvancedValues&) const = default;
};
AdvancedValues RememberAdvancedValues(const SheetState* state);
// Puts the seventeen values back; the print mode stays as the sheet left it.
void RestoreAdvancedValues(SheetState* state, const AdvancedValues& values);

// Opening: the pages start from the Main page's flags.
void StartAdvancedSheet(SheetState* state);
// After the sheet: whether the Main page has changes to report, because the
// settings are marked modified, another print mode is in effect or any of
// the remembered values moved.
bool AdvancedSheetChangedSettings(const SheetState* state, const AdvancedValues& before);

// "[%s]" with the print mode's title, followed by "Properties".
std::u16string AdvancedSheetCaption(std::u16string_view title);
// "[%s]" with the name of the print mode that stands for the user's own
// settings: the title once anything was changed.
std::u16string ModifiedSheetTitle(const SheetState* state);

// The pages' copy of the Main page flags.
void MarkAdvancedModified(SheetState* state);
bool IsAdvancedModified(const SheetState* state);
// OK on an Advanced page: the copy becomes the Main page flags.
void ConfirmAdvancedPage(SheetState* state);
// Cancel on an Advanced page: a print mode deleted meanwhile stays deleted.
void CancelAdvancedPage(SheetState* state);

// The Quality page's Defaults: print mode cartridge, media type, halftoning,
// grey scale, mirror and print quality.
void ResetQualityPage(SheetState* state);

// "Fast", "Normal" or "Fine"; null for a value that names no quality.
const char16_t* QualityName(std::int16_t quality);

}  // namespace tqr
