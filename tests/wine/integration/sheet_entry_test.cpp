// The property sheet entry points of the installed config module, driven by
// Wine's common property sheet UI (compstui) and by tqrctl's host, which
// follows the platform's protocol where Wine's stops short (no header for a
// child sheet, no result). A scripted user presses the sheets' buttons.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <winspool.h>

#include <cstring>
#include <cwchar>
#include <memory>
#include <string>
#include <vector>

#include "installed_printer.h"
#include "platform/win32/driver_kit.h"
#include "resources/feature_pages_ids.h"
#include "resources/paper_ids.h"
#include "resources/resource_ids.h"
#include "settings/devmode.h"
#include "tqrctl/sheet_host.h"
#include "tqrctl/sheet_script.h"
#include "tqrctl_runner.h"

namespace tqr::test {
namespace {

using tqrctl::ConfigModule;
using tqrctl::Press;
using tqrctl::ScriptedUser;
using tqrctl::SheetEntry;
using tqrctl::SheetHost;
using tqrctl::SheetScript;

constexpr ULONG_PTR kSheetIcon = 64062;
// The confirmed flag of the print mode, which the Main page sets on OK.
constexpr std::size_t kOverlayPromptOffset = 260;
constexpr BYTE kUntouched = 0x5A;

using CommonPropertySheetUIFn = LONG(WINAPI*)(HWND, SheetEntry, LPARAM, LPDWORD);

// A scripted user also answers a message box the driver shows at INIT, so a
// test never waits on one; Press::kNobody leaves the sheets alone.
SheetScript Pressing(Press press) {
  SheetScript script;
  script.press = press;
  script.pressAfterMs = 200;
  return script;
}

std::int32_t OverlayPromptOf(const std::vector<BYTE>& record) {
  std::int32_t value = 0;
  std::memcpy(&value, record.data() + kOverlayPromptOffset, sizeof value);
  return value;
}

// What compstui asked of the driver's entry point, reason by reason.
struct RecordedCall {
  WORD reason;
  LPARAM parameter;
  LONG answer;
  PROPSHEETUI_INFO_HEADER header;  // for GET_INFO_HEADER, as the driver filled it
};
SheetEntry g_forwardTo = nullptr;
std::vector<RecordedCall> g_calls;

LONG CALLBACK RecordingEntry(PPROPSHEETUI_INFO info, LPARAM parameter) {
  RecordedCall call{info->Reason, parameter, g_forwardTo(info, parameter), {}};
  if (info->Reason == PROPSHEETUI_REASON_GET_INFO_HEADER && parameter != 0) {
    call.header = *reinterpret_cast<PROPSHEETUI_INFO_HEADER*>(parameter);
  }
  g_calls.push_back(call);
  return call.answer;
}

class SheetEntryTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    installation_ = InstallPrinter(L"TQR54 sheets");
    if (!installation_.installed) return;
    HANDLE printer = nullptr;
    if (!OpenPrinterW(installation_.name.data(), &printer, nullptr)) return;
    module_ = std::make_unique<ConfigModule>();
    if (!module_->Load(printer)) module_.reset();
    ClosePrinter(printer);
  }

  static void TearDownTestSuite() {
    module_.reset();
    UninstallPrinter(installation_);
  }

  void SetUp() override {
    ASSERT_TRUE(installation_.installed) << installation_.log;
    ASSERT_NE(module_, nullptr) << "the installed config module did not load";
    PRINTER_DEFAULTSW access = {nullptr, nullptr, PRINTER_ALL_ACCESS};
    ASSERT_TRUE(OpenPrinterW(installation_.name.data(), &printer_, &access)) << GetLastError();
    name_ = installation_.name;
  }

  void TearDown() override {
    if (printer_ != nullptr) ClosePrinter(printer_);
  }

