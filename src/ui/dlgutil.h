// What the pages and dialogs share that needs no window: the decisions of
// the numeric keyboard filters, the centring arithmetic and the text of a
// paper size with its dimensions. Option lookups and the moves between
// current, saved and default values belong to the sheet (sheet_values.h).
// The window halves live in ui/win32/dlgutil_win32.h and call these.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "sheet/sheet_values.h"
#include "sheet/sheetstate.h"

namespace tqr {

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
