// The Save page without its windows: what a title may hold, which buttons a
// state of the page allows, and what saving over or deleting a print mode
// does to the print modes the sheet remembers. The dialog procedure in
// ui/win32/save_page.cpp reads its controls, calls these and writes the
// results back.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "presets/print_mode_store.h"
#include "sheet/sheetstate.h"
#include "ui/dlgutil.h"

namespace tqr {

// Bytes a title may take in the ANSI code page.
constexpr int kTitleAnsiBytes = 8;
constexpr int kTitleEditCharacters = 8;
constexpr int kDescriptionEditCharacters = 254;

// Bytes one character takes in the ANSI code page: 1, or 2 for one that does
// not convert to a single byte.
using AnsiWidthOf = int (*)(char16_t character);
// Through the machine port's code page.
int AnsiWidth(char16_t character);

// The title edit's keystroke filter. Control characters always pass; a space
// never does; a printable character must still fit in 8 bytes while no text
// is selected (a selection is replaced, so only the space rule holds then).
KeyVerdict DecideTitleKey(std::u16string_view title, bool textSelected, char16_t character,
                          AnsiWidthOf width = AnsiWidth);

// A title as pasted or typed, without spaces (U+0020 and U+3000) and cut
// before the first character that starts at byte 8 or later.
std::u16string CleanTitle(std::u16string_view text, AnsiWidthOf width = AnsiWidth);

// Which of the page's buttons may be used.
struct SaveButtons {
  bool save = false;
  bool remove = false;  // Delete
  bool saveAs = false;
  bool up = false;
  bool down = false;
  bool open = false;
  bool operator==(const SaveButtons&) const = default;
};

// The rules that hold after every change: `selection` is the list position
// selected (kPositionNotFound for none), `title` the title edit's text.
SaveButtons DecideSaveButtons(const PrintModeStore& store, std::uint16_t selection,
                              std::u16string_view title, bool iconSelected);

// Whether the list position shows a user preset.
bool IsUserPresetAt(const PrintModeStore& store, std::uint16_t position);

// After overwriting mode `mode` with `saved`: the settings follow a print mode
// again, and the saved mode's snapshot is what Cancel puts back. True when
// `mode` is the print mode in effect: then the overwrite cannot be
// cancelled, and the caller shuts the sheet's Cancel.
bool NotePrintModeOverwritten(SheetState* sheet, std::uint16_t mode, const PrintModeRecord& saved);

// After deleting mode `deleted` from `store`: every remembered mode number
// (the current, the saved and the mode to apply) that named it now names
// mode 0, the settings are marked as the user's own, and the numbers above it
// fall by one; the current list position follows. True when the deleted
// mode was the one in effect: the caller shuts the sheet's Cancel.
bool NotePrintModeDeleted(SheetState* sheet, const PrintModeStore& store, std::uint16_t deleted,
                          std::uint16_t* modeToApply);

// Apply: the mode to apply (unless kNoPrintMode) becomes the current print
// mode at its list position (0 when the list lacks it), and the pages' flags
// become the Main page's.
void ApplySavePage(SheetState* sheet, const PrintModeStore& store, std::uint16_t modeToApply);

// "Title `%s` already exists.\nSaving will overwrite this title.\nDo you
// still want to save?" and the delete question, with the title.
std::u16string OverwriteQuestion(std::u16string_view title);
std::u16string DeleteQuestion(std::u16string_view title);

constexpr char16_t kAdministratorMessage[] = u"Administrator privileges are required.";
// Told when the user print mode file could not be rewritten; the file then
// still holds what it held before.
constexpr char16_t kStoreWriteFailedMessage[] = u"Error occurred during file creation.";

}  // namespace tqr
