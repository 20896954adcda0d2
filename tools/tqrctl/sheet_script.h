// A stand-in for the user of a property sheet, for scripts and tests. Once a
// property sheet of the calling thread is up it writes each page, and each
// dialog that the pages' buttons open, as a picture, then presses OK or Cancel.
// It runs on a thread timer, so it acts inside whichever modal loop shows the
// sheet: our host's, the system's, or that of a message box before it.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "tqrctl/options.h"

namespace tqrctl {

struct DialogOpener;

struct SheetScript {
  Press press = Press::kNobody;
  unsigned pressAfterMs = 1500;  // counted from the moment the sheet is up
  std::wstring screenshotDir;    // empty: no pictures
  std::wstring screenshotName;   // the start of every picture's file name
  // A dialog shown on its own rather than a property sheet: the first
  // dialog to appear is pictured as "<name>.bmp" and the press goes to it.
  bool loneDialog = false;
};

class ScriptedUser {
 public:
  // Starts watching the calling thread's windows. Only one at a time in a
  // process.
  explicit ScriptedUser(const SheetScript& script);
  // Stops watching.
  ~ScriptedUser();
  ScriptedUser(const ScriptedUser&) = delete;
  ScriptedUser& operator=(const ScriptedUser&) = delete;

  bool sawSheet() const { return sawSheet_; }
  const std::wstring& caption() const { return caption_; }
  // The sheet's tab titles, in order.
  const std::vector<std::wstring>& pages() const { return pages_; }
  // The pictures written.
  const std::vector<std::wstring>& pictures() const { return pictures_; }
  bool pressed() const { return pressed_; }
  // What else happened: message boxes answered, pictures that failed, a sheet
  // that never appeared or did not close. One line each.
  const std::vector<std::string>& notes() const { return notes_; }

 private:
  enum class Stage { kWaiting, kFound, kPressed, kDone };

  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
  static void CALLBACK CatchDialog(HWND, UINT, UINT_PTR, DWORD);
  void Catch();
  void Step();
  void TakePictures(HWND sheet);
  void TakeLoneDialog(HWND dialog);
  // OK or Cancel of the sheet, or of the lone dialog.
  void PressButton(bool ok);
  // A message box or the like over the sheet or lone dialog, or null;
  // `other` is the dialog seen beside the sheet.
  HWND StrayDialog(HWND other) const;
  void CaptureDialogOpenedBy(HWND page, const DialogOpener& opener, const std::wstring& file);
  void Capture(HWND window, const std::wstring& file);
  // Every page of a property sheet a button opened.
  void CaptureSheetPages(HWND sheet);
  // Answers a dialog that is not the sheet with its default button; true when
  // there was one.
  bool AnswerStrayDialog(HWND sheet);
  void Stop();

  SheetScript script_;
  UINT_PTR timer_ = 0;
  Stage stage_ = Stage::kWaiting;
  ULONGLONG startedAt_ = 0;
  ULONGLONG foundAt_ = 0;
  ULONGLONG pressedAt_ = 0;
  bool busy_ = false;
  bool sawSheet_ = false;
  bool pressed_ = false;
  bool cancelledInstead_ = false;
  int strayDialogs_ = 0;
  HWND lastStray_ = nullptr;
  ULONGLONG lastStrayAt_ = 0;
  HWND sheet_ = nullptr;
  // While a button's dialog is awaited, pictured and closed.
  std::wstring dialogFile_;
  HWND dialog_ = nullptr;
  int dialogCloseStep_ = 0;
  ULONGLONG dialogStepAt_ = 0;
  bool catching_ = false;
  std::wstring caption_;
  std::vector<std::wstring> pages_;
  std::vector<std::wstring> pictures_;
  std::vector<std::string> notes_;
};

}  // namespace tqrctl
