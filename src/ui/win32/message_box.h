// The one message box of the driver. Every page and dialog asks the user
// through ShowDriverMessage, so that the caption, the icon and the task-modal
// behaviour are the same everywhere, and so that tests can answer instead of
// a user.
#pragma once

#include <windows.h>

namespace tqr {

constexpr wchar_t kDriverCaption[] = L"Orlex TQ-R5400";

// Shows `text` task-modal and returns the button the user pressed (IDOK,
// IDYES, ...). `buttons` is one of MB_OK, MB_OKCANCEL, MB_YESNO, ...
int ShowDriverMessage(HWND owner, const wchar_t* text, UINT buttons,
                      const wchar_t* caption = kDriverCaption, UINT icon = MB_ICONEXCLAMATION);

// Answers message boxes in place of a user. Installed by tests only; while
// one is installed no box is shown and its answer is returned.
class MessageBoxHook {
 public:
  virtual ~MessageBoxHook() = default;
  // `flags` are the MessageBoxW flags the box would have had.
  virtual int Answer(HWND owner, const wchar_t* text, const wchar_t* caption, UINT flags) = 0;
};

// Installs `hook` for the whole process (null removes it); returns the one
// it replaces.
MessageBoxHook* SetMessageBoxHook(MessageBoxHook* hook);

}  // namespace tqr
