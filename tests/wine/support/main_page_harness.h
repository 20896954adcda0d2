// The Main page in a modeless property sheet of its own, over a sheet state
// built from the shipped description with in-memory ports, and a host
// callback that records what the page reports. For the page's tests and
// for pictures of the page. The program must carry the dialog templates
// and pictures as its own resources.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <cstring>
#include <memory>
#include <vector>

#include "sheet/sheetstate.h"
#include "settings/settings.h"
#include "platform/fake/fake_files.h"
#include "platform/fake/fake_system.h"
#include "resources/resource_ids.h"
#include "support/shipped_image.h"
#include "ui/win32/module_instance.h"
#include "ui/win32/pages.h"

namespace tqr::test {

// One call of the host's callback.
struct HostCall {
  UINT function;
  LPARAM lParam1;
  LPARAM lParam2;
};

inline std::vector<HostCall>& HostCalls() {
  static std::vector<HostCall> calls;
  return calls;
}

inline LONG_PTR CALLBACK RecordingHost(HANDLE, UINT function, LPARAM lParam1, LPARAM lParam2) {
  HostCalls().push_back(HostCall{function, lParam1, lParam2});
  return 1;
}

// What the host returned for the last page it was given; the page hands it
// back when it reports the result.
constexpr std::intptr_t kLastPageValue = 0x5150;
constexpr char kUserPrintModeFile[] = "C:\\Windows\\system32\\Tqr54usr.cfg";

inline BOOL CALLBACK IsAboutBox(HWND window, LPARAM found) {
  if (GetDlgItem(window, IDC_ABOUT_OK) == nullptr) return TRUE;
  *reinterpret_cast<HWND*>(found) = window;
  return FALSE;
}

// The About box the page opened on this thread; null while there is none.
inline HWND FindAboutBox() {
  HWND box = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), IsAboutBox, reinterpret_cast<LPARAM>(&box));
  return box;
}

class MainPageHarness {
 public:
  MainPageHarness() : ports_(Ports{&files, &spooler, &machine}) {
    spooler.printers[printer()];
    SetModuleInstance(GetModuleHandleW(nullptr));
    record_ = std::make_unique<DRVDEVMODE>();
    std::memset(static_cast<void*>(record_.get()), 0, sizeof(DRVDEVMODE));
    BuildDefaultSettings(ddf(), record_.get(), u"Orlex TQ-R5400", printer());
    HostCalls().clear();
  }
  ~MainPageHarness() {
    Close();
    FreeSheetState(&state_);
  }
  MainPageHarness(const MainPageHarness&) = delete;
  MainPageHarness& operator=(const MainPageHarness&) = delete;

  // The sheet state as the sheet assembly leaves it: editable, with the
  // recording host. Null when the description could not be read.
  SheetState* Build() {
    if (ShippedImage().empty()) return nullptr;
    FreeSheetState(&state_);
    if (BuildSheetState(ddf(), &state_, record_.get(), kDescriptionBaseName, printer()) != 1) {
      return nullptr;
    }
    state_->editable = 1;
    state_->hostCallback = reinterpret_cast<void*>(&RecordingHost);
    state_->lastPageValue = kLastPageValue;
    return state_;
  }

  // Opens the sheet with the page (the Main page unless told another) and
  // returns the page; null on failure.
  HWND Open(int dialogId = kMainPageDialog, DLGPROC procedure = MainPageProc,
            const wchar_t* title = L"Main") {
    PROPSHEETPAGEW page = {};
    page.dwSize = sizeof page;
    page.dwFlags = PSP_USETITLE | PSP_HASHELP;
    page.hInstance = GetModuleHandleW(nullptr);
    page.pszTemplate = MAKEINTRESOURCEW(dialogId);
    page.pszTitle = title;
    page.pfnDlgProc = procedure;
    page.lParam = reinterpret_cast<LPARAM>(&state_);
    HPROPSHEETPAGE handle = CreatePropertySheetPageW(&page);
    if (handle == nullptr) return nullptr;
    PROPSHEETHEADERW header = {};
    header.dwSize = sizeof header;
    header.dwFlags = PSH_MODELESS;
    header.pszCaption = L"Orlex TQ-R5400 Document Properties";
    header.nPages = 1;
    header.phpage = &handle;
    sheet_ = reinterpret_cast<HWND>(PropertySheetW(&header));
    if (sheet_ == nullptr) return nullptr;
    Pump();
    page_ = reinterpret_cast<HWND>(SendMessageW(sheet_, PSM_GETCURRENTPAGEHWND, 0, 0));
    return page_;
  }

  void Close() {
    if (sheet_ != nullptr) DestroyWindow(sheet_);
    sheet_ = nullptr;
    page_ = nullptr;
  }

  // Lets posted messages and paints happen.
  static void Pump() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }

  HWND sheet() const { return sheet_; }
  HWND page() const { return page_; }
  SheetState* state() const { return state_; }
  PrinterHandle printer() { return &printerObject_; }
  DdfHandle ddf() const { return ShippedImage().data(); }

  fake::FakeFileSystem files;
  fake::FakeSpooler spooler;
  fake::FakeMachine machine;

 private:
  ScopedPorts ports_;
  int printerObject_ = 0;
  std::unique_ptr<DRVDEVMODE> record_;
  SheetState* state_ = nullptr;
  HWND sheet_ = nullptr;
  HWND page_ = nullptr;
};

}  // namespace tqr::test
