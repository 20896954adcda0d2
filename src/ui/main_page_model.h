// The Main page without its window: the print mode list and its records,
// the modified and deleted bits, what choosing a mode, Defaults, OK and
// Cancel do to the sheet, the summary texts and which pictures to show.
// The dialog procedure in ui/win32/main_page.cpp reads its controls, calls
// these and writes the results back.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "sheet/sheetstate.h"
#include "presets/print_mode_file.h"
#include "presets/print_mode_record.h"

namespace tqr {

// Bits of SheetState::mainPageFlags.
// The current settings differ from the selected print mode's record.
constexpr std::uint32_t kMainPageModified = 8;
// The Save page deleted or overwrote a print mode: Cancel can no longer
// simply drop the sheet's changes.
constexpr std::uint32_t kMainPageDeleted = 16;

// A list position or mode number that names nothing.
constexpr std::uint16_t kNoPrintMode = 0xFFFF;

// The page opens: the modified bit follows the stored modified flag, and no
// print mode has been deleted yet.
void StartMainPage(SheetState* state);
bool IsMainPageModified(const SheetState* state);
void SetMainPageModified(SheetState* state, bool modified);
bool IsPrintModeDeleted(const SheetState* state);

// Gives the five built-in records their fixed descriptions.
void FillBuiltInModeDescriptions(SheetState* state);

// Fills the page's copy of the user print mode file. A missing file, or one
// of another program, is replaced by the default file and the list shows the
// five built-in modes. False, with an empty list, when there is no system
// directory, when a file is there that cannot be read through (it is left
// as it is) or when the default file cannot be written.
bool LoadPrintModeList(UserPrintModes* modes);

// The record of mode number `mode`: built-in below 5, the page's user record
// for 5 to 104; null for any other number and for a user mode the file did
// not hold.
const PrintModeRecord* GetPrintModeRecord(const SheetState* state, const UserPrintModes* modes,
                                          std::uint16_t mode);
// The mode number shown at a list position; kNoPrintMode past the list.
std::uint16_t ModeAtListPosition(const UserPrintModes* modes, std::uint16_t position);
// The list position showing `mode`; kNoPrintMode when it is not listed.
std::uint16_t ListPositionOfMode(const UserPrintModes* modes, std::uint16_t mode);

// Sets the modified bit when the selected print mode has a record and the
// settings no longer match it.
void NoteModeMismatch(SheetState* state, const UserPrintModes* modes);

// The user picked the item at `position`: its record's settings become the
// current ones, it becomes the selected print mode, and the settings are no
// longer modified.
void ChoosePrintModeAt(SheetState* state, const UserPrintModes* modes, std::uint16_t position);
// Defaults: the default print mode and its settings.
void ChooseDefaultPrintMode(SheetState* state, const UserPrintModes* modes);
// The mirror box was clicked while showing `boxChecked`.
void ToggleMirror(SheetState* state, bool boxChecked);

// OK: stores the modified and confirmed flags, snapshots the sheet and marks
// it applied. The caller then reports OK to the host.
void ConfirmMainPage(SheetState* state);
// Cancel. Once a print mode was deleted or overwritten, the settings of
// before cannot come back by dropping the changes; the saved values are
// restored, the remembered print mode applied, and the result must be
// reported to the host as confirmed: true then. False when nothing happens.
bool CancelMainPage(SheetState* state);

// The summary texts. `quality` is empty for a value that names no quality,
// whose text stays as it was.
struct MainPageSummary {
  std::u16string scaling;
  std::u16string printing;
  std::optional<std::u16string> quality;
  std::u16string colorAdjustment;
  std::u16string matching;
};
MainPageSummary DescribeMainPage(const SheetState* state);

// The document page ("PaperSize") or the printer paper ("PaperSize2").
enum class PaperRole { kPage, kOutput };

// What the size label shows: a server form's name and size, or the paper's
// name. Sizes in tenths of a millimetre.
struct PaperLabel {
  const char16_t* name = nullptr;  // null when the paper has no name
  std::int32_t width = 0;
  std::int32_t length = 0;
};
PaperLabel DescribePaperLabel(const SheetState* state, PaperRole role);

// The three small pictures of the summary.
enum class MainPicture { kPage, kArrow, kOutput };
// Bitmap resource of the picture for the current paper and orientation.
int MainPictureBitmap(const SheetState* state, MainPicture picture);

// The selected item's background while the settings are modified: half the
// highlight colour and half the window colour, per channel (0x00BBGGRR).
std::uint32_t MixedHighlightColor(std::uint32_t highlight, std::uint32_t window);

// The icon resource of a record; 0 when its icon index names none.
int PrintModeIconId(const PrintModeRecord& record);

// The large picture: nothing when the list's selection has no record;
// otherwise the record's icon and title, or, while modified, no icon and the
// name of the print mode option that stands for the user's own settings.
struct LargePicture {
  bool shown = false;
  int iconId = 0;
  std::u16string text;
};
LargePicture DescribeLargePicture(const SheetState* state, const UserPrintModes* modes);

}  // namespace tqr
