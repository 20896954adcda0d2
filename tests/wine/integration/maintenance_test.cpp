// The Maintenance page, its two dialogs and tqrctl's maintenance commands,
// driven as a user drives them, with the jobs checked as they reach the port
// of a printer installed for the run.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <compstui.h>
#include <winspool.h>

#include <cstdint>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "sheet/sheetstate.h"
#include "installed_printer.h"
#include "maintenance/win32/command_job.h"
#include "resources/maintenance_ids.h"
#include "support/processes.h"
#include "tqrctl/options.h"
#include "tqrctl_runner.h"
#include "ui/greyed_picture.h"
#include "ui/win32/module_instance.h"
#include "maintenance/win32/maintenance_pages.h"
#include "wine/support/recorded_messages.h"

namespace tqr::test {
namespace {

// --- job bytes ------------------------------------------------------------------

// One block as the printer must receive it.
std::string Block(std::uint8_t operand, std::uint8_t operation) {
  std::string block("\x00\x10\x00\x00\x44\x00\x00\x00", 8);
  block += static_cast<char>(operand);
  block += static_cast<char>(operation);
  block.resize(68, '\0');
  return block;
}

std::string AlignmentBlocks(const std::vector<std::uint8_t>& values) {
  std::string job;
  for (std::size_t i = 0; i < values.size(); ++i) {
    job += Block(values[i], static_cast<std::uint8_t>(0x20 + i));
  }
  return job;
}

// --- the spooler's side of StartDocPrinterW -----------------------------------------

// The address through which this program calls a function of a DLL.
void** ImportSlot(const char* dll, const char* function) {
  auto* base = reinterpret_cast<BYTE*>(GetModuleHandleW(nullptr));
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  const IMAGE_DATA_DIRECTORY& directory =
      nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  auto* import = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + directory.VirtualAddress);
  for (; import->Name != 0; ++import) {
    if (lstrcmpiA(reinterpret_cast<const char*>(base + import->Name), dll) != 0) continue;
    auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + import->OriginalFirstThunk);
    auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + import->FirstThunk);
    for (; names->u1.AddressOfData != 0; ++names, ++slots) {
      if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
      const auto* byName =
          reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
      if (std::strcmp(reinterpret_cast<const char*>(byName->Name), function) == 0) {
        return reinterpret_cast<void**>(&slots->u1.Function);
      }
    }
  }
  return nullptr;
}

// What the last document handed to the spooler was called and asked for.
struct StartedDocument {
  int count = 0;
  DWORD level = 0;
  std::wstring name;
  bool outputFile = false;
  bool dataType = false;
};
StartedDocument started_document;
using StartDocFunction = DWORD(WINAPI*)(HANDLE, DWORD, LPBYTE);
StartDocFunction real_start_doc = nullptr;

DWORD WINAPI RecordingStartDoc(HANDLE printer, DWORD level, LPBYTE info) {
  ++started_document.count;
  started_document.level = level;
  const auto* document = reinterpret_cast<const DOC_INFO_1W*>(info);
  if (document != nullptr) {
    started_document.name = document->pDocName != nullptr ? document->pDocName : L"(null)";
    started_document.outputFile = document->pOutputFile != nullptr;
    started_document.dataType = document->pDatatype != nullptr;
  }
  return real_start_doc(printer, level, info);
}

// Puts the recorder between this program and the spooler for its lifetime.
class StartDocSpy {
 public:
  StartDocSpy() : slot_(ImportSlot("winspool.drv", "StartDocPrinterW")) {
    started_document = StartedDocument{};
    if (slot_ == nullptr) return;
    real_start_doc = reinterpret_cast<StartDocFunction>(*slot_);
    Write(reinterpret_cast<void*>(RecordingStartDoc));
  }
  ~StartDocSpy() {
    if (slot_ != nullptr) Write(reinterpret_cast<void*>(real_start_doc));
  }
  bool active() const { return slot_ != nullptr; }

