#include "tqrctl/sheet_script.h"

#include <commctrl.h>
#include <prsht.h>

#include <cwchar>

#include "resources/maintenance_ids.h"
#include "resources/paper_ids.h"
#include "resources/resource_ids.h"
#include "tqrctl/text.h"
#include "tqrctl/window_capture.h"

namespace tqrctl {

// Controls of the pages that open a dialog of their own, with the name the
// dialog's picture takes: buttons, and combo boxes whose choice at a position
// brings one up.
struct DialogOpener {
  int controlId;
  const wchar_t* name;
  int comboPosition = -1;  // a button
};

namespace {

constexpr UINT kTickMs = 100;
constexpr ULONGLONG kLongestWaitForSheetMs = 60000;
// How long a press may take to close the sheet before Cancel is tried, and how
// long Cancel may take before the script gives up.
constexpr ULONGLONG kLongestCloseMs = 10000;
// Time for a page or dialog to finish what it posts to itself after it opens.
constexpr DWORD kSettleMs = 300;
// The static control of a message box that holds its text.
constexpr int kMessageBoxTextId = 0xFFFF;

// In page order; a choice that changes the page comes after its buttons.
constexpr DialogOpener kDialogOpeners[] = {
    {IDC_MAIN_ABOUT, L"about"},
    {IDC_MAIN_ADVANCED, L"advanced"},
    {IDC_PAPER_MARGINS, L"margins"},
    {IDC_PAPER_SIZE_GROUPS, L"paper-size-setting"},
    {IDC_PAPER_SERVER_FORMS, L"server-forms"},
    {IDC_PAPER_OFFSETS, L"offset-setting"},
    {IDC_PAPER_PRINTING, L"banner", 2},
    {IDC_CLEANING_BUTTON, L"cleaning"},
    {IDC_ALIGNMENT_BUTTON, L"alignment"},
};
// How long a dialog the script answered may take to close before it is
// answered again, or, when opened for its picture, more firmly.
constexpr ULONGLONG kDialogCloseStepMs = 1000;

ScriptedUser* g_active = nullptr;

bool IsDialogClass(HWND window) {
  wchar_t name[16] = {};
  GetClassNameW(window, name, 16);
  return std::wcscmp(name, L"#32770") == 0;
}

// A property sheet is a dialog with a tab control of its own.
bool IsPropertySheet(HWND window) {
  return IsDialogClass(window) &&
         FindWindowExW(window, nullptr, WC_TABCONTROLW, nullptr) != nullptr;
}

struct ThreadWindows {
  HWND sheet = nullptr;
  HWND other = nullptr;  // a visible dialog that is no property sheet
};

BOOL CALLBACK Look(HWND window, LPARAM parameter) {
  auto* found = reinterpret_cast<ThreadWindows*>(parameter);
  if (!IsWindowVisible(window) || !IsDialogClass(window)) return TRUE;
  if (IsPropertySheet(window)) {
    if (found->sheet == nullptr) found->sheet = window;
  } else if (found->other == nullptr) {
    found->other = window;
  }
  return TRUE;
}

ThreadWindows LookAround() {
  ThreadWindows found;
  EnumThreadWindows(GetCurrentThreadId(), Look, reinterpret_cast<LPARAM>(&found));
  return found;
}

struct OtherDialog {
  HWND exclude;
  HWND found = nullptr;
};

BOOL CALLBACK LookForOther(HWND window, LPARAM parameter) {
  auto* search = reinterpret_cast<OtherDialog*>(parameter);
  if (window == search->exclude || !IsWindowVisible(window) || !IsDialogClass(window)) return TRUE;
  search->found = window;
  return FALSE;
}

// A visible dialog of the thread other than `exclude`, property sheets included.
HWND DialogOtherThan(HWND exclude) {
  OtherDialog search{exclude};
  EnumThreadWindows(GetCurrentThreadId(), LookForOther, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::wstring WindowText(HWND window) {
  wchar_t text[512] = {};
  GetWindowTextW(window, text, 512);
  return text;
}

// The sheet's tab titles, in order.
std::vector<std::wstring> TabTitles(HWND sheet) {
  std::vector<std::wstring> titles;
  const HWND tab = PropSheet_GetTabControl(sheet);
  const int count = tab != nullptr ? TabCtrl_GetItemCount(tab) : 0;
  for (int i = 0; i < count; ++i) {
    wchar_t title[128] = {};
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = title;
    item.cchTextMax = 128;
    TabCtrl_GetItem(tab, i, &item);
    titles.push_back(title);
  }
  return titles;
}

// Runs the thread's messages for a while, so that what a window posts to itself
// when it opens is done before it is pictured.
void Pump(DWORD ms) {
  const ULONGLONG until = GetTickCount64() + ms;
  while (GetTickCount64() < until) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    Sleep(10);
  }
}

void Repaint(HWND window) {
  RedrawWindow(window, nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

// "Printer Information" -> "Printer-Information"; keeps letters and digits.
std::wstring FileWord(const std::wstring& title) {
  std::wstring word;
  for (const wchar_t c : title) {
    if ((c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z') || (c >= L'0' && c <= L'9')) {
      word += c;
    } else if (c == L' ' && !word.empty() && word.back() != L'-') {
      word += L'-';
    }
  }
  return word.empty() ? L"page" : word;
}

// Answers a dialog with its default button, or Cancel (OK when it has no Cancel).
int Dismiss(HWND dialog) {
  const LRESULT defaultId = SendMessageW(dialog, DM_GETDEFID, 0, 0);
  int id = HIWORD(defaultId) == DC_HASDEFID ? LOWORD(defaultId) : IDCANCEL;
  if (id == IDCANCEL && GetDlgItem(dialog, IDCANCEL) == nullptr &&
      GetDlgItem(dialog, IDOK) != nullptr) {
    id = IDOK;
  }
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
  return id;
}

}  // namespace

ScriptedUser::ScriptedUser(const SheetScript& script) : script_(script) {
  if (g_active != nullptr) {
    notes_.push_back("another scripted user is active in this process; this one does nothing");
    stage_ = Stage::kDone;
    return;
  }
  g_active = this;
  startedAt_ = GetTickCount64();
  timer_ = SetTimer(nullptr, 0, kTickMs, Tick);
}

ScriptedUser::~ScriptedUser() { Stop(); }

void ScriptedUser::Stop() {
  if (timer_ != 0) KillTimer(nullptr, timer_);
  timer_ = 0;
  stage_ = Stage::kDone;
  if (g_active == this) g_active = nullptr;
}

void CALLBACK ScriptedUser::Tick(HWND, UINT, UINT_PTR, DWORD) {
  // Pictures open dialogs in nested message loops, in which the timer fires
  // again.
  if (g_active == nullptr || g_active->busy_) return;
  g_active->busy_ = true;
  g_active->Step();
  if (g_active != nullptr) g_active->busy_ = false;
}

bool ScriptedUser::AnswerStrayDialog(HWND dialog) {
  if (dialog == nullptr) return false;
  // The answer is posted; a dialog still up on the next tick gets time to go.
  const ULONGLONG now = GetTickCount64();
  if (dialog == lastStray_ && now - lastStrayAt_ < kDialogCloseStepMs) return true;
  lastStray_ = dialog;
  lastStrayAt_ = now;
  wchar_t text[1024] = {};
  GetDlgItemTextW(dialog, kMessageBoxTextId, text, 1024);
  ++strayDialogs_;
  if (!script_.screenshotDir.empty()) {
    Pump(kSettleMs);
    Repaint(dialog);
    Capture(dialog, script_.screenshotDir + L"\\" + script_.screenshotName + L"-message-" +
                        std::to_wstring(strayDialogs_) + L".bmp");
  }
  const int id = Dismiss(dialog);
  std::string note = "answered the dialog \"" + Utf8(WindowText(dialog)) + "\"";
  if (text[0] != L'\0') note += " saying \"" + Utf8(text) + "\"";
  notes_.push_back(note + " with button " + std::to_string(id));
  return true;
}

void ScriptedUser::Step() {
  const ULONGLONG now = GetTickCount64();
  const ThreadWindows around = LookAround();
  switch (stage_) {
    case Stage::kWaiting:
      if (script_.loneDialog && around.other != nullptr) {
        TakeLoneDialog(around.other);
        return;
      }
      if (around.sheet != nullptr && !script_.loneDialog) {
        sheet_ = around.sheet;
        sawSheet_ = true;
        caption_ = WindowText(sheet_);
        pages_ = TabTitles(sheet_);
        if (!script_.screenshotDir.empty()) TakePictures(sheet_);
        foundAt_ = GetTickCount64();
        stage_ = Stage::kFound;
        if (script_.press == Press::kNobody) Stop();
        return;
      }
      if (AnswerStrayDialog(around.other)) return;
      if (now - startedAt_ > kLongestWaitForSheetMs) {
        notes_.push_back("no property sheet appeared within " +
                         std::to_string(kLongestWaitForSheetMs / 1000) + " s");
        Stop();
      }
      return;
    case Stage::kFound:
      if (!IsWindow(sheet_)) {
        notes_.push_back("the sheet closed before the script pressed its button");
        Stop();
        return;
      }
      if (AnswerStrayDialog(StrayDialog(around.other))) return;
      if (now - foundAt_ >= script_.pressAfterMs) {
        PressButton(script_.press == Press::kOk);
        pressed_ = true;
        pressedAt_ = now;
        stage_ = Stage::kPressed;
      }
      return;
    case Stage::kPressed:
      if (!IsWindow(sheet_) || !IsWindowVisible(sheet_)) {
        Stop();
        return;
      }
      // A message the press brought up, such as a value out of range.
      if (AnswerStrayDialog(StrayDialog(around.other))) return;
      if (now - pressedAt_ > kLongestCloseMs) {
        if (!cancelledInstead_) {
          notes_.push_back("the sheet stayed open after the press; pressing Cancel");
          PressButton(false);
          cancelledInstead_ = true;
          pressedAt_ = now;
        } else {
          notes_.push_back("the sheet stayed open after Cancel too; giving up");
          Stop();
        }
      }
      return;
    case Stage::kDone:
      return;
  }
}

void ScriptedUser::PressButton(bool ok) {
  if (script_.loneDialog) {
    const int id = ok ? IDOK : IDCANCEL;
    PostMessageW(sheet_, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
  } else {
    PostMessageW(sheet_, PSM_PRESSBUTTON, ok ? PSBTN_OK : PSBTN_CANCEL, 0);
  }
}

HWND ScriptedUser::StrayDialog(HWND other) const {
  // Beside a lone dialog, any other dialog is what it brought up.
  return script_.loneDialog ? DialogOtherThan(sheet_) : other;
}

void ScriptedUser::TakeLoneDialog(HWND dialog) {
  sheet_ = dialog;
  sawSheet_ = true;
  caption_ = WindowText(dialog);
  if (!script_.screenshotDir.empty()) {
    Pump(kSettleMs);
    Repaint(dialog);
    Capture(dialog, script_.screenshotDir + L"\\" + script_.screenshotName + L".bmp");
  }
  foundAt_ = GetTickCount64();
  stage_ = Stage::kFound;
  if (script_.press == Press::kNobody) Stop();
}

void ScriptedUser::Capture(HWND window, const std::wstring& file) {
  std::string complaint;
  if (CaptureWindow(window, file, &complaint)) {
    pictures_.push_back(file);
  } else {
    notes_.push_back("no picture " + Utf8(file) + ": " + complaint);
  }
}

void ScriptedUser::TakePictures(HWND sheet) {
  const HWND current = PropSheet_GetCurrentPageHwnd(sheet);
  const int start = current != nullptr ? PropSheet_HwndToIndex(sheet, current) : 0;
  const std::wstring base = script_.screenshotDir + L"\\" + script_.screenshotName;
  for (std::size_t i = 0; i < pages_.size(); ++i) {
    PropSheet_SetCurSel(sheet, nullptr, static_cast<int>(i));
    Pump(kSettleMs);
    Repaint(sheet);
    const std::wstring name = base + L"-" + std::to_wstring(i + 1) + L"-" + FileWord(pages_[i]);
    Capture(sheet, name + L".bmp");
    const HWND page = PropSheet_GetCurrentPageHwnd(sheet);
    for (const DialogOpener& opener : kDialogOpeners) {
      const HWND control = page != nullptr ? GetDlgItem(page, opener.controlId) : nullptr;
      if (control == nullptr || !IsWindowVisible(control) || !IsWindowEnabled(control)) continue;
      CaptureDialogOpenedBy(page, opener, name + L"-" + opener.name + L".bmp");
    }
  }
  if (start >= 0) PropSheet_SetCurSel(sheet, nullptr, start);
}

void ScriptedUser::CaptureSheetPages(HWND sheet) {
  // "...-advanced.bmp" -> "...-advanced-1-Quality.bmp", one per page.
  const std::wstring base = dialogFile_.substr(0, dialogFile_.size() - 4);
  const std::vector<std::wstring> titles = TabTitles(sheet);
  for (std::size_t i = 0; i < titles.size(); ++i) {
    PropSheet_SetCurSel(sheet, nullptr, static_cast<int>(i));
    Pump(kSettleMs);
    Repaint(sheet);
    Capture(sheet, base + L"-" + std::to_wstring(i + 1) + L"-" + FileWord(titles[i]) + L".bmp");
  }
}

void ScriptedUser::CaptureDialogOpenedBy(HWND page, const DialogOpener& opener,
                                         const std::wstring& file) {
  const int buttonId = opener.controlId;
  dialogFile_ = file;
  dialog_ = nullptr;
  dialogCloseStep_ = 0;
  const UINT_PTR catcher = SetTimer(nullptr, 0, kTickMs, CatchDialog);
  // The page opens its dialog modally, so this returns once the catcher has
  // pictured and closed it.
  const HWND control = GetDlgItem(page, buttonId);
  WORD code = BN_CLICKED;
  if (opener.comboPosition >= 0) {
    SendMessageW(control, CB_SETCURSEL, static_cast<WPARAM>(opener.comboPosition), 0);
    code = CBN_SELCHANGE;
  }
  SendMessageW(page, WM_COMMAND, MAKEWPARAM(buttonId, code), reinterpret_cast<LPARAM>(control));
  KillTimer(nullptr, catcher);
  if (dialog_ == nullptr) {
    notes_.push_back("button " + std::to_string(buttonId) + " opened no dialog");
  } else if (dialogCloseStep_ > 1) {
    notes_.push_back("the dialog of button " + std::to_string(buttonId) +
                     " did not close on Cancel");
  }
}

void CALLBACK ScriptedUser::CatchDialog(HWND, UINT, UINT_PTR, DWORD) {
  ScriptedUser* self = g_active;
  if (self == nullptr || self->catching_) return;
  self->catching_ = true;
  self->Catch();
  self->catching_ = false;
}

void ScriptedUser::Catch() {
  const ULONGLONG now = GetTickCount64();
  if (dialog_ == nullptr) {
    const HWND dialog = DialogOtherThan(sheet_);
    if (dialog == nullptr) return;
    dialog_ = dialog;
    if (IsPropertySheet(dialog)) {
      CaptureSheetPages(dialog);
    } else {
      Pump(kSettleMs);
      Repaint(dialog);
      Capture(dialog, dialogFile_);
    }
    // Cancel first: these dialogs start printer jobs with their other buttons.
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDCANCEL)));
    dialogCloseStep_ = 1;
    dialogStepAt_ = now;
    return;
  }
  if (!IsWindow(dialog_) || now - dialogStepAt_ < kDialogCloseStepMs) return;
  // A dialog that ignores Cancel gets its default button, then is destroyed,
  // which ends its modal loop.
  if (dialogCloseStep_ == 1) {
    Dismiss(dialog_);
  } else {
    DestroyWindow(dialog_);
  }
  ++dialogCloseStep_;
  dialogStepAt_ = now;
}

}  // namespace tqrctl
