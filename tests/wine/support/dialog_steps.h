// A user in a modal dialog: steps, each finding the dialog by one of its
// controls and acting on it from inside the dialog's own message loop, run
// off a thread timer while the call that opened the dialog waits.
#pragma once

#include <windows.h>

#include <deque>
#include <functional>
#include <utility>

namespace tqr::test {

struct DialogStep {
  int controlId;
  std::function<void(HWND)> act;
};

namespace detail {

struct StepRun {
  std::deque<DialogStep> steps;
  int idleTicks = 0;
  bool leftOpen = false;
};

inline StepRun& CurrentRun() {
  static StepRun run;
  return run;
}

// A dialog still up this long after the last step was left open by a
// failure; it is cancelled so that the test ends rather than hangs.
constexpr int kIdleTicksBeforeCancel = 100;

struct Search {
  int controlId;  // 0: any dialog
  HWND found;
};

inline BOOL CALLBACK FindDialogWith(HWND window, LPARAM parameter) {
  auto* search = reinterpret_cast<Search*>(parameter);
  if (!IsWindowVisible(window)) return TRUE;
  wchar_t className[16] = {};
  GetClassNameW(window, className, 16);
  if (search->controlId != 0 ? GetDlgItem(window, search->controlId) == nullptr
                             : lstrcmpW(className, L"#32770") != 0) {
    return TRUE;
  }
  search->found = window;
  return FALSE;
}

inline HWND FindDialog(int controlId) {
  Search search{controlId, nullptr};
  EnumThreadWindows(GetCurrentThreadId(), FindDialogWith, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

inline void CALLBACK RunStep(HWND, UINT, UINT_PTR timer, DWORD) {
  StepRun& run = CurrentRun();
  if (run.steps.empty()) {
    if (++run.idleTicks < kIdleTicksBeforeCancel) return;
    if (HWND dialog = FindDialog(0)) {
      run.leftOpen = true;
      PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    }
    KillTimer(nullptr, timer);
    return;
  }
  HWND dialog = FindDialog(run.steps.front().controlId);
  if (dialog == nullptr) return;
  const DialogStep step = run.steps.front();
  run.steps.pop_front();
  step.act(dialog);
}

}  // namespace detail

// Runs `open`, which shows a modal dialog, with `steps` played in it. False
// when the dialog closed before every step ran, or was still open after the
// last and had to be cancelled.
inline bool RunWithSteps(std::deque<DialogStep> steps, const std::function<void()>& open) {
  detail::CurrentRun() = detail::StepRun{std::move(steps)};
  const UINT_PTR timer = SetTimer(nullptr, 0, 20, detail::RunStep);
  open();
  KillTimer(nullptr, timer);
  const detail::StepRun& run = detail::CurrentRun();
  const bool followed = run.steps.empty() && !run.leftOpen;
  detail::CurrentRun() = detail::StepRun{};
  return followed;
}

inline void Click(HWND dialog, int id) {
  SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

}  // namespace tqr::test