 private:
  void Write(void* function) {
    DWORD protection = 0;
    VirtualProtect(slot_, sizeof *slot_, PAGE_READWRITE, &protection);
    *slot_ = function;
    VirtualProtect(slot_, sizeof *slot_, protection, &protection);
  }
  void** slot_;
};

// --- the host ---------------------------------------------------------------------

struct HostCall {
  UINT function;
  LPARAM first;
  LPARAM second;
};
std::vector<HostCall> host_calls;

LONG_PTR CALLBACK RecordingHost(HANDLE, UINT function, LPARAM first, LPARAM second) {
  host_calls.push_back({function, first, second});
  return 1;
}

// --- driving a modal dialog --------------------------------------------------------

// A user's script for the next modal dialog with `title`, run from a timer
// once the dialog is up. Whatever the script leaves open is cancelled.
std::function<void(HWND)> modal_script;
const wchar_t* modal_title = nullptr;
bool modal_found = false;

void CALLBACK RunModalScript(HWND, UINT, UINT_PTR timer, DWORD) {
  HWND dialog = FindWindowW(L"#32770", modal_title);
  if (dialog == nullptr) return;  // not up yet: the timer comes again
  KillTimer(nullptr, timer);
  modal_found = true;
  modal_script(dialog);
  PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
}

void WhenDialogOpens(const wchar_t* title, std::function<void(HWND)> script) {
  modal_title = title;
  modal_script = std::move(script);
  modal_found = false;
  SetTimer(nullptr, 0, 20, RunModalScript);
}

void Click(HWND dialog, int id) { SendDlgItemMessageW(dialog, id, BM_CLICK, 0, 0); }

bool Checked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }

bool Enabled(HWND dialog, int id) { return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE; }

// --- pixels --------------------------------------------------------------------------

// A 32-bit picture in memory to draw into and read back.
class Canvas {
 public:
  Canvas(int width, int height) : width_(width), height_(height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    dc_ = CreateCompatibleDC(nullptr);
    bitmap_ =
        CreateDIBSection(dc_, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0);
    previous_ = SelectObject(dc_, bitmap_);
  }
  ~Canvas() {
    SelectObject(dc_, previous_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  HDC dc() const { return dc_; }
  COLORREF At(int x, int y) const {
    const std::uint32_t pixel = bits_[y * width_ + x];
    return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
  }
  int width() const { return width_; }
  int height() const { return height_; }

 private:
  int width_;
  int height_;
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ previous_ = nullptr;
  std::uint32_t* bits_ = nullptr;
};

// --- the fixture ---------------------------------------------------------------------

class MaintenanceTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    SetModuleInstance(GetModuleHandleW(nullptr));
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    installation_ = InstallPrinter(L"TQR54 maintenance");
  }
  static void TearDownTestSuite() { UninstallPrinter(installation_); }

  void SetUp() override {
    ASSERT_TRUE(installation_.installed) << installation_.log;
    ASSERT_TRUE(OpenPrinterW(installation_.name.data(), &printer_, nullptr)) << GetLastError();
    sheet_ = std::make_unique<SheetState>();
    sheet_->printer = printer_;
    sheet_->editable = 1;
    sheet_->hostCallback = reinterpret_cast<void*>(RecordingHost);
    sheet_->lastPageValue = 0x1234;
    host_calls.clear();
  }

  void TearDown() override {
    if (page_ != nullptr) DestroyWindow(page_);
    if (parent_ != nullptr) DestroyWindow(parent_);
    if (printer_ != nullptr) ClosePrinter(printer_);
  }

