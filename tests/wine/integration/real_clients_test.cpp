// The installed driver's document sheet as applications open it under Wine:
// DocumentPropertiesW and DocumentPropertiesA with a prompt, comdlg32's Print
// and Page Setup dialogs, each answered by a user on a watcher thread, and what
// the application holds afterwards. Wine's property sheet host never reports a
// result to the driver and answers OK for Cancel too; what the application gets
// back is what the driver wrote.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>
#include <dlgs.h>
#include <winspool.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "installed_printer.h"
#include "resources/paper_ids.h"
#include "tqrctl/thread_windows.h"

namespace tqr::test {
namespace {

constexpr WORD kA3 = 8;
constexpr WORD kA4 = 9;
constexpr short kPortrait = DMORIENT_PORTRAIT;
constexpr short kLandscape = DMORIENT_LANDSCAPE;
// The ANSI record's header is 64 bytes shorter: two names of 32 one-byte
// characters instead of two bytes each.
constexpr std::size_t kAnsiShrink = 64;

// A user acting from a thread of its own on the windows of the thread that
// runs the dialogs: each step waits until it can act, then acts once.
class WatcherUser {
 public:
  using Step = std::function<bool()>;

  WatcherUser(DWORD uiThread, std::vector<Step> steps)
      : uiThread_(uiThread), steps_(std::move(steps)) {
    thread_ = std::thread([this] { Run(); });
  }
  ~WatcherUser() {
    stop_ = true;
    thread_.join();
  }
  WatcherUser(const WatcherUser&) = delete;
  WatcherUser& operator=(const WatcherUser&) = delete;

  // How many steps were taken; all of them when the script ran to its end.
  std::size_t taken() const { return taken_; }

 private:
  void Run() {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!stop_ && taken_ < steps_.size() && std::chrono::steady_clock::now() < deadline) {
      if (steps_[taken_]()) ++taken_;
      std::this_thread::sleep_for(std::chrono::milliseconds(60));
    }
    // A script that stalled closes what is left, so that the test fails
    // rather than waits.
    while (!stop_ && taken_ < steps_.size()) {
      EnumThreadWindows(uiThread_, CancelWindow, 0);
      std::this_thread::sleep_for(std::chrono::milliseconds(200));
    }
  }

  static BOOL CALLBACK CancelWindow(HWND window, LPARAM) {
    if (IsWindowVisible(window)) PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
    return TRUE;
  }

