// The Printer Information page and tqrctl's status command against a printer
// of the run's own, whose replies are set as its printer data, with the
// answer kept under the driver's key of Wine's registry.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <winspool.h>

#include <memory>
#include <ostream>
#include <regex>
#include <string>
#include <vector>

#include "sheet/sheetstate.h"
#include "installed_printer.h"
#include "maintenance/printer_info.h"
#include "platform/win32/win32_ports.h"
#include "resources/printer_info_ids.h"
#include "tqrctl_runner.h"
#include "maintenance/win32/maintenance_pages.h"
#include "wine/support/recorded_messages.h"

namespace tqr::test {
namespace {

using Bytes = std::vector<BYTE>;
using Rows = std::vector<std::wstring>;

// Where Wine's spooler keeps the driver the tests install: the x64 one from a
// 64-bit test, the x86 one from a 32-bit test.
#if defined(_WIN64)
constexpr wchar_t kDriverKey[] =
    L"SYSTEM\\CurrentControlSet\\Control\\Print\\Environments\\Windows x64\\Drivers\\"
    L"Version-3\\Orlex TQ-R5400";
#else
constexpr wchar_t kDriverKey[] =
    L"SYSTEM\\CurrentControlSet\\Control\\Print\\Environments\\Windows NT x86\\Drivers\\"
    L"Version-3\\Orlex TQ-R5400";
#endif
constexpr wchar_t kStatusReply[] = L"PrinterStatus";
constexpr wchar_t kInquiryReply[] = L"Inquiry";
constexpr const wchar_t* kStoredValues[] = {L"MediaSizeA", L"MediaA",      L"MediaSizeB",
                                            L"MediaB",     L"FarmVersion", L"GetTime"};

constexpr wchar_t kNoAnswerMessage[] =
    L"Unable to notify printer. As for the cause, the followings are thought; print job is "
    L"processed, printer power is off, or a network connection is in use.";

struct RegistryValue {
  DWORD type = REG_NONE;
  Bytes bytes;
  bool operator==(const RegistryValue&) const = default;
};

void PrintTo(const RegistryValue& value, std::ostream* out) {
  *out << "type " << value.type << ", " << value.bytes.size() << " bytes:";
  for (const BYTE byte : value.bytes) *out << ' ' << static_cast<int>(byte);
}

RegistryValue ReadDriverValue(const wchar_t* name) {
  RegistryValue value;
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kDriverKey, 0, KEY_READ, &key) != ERROR_SUCCESS) {
    return value;
  }
  DWORD size = 0;
  if (RegQueryValueExW(key, name, nullptr, &value.type, nullptr, &size) == ERROR_SUCCESS) {
    value.bytes.resize(size);
    RegQueryValueExW(key, name, nullptr, &value.type, value.bytes.data(), &size);
  }
  RegCloseKey(key);
  return value;
}

Bytes Utf16(const std::wstring& text, std::size_t size = 0) {
  Bytes bytes(reinterpret_cast<const BYTE*>(text.data()),
              reinterpret_cast<const BYTE*>(text.data() + text.size()));
  if (size > bytes.size()) bytes.resize(size, 0);
  return bytes;
}

// A stored text up to its NUL.
std::wstring TextOf(const RegistryValue& value) {
  std::wstring text(reinterpret_cast<const wchar_t*>(value.bytes.data()), value.bytes.size() / 2);
  return text.substr(0, text.find(L'\0'));
}

Bytes StatusReply(BYTE widthA, BYTE codeA, BYTE widthB, BYTE codeB, BYTE status = 0) {
  Bytes reply(kPrinterStatusSize, 0);
  reply[0] = status;
  reply[20] = widthA;
  reply[21] = codeA;
  reply[22] = widthB;
  reply[23] = codeB;
  return reply;
}

Bytes InquiryReply(const char (&version)[5]) {
  Bytes reply(kInquirySize, 0);
  std::copy(version, version + 4, reply.begin() + 36);
  return reply;
}

class PrinterInfoTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    CurrentPorts() = win32::Win32Ports();
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    installation_ = InstallPrinter(L"TQR54 info");
  }
  static void TearDownTestSuite() { UninstallPrinter(installation_); }

  void SetUp() override {
    ASSERT_TRUE(installation_.installed) << installation_.log;
    PRINTER_DEFAULTSW access = {nullptr, nullptr, PRINTER_ALL_ACCESS};
    ASSERT_TRUE(OpenPrinterW(installation_.name.data(), &printer_, &access)) << GetLastError();
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, kDriverKey, 0, KEY_SET_VALUE, &key),
              ERROR_SUCCESS)
        << "no key of the installed driver";
    for (const wchar_t* name : kStoredValues) RegDeleteValueW(key, name);
    RegCloseKey(key);
    sheet_ = std::make_unique<SheetState>();
    sheet_->printer = printer_;
    sheet_->editable = 1;
    sheet_->mayWritePrinterData = 1;
    sheet_->printerInfoInitialized = 1;
  }

  void TearDown() override {
    ClosePage();
    if (printer_ != nullptr) ClosePrinter(printer_);
  }

  void SetReply(const wchar_t* name, Bytes bytes) {
    ASSERT_EQ(SetPrinterDataW(printer_, const_cast<LPWSTR>(name), REG_BINARY, bytes.data(),
                              static_cast<DWORD>(bytes.size())),
              ERROR_SUCCESS);
  }
  // Wine 8's DeletePrinterDataExW is a stub: the value goes from the key
  // where its SetPrinterDataW keeps it.
  void RemoveReply(const wchar_t* name) {
    const std::wstring key = L"System\\CurrentControlSet\\Control\\Print\\Printers\\" +
                             installation_.name + L"\\PrinterDriverData";
    const LSTATUS status = RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, key.c_str(), name);
    ASSERT_TRUE(status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND) << status;
  }

  // The page as the host creates it, in a sheet owned by a window with
  // `ownerTitle`.
  HWND OpenPage(const wchar_t* ownerTitle) {
    ClosePage();
    owner_ = CreateWindowExW(0, L"STATIC", ownerTitle, WS_OVERLAPPEDWINDOW, 0, 0, 700, 600,
                             nullptr, nullptr, nullptr, nullptr);
    sheetWindow_ = CreateWindowExW(0, L"STATIC", L"Printing Preferences", WS_POPUP, 0, 0, 600,
                                   500, owner_, nullptr, nullptr, nullptr);
    statePlace_ = sheet_.get();
    sheetPage_ = PROPSHEETPAGEW{};
    sheetPage_.dwSize = sizeof sheetPage_;
    sheetPage_.lParam = reinterpret_cast<LPARAM>(&statePlace_);
    page_ = CreateDialogParamW(GetModuleHandleW(nullptr),
                               MAKEINTRESOURCEW(kPrinterInfoPageDialog), sheetWindow_,
                               PrinterInfoPageProc, reinterpret_cast<LPARAM>(&sheetPage_));
    return page_;
  }

  void ClosePage() {
    for (HWND* window : {&page_, &sheetWindow_, &owner_}) {
      if (*window != nullptr) DestroyWindow(*window);
      *window = nullptr;
    }
  }

  Rows ListedRows() const {
    HWND list = GetDlgItem(page_, IDC_PRINTER_INFO_LIST);
    Rows rows;
    const auto count = SendMessageW(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
      std::wstring row(static_cast<std::size_t>(SendMessageW(list, LB_GETTEXTLEN, i, 0)), L'\0');
      SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(row.data()));
      rows.push_back(row);
    }
    return rows;
  }

  bool ButtonEnabled() const {
    return IsWindowEnabled(GetDlgItem(page_, IDC_RETRIEVE_PRINTER_INFO)) != FALSE;
  }

  void PressRetrieve() {
    SendMessageW(page_, WM_COMMAND, MAKEWPARAM(IDC_RETRIEVE_PRINTER_INFO, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(page_, IDC_RETRIEVE_PRINTER_INFO)));
  }

  static inline InstalledPrinter installation_;
  HANDLE printer_ = nullptr;
  std::unique_ptr<SheetState> sheet_;
  SheetState* statePlace_ = nullptr;
  PROPSHEETPAGEW sheetPage_{};
  HWND owner_ = nullptr;
  HWND sheetWindow_ = nullptr;
  HWND page_ = nullptr;
};

