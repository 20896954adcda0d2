// What the Save page's files share: its state block and the drawing of its
// owner-drawn lists and arrow buttons. The dialog procedure itself is
// SavePageProc (ui/win32/advanced_pages.h).
#pragma once

#include <windows.h>

#include <cstdint>

#include "presets/print_mode_store.h"
#include "ui/win32/dlgutil_win32.h"

namespace tqr {

struct SavePageBlock {
  DialogHeader header;
  // The page's copy of the user print mode file, with the working record,
  // the selected position and the mode to apply. Made at WM_INITDIALOG and
  // deleted at WM_DESTROY; null when the file could not be loaded, and the
  // page then stays inert.
  PrintModeStore* store;
  // 1 draws the selected print mode in the full highlight colour, 0 pale.
  std::uint16_t drawFull;
  // 1 when the last title change came from typing.
  std::uint16_t typedTitle;
  // The page emptied itself once for settings made by hand.
  std::uint16_t clearedOnce;
};

// WM_DRAWITEM for the two lists and the two arrows; false for others.
bool DrawSavePageItem(const SavePageBlock* block, const DRAWITEMSTRUCT* item);

}  // namespace tqr