  // The printer's settings as applications get them.
  std::vector<BYTE> Defaults() {
    std::vector<BYTE> record(kRecordSize, 0);
    reinterpret_cast<DEVMODEW*>(record.data())->dmSize = kPublicSize;
    EXPECT_EQ(
        DocumentPropertiesW(nullptr, printer_, name_.data(),
                            reinterpret_cast<DEVMODEW*>(record.data()), nullptr, DM_OUT_BUFFER),
        IDOK);
    return record;
  }

  DOCUMENTPROPERTYHEADER DocumentHeader(std::vector<BYTE>* input, std::vector<BYTE>* output,
                                        DWORD mode) {
    DOCUMENTPROPERTYHEADER header{};
    header.cbSize = sizeof header;
    header.hPrinter = printer_;
    header.pszPrinterName = name_.data();
    header.pdmIn = input != nullptr ? reinterpret_cast<DEVMODEW*>(input->data()) : nullptr;
    header.pdmOut = reinterpret_cast<DEVMODEW*>(output->data());
    header.cbOut = static_cast<DWORD>(output->size());
    header.fMode = mode;
    return header;
  }

  DEVICEPROPERTYHEADER DeviceHeader() {
    DEVICEPROPERTYHEADER header{};
    header.cbSize = sizeof header;
    header.hPrinter = printer_;
    header.pszPrinterName = name_.data();
    return header;
  }

  void CheckHeader(const PROPSHEETUI_INFO_HEADER& header) {
    ASSERT_NE(header.pTitle, nullptr);
    EXPECT_EQ(std::wstring(reinterpret_cast<const wchar_t*>(header.pTitle)), name_);
    EXPECT_EQ(header.Flags, PSUIHDRF_PROPTITLE);
    EXPECT_EQ(header.IconID, kSheetIcon);
    EXPECT_NE(header.hInst, nullptr);
  }

  static inline InstalledPrinter installation_;
  static inline std::unique_ptr<ConfigModule> module_;
  HANDLE printer_ = nullptr;
  std::wstring name_;
};

// Wine's compstui, handed the entry points directly: it sends INIT, the header
// and DESTROY (and BEFORE_INIT, which the driver refuses), shows what the
// driver added, and never passes a page's result on; the document sheet
// writes the caller's output itself when the user's OK is taken.
TEST_F(SheetEntryTest, WinesHostInitialisesShowsAndDestroysEachSheet) {
  const HMODULE common = LoadLibraryW(L"compstui.dll");
  ASSERT_NE(common, nullptr);
  const auto show = reinterpret_cast<CommonPropertySheetUIFn>(
      reinterpret_cast<void*>(GetProcAddress(common, "CommonPropertySheetUIW")));
  ASSERT_NE(show, nullptr);

  std::vector<BYTE> input = Defaults();
  std::vector<BYTE> output(kRecordSize, kUntouched);
  DOCUMENTPROPERTYHEADER document =
      DocumentHeader(&input, &output, DM_IN_BUFFER | DM_OUT_BUFFER | DM_PROMPT);
  DEVICEPROPERTYHEADER device = DeviceHeader();
  const struct {
    const char* sheet;
    SheetEntry entry;
    LPARAM header;
  } sheets[] = {
      {"document", module_->DocumentSheets(), reinterpret_cast<LPARAM>(&document)},
      {"device", module_->DeviceSheets(), reinterpret_cast<LPARAM>(&device)},
  };
  for (const auto& sheet : sheets) {
    SCOPED_TRACE(sheet.sheet);
    g_forwardTo = sheet.entry;
    g_calls.clear();
    DWORD result = 0xDEADBEEF;
    LONG answer = 0;
    {
      ScriptedUser user(Pressing(Press::kOk));
      answer = show(nullptr, RecordingEntry, sheet.header, &result);
      EXPECT_TRUE(user.sawSheet());
      EXPECT_TRUE(user.pressed());
    }
    EXPECT_EQ(answer, CPSUI_OK);
    EXPECT_EQ(result, DWORD{CPSUI_OK}) << "the Result the driver set at INIT";

    std::vector<WORD> reasons;
    for (const RecordedCall& call : g_calls) {
      if (call.reason == tqrctl::kReasonBeforeInit) {
        EXPECT_EQ(call.answer, -1);
        continue;
      }
      reasons.push_back(call.reason);
      EXPECT_EQ(call.answer, 1) << "reason " << call.reason;
      if (call.reason == PROPSHEETUI_REASON_GET_INFO_HEADER) CheckHeader(call.header);
      if (call.reason == PROPSHEETUI_REASON_DESTROY) {
        EXPECT_NE(call.parameter, 0) << "the sheet was closed with a button";
      }
    }
    EXPECT_EQ(reasons,
              (std::vector<WORD>{PROPSHEETUI_REASON_INIT, PROPSHEETUI_REASON_GET_INFO_HEADER,
                                 PROPSHEETUI_REASON_DESTROY}));
  }
  EXPECT_EQ(MarkerOf(output), kMarker);
  EXPECT_EQ(OverlayPromptOf(output), 1) << "the Main page's OK is in the record";
  FreeLibrary(common);
}