TEST_F(PrinterInfoTest, AsksAtOnceUnderAnUntitledOwnerAndKeepsTheAnswer) {
  SetReply(kStatusReply, StatusReply(36, 0, 44, 2));
  SetReply(kInquiryReply, InquiryReply("1.05"));
  ASSERT_NE(OpenPage(L""), nullptr);
  EXPECT_EQ(ListedRows(), (Rows{L" ", L"Media Tray A: 36in Plain Papers", L"Media Tray B: 44in ",
                                L" ", L" ", L"Firmware version: 1.05"}));
  EXPECT_TRUE(ButtonEnabled());
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(page_, IDC_PRINTER_INFO_LIST)));

  // Types and lengths as written: one byte of DWORD per width, texts
  // without their NUL, the time in 65 bytes.
  EXPECT_EQ(ReadDriverValue(L"MediaSizeA"), (RegistryValue{REG_DWORD, {36}}));
  EXPECT_EQ(ReadDriverValue(L"MediaA"), (RegistryValue{REG_SZ, Utf16(L"Plain Papers")}));
  EXPECT_EQ(ReadDriverValue(L"MediaSizeB"), (RegistryValue{REG_DWORD, {44}}));
  EXPECT_EQ(ReadDriverValue(L"MediaB"), (RegistryValue{REG_SZ, Utf16(L"No media")}));
  EXPECT_EQ(ReadDriverValue(L"FarmVersion"), (RegistryValue{REG_SZ, Utf16(L"1.05")}));
  const RegistryValue time = ReadDriverValue(L"GetTime");
  EXPECT_EQ(time.type, DWORD{REG_SZ});
  EXPECT_EQ(time.bytes.size(), 65u);
  const std::wstring timeText = TextOf(time);
  const std::wregex timeFormat(LR"(\d{4}/\d{1,2}/\d{1,2} \d{1,2}:\d\d:\d\d)");
  EXPECT_TRUE(std::regex_match(timeText, timeFormat))
      << std::string(timeText.begin(), timeText.end());

  // Under an application's window the page shows what it kept.
  ASSERT_NE(OpenPage(L"Application"), nullptr);
  EXPECT_EQ(ListedRows(), (Rows{L"Time obtained: " + timeText, L" ",
                                L"Media Tray A: 36in Plain Papers", L"Media Tray B: No media",
                                L" ", L" ", L"Firmware version: 1.05"}));
  EXPECT_FALSE(ButtonEnabled());
}

TEST_F(PrinterInfoTest, TheButtonAsksAgainAndSaysWhenThePrinterDoesNotAnswer) {
  SetReply(kStatusReply, StatusReply(24, 5, 0, 0));
  RemoveReply(kInquiryReply);
  ASSERT_NE(OpenPage(L""), nullptr);
  const Rows first = {L" ", L"Media Tray A: 24in Glossy Paper", L"Media Tray B: No media",
                      L" ", L" ", L"Firmware version: "};
  ASSERT_EQ(ListedRows(), first);
  const RegistryValue firstTime = ReadDriverValue(L"GetTime");

  RecordedMessages boxes;
  SetReply(kStatusReply, StatusReply(36, 1, 36, 1, 1));
  PressRetrieve();
  ASSERT_EQ(boxes.asked.size(), 1u);
  EXPECT_EQ(boxes.asked[0].text, kNoAnswerMessage);
  EXPECT_EQ(boxes.asked[0].caption, L"Retrieving Printer Information");
  EXPECT_EQ(boxes.asked[0].flags, UINT{MB_OK | MB_ICONERROR | MB_TASKMODAL});
  EXPECT_EQ(ListedRows(), first);
  EXPECT_EQ(ReadDriverValue(L"MediaA"), (RegistryValue{REG_SZ, Utf16(L"Glossy Paper")}));
  EXPECT_EQ(ReadDriverValue(L"GetTime"), firstTime);

  // A printer that gives no reply at all has told nothing either.
  RemoveReply(kStatusReply);
  PressRetrieve();
  EXPECT_EQ(boxes.asked.size(), 2u);
  EXPECT_EQ(ListedRows(), first);

  SetReply(kStatusReply, StatusReply(36, 11, 17, 32));
  PressRetrieve();
  EXPECT_EQ(boxes.asked.size(), 2u);
  EXPECT_EQ(ListedRows(), (Rows{L" ", L"Media Tray A: 36in Heavywight Coated Paper",
                                L"Media Tray B: 17in Other Media", L" ", L" ",
                                L"Firmware version: "}));
  EXPECT_EQ(ReadDriverValue(L"FarmVersion"), (RegistryValue{REG_SZ, Bytes(8, 0)}));
}

