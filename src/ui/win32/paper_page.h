// What the Paper page's files share: its state block, the routines that fill
// its controls, and the modal dialogs its buttons open. The dialog procedure
// itself is PaperPageProc (ui/win32/pages.h).
#pragma once

#include <windows.h>

#include <string>

#include "ui/paper_page_model.h"
#include "ui/size_pair.h"
#include "ui/win32/dlgutil_win32.h"

namespace tqr {

struct PaperPageBlock {
  DialogHeader header;
  // Whether the ratio last checked when leaving the page was taken; Apply
  // does nothing until it is.
  std::uint32_t scalingAccepted;
};

// The page's block with a sheet behind it; null when the page could not start.
PaperPageBlock* PaperPageOf(HWND page);

// Refills a paper size combo from the sheet and selects the current size.
void FillPaperSizeCombo(HWND page, SheetState* sheet, PaperCombo combo);
// The size the user picked in the combo becomes current.
void SyncPaperSizeFromCombo(HWND page, SheetState* sheet, PaperCombo combo);
// Applies the printing type shown in its combo; 0 when it refused it.
int ApplyPrintingType(HWND page, SheetState* sheet, bool fromCombos, int previousPosition);
// Fills and selects every control from the sheet.
void RefreshPaperPage(HWND page, SheetState* sheet);
void ShowOffsets(HWND page, const SheetState* sheet);
// Scaling becomes the ratio that fits the page on the printer paper, shown.
void ShowFitScaling(HWND page, SheetState* sheet);

// The modal dialogs, centred over `owner`; each returns 1 when the user
// confirmed it (the banner notice always 0).
INT_PTR ShowOffsetSetting(HWND owner, SheetState* sheet);
INT_PTR ShowSizeGroups(HWND owner, SheetState* sheet);
INT_PTR ShowMargins(HWND owner, SheetState* sheet);
INT_PTR ShowBannerNotice(HWND owner, SheetState* sheet);
INT_PTR ShowServerForms(HWND owner, SheetState* sheet);
// Opens one of them from the module's templates with the sheet as parameter.
INT_PTR ShowModalPaperDialog(HWND owner, int dialogId, DLGPROC procedure, SheetState* sheet);
// A modal dialog's end: its block goes first, then the dialog.
void EndModalDialog(HWND dialog, INT_PTR result);
// WM_DESTROY: the dialog's help closes and its block goes.
INT_PTR CloseModalDialog(HWND dialog);
// A command to a dialog that could not start: Escape still closes it.
INT_PTR CommandWithoutState(HWND dialog, WPARAM wParam);

// --- the window half of a size pair -------------------------------------------

// An edit's text, at most `limit` characters.
std::u16string ReadDialogText(HWND dialog, int controlId, int limit);
// Where a size pair lives in a dialog.
struct SizePairControls {
  int field1Edit;
  int field2Edit;
  int field1Label;
  int field2Label;
  int unitCombo;
  SizePairMode mode;
};
// Checks both edits in `unit`; on a failure shows the range message, focuses
// the failing edit, puts the unit combo back on `unit` and returns false.
bool ValidateSizePair(HWND dialog, SizePairRecord* record, const wchar_t* caption,
                      std::uint16_t unit, const SizePairControls& controls);
// Validates in the previous unit, then shows both values in the other one.
bool SwitchSizePairUnit(HWND dialog, SizePairRecord* record, const wchar_t* caption,
                        std::uint16_t previousUnit, const SizePairControls& controls);
void FormatSizePair(HWND dialog, const SizePairRecord& record, std::uint16_t unit,
                    const SizePairControls& controls);
void ShowRangeLabels(HWND dialog, const SizePairRecord& record, std::uint16_t unit,
                     const SizePairControls& controls);

// Shows one of the core's messages in the driver's message box.
int ShowPaperMessage(HWND owner, const std::u16string& text, UINT buttons,
                     const wchar_t* caption = kDriverCaption);

}  // namespace tqr