  // The page as the host creates it: a child of the sheet, handed its
  // PROPSHEETPAGEW whose lParam leads to the sheet state.
  HWND OpenPage() {
    if (parent_ == nullptr) {
      parent_ = CreateWindowExW(0, L"STATIC", L"sheet", WS_POPUP, 0, 0, 600, 500, nullptr, nullptr,
                                nullptr, nullptr);
    }
    statePlace_ = sheet_.get();
    sheetPage_ = PROPSHEETPAGEW{};
    sheetPage_.dwSize = sizeof sheetPage_;
    sheetPage_.lParam = reinterpret_cast<LPARAM>(&statePlace_);
    page_ = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kMaintenancePageDialog),
                               parent_, MaintenancePageProc, reinterpret_cast<LPARAM>(&sheetPage_));
    return page_;
  }

  // Clicks one of the page's picture buttons.
  void Press(int id) {
    SendMessageW(page_, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(page_, id)));
  }

  static void ForgetJob() { DeleteFileW(Widen(installation_.jobFile).c_str()); }
  // What reached the port since ForgetJob; "(nothing)" when no job came.
  static std::string LandedJob() {
    std::string bytes;
    return ReadWholeFile(installation_.jobFile, &bytes) ? bytes : "(nothing)";
  }

  LONG_PTR Notify(UINT code) {
    PSHNOTIFY notify{};
    notify.hdr.hwndFrom = parent_;
    notify.hdr.code = code;
    SetWindowLongPtrW(page_, DWLP_MSGRESULT, 0x55);
    SendMessageW(page_, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&notify));
    return GetWindowLongPtrW(page_, DWLP_MSGRESULT);
  }

  static inline InstalledPrinter installation_;
  HANDLE printer_ = nullptr;
  std::unique_ptr<SheetState> sheet_;
  SheetState* statePlace_ = nullptr;
  PROPSHEETPAGEW sheetPage_{};
  HWND parent_ = nullptr;
  HWND page_ = nullptr;
};

TEST_F(MaintenanceTest, JobsReachThePortAsOneDocumentNamedPrinterSetting) {
  StartDocSpy spy;
  ASSERT_TRUE(spy.active());
  const std::string blocks = AlignmentBlocks({1, 2, 3, 4, 5, 6, 7});
  ForgetJob();
  EXPECT_EQ(SendCommandJob(installation_.name.c_str(), blocks.data(),
                           static_cast<std::uint32_t>(blocks.size())),
            CommandJobResult::kSent);
  EXPECT_EQ(LandedJob(), blocks);
  EXPECT_EQ(started_document.count, 1);
  EXPECT_EQ(started_document.level, 1u);
  EXPECT_EQ(started_document.name, L"Printer Setting");
  EXPECT_FALSE(started_document.outputFile);
  EXPECT_FALSE(started_document.dataType);

  // A printer that cannot be opened gets nothing, and nothing is started.
  started_document = StartedDocument{};
  ForgetJob();
  EXPECT_EQ(SendCommandJob(L"TQR54 no such printer", blocks.data(), 68),
            CommandJobResult::kNotOpened);
  EXPECT_EQ(SendCommandJob(L"", blocks.data(), 68), CommandJobResult::kNotOpened);
  EXPECT_EQ(started_document.count, 0);
  EXPECT_EQ(LandedJob(), "(nothing)");
}

TEST_F(MaintenanceTest, TqrctlSendsTheSameJobs) {
  const struct {
    std::vector<std::wstring> args;
    std::string job;
  } cases[] = {
      {{L"clean"}, Block(0x3F, 0x10)},
      {{L"clean", L"--colors", L"k"}, Block(0x04, 0x10)},
      {{L"clean", L"--colors", L"c,pm,y"}, Block(0x2A, 0x10)},
      {{L"nozzle-check"}, Block(0x00, 0x81)},
      {{L"align"}, Block(0x00, 0x40)},
      {{L"test-pattern"}, Block(0x00, 0x80)},
      {{L"align-values", L"5", L"5", L"5", L"5", L"5", L"5", L"5"},
       AlignmentBlocks({5, 5, 5, 5, 5, 5, 5})},
      {{L"align-values", L"1", L"9", L"2", L"8", L"3", L"7", L"4"},
       AlignmentBlocks({1, 9, 2, 8, 3, 7, 4})},
  };
  for (const auto& c : cases) {
    std::vector<std::wstring> args = c.args;
    args.insert(args.end(), {L"--printer", installation_.name});
    ForgetJob();
    const TqrctlRun run = RunTqrctl(args);
    EXPECT_EQ(run.exitCode, 0) << run.output;
    EXPECT_EQ(LandedJob(), c.job) << run.output;
  }

  ForgetJob();
  const TqrctlRun run = RunTqrctl({L"nozzle-check", L"--printer", L"TQR54 no such printer"});
  EXPECT_EQ(run.exitCode, 1) << run.output;
  EXPECT_EQ(LandedJob(), "(nothing)");
}