  DWORD uiThread_;
  std::vector<Step> steps_;
  std::atomic<bool> stop_{false};
  std::atomic<std::size_t> taken_{0};
  std::thread thread_;
};

using tqrctl::ClickButton;
using tqrctl::IsPropertySheet;

HWND OurSheet(DWORD thread) { return tqrctl::FindThreadWindow(thread, IsPropertySheet); }

// What the user does in our sheet: A3 and Landscape on the Paper page, then
// OK; or the same changes and Cancel.
bool ChooseA3LandscapeAndPress(DWORD thread, int button) {
  HWND sheet = OurSheet(thread);
  if (sheet == nullptr) return false;
  SendMessageW(sheet, PSM_SETCURSEL, 1, 0);
  HWND page = reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
  if (page == nullptr || GetDlgItem(page, IDC_PAPER_SIZE) == nullptr) return false;
  const LRESULT a3 =
      SendDlgItemMessageW(page, IDC_PAPER_SIZE, CB_FINDSTRING, static_cast<WPARAM>(-1),
                          reinterpret_cast<LPARAM>(L"A3 ("));
  SendDlgItemMessageW(page, IDC_PAPER_SIZE, CB_SETCURSEL, static_cast<WPARAM>(a3), 0);
  SendMessageW(page, WM_COMMAND, MAKEWPARAM(IDC_PAPER_SIZE, CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(GetDlgItem(page, IDC_PAPER_SIZE)));
  CheckRadioButton(page, IDC_PAPER_PORTRAIT, IDC_PAPER_LANDSCAPE, IDC_PAPER_LANDSCAPE);
  SendMessageW(page, WM_COMMAND, MAKEWPARAM(IDC_PAPER_LANDSCAPE, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(page, IDC_PAPER_LANDSCAPE)));
  PostMessageW(sheet, PSM_PRESSBUTTON, button, 0);
  return true;
}

WatcherUser::Step InOurSheet(DWORD thread, bool ok) {
  return [thread, ok] { return ChooseA3LandscapeAndPress(thread, ok ? PSBTN_OK : PSBTN_CANCEL); };
}

// Once our sheet is gone, `button` of the comdlg32 dialog that has `known`.
WatcherUser::Step ClickIn(DWORD thread, int known, int button) {
  return [thread, known, button] {
    if (OurSheet(thread) != nullptr) return false;
    HWND dialog = tqrctl::FindDialogWith(thread, known);
    if (dialog == nullptr) return false;
    ClickButton(dialog, button);
    return true;
  };
}

// The public fields an application reads, and whether the private part is ours.
struct Outcome {
  short paper = 0;
  short orientation = 0;
  short copies = 0;
  bool ours = false;
};

Outcome OutcomeOf(const BYTE* record, std::size_t publicSize) {
  Outcome outcome;
  const auto* dm = reinterpret_cast<const DEVMODEW*>(record);
  const std::size_t shrink = kPublicSize - publicSize;
  // The fields after the device name sit `shrink / 2` bytes earlier in an
  // ANSI record; read them at their own offsets.
  auto field = [&](const short& member) {
    short value = 0;
    const std::size_t at = reinterpret_cast<const BYTE*>(&member) - record - shrink / 2;
    std::memcpy(&value, record + at, sizeof value);
    return value;
  };
  outcome.paper = field(dm->dmPaperSize);
  outcome.orientation = field(dm->dmOrientation);
  outcome.copies = field(dm->dmCopies);
  DWORD marker = 0;
  std::memcpy(&marker, record + kMarkerOffset - shrink, sizeof marker);
  outcome.ours = marker == kMarker;
  return outcome;
}

void ExpectOutcome(const Outcome& got, WORD paper, short orientation, short copies) {
  EXPECT_EQ(got.paper, paper);
  EXPECT_EQ(got.orientation, orientation);
  EXPECT_EQ(got.copies, copies);
  EXPECT_TRUE(got.ours) << "the private part is the driver's";
}

class RealClientsTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { installation_ = InstallPrinter(L"TQR54 clients"); }
  static void TearDownTestSuite() { UninstallPrinter(installation_); }

  void SetUp() override {
    ASSERT_TRUE(installation_.installed) << installation_.log;
    name_ = installation_.name;
    ASSERT_TRUE(OpenPrinterW(name_.data(), &printer_, nullptr)) << GetLastError();
    thread_ = GetCurrentThreadId();
  }
  void TearDown() override {
    if (printer_ != nullptr) ClosePrinter(printer_);
  }

  // The printer's record as an application first gets it, with 3 copies.
  std::vector<BYTE> OwnRecord() {
    std::vector<BYTE> record(kRecordSize, 0);
    auto* dm = reinterpret_cast<DEVMODEW*>(record.data());
    dm->dmSize = kPublicSize;
    EXPECT_EQ(DocumentPropertiesW(nullptr, printer_, name_.data(), dm, nullptr, DM_OUT_BUFFER),
              IDOK);
    dm->dmCopies = 3;
    return record;
  }

  // DEVNAMES naming our printer, for comdlg32.
  HGLOBAL DevNames() const {
    const std::wstring driver = L"winspool";
    const std::wstring port = L"FILE:";
    const std::size_t chars = driver.size() + name_.size() + port.size() + 3;
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DEVNAMES) + chars * 2);
    auto* names = static_cast<DEVNAMES*>(GlobalLock(block));
    auto* text = reinterpret_cast<wchar_t*>(names + 1);
    const WORD base = sizeof(DEVNAMES) / sizeof(wchar_t);
    names->wDriverOffset = base;
    std::wcscpy(text, driver.c_str());
    names->wDeviceOffset = static_cast<WORD>(base + driver.size() + 1);
    std::wcscpy(text + driver.size() + 1, name_.c_str());
    names->wOutputOffset = static_cast<WORD>(names->wDeviceOffset + name_.size() + 1);
    std::wcscpy(text + driver.size() + name_.size() + 2, port.c_str());
    GlobalUnlock(block);
    return block;
  }

  static Outcome OutcomeOfBlock(HGLOBAL block) {
    Outcome outcome;
    if (block == nullptr) return outcome;
    const auto* bytes = static_cast<const BYTE*>(GlobalLock(block));
    const auto* dm = reinterpret_cast<const DEVMODEW*>(bytes);
    if (dm->dmSize == kPublicSize && GlobalSize(block) >= std::size_t{kRecordSize}) {
      outcome = OutcomeOf(bytes, kPublicSize);
    }
    GlobalUnlock(block);
    return outcome;
  }

  // A common dialog's record after our sheet: A3 Landscape after OK, what it
  // had (A4 Portrait) after Cancel.
  static void ExpectChosenOrKept(bool ok, HGLOBAL devMode) {
    const Outcome got = OutcomeOfBlock(devMode);
    if (ok) {
      ExpectOutcome(got, kA3, kLandscape, got.copies);
    } else {
      ExpectOutcome(got, kA4, kPortrait, got.copies);
    }
  }

  static void FreeBlocks(HGLOBAL devMode, HGLOBAL devNames) {
    if (devMode != nullptr) GlobalFree(devMode);
    if (devNames != nullptr) GlobalFree(devNames);
  }

  static inline InstalledPrinter installation_;
  HANDLE printer_ = nullptr;
  std::wstring name_;
  DWORD thread_ = 0;
};