// Our host passes the page's result on as the platform's does: OK brings the
// settings back, with the confirmed flag the Main page sets; Cancel leaves the
// caller's buffer alone.
TEST_F(SheetEntryTest, DocumentSheetGivesTheRecordBackOnlyOnOk) {
  std::vector<BYTE> input = Defaults();
  ASSERT_EQ(MarkerOf(input), kMarker);
  // Never confirmed, as a record from before the print mode was first chosen.
  std::memset(input.data() + kOverlayPromptOffset, 0, sizeof(std::int32_t));

  for (const Press press : {Press::kOk, Press::kCancel}) {
    const bool ok = press == Press::kOk;
    SCOPED_TRACE(ok ? "OK" : "Cancel");
    std::vector<BYTE> output(kRecordSize, kUntouched);
    DOCUMENTPROPERTYHEADER header =
        DocumentHeader(&input, &output, DM_IN_BUFFER | DM_OUT_BUFFER | DM_PROMPT);
    SheetHost host(module_->DocumentSheets(), reinterpret_cast<LPARAM>(&header));
    {
      // From INIT on: the driver may ask about a print mode gone from the
      // machine's file before its sheet is up; that message is answered, and
      // anything else the user meets is a fault.
      ScriptedUser user(Pressing(press));
      ASSERT_EQ(host.Init(), 1);
      ASSERT_FALSE(host.pageValues().empty());
      EXPECT_NE(host.info().UserData, 0u);
      ASSERT_EQ(host.GetInfoHeader(nullptr), 1);
      CheckHeader(host.header());
      host.Show(nullptr);
      for (const std::string& note : user.notes()) {
        if (note.rfind("answered the dialog", 0) != 0) ADD_FAILURE() << note;
      }
    }
    ASSERT_TRUE(host.ended());
    EXPECT_EQ(host.confirmed(), ok);
    if (ok) {
      // One report, naming the last page added, with OK.
      ASSERT_EQ(host.reports().size(), 1u);
      EXPECT_EQ(reinterpret_cast<LONG_PTR>(host.reports()[0].from), host.pageValues().back());
      EXPECT_EQ(host.reports()[0].result, CPSUI_OK);
      EXPECT_EQ(host.reports()[0].answer, 1);
    } else {
      EXPECT_TRUE(host.reports().empty());
      EXPECT_EQ(host.DeliverOutcome(CPSUI_CANCEL), 1);
    }
    EXPECT_EQ(host.info().Result, ULONG_PTR(ok ? CPSUI_OK : CPSUI_CANCEL));
    EXPECT_TRUE(host.complaints().empty());
    EXPECT_EQ(host.Destroy(), 1);

    if (ok) {
      const auto* record = reinterpret_cast<const DEVMODEW*>(output.data());
      EXPECT_EQ(record->dmSize, kPublicSize);
      EXPECT_EQ(record->dmDriverExtra, kPrivateSize);
      EXPECT_EQ(MarkerOf(output), kMarker);
      EXPECT_EQ(OverlayPromptOf(output), 1);
    } else {
      EXPECT_EQ(output, std::vector<BYTE>(kRecordSize, kUntouched));
    }
  }
}