TEST(MaintenanceCommandLineTest, ReadsInksAndAlignmentValues) {
  tqrctl::Options options;
  std::string complaint;
  ASSERT_TRUE(tqrctl::ParseCommandLine({L"clean", L"--colors", L"pc,k"}, &options, &complaint))
      << complaint;
  EXPECT_EQ(options.inks, 0x05);
  ASSERT_TRUE(tqrctl::ParseCommandLine({L"clean"}, &options, &complaint)) << complaint;
  EXPECT_EQ(options.inks, 0x3F);
  ASSERT_TRUE(tqrctl::ParseCommandLine(
      {L"align-values", L"1", L"2", L"3", L"--printer", L"P", L"4", L"5", L"6", L"9"}, &options,
      &complaint))
      << complaint;
  EXPECT_EQ(options.alignValues, (std::vector<int>{1, 2, 3, 4, 5, 6, 9}));
  EXPECT_EQ(options.printer, L"P");

  const std::vector<std::vector<std::wstring>> refused = {
      {L"clean", L"--colors", L"x"},
      {L"clean", L"--colors", L"k,k"},  // an ink twice
      {L"clean", L"--colors", L"c,,m"},
      {L"clean", L"--colors", L"c,"},
      {L"nozzle-check", L"--colors", L"k"},
      {L"align", L"5"},
      {L"align-values", L"5", L"5", L"5", L"5", L"5", L"5"},
      {L"align-values", L"5", L"5", L"5", L"5", L"5", L"5", L"5", L"5"},
      {L"align-values", L"0", L"5", L"5", L"5", L"5", L"5", L"5"},
      {L"align-values", L"10", L"5", L"5", L"5", L"5", L"5", L"5"},
  };
  for (const auto& args : refused) {
    std::string line;
    for (const auto& arg : args) line += " " + std::string(arg.begin(), arg.end());
    EXPECT_FALSE(tqrctl::ParseCommandLine(args, &options, &complaint)) << line;
    EXPECT_FALSE(complaint.empty()) << line;
  }
}

TEST_F(MaintenanceTest, NozzleCheckIsSentAtOnceWithoutAWord) {
  RecordedMessages messages(IDOK);
  ASSERT_NE(OpenPage(), nullptr);
  ForgetJob();
  Press(IDC_NOZZLE_CHECK_BUTTON);
  EXPECT_EQ(LandedJob(), Block(0x00, 0x81));

  // A sheet whose printer has no name to open by: nothing goes out, nothing is said.
  DestroyWindow(page_);
  sheet_->printer = nullptr;
  ASSERT_NE(OpenPage(), nullptr);
  ForgetJob();
  Press(IDC_NOZZLE_CHECK_BUTTON);
  EXPECT_EQ(LandedJob(), "(nothing)");
  EXPECT_TRUE(messages.asked.empty());
}