// DocumentPropertiesW and DocumentPropertiesA with a prompt, on our own record
// with 3 copies: OK brings A3 Landscape back; Cancel the record as it was.
TEST_F(RealClientsTest, DocumentPropertiesWithAPromptGiveBackWhatTheUserChose) {
  for (const bool ansi : {false, true}) {
    for (const bool ok : {true, false}) {
      SCOPED_TRACE(std::string(ansi ? "DocumentPropertiesA" : "DocumentPropertiesW") +
                   (ok ? ", OK" : ", Cancel"));
      std::vector<BYTE> input = OwnRecord();
      std::vector<BYTE> output(kRecordSize, 0xCD);
      LONG answer = 0;
      {
        WatcherUser user(thread_, {InOurSheet(thread_, ok)});
        if (ansi) {
          std::vector<BYTE> inputA(kRecordSize, 0);
          const std::string nameA(name_.begin(), name_.end());
          auto* dmA = reinterpret_cast<DEVMODEA*>(inputA.data());
          // The application's record as the ANSI call hands it out.
          dmA->dmSize = static_cast<WORD>(kPublicSize - kAnsiShrink);
          ASSERT_EQ(DocumentPropertiesA(nullptr, printer_, const_cast<LPSTR>(nameA.c_str()), dmA,
                                        nullptr, DM_OUT_BUFFER),
                    IDOK);
          dmA->dmCopies = 3;
          answer = DocumentPropertiesA(nullptr, printer_, const_cast<LPSTR>(nameA.c_str()),
                                       reinterpret_cast<DEVMODEA*>(output.data()), dmA,
                                       DM_IN_PROMPT | DM_IN_BUFFER | DM_OUT_BUFFER);
        } else {
          answer = DocumentPropertiesW(nullptr, printer_, name_.data(),
                                       reinterpret_cast<DEVMODEW*>(output.data()),
                                       reinterpret_cast<DEVMODEW*>(input.data()),
                                       DM_IN_PROMPT | DM_IN_BUFFER | DM_OUT_BUFFER);
        }
        EXPECT_EQ(user.taken(), 1u) << "the user never met the sheet";
      }
      // Wine's host answers IDOK for Cancel as well; the driver cannot change it.
      EXPECT_EQ(answer, IDOK);
      const Outcome got =
          OutcomeOf(output.data(), ansi ? kPublicSize - kAnsiShrink : std::size_t{kPublicSize});
      if (ok) {
        ExpectOutcome(got, kA3, kLandscape, 3);
      } else {
        ExpectOutcome(got, kA4, kPortrait, 3);
      }
    }
  }
}