TEST_F(PrinterInfoTest, ShowsWhatItKeptWhenItMayNotOrCannotAsk) {
  SetReply(kStatusReply, StatusReply(36, 0, 0, 0));
  SetReply(kInquiryReply, InquiryReply("2.10"));
  ASSERT_NE(OpenPage(L""), nullptr);
  const std::wstring kept = L"Time obtained: " + TextOf(ReadDriverValue(L"GetTime"));
  const Rows stored = {kept, L" ", L"Media Tray A: 36in Plain Papers", L"Media Tray B: No media",
                       L" ", L" ", L"Firmware version: 2.10"};
  SetReply(kStatusReply, StatusReply(44, 1, 44, 1));

  struct Case {
    const wchar_t* owner;
    DWORD mayWrite;
    bool replies;
    bool buttonEnabled;
  };
  const Case cases[] = {
      {L"Application", 1, true, false},
      {L"", 0, true, false},
      // Allowed to ask, but the printer gives no reply: the last answer,
      // and the button to try again.
      {L"", 1, false, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "owner \"" << (c.owner[0] ? "titled" : "untitled")
                                    << "\", may write " << c.mayWrite);
    if (!c.replies) RemoveReply(kStatusReply);
    sheet_->mayWritePrinterData = c.mayWrite;
    ASSERT_NE(OpenPage(c.owner), nullptr);
    EXPECT_EQ(ListedRows(), stored);
    EXPECT_EQ(ButtonEnabled(), c.buttonEnabled);
  }
}

TEST_F(PrinterInfoTest, CreatesTheValuesOncePerSettingsRecord) {
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, kDriverKey, 0, KEY_SET_VALUE, &key), ERROR_SUCCESS);
  const Bytes marker = Utf16(L"marker");
  RegSetValueExW(key, L"MediaA", 0, REG_SZ, marker.data(), static_cast<DWORD>(marker.size()));
  RegCloseKey(key);

  ASSERT_NE(OpenPage(L"Application"), nullptr);
  EXPECT_EQ(TextOf(ReadDriverValue(L"MediaA")), L"marker");

  sheet_->printerInfoInitialized = 0;
  ASSERT_NE(OpenPage(L"Application"), nullptr);
  EXPECT_EQ(sheet_->printerInfoInitialized, 1u);
  EXPECT_EQ(ReadDriverValue(L"MediaSizeA"), (RegistryValue{REG_DWORD, Bytes(4, 0)}));
  EXPECT_EQ(ReadDriverValue(L"MediaA"), (RegistryValue{REG_SZ, Utf16(L"No media", 48)}));
  EXPECT_EQ(ReadDriverValue(L"MediaSizeB"), (RegistryValue{REG_DWORD, Bytes(4, 0)}));
  EXPECT_EQ(ReadDriverValue(L"MediaB"), (RegistryValue{REG_SZ, Utf16(L"No media", 48)}));
  EXPECT_EQ(ReadDriverValue(L"FarmVersion"), (RegistryValue{REG_SZ, Bytes(8, 0)}));
  EXPECT_EQ(ReadDriverValue(L"GetTime"), (RegistryValue{REG_SZ, Bytes(8, 0)}));
  EXPECT_EQ(ListedRows(), (Rows{L"Time obtained: ", L" ", L"Media Tray A: No media",
                                L"Media Tray B: No media", L" ", L" ", L"Firmware version: "}));
}

TEST(PrinterInfoTextTest, FirmwareCharactersAreTheSystemsCodePage1252) {
  for (int byte = 0; byte < 256; ++byte) {
    const char narrow = static_cast<char>(byte);
    wchar_t wide = 0;
    ASSERT_EQ(MultiByteToWideChar(1252, MB_PRECOMPOSED, &narrow, 1, &wide, 1), 1);
    const auto value = static_cast<std::uint8_t>(byte);
    EXPECT_EQ(static_cast<wchar_t>(TextFromCodePage1252(&value, 1)[0]), wide) << byte;
  }
}

TEST_F(PrinterInfoTest, TqrctlStatusPrintsThePagesLines) {
  SetReply(kStatusReply, StatusReply(36, 0, 0, 0));
  SetReply(kInquiryReply, InquiryReply("1.05"));
  TqrctlRun run = RunTqrctl({L"status", L"--printer", installation_.name});
  EXPECT_EQ(run.exitCode, 0) << run.output;
  // The page's lines, without the blank rows that only space the page.
  EXPECT_EQ(run.output,
            "Media Tray A: 36in Plain Papers\nMedia Tray B: No media\n"
            "Firmware version: 1.05\n");

  SetReply(kStatusReply, StatusReply(36, 0, 0, 0, 1));
  run = RunTqrctl({L"status", L"--printer", installation_.name});
  EXPECT_EQ(run.exitCode, 1) << run.output;
  EXPECT_NE(run.output.find("no status from the printer"), std::string::npos) << run.output;
}

}  // namespace
}  // namespace tqr::test