TEST_F(MaintenanceTest, CleaningDialogSendsTheCheckedInks) {
  ASSERT_NE(OpenPage(), nullptr);
  const int boxes[] = {IDC_CHECK_CYAN,       IDC_CHECK_MAGENTA,       IDC_CHECK_YELLOW,
                       IDC_CHECK_PHOTO_CYAN, IDC_CHECK_PHOTO_MAGENTA, IDC_CHECK_BLACK};
  const struct {
    int swatch;
    COLORREF colour;
  } swatches[] = {
      {IDC_SWATCH_CYAN, RGB(0, 255, 255)},
      {IDC_SWATCH_MAGENTA, RGB(255, 0, 255)},
      {IDC_SWATCH_YELLOW, RGB(255, 255, 0)},
      {IDC_SWATCH_PHOTO_CYAN, RGB(200, 255, 255)},
      {IDC_SWATCH_PHOTO_MAGENTA, RGB(255, 200, 255)},
      {IDC_SWATCH_BLACK, RGB(0, 0, 0)},
  };

  ForgetJob();
  WhenDialogOpens(L"Print Head Cleaning", [&](HWND dialog) {
    EXPECT_NE(FindWindowExW(dialog, nullptr, L"Static",
                            L"Select the color for cleaning. Click 'Execute Cleaning' button."),
              nullptr);
    // Every swatch in its ink's colour.
    RECT client{};
    GetClientRect(dialog, &client);
    Canvas canvas(client.right, client.bottom);
    SendMessageW(dialog, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.dc()), PRF_CLIENT);
    for (const auto& s : swatches) {
      RECT rect{};
      GetWindowRect(GetDlgItem(dialog, s.swatch), &rect);
      MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
      EXPECT_EQ(canvas.At((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2), s.colour)
          << "swatch " << s.swatch;
    }
    // All inks to begin with; none leaves nothing to execute; one is enough.
    for (const int box : boxes) EXPECT_TRUE(Checked(dialog, box)) << box;
    EXPECT_TRUE(Enabled(dialog, IDC_EXECUTE_CLEANING));
    for (const int box : boxes) Click(dialog, box);
    EXPECT_FALSE(Enabled(dialog, IDC_EXECUTE_CLEANING));
    Click(dialog, IDC_CHECK_BLACK);
    EXPECT_TRUE(Enabled(dialog, IDC_EXECUTE_CLEANING));
    Click(dialog, IDC_CHECK_CYAN);
    Click(dialog, IDC_EXECUTE_CLEANING);
  });
  Press(IDC_CLEANING_BUTTON);
  EXPECT_TRUE(modal_found);
  EXPECT_EQ(LandedJob(), Block(0x0C, 0x10));

  // Cancelled: nothing is sent, and the next opening starts from all inks again.
  ForgetJob();
  WhenDialogOpens(L"Print Head Cleaning", [&](HWND dialog) {
    EXPECT_TRUE(Checked(dialog, IDC_CHECK_MAGENTA));
    Click(dialog, IDCANCEL);
  });
  Press(IDC_CLEANING_BUTTON);
  EXPECT_TRUE(modal_found);
  EXPECT_EQ(LandedJob(), "(nothing)");
}

