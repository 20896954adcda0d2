// Pictures of the Main page for looking at its layout: the page as it
// opens, with modified settings, with the longest summary texts, and the
// About box, written as .bmp files into the folder named on the command
// line. Run it on a display:
//
//   scripts/wine-run --display build/win64/bin/main_page_screen.exe Z:\tmp\screens
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <string>

#include "resources/resource_ids.h"
#include "tqrctl/window_capture.h"
#include "ui/main_page_model.h"
#include "wine/support/main_page_harness.h"

namespace {

std::wstring folder;
bool about_captured = false;

// Lets the windows paint before a picture is taken.
void Settle() {
  for (int i = 0; i < 10; ++i) {
    tqr::test::MainPageHarness::Pump();
    Sleep(30);
  }
}

bool Capture(HWND window, const wchar_t* name) {
  const std::wstring path = folder + L"\\" + name;
  RedrawWindow(window, nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  std::string complaint;
  const bool captured = tqrctl::CaptureWindow(window, path, &complaint);
  const std::wstring why(complaint.begin(), complaint.end());
  std::fwprintf(stderr, L"%ls %ls %ls\n", captured ? L"wrote" : L"could not write", path.c_str(),
                why.c_str());
  return captured;
}

void CALLBACK CaptureAboutBox(HWND, UINT, UINT_PTR timer, DWORD) {
  HWND box = tqr::test::FindAboutBox();
  if (box == nullptr || !IsWindowVisible(box)) return;
  KillTimer(nullptr, timer);
  Settle();
  about_captured = Capture(box, L"about_box.bmp");
  PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDC_ABOUT_OK, BN_CLICKED), 0);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: main_page_screen FOLDER\n");
    return 2;
  }
  const std::string narrow = argv[1];
  folder.assign(narrow.begin(), narrow.end());
  INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);

  tqr::test::MainPageHarness harness;
  tqr::SheetState* state = harness.Build();
  HWND page = state != nullptr ? harness.Open() : nullptr;
  if (page == nullptr) {
    std::fprintf(stderr, "main_page_screen: the page did not open\n");
    return 1;
  }
  SetForegroundWindow(harness.sheet());
  Settle();
  bool ok = Capture(harness.sheet(), L"main_page.bmp");

  // Another media type: the settings no longer match the chosen mode.
  SendDlgItemMessageW(page, IDC_MAIN_MEDIA_TYPE, CB_SETCURSEL, 4, 0);
  SendMessageW(page, WM_COMMAND, MAKEWPARAM(IDC_MAIN_MEDIA_TYPE, CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(GetDlgItem(page, IDC_MAIN_MEDIA_TYPE)));
  Settle();
  ok = Capture(harness.sheet(), L"main_page_modified.bmp") && ok;

  // The longest texts of the summary, and a wide sheet turned.
  state->paperSize->currentId = 288;
  state->paperSize2->currentId = 75;
  state->orientation->currentId = 2;
  state->printing->currentId = 1;
  state->scaling.current = 541;
  state->printQuality.current = 2;
  state->cmykOrRgb->currentId = 2;
  state->red.current = 10;
  state->matching->currentId = 4;
  NMHDR activate = {harness.sheet(), 0, static_cast<UINT>(PSN_SETACTIVE)};
  SendMessageW(page, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&activate));
  Settle();
  ok = Capture(harness.sheet(), L"main_page_long_texts.bmp") && ok;

  SetTimer(nullptr, 0, 50, CaptureAboutBox);
  SendMessageW(page, WM_COMMAND, MAKEWPARAM(IDC_MAIN_ABOUT, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(page, IDC_MAIN_ABOUT)));
  return ok && about_captured ? 0 : 1;
}
