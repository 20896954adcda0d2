// The per-dialog state block: allocated at WM_INITDIALOG, kept in DWLP_USER,
// released at WM_DESTROY.
#include <cwchar>

#include "ui/win32/dlgutil_win32.h"

namespace tqr {

DialogHeader* AllocateDialogState(HWND dialog, std::size_t size, SheetState* sheet) {
  if (dialog == nullptr || size < sizeof(DialogHeader) || size > UINT32_MAX) return nullptr;
  HGLOBAL handle = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
  if (handle == nullptr) return nullptr;
  auto* header = static_cast<DialogHeader*>(GlobalLock(handle));
  if (header == nullptr) {
    GlobalFree(handle);
    return nullptr;
  }
  header->sheet = sheet;
  header->blockSize = static_cast<std::uint32_t>(size);
  wcsncpy(header->caption, kDriverCaption, kCaptionLength - 1);
  SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(header));
  return header;
}

DialogHeader* GetDialogHeader(HWND dialog) {
  if (dialog == nullptr) return nullptr;
  return reinterpret_cast<DialogHeader*>(GetWindowLongPtrW(dialog, DWLP_USER));
}

void FreeDialogState(HWND dialog) {
  DialogHeader* header = GetDialogHeader(dialog);
  if (header == nullptr) return;
  // The edits outlive the parent's WM_DESTROY; left subclassed, their last
  // messages would look for their procedures in freed memory.
  for (SubclassedEdit& edit : header->edits) {
    if (edit.previous != nullptr) SubclassControl(dialog, edit.controlId, edit.previous);
    edit = SubclassedEdit{};
  }
  SetWindowLongPtrW(dialog, DWLP_USER, 0);
  HGLOBAL handle = GlobalHandle(header);
  if (handle != nullptr) {
    GlobalUnlock(handle);
    GlobalFree(handle);
  }
}

void QuitDriverHelp(HWND window, const wchar_t* helpFile) {
  if (helpFile == nullptr || helpFile[0] == L'\0') return;
  WinHelpW(window, helpFile, HELP_QUIT, 0);
}

void ClosePageState(HWND page) {
  if (const DialogHeader* header = GetDialogHeader(page)) QuitDriverHelp(page, header->helpFile);
  FreeDialogState(page);
}

}  // namespace tqr
