// Numeric edit fields: subclassing, and the keyboard filters that keep
// anything but numbers out of them.
#include "ui/win32/dlgutil_win32.h"

#include <iterator>
#include <string>

#include "ui/save_page_model.h"

namespace tqr {
namespace {

// Nonzero result of a consumed message.
constexpr LRESULT kConsumed = 1;
// The sound of a refused key.
constexpr UINT kRefusedBeep = 10;
// How much of the edit's text the decisions look at.
constexpr int kTextPeek = 8;

LRESULT Refuse() {
  MessageBeep(kRefusedBeep);
  return kConsumed;
}

// The typed unit as one byte of the ANSI code page, -1 when it has none.
// No best-fit mapping: a full-width digit must not pass as a digit and then
// land in the field as itself.
int AnsiCharacter(WPARAM wParam) {
  const wchar_t wide = static_cast<wchar_t>(wParam);
  char bytes[4] = {};
  BOOL usedDefault = FALSE;
  const int written = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, &wide, 1, bytes,
                                          sizeof(bytes), nullptr, &usedDefault);
  if (written != 1 || usedDefault) return -1;
  return static_cast<unsigned char>(bytes[0]);
}

KeyContext ReadKeyContext(HWND edit, WPARAM wParam) {
  KeyContext key;
  key.character = AnsiCharacter(wParam);
  wchar_t wide[kTextPeek + 1] = {};
  const int length = GetWindowTextW(edit, wide, kTextPeek + 1);
  for (int i = 0; i < length && i < kTextPeek; ++i) {
    // The decisions look at digits; a character without an ANSI form only
    // has to count and to be no digit.
    const int c = AnsiCharacter(wide[i]);
    key.text.push_back(c < 0 ? '?' : static_cast<char>(c));
  }
  DWORD start = 0;
  DWORD end = 0;
  SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  key.selectionStart = start;
  key.selectionEnd = end;
  return key;
}

LRESULT FilterIntegerEdit(HWND edit, UINT message, WPARAM wParam,
                          KeyVerdict (*decide)(const KeyContext&)) {
  if (message == WM_PASTE) return Refuse();
  if (message != WM_CHAR) return 0;
  return decide(ReadKeyContext(edit, wParam)) == KeyVerdict::Refuse ? Refuse() : 0;
}

// The edit's procedure before it was subclassed, from its dialog's block;
// the class's own procedure when the block no longer knows it.
WNDPROC PreviousProcedure(HWND edit) {
  const int id = GetDlgCtrlID(edit);
  if (const DialogHeader* header = GetDialogHeader(GetParent(edit))) {
    for (const SubclassedEdit& entry : header->edits) {
      if (entry.previous != nullptr && entry.controlId == id) return entry.previous;
    }
  }
  return reinterpret_cast<WNDPROC>(GetClassLongPtrW(edit, GCLP_WNDPROC));
}

LRESULT RunFiltered(LRESULT (*filter)(HWND, UINT, WPARAM, LPARAM), HWND edit, UINT message,
                    WPARAM wParam, LPARAM lParam) {
  const LRESULT consumed = filter(edit, message, wParam, lParam);
  if (consumed != 0) return consumed;
  return CallWindowProcW(PreviousProcedure(edit), edit, message, wParam, lParam);
}

}  // namespace

WNDPROC SubclassControl(HWND dialog, int controlId, WNDPROC procedure) {
  HWND control = GetDlgItem(dialog, controlId);
  if (control == nullptr) return nullptr;
  return reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure)));
}

bool SubclassNumericEdit(HWND dialog, int controlId, WNDPROC procedure) {
  DialogHeader* header = GetDialogHeader(dialog);
  if (header == nullptr || procedure == nullptr || GetDlgItem(dialog, controlId) == nullptr) {
    return false;
  }
  for (const SubclassedEdit& entry : header->edits) {
    // Subclassing twice would make the edit its own previous procedure.
    if (entry.previous != nullptr && entry.controlId == controlId) return false;
  }
  for (SubclassedEdit& entry : header->edits) {
    if (entry.previous != nullptr) continue;
    // The slot is filled first: the edit may get a message as soon as the
    // new procedure is in place.
    entry.controlId = controlId;
    entry.previous =
        reinterpret_cast<WNDPROC>(GetWindowLongPtrW(GetDlgItem(dialog, controlId), GWLP_WNDPROC));
    SubclassControl(dialog, controlId, procedure);
    return true;
  }
  return false;
}

LRESULT IntegerKeyFilter(HWND edit, UINT message, WPARAM wParam, LPARAM) {
  return FilterIntegerEdit(edit, message, wParam, DecideIntegerKey);
}

LRESULT IntegerOrZeroKeyFilter(HWND edit, UINT message, WPARAM wParam, LPARAM) {
  return FilterIntegerEdit(edit, message, wParam, DecideIntegerOrZeroKey);
}

LRESULT DecimalKeyFilter(HWND, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_PASTE) return Refuse();
  if (message != WM_CHAR) return 0;
  return DecideDecimalKey(AnsiCharacter(wParam)) == KeyVerdict::Refuse ? Refuse() : 0;
}

LRESULT CALLBACK IntegerEditProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
  return RunFiltered(IntegerKeyFilter, edit, message, wParam, lParam);
}

LRESULT CALLBACK IntegerOrZeroEditProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
  return RunFiltered(IntegerOrZeroKeyFilter, edit, message, wParam, lParam);
}

LRESULT TitleKeyFilter(HWND edit, UINT message, WPARAM wParam, LPARAM) {
  if (message != WM_CHAR) return 0;
  wchar_t text[kTitleEditCharacters + 2] = {};
  GetWindowTextW(edit, text, static_cast<int>(std::size(text)));
  DWORD start = 0;
  DWORD end = 0;
  SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  const std::u16string title(reinterpret_cast<const char16_t*>(text));
  const auto character = static_cast<char16_t>(wParam);
  if (DecideTitleKey(title, start != end, character) == KeyVerdict::Pass) return 0;
  MessageBeep(MB_ICONEXCLAMATION);
  return kConsumed;
}

LRESULT CALLBACK TitleEditProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
  return RunFiltered(TitleKeyFilter, edit, message, wParam, lParam);
}

LRESULT CALLBACK DecimalEditProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
  return RunFiltered(DecimalKeyFilter, edit, message, wParam, lParam);
}

}  // namespace tqr
