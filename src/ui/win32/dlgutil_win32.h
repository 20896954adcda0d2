// The window half of the dialog utilities: the per-dialog state block,
// numeric edit filters, spin edits, check boxes and radios, centring, the
// driver's help file, option combos and paper-size texts. The decisions
// behind them live in ui/dlgutil.h; these routines read controls, ask the
// core and write controls.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <type_traits>

#include "sheet/sheetstate.h"
#include "ui/dlgutil.h"
#include "ui/win32/message_box.h"

namespace tqr {

// Option names and form names are UTF-16 and handed to the W calls as they are.
static_assert(sizeof(wchar_t) == sizeof(char16_t));

// The core's UTF-16 text as the W calls take it.
inline const wchar_t* WideText(const std::u16string& text) {
  return reinterpret_cast<const wchar_t*>(text.c_str());
}

constexpr int kHelpPathLength = 260;
constexpr int kCaptionLength = 32;
// No dialog of the driver has more numeric edits than this.
constexpr int kMaxSubclassedEdits = 8;

// Control ids the utilities know by purpose.
constexpr int kPortraitRadio = 2004;
constexpr int kLandscapeRadio = 2005;
constexpr int kPageSizeCombo = 2006;
constexpr int kPrinterPaperSizeCombo = 2008;
constexpr int kMarginsPaperSizeLabel = 9016;
constexpr int kMainPageSizeLabel = 1512;
constexpr int kMainPaperSizeLabel = 1515;

// An edit whose window procedure was replaced, and the procedure it had.
struct SubclassedEdit {
  int controlId;
  WNDPROC previous;
};

// The part every dialog's state block begins with.
struct DialogHeader {
  SheetState* sheet;
  // sizeof the whole block, so that a dialog never reads a block of another
  // dialog's type.
  std::uint32_t blockSize;
  SubclassedEdit edits[kMaxSubclassedEdits];
  wchar_t caption[kCaptionLength];
  wchar_t helpFile[kHelpPathLength];
};

// --- the state block ------------------------------------------------------------

// Allocates a zero-filled movable block of `size` bytes (at least a header)
// from the global heap, locks it, keeps its address in the dialog's DWLP_USER
// slot and fills the header: `sheet`, the size and the caption. Null when
// memory is not available. Called at WM_INITDIALOG.
DialogHeader* AllocateDialogState(HWND dialog, std::size_t size, SheetState* sheet);
// The header of the dialog's block; null before allocation and after release.
DialogHeader* GetDialogHeader(HWND dialog);
// Puts the previous procedures back on the subclassed edits, unlocks and
// frees the block, and clears the slot. Called at WM_DESTROY, or just before
// EndDialog for modal dialogs.
void FreeDialogState(HWND dialog);

// A dialog's own block type: a trivial struct whose first member is
// `DialogHeader header`.
template <typename Block>
Block* CreateDialogState(HWND dialog, SheetState* sheet) {
  static_assert(std::is_trivial_v<Block> && std::is_standard_layout_v<Block>,
                "a state block is zero-filled memory");
  static_assert(offsetof(Block, header) == 0, "a state block begins with its header");
  return reinterpret_cast<Block*>(AllocateDialogState(dialog, sizeof(Block), sheet));
}

// The dialog's block as `Block`; null when there is none or it is of
// another size.
template <typename Block>
Block* DialogStateOf(HWND dialog) {
  DialogHeader* header = GetDialogHeader(dialog);
  if (header == nullptr || header->blockSize != sizeof(Block)) return nullptr;
  return reinterpret_cast<Block*>(header);
}

// A page's block with a sheet behind it; null when the page could not
// start, and then it shows nothing and handles nothing.
template <typename Block>
Block* PageStateOf(HWND page) {
  Block* block = DialogStateOf<Block>(page);
  return block != nullptr && block->header.sheet != nullptr ? block : nullptr;
}

// Opens a topic of the driver's help file, for every page and dialog: nothing
// without a path, and when the file is not there a message saying so at once,
// rather than a help viewer that looks for it for half a minute while the
// dialog waits.
void OpenHelpTopic(HWND window, const wchar_t* helpFile, DWORD topic);
// Closes the help file a page opened; nothing when the path is empty.
void QuitDriverHelp(HWND window, const wchar_t* helpFile);
// What every page does when it is destroyed: closes its help file and
// releases its block.
void ClosePageState(HWND page);

// --- pages ----------------------------------------------------------------------

// Tells the sheet that the page changed, which enables Apply.
void MarkPageChanged(HWND page);

// --- numeric edits --------------------------------------------------------------

// Installs `procedure` on the control and returns the one it had (null when
// the control does not exist). The same call with that result undoes it.
WNDPROC SubclassControl(HWND dialog, int controlId, WNDPROC procedure);

// Subclasses a numeric edit with one of the edit procedures below and
// remembers its previous procedure in the dialog's block, where the edit
// procedure finds it. False when there is no block, no such control or no
// free slot; the edit is then left as it was.
bool SubclassNumericEdit(HWND dialog, int controlId, WNDPROC procedure);

// Keyboard filters: nonzero when the message is consumed (the subclass
// procedure returns that value), zero when it goes on to the edit's previous
// procedure. Only WM_CHAR and WM_PASTE are looked at; a paste is always
// refused. A refused key beeps.
LRESULT IntegerKeyFilter(HWND edit, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT IntegerOrZeroKeyFilter(HWND edit, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT DecimalKeyFilter(HWND edit, UINT message, WPARAM wParam, LPARAM lParam);

// Subclass procedures running the filters above.
LRESULT CALLBACK IntegerEditProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK IntegerOrZeroEditProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK DecimalEditProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam);

// A print mode title: no spaces, at most 8 bytes in the ANSI code page
// (DecideTitleKey); pasted text is cleaned up by the page.
LRESULT TitleKeyFilter(HWND edit, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK TitleEditProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam);

// Sets the spin's range, limits the edit to 3 characters and writes `value`.
void InitSpinEdit(HWND dialog, int editId, int spinId, int minimum, int maximum, int value);
// Reads the edit as an integer (signed when `minimum` is below 0). A value
// above `maximum` becomes `maximum`, which is written back; there is no
// lower clamp.
std::int16_t GetEditIntClamped(HWND dialog, int editId, std::int16_t minimum, std::int16_t maximum);

// --- controls ---------------------------------------------------------------------

// Enables or disables the control when it exists and is not so already.
void EnableControl(HWND dialog, int controlId, bool enable);

// Checks the box when the flag is nonzero; nothing for a null flag.
void SetCheckFromFlag(HWND dialog, int controlId, const std::uint16_t* flag);
void SetCheckFromFlag(HWND dialog, int controlId, const std::int16_t* flag);
// BM_GETCHECK, or 0xFFFF when `state` is null.
std::uint16_t GetCheckState(HWND dialog, int controlId, const void* state);
// Stores BM_GETCHECK in the flag: 1, or 0 for a null flag.
int ReadCheckToFlag(HWND dialog, int controlId, std::uint16_t* flag);
int ReadCheckToFlag(HWND dialog, int controlId, std::int16_t* flag);

// Portrait (2004) for orientation 1, Landscape (2005) otherwise.
void SetOrientationRadio(HWND dialog, int orientation);
// The orientation value list's current value: 1 when Portrait is checked,
// else 2. Returns it; 0 for a null list.
int GetOrientationRadio(HWND dialog, ValueList* orientation);

// Moves `window` to be centred over `owner` (the screen when there is no
// owner) and kept on screen, without changing its size or Z order.
void CenterWindowOver(HWND window, HWND owner);

// Copies the printer driver's help file path into `destination`
// (kHelpPathLength units). False, and the destination left as it was, when
// the driver information cannot be read or the path does not fit.
bool GetDriverHelpFile(HANDLE printer, wchar_t* destination);

// --- option combos ------------------------------------------------------------------

// Refills the combo with every entry's name, numbering the entries' combo
// positions in list order, and selects the current option.
void FillOptionCombo(HWND dialog, int comboId, OptionList* list);
// The same without the hidden entries (flag 4), which get position 0xFFFF.
void FillVisibleOptionCombo(HWND dialog, int comboId, OptionList* list);
// The option id shown at the combo's selection; -1 when none or no list.
int GetSelectedOptionId(HWND dialog, int comboId, const OptionList* list);
// On CBN_SELCHANGE (high word of `wParam`): the selection becomes the
// current option and position; returns 1. Otherwise 0 and nothing changes.
int OnOptionComboChange(HWND dialog, WPARAM wParam, int comboId, OptionList* list);

// --- paper sizes ------------------------------------------------------------------

// Composes "name  w x l unit" for a paper size in tenths of a millimetre,
// shortened to fit the control, and shows it: appended to the paper size
// combos (also kept as the display text of the current user form), set as
// the Margins dialog's label, or only the name on the Main page's labels.
void ShowPaperNameWithSize(HWND dialog, SheetState* state, int controlId, const char16_t* name,
                           std::int32_t width, std::int32_t length);

// --- drawing ------------------------------------------------------------------------

// Paints a rectangle in a colour without disturbing the DC's brush.
void FillColor(HDC dc, const RECT& rect, COLORREF color);
// An icon of the module, centred horizontally, over its title, the two
// together centred vertically in `rect`; the title is clipped to the
// rectangle. No icon when `iconId` is 0 or the resource is missing; a
// greyed icon for a list that cannot be used. An empty title leaves the
// icon alone in the middle. `font` (optional) replaces
// the DC's font while the title is drawn.
void DrawIconAndTitle(HDC dc, const RECT& rect, int iconId, const std::u16string& title,
                      HFONT font, bool greyed = false);

// A focus rectangle and another one pixel inside it; whether both were drawn.
bool DrawDoubleFocusRect(HDC dc, const RECT& rect);
// A one-pixel line in a system colour from (x0, y0) up to, not including,
// (x1, y1).
void DrawSysColorLine(HDC dc, int x0, int y0, int x1, int y1, int colorIndex);
// A bitmap centred in `rect`; with `transparent`, pixels of that colour
// leave the background. Gives where it went in `drawn`; false when it could
// not be drawn. The caller keeps the bitmap.
bool DrawBitmapCentred(HDC dc, const RECT& rect, HBITMAP bitmap,
                       const COLORREF* transparent, RECT* drawn);
// A bitmap resource of the module with its classic 3-D greys in the
// system's colours; null when it is missing. The caller deletes it.
HBITMAP LoadSystemColoredBitmap(int resourceId);
// The bitmap at (x, y) as a control that cannot be used shows it: washed to
// grey towards the face colour. False when it could not be drawn.
bool DrawGreyedBitmap(HDC dc, HBITMAP bitmap, int x, int y);

}  // namespace tqr