// A user who opens the Advanced sheet from the Main page, moves the print
// quality to its end and the cyan balance to its right end, and confirms both
// sheets. Runs on a thread timer inside the sheets' modal loops.
struct AdvancedSheetUser {
  int stage = 0;
  HWND documentSheet = nullptr;
  std::wstring advancedCaption;
  std::vector<std::wstring> advancedPages;
};
AdvancedSheetUser g_advancedUser;

struct SheetSearch {
  HWND except;
  HWND found = nullptr;
};

BOOL CALLBACK FindSheet(HWND window, LPARAM parameter) {
  auto* search = reinterpret_cast<SheetSearch*>(parameter);
  wchar_t name[16] = {};
  GetClassNameW(window, name, 16);
  if (window == search->except || !IsWindowVisible(window) || std::wcscmp(name, L"#32770") != 0 ||
      FindWindowExW(window, nullptr, WC_TABCONTROLW, nullptr) == nullptr) {
    return TRUE;
  }
  search->found = window;
  return FALSE;
}

HWND VisibleSheetOtherThan(HWND except) {
  SheetSearch search{except};
  EnumThreadWindows(GetCurrentThreadId(), FindSheet, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

void CALLBACK DriveAdvancedSheet(HWND, UINT, UINT_PTR, DWORD) {
  AdvancedSheetUser& user = g_advancedUser;
  if (user.stage == 0) {
    user.documentSheet = VisibleSheetOtherThan(nullptr);
    HWND main = user.documentSheet != nullptr ? PropSheet_GetCurrentPageHwnd(user.documentSheet)
                                              : nullptr;
    if (main == nullptr || GetDlgItem(main, IDC_MAIN_ADVANCED) == nullptr) return;
    user.stage = 1;
    PostMessageW(main, WM_COMMAND, MAKEWPARAM(IDC_MAIN_ADVANCED, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(main, IDC_MAIN_ADVANCED)));
  } else if (user.stage == 1) {
    HWND advanced = VisibleSheetOtherThan(user.documentSheet);
    if (advanced == nullptr) return;
    user.stage = 2;
    wchar_t caption[128] = {};
    GetWindowTextW(advanced, caption, 128);
    user.advancedCaption = caption;
    HWND tab = PropSheet_GetTabControl(advanced);
    for (int i = 0; tab != nullptr && i < TabCtrl_GetItemCount(tab); ++i) {
      wchar_t title[64] = {};
      TCITEMW item{};
      item.mask = TCIF_TEXT;
      item.pszText = title;
      item.cchTextMax = 64;
      TabCtrl_GetItem(tab, i, &item);
      user.advancedPages.push_back(title);
    }
    HWND quality = PropSheet_GetCurrentPageHwnd(advanced);
    SendMessageW(GetDlgItem(quality, IDC_QUALITY_SLIDER), WM_KEYDOWN, VK_END, 0);
    PropSheet_SetCurSel(advanced, nullptr, 1);
    HWND color = PropSheet_GetCurrentPageHwnd(advanced);
    SendMessageW(color, WM_HSCROLL, MAKEWPARAM(SB_RIGHT, 0),
                 reinterpret_cast<LPARAM>(GetDlgItem(color, IDC_CYAN_BAR)));
    PostMessageW(advanced, PSM_PRESSBUTTON, PSBTN_OK, 0);
  } else if (user.stage == 2) {
    if (VisibleSheetOtherThan(user.documentSheet) != nullptr) return;
    user.stage = 3;
    PostMessageW(user.documentSheet, PSM_PRESSBUTTON, PSBTN_OK, 0);
  }
}

TEST_F(SheetEntryTest, AdvancedSheetChangesComeBackInTheRecordOnOk) {
  std::vector<BYTE> input = Defaults();
  std::vector<BYTE> output(kRecordSize, kUntouched);
  DOCUMENTPROPERTYHEADER header =
      DocumentHeader(&input, &output, DM_IN_BUFFER | DM_OUT_BUFFER | DM_PROMPT);
  SheetHost host(module_->DocumentSheets(), reinterpret_cast<LPARAM>(&header));
  g_advancedUser = AdvancedSheetUser{};
  {
    // Answers a message about a lost print mode at INIT, then leaves the
    // sheets to the user above.
    ScriptedUser guard(Pressing(Press::kNobody));
    const UINT_PTR timer = SetTimer(nullptr, 0, 100, DriveAdvancedSheet);
    ASSERT_EQ(host.Init(), 1);
    ASSERT_EQ(host.GetInfoHeader(nullptr), 1);
    host.Show(nullptr);
    KillTimer(nullptr, timer);
  }
  EXPECT_EQ(g_advancedUser.stage, 3);
  EXPECT_EQ(g_advancedUser.advancedCaption, L"[Standard]Properties");
  EXPECT_EQ(g_advancedUser.advancedPages,
            (std::vector<std::wstring>{L"Quality", L"Color", L"Save"}));
  ASSERT_TRUE(host.confirmed());
  EXPECT_EQ(host.Destroy(), 1);

  const auto* record = reinterpret_cast<const DRVDEVMODE*>(output.data());
  EXPECT_EQ(record->PrintQuality, 2);
  EXPECT_EQ(static_cast<std::int16_t>(record->Cyan), 50);
  EXPECT_EQ(record->FirstPageOnly, 1);  // the settings no longer match the print mode
}

// What a user chooses on the Paper page, once the sheet is up: enlarging
// from A4 onto A2 from the second roll, in landscape.
void CALLBACK ChoosePaper(HWND, UINT, UINT_PTR timer, DWORD) {
  HWND sheet = VisibleSheetOtherThan(nullptr);
  if (sheet == nullptr) return;
  KillTimer(nullptr, timer);
  PropSheet_SetCurSel(sheet, nullptr, 1);
  HWND page = PropSheet_GetCurrentPageHwnd(sheet);
  auto choose = [page](int combo, int position) {
    SendDlgItemMessageW(page, combo, CB_SETCURSEL, position, 0);
    SendMessageW(page, WM_COMMAND, MAKEWPARAM(combo, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(GetDlgItem(page, combo)));
  };
  choose(IDC_PAPER_PRINTING, 1);
  choose(IDC_PAPER_FEED, 1);
  // A2 is the fifth size of ISO A.
  choose(IDC_PAPER_OUTPUT, 4);
  CheckRadioButton(page, IDC_PAPER_PORTRAIT, IDC_PAPER_LANDSCAPE, IDC_PAPER_LANDSCAPE);
  SendMessageW(page, WM_COMMAND, MAKEWPARAM(IDC_PAPER_LANDSCAPE, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(page, IDC_PAPER_LANDSCAPE)));
}

// The Paper page's choices come back in the record, field by field.
TEST_F(SheetEntryTest, PaperChoicesComeBackThroughTheHost) {
  std::vector<BYTE> input = Defaults();
  std::vector<BYTE> output(kRecordSize, kUntouched);
  DOCUMENTPROPERTYHEADER header =
      DocumentHeader(&input, &output, DM_IN_BUFFER | DM_OUT_BUFFER | DM_PROMPT);
  SheetHost host(module_->DocumentSheets(), reinterpret_cast<LPARAM>(&header));
  {
    SheetScript script = Pressing(Press::kOk);
    script.pressAfterMs = 1500;
    ScriptedUser user(script);
    ASSERT_EQ(host.Init(), 1);
    ASSERT_EQ(host.GetInfoHeader(nullptr), 1);
    SetTimer(nullptr, 0, 20, ChoosePaper);
    host.Show(nullptr);
    for (const std::string& note : user.notes()) {
      if (note.rfind("answered the dialog", 0) != 0) ADD_FAILURE() << note;
    }
  }
  ASSERT_TRUE(host.confirmed());
  EXPECT_EQ(host.Destroy(), 1);
  DRVDEVMODE record;
  std::memcpy(&record, output.data(), sizeof record);
  EXPECT_EQ(record.Printing, 1);
  EXPECT_EQ(record.PaperFeed, 1);
  EXPECT_EQ(record.dm.dmDefaultSource, 257);
  EXPECT_EQ(record.dm.dmPaperSize, 9);
  EXPECT_EQ(record.dm.dmPaperWidth, 2100);
  EXPECT_EQ(record.PaperSize2, 66);
  EXPECT_EQ(record.PageWidth2, 4200);
  EXPECT_EQ(record.PageLength2, 5940);
  EXPECT_EQ(record.Scaling, 202);  // A4 fitted onto A2 within the roll margins
  EXPECT_EQ(record.dm.dmOrientation, 2);
  EXPECT_EQ(record.Orientation, 2);
}

// A caller without the right to change settings gets a sheet all the same,
// with fewer pages: those that change the printer stay away.
TEST_F(SheetEntryTest, ReadOnlyDocumentSheetAssemblesWithFewerPages) {
  std::size_t pages[2] = {};
  for (const DWORD readOnly : {DWORD{0}, tqrctl::kModeNoPermission}) {
    SCOPED_TRACE(readOnly != 0 ? "read-only" : "editable");
    std::vector<BYTE> output(kRecordSize, kUntouched);
    DOCUMENTPROPERTYHEADER header =
        DocumentHeader(nullptr, &output, DM_OUT_BUFFER | DM_PROMPT | readOnly);
    SheetHost host(module_->DocumentSheets(), reinterpret_cast<LPARAM>(&header));
    ScriptedUser guard(Pressing(Press::kNobody));
    EXPECT_EQ(host.Init(), 1);
    EXPECT_EQ(host.info().Result, ULONG_PTR{1});
    pages[readOnly != 0] = host.pageValues().size();
    EXPECT_EQ(host.Destroy(), 1);
    EXPECT_EQ(output, std::vector<BYTE>(kRecordSize, kUntouched));
  }
  EXPECT_GE(pages[1], 1u);
  EXPECT_LT(pages[1], pages[0]);
}

// The device sheet's one context stores the printer's settings on OK only,
// through the spooler, and opens again after it was destroyed.
TEST_F(SheetEntryTest, DeviceSheetStoresTheSettingsOnlyOnOk) {
  DEVICEPROPERTYHEADER header = DeviceHeader();
  ScriptedUser guard(Pressing(Press::kNobody));
  {
    SheetHost host(module_->DeviceSheets(), reinterpret_cast<LPARAM>(&header));
    ASSERT_EQ(host.Init(), 1);
    EXPECT_NE(host.info().UserData, 0u);
    ASSERT_EQ(host.GetInfoHeader(nullptr), 1);
    CheckHeader(host.header());

    const BYTE junk[] = {'n', 'o', 't', ' ', 'o', 'u', 'r', 's'};
    ASSERT_EQ(SetPrinterDataW(printer_, const_cast<LPWSTR>(kRecordValue), REG_BINARY,
                              const_cast<BYTE*>(junk), sizeof junk),
              DWORD{ERROR_SUCCESS});
    std::vector<BYTE> stored;
    EXPECT_EQ(host.SetResult(CPSUI_CANCEL), 1);
    EXPECT_EQ(host.info().Result, ULONG_PTR{CPSUI_CANCEL});
    ASSERT_EQ(ReadStoredRecord(printer_, &stored), DWORD{ERROR_SUCCESS});
    EXPECT_EQ(stored, std::vector<BYTE>(junk, junk + sizeof junk));

    EXPECT_EQ(host.SetResult(CPSUI_OK), 1);
    EXPECT_EQ(host.info().Result, ULONG_PTR{CPSUI_OK});
    ASSERT_EQ(ReadStoredRecord(printer_, &stored), DWORD{ERROR_SUCCESS});
    ASSERT_EQ(stored.size(), std::size_t{kRecordSize});
    EXPECT_EQ(MarkerOf(stored), kMarker);
    EXPECT_EQ(host.Destroy(), 1);
  }
  SheetHost again(module_->DeviceSheets(), reinterpret_cast<LPARAM>(&header));
  EXPECT_EQ(again.Init(), 1);
  EXPECT_EQ(again.Destroy(), 1);
}

TEST_F(SheetEntryTest, EntryPointsRefuseWhatTheyDoNotKnow) {
  std::vector<BYTE> output(kRecordSize, kUntouched);
  DOCUMENTPROPERTYHEADER document = DocumentHeader(nullptr, &output, DM_OUT_BUFFER | DM_PROMPT);
  DEVICEPROPERTYHEADER device = DeviceHeader();
  const WORD unknown[] = {PROPSHEETUI_REASON_GET_ICON, tqrctl::kReasonBeforeInit, 6, 0xFFFF};
  for (const WORD reason : unknown) {
    SheetHost documentHost(module_->DocumentSheets(), reinterpret_cast<LPARAM>(&document));
    SheetHost deviceHost(module_->DeviceSheets(), reinterpret_cast<LPARAM>(&device));
    EXPECT_EQ(documentHost.Call(reason, 0), -1) << "document sheet, reason " << reason;
    EXPECT_EQ(deviceHost.Call(reason, 0), -1) << "device sheet, reason " << reason;
  }
  EXPECT_EQ(module_->DeviceSheets()(nullptr, 0), -1);
  SheetHost noHeader(module_->DeviceSheets(), 0);
  EXPECT_EQ(noHeader.Call(PROPSHEETUI_REASON_INIT, 0), -1);
  EXPECT_EQ(output, std::vector<BYTE>(kRecordSize, kUntouched));
}

// tqrctl's prefs and props on our host, as scripts and the demo use them: the
// round trip ends with what the driver gave back.
TEST_F(SheetEntryTest, TqrctlHostsTheSheetsToTheEnd) {
  // A script tells OK from Cancel by the exit code alone, on the system's host
  // too, which answers OK whatever was pressed.
  const struct {
    std::vector<std::wstring> args;
    const char* says;
    int exitCode;
  } runs[] = {
      {{L"prefs", L"--host", L"--press", L"ok"}, "the output record came back:", 0},
      {{L"prefs", L"--host", L"--press", L"cancel"}, "the output buffer is untouched", 3},
      {{L"props", L"--host", L"--press", L"ok"}, "the stored settings:", 0},
      {{L"props", L"--host", L"--read-only", L"--press", L"cancel"},
       "the stored settings are as they were", 3},
      {{L"prefs", L"--press", L"cancel"}, "the sheet was cancelled", 3},
      {{L"props", L"--press", L"cancel"}, "the stored settings are as they were", 3},
  };
  for (const auto& run : runs) {
    std::vector<std::wstring> args = run.args;
    const bool hosted = args[1] == L"--host";
    args.insert(args.end(), {L"--after", L"200", L"--printer", name_});
    const TqrctlRun done = RunTqrctl(args);
    EXPECT_EQ(done.exitCode, run.exitCode) << done.output;
    EXPECT_NE(done.output.find(run.says), std::string::npos) << done.output;
    if (hosted) {
      EXPECT_NE(done.output.find("DESTROY answered 1"), std::string::npos) << done.output;
    }
  }
}

}  // namespace
}  // namespace tqr::test