// A document's settings made for another printer: only public fields, A3,
// landscape and 3 copies. The sheet opens on them, and Cancel gives them back
// with the driver's private part.
TEST_F(RealClientsTest, AForeignRecordOpensTheSheetOnItsSettings) {
  for (const WORD size : {WORD{kPublicSize}, WORD{156}}) {
    SCOPED_TRACE(size);
    std::vector<BYTE> input(kPublicSize, 0);
    auto* dm = reinterpret_cast<DEVMODEW*>(input.data());
    std::wcscpy(dm->dmDeviceName, L"Another Printer");
    dm->dmSpecVersion = DM_SPECVERSION;
    dm->dmSize = size;
    dm->dmFields = DM_PAPERSIZE | DM_ORIENTATION | DM_COPIES;
    dm->dmPaperSize = kA3;
    dm->dmOrientation = kLandscape;
    dm->dmCopies = 3;
    std::vector<BYTE> output(kRecordSize, 0xCD);
    LONG answer = 0;
    {
      WatcherUser user(thread_, {[this] {
                         HWND sheet = OurSheet(thread_);
                         if (sheet == nullptr) return false;
                         PostMessageW(sheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
                         return true;
                       }});
      answer = DocumentPropertiesW(nullptr, printer_, name_.data(),
                                   reinterpret_cast<DEVMODEW*>(output.data()), dm,
                                   DM_IN_PROMPT | DM_IN_BUFFER | DM_OUT_BUFFER);
      EXPECT_EQ(user.taken(), 1u);
    }
    EXPECT_EQ(answer, IDOK);
    ExpectOutcome(OutcomeOf(output.data(), kPublicSize), kA3, kLandscape, 3);
  }
}

// wordpad's Print dialog: Properties opens our sheet; after OK the dialog's
// record holds A3 Landscape, after Cancel what it had.
TEST_F(RealClientsTest, PrintDialogKeepsWhatOurSheetGaveBack) {
  for (const bool ok : {true, false}) {
    SCOPED_TRACE(ok ? "OK" : "Cancel");
    PRINTDLGW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hDevNames = DevNames();
    dialog.Flags = PD_NOSELECTION | PD_NOPAGENUMS;
    BOOL answer = FALSE;
    {
      WatcherUser user(thread_, {ClickIn(thread_, psh2, psh2), InOurSheet(thread_, ok),
                                 ClickIn(thread_, psh2, IDOK)});
      answer = PrintDlgW(&dialog);
      EXPECT_EQ(user.taken(), 3u) << "the user stopped short";
    }
    EXPECT_TRUE(answer) << CommDlgExtendedError();
    ExpectChosenOrKept(ok, dialog.hDevMode);
    FreeBlocks(dialog.hDevMode, dialog.hDevNames);
    if (dialog.hDC != nullptr) DeleteDC(dialog.hDC);
  }
}

// notepad's Page Setup: Printer... opens our sheet; OK there and in Page Setup
// leaves A3 Landscape in the application's record, Cancel what it had.
TEST_F(RealClientsTest, PageSetupKeepsWhatOurSheetGaveBack) {
  for (const bool ok : {true, false}) {
    SCOPED_TRACE(ok ? "OK" : "Cancel");
    PAGESETUPDLGW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hDevNames = DevNames();
    BOOL answer = FALSE;
    {
      WatcherUser user(thread_, {ClickIn(thread_, psh3, psh3), ClickIn(thread_, psh2, psh2),
                                 InOurSheet(thread_, ok), ClickIn(thread_, psh2, IDOK),
                                 ClickIn(thread_, psh3, IDOK)});
      answer = PageSetupDlgW(&dialog);
      EXPECT_EQ(user.taken(), 5u) << "the user stopped short";
    }
    EXPECT_TRUE(answer) << CommDlgExtendedError();
    ExpectChosenOrKept(ok, dialog.hDevMode);
    FreeBlocks(dialog.hDevMode, dialog.hDevNames);
  }
}

// notepad's Print > OK: a device context on our printer, a page of text and
// the job ends. Wine renders every printer with its PostScript driver, which
// reads the printer's data file as a PPD; the job lands in the printer's file.
TEST_F(RealClientsTest, APageOfTextPrintsWithoutCrashing) {
  HDC dc = CreateDCW(nullptr, name_.c_str(), nullptr, nullptr);
  ASSERT_NE(dc, nullptr) << GetLastError();
  EXPECT_GT(GetDeviceCaps(dc, LOGPIXELSX), 0);
  EXPECT_GT(GetDeviceCaps(dc, HORZRES), 0);
  DOCINFOW document{};
  document.cbSize = sizeof document;
  document.lpszDocName = L"notes.txt";
  ASSERT_GT(StartDocW(dc, &document), 0) << GetLastError();
  EXPECT_GT(StartPage(dc), 0);
  const wchar_t line[] = L"A line of text, as notepad prints it.";
  EXPECT_TRUE(TextOutW(dc, 100, 100, line, static_cast<int>(wcslen(line))));
  EXPECT_GT(EndPage(dc), 0);
  EXPECT_GT(EndDoc(dc), 0);
  DeleteDC(dc);

  // What the job holds: Wine's PostScript, on the printer's own port file.
  std::FILE* job = std::fopen(installation_.jobFile.c_str(), "rb");
  ASSERT_NE(job, nullptr) << installation_.jobFile;
  char start[11] = {};
  const std::size_t read = std::fread(start, 1, 10, job);
  std::fclose(job);
  EXPECT_EQ(std::string(start, read), "%!PS-Adobe");
}

}  // namespace
}  // namespace tqr::test
