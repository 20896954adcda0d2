// What the Main page's files share: its state block and the routines that
// fill its controls and draw its pictures. The dialog procedure itself is
// MainPageProc (ui/win32/pages.h).
#pragma once

#include <windows.h>

#include "presets/print_mode_file.h"
#include "ui/win32/dlgutil_win32.h"

namespace tqr {

struct MainPageBlock {
  DialogHeader header;
  // The page's copy of the user print mode file: display order and user
  // records.
  UserPrintModes modes;
  // The 9-point font of the print mode titles; null when it could not be
  // made (the list's own font is used then).
  HFONT titleFont;
};

// The page's block with a sheet behind it; null when the page could not
// start, and then it shows nothing and handles nothing.
MainPageBlock* MainPageOf(HWND page);

// Rebuilds the print mode list: its geometry, the five built-in modes and
// those of the user print mode file.
void FillPrintModeList(HWND page, MainPageBlock* block);
// Shows the sheet's values; `full` also refills the print mode and media
// type lists.
void RefreshMainPage(HWND page, MainPageBlock* block, bool full);
// Greys every control but About and the large picture.
void DisableMainPage(HWND page);

// WM_DRAWITEM for the list and the pictures; false for other controls.
bool DrawMainPageItem(HWND page, MainPageBlock* block, const DRAWITEMSTRUCT* item);

// The modal About box, centred over `owner`.
void ShowAboutBox(HWND owner);

}  // namespace tqr