TEST_F(MaintenanceTest, AlignmentDialogSendsPatternAutoAndManualValues) {
  ASSERT_NE(OpenPage(), nullptr);
  std::vector<std::string> landed;
  WhenDialogOpens(L"Print Head Alignment", [&](HWND dialog) {
    for (int id = IDC_ALIGN_VALUE_A; id <= IDC_ALIGN_VALUE_G; ++id) {
      HWND list = GetDlgItem(dialog, id);
      ASSERT_EQ(SendMessageW(list, CB_GETCOUNT, 0, 0), 9) << id;
      for (int i = 0; i < 9; ++i) {
        wchar_t text[8] = {};
        SendMessageW(list, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
        EXPECT_EQ(std::wstring(text), std::to_wstring(i + 1));
      }
      EXPECT_EQ(SendMessageW(list, CB_GETCURSEL, 0, 0), 4) << id;
    }
    // The pattern as often as asked, with the dialog staying open (a closing
    // dialog gives up its state block).
    for (int press = 0; press < 2; ++press) {
      ForgetJob();
      Click(dialog, IDC_PRINT_TEST_PATTERN);
      landed.push_back(LandedJob());
      EXPECT_NE(GetWindowLongPtrW(dialog, DWLP_USER), 0);
    }
    const int chosen[7] = {0, 8, 1, 7, 2, 6, 4};
    for (int i = 0; i < 7; ++i) {
      SendDlgItemMessageW(dialog, IDC_ALIGN_VALUE_A + i, CB_SETCURSEL, chosen[i], 0);
    }
    ForgetJob();
    Click(dialog, IDC_SEND_ALIGN_VALUES);
  });
  Press(IDC_ALIGNMENT_BUTTON);
  EXPECT_TRUE(modal_found);
  EXPECT_EQ(landed, std::vector<std::string>(2, Block(0x00, 0x80)));
  EXPECT_EQ(LandedJob(), AlignmentBlocks({1, 9, 2, 8, 3, 7, 5}));

  ForgetJob();
  WhenDialogOpens(L"Print Head Alignment", [](HWND dialog) { Click(dialog, IDC_RUN_AUTO_ALIGN); });
  Press(IDC_ALIGNMENT_BUTTON);
  EXPECT_EQ(LandedJob(), Block(0x00, 0x40));

  ForgetJob();
  WhenDialogOpens(L"Print Head Alignment", [](HWND dialog) { Click(dialog, IDCANCEL); });
  Press(IDC_ALIGNMENT_BUTTON);
  EXPECT_EQ(LandedJob(), "(nothing)");
}

TEST_F(MaintenanceTest, ReadOnlySheetDisablesEveryControl) {
  const int controls[] = {IDC_CLEANING_BUTTON,   IDC_NOZZLE_CHECK_BUTTON, IDC_ALIGNMENT_BUTTON,
                          IDC_CLEANING_GROUP,    IDC_CLEANING_TEXT,       IDC_TEST_PRINTS_GROUP,
                          IDC_NOZZLE_CHECK_TEXT, IDC_ALIGNMENT_TEXT,      IDC_ROLL_MEDIA_NOTE};
  for (const std::uint32_t editable : {1u, 0u}) {
    sheet_->editable = editable;
    ASSERT_NE(OpenPage(), nullptr);
    for (const int id : controls) {
      ASSERT_NE(GetDlgItem(page_, id), nullptr) << id;
      EXPECT_EQ(Enabled(page_, id), editable != 0) << id << ", editable " << editable;
    }
    DestroyWindow(page_);
    page_ = nullptr;
  }
}

TEST_F(MaintenanceTest, PictureButtonsShowTheirBitmapsAndFocus) {
  ASSERT_NE(OpenPage(), nullptr);
  const struct {
    int button;
    int normal;
    int pressed;
  } buttons[] = {
      {IDC_CLEANING_BUTTON, IDB_CLEANING, IDB_CLEANING_PRESSED},
      {IDC_NOZZLE_CHECK_BUTTON, IDB_NOZZLE_CHECK, IDB_NOZZLE_CHECK_PRESSED},
      {IDC_ALIGNMENT_BUTTON, IDB_ALIGNMENT, IDB_ALIGNMENT_PRESSED},
  };
  const struct {
    UINT action;
    UINT state;
    bool pressed;
    bool focus;
    bool greyed;
  } draws[] = {
      {ODA_DRAWENTIRE, 0, false, false, false},
      {ODA_DRAWENTIRE, ODS_FOCUS, false, true, false},
      {ODA_SELECT, ODS_SELECTED, true, true, false},
      {ODA_SELECT, 0, false, false, false},
      // A read-only sheet's buttons must not look as if they could be pressed.
      {ODA_DRAWENTIRE, ODS_DISABLED, false, false, true},
  };
  constexpr int kSize = 64;
  constexpr int kBitmap = 48;
  constexpr int kAt = (kSize - kBitmap) / 2;
  const COLORREF face = GetSysColor(COLOR_3DFACE);
  for (const auto& b : buttons) {
    for (const auto& d : draws) {
      Canvas canvas(kSize, kSize);
      DRAWITEMSTRUCT item{};
      item.CtlType = ODT_BUTTON;
      item.CtlID = static_cast<UINT>(b.button);
      item.itemAction = d.action;
      item.itemState = d.state;
      item.hwndItem = GetDlgItem(page_, b.button);
      item.hDC = canvas.dc();
      item.rcItem = {0, 0, kSize, kSize};
      SendMessageW(page_, WM_DRAWITEM, static_cast<WPARAM>(b.button),
                   reinterpret_cast<LPARAM>(&item));

      Canvas expected(kBitmap, kBitmap);
      HBITMAP bitmap = LoadBitmapW(GetModuleHandleW(nullptr),
                                   MAKEINTRESOURCEW(d.pressed ? b.pressed : b.normal));
      ASSERT_NE(bitmap, nullptr);
      HDC source = CreateCompatibleDC(nullptr);
      HGDIOBJ previous = SelectObject(source, bitmap);
      BitBlt(expected.dc(), 0, 0, kBitmap, kBitmap, source, 0, 0, SRCCOPY);
      SelectObject(source, previous);
      DeleteDC(source);
      DeleteObject(bitmap);

      int differing = 0;
      for (int y = 0; y < kBitmap; ++y) {
        for (int x = 0; x < kBitmap; ++x) {
          const COLORREF want =
              d.greyed ? GreyedPixel(expected.At(x, y), face) : expected.At(x, y);
          if (canvas.At(kAt + x, kAt + y) != want) ++differing;
        }
      }
      EXPECT_EQ(differing, 0) << "button " << b.button << ", action " << d.action;
      // The focus rectangle runs one pixel outside the bitmap; the rest is face.
      int ringMarks = 0;
      for (int i = kAt - 1; i <= kAt + kBitmap; ++i) {
        for (const COLORREF c : {canvas.At(i, kAt - 1), canvas.At(i, kAt + kBitmap),
                                 canvas.At(kAt - 1, i), canvas.At(kAt + kBitmap, i)}) {
          if (c != face) ++ringMarks;
        }
      }
      EXPECT_EQ(ringMarks > 0, d.focus) << "button " << b.button << ", state " << d.state;
      EXPECT_EQ(canvas.At(0, 0), face);
    }
  }
}

TEST_F(MaintenanceTest, ConfirmsAndCancelsTheSheetLikeTheMainPage) {
  ASSERT_NE(OpenPage(), nullptr);
  // OK: the flags are kept and the host hears OK.
  sheet_->mainPageFlags = 0x08;
  EXPECT_EQ(Notify(PSN_APPLY), PSNRET_NOERROR);
  EXPECT_EQ(sheet_->firstPageOnly.current, 1);
  EXPECT_EQ(sheet_->firstPageOnly.saved, 1);
  EXPECT_EQ(sheet_->overlayPrompt.current, 1);
  ASSERT_EQ(host_calls.size(), 1u);
  EXPECT_EQ(host_calls[0].function, UINT{CPSFUNC_SET_RESULT});
  EXPECT_EQ(host_calls[0].first, 0x1234);
  EXPECT_EQ(host_calls[0].second, CPSUI_OK);

  // Cancel asks nothing and changes nothing while no print mode was lost.
  host_calls.clear();
  {
    RecordedMessages messages(IDYES);
    EXPECT_EQ(Notify(PSN_QUERYCANCEL), FALSE);
    Notify(PSN_RESET);
    EXPECT_TRUE(messages.asked.empty());
    EXPECT_TRUE(host_calls.empty());
  }

  // After one was lost, the user is asked; Yes keeps the sheet open.
  sheet_->mainPageFlags = 0x10;
  for (const int answer : {IDYES, IDNO}) {
    RecordedMessages messages(answer);
    EXPECT_EQ(Notify(PSN_QUERYCANCEL), answer == IDYES ? TRUE : FALSE);
    ASSERT_EQ(messages.asked.size(), 1u);
    EXPECT_EQ(messages.asked[0].caption, L"Orlex TQ-R5400");
    EXPECT_EQ(messages.asked[0].flags, UINT{MB_YESNO | MB_ICONWARNING | MB_TASKMODAL});
    EXPECT_EQ(messages.asked[0].text.rfind(L"Cannot cancel the settings in effect", 0), 0u);
  }
  // Cancelling then takes the saved settings and still reports OK.
  sheet_->cyan.saved = 7;
  sheet_->cyan.current = 3;
  sheet_->overlayPrompt.current = 0;
  sheet_->overlayPrompt.saved = 0;
  Notify(PSN_RESET);
  EXPECT_EQ(sheet_->cyan.current, 7);
  EXPECT_EQ(sheet_->overlayPrompt.current, 0);
  ASSERT_EQ(host_calls.size(), 1u);
  EXPECT_EQ(host_calls[0].second, CPSUI_OK);
}

}  // namespace
}  // namespace tqr::test
