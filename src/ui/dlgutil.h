// What the pages and dialogs share that needs no window: option list
// lookups, moving values between current, saved and default, the decisions
// of the numeric keyboard filters, the centring arithmetic and the text of
// a paper size with its dimensions. The window halves live in
// ui/win32/dlgutil_win32.h and call these.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "devdesc/sheetstate.h"

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

// Current to saved for every edited value (copies and the drying times are
// clamped into their limits first), then "tqr54bas.ini" over "TQR54GFX.ini".
void SnapshotSheetState(SheetState* state);
// Saved to current for the same values, and the same file copy.
void RestoreSheetState(SheetState* state);
// The Features page's Defaults: current values of the non-paper, non-layout
// entries take their defaults; "TQR54GFX.ini" is copied over the base and
// work files.
void ResetSheetToDefaults(SheetState* state);

// --- keyboard filters -------------------------------------------------------------

// What an edit field's filter does with a keystroke.
enum class KeyVerdict { Pass, Refuse };

// The edit's situation when a character arrives: the first 8 characters of
// its text, the selection, and the character in the ANSI code page (-1 when
// it cannot be converted).
struct KeyContext {
  std::string text;
  std::uint32_t selectionStart = 0;
  std::uint32_t selectionEnd = 0;
  int character = -1;
};

KeyVerdict DecideIntegerKey(const KeyContext& key);        // at least 1, 3 digits
KeyVerdict DecideIntegerOrZeroKey(const KeyContext& key);  // 0 allowed, 3 digits
KeyVerdict DecideDecimalKey(int character);                 // digits, '-', '.'

// --- centring -----------------------------------------------------------------------

struct ScreenRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
};

struct ScreenPoint {
  int x = 0;
  int y = 0;
};

// Where a window goes to be centred over its owner and kept on screen.
ScreenPoint CenteredPosition(const ScreenRect& window, const ScreenRect& owner, int screenWidth,
                             int screenHeight);

// --- paper name with size -----------------------------------------------------------

// "  %ld.%ld x %ld.%ld mm" or "  %ld.%02ld x %ld.%02ld in" for a size in
// tenths of a millimetre.
std::u16string FormatPaperSizeText(std::int32_t width, std::int32_t length, FormUnit unit);

// Measures a text's width in the control's font.
using TextMeasure = std::function<int(const std::u16string&)>;

struct PaperNameText {
  std::u16string name;
  std::u16string sizeText;
};

// Fits the name (at most 63 characters) and, unless `nameOnly`, the size
// text into `available` width: the size text loses its last character once,
// then the name is shortened one character at a time until the text fits
// or the name is empty.
PaperNameText FitPaperNameText(const std::u16string& name, const std::u16string& sizeText,
                               int available, bool nameOnly, const TextMeasure& measure);

// "%s %s": the name, then the size text without its first space.
std::u16string JoinPaperNameText(const PaperNameText& text);

}  // namespace tqr
