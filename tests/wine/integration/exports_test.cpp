// The driver's exports as the installed package answers them: settings records and
// capabilities through Wine's winspool, and the exports winspool never calls
// (conversion, printer events) loaded from the installed config module the way the
// spooler service loads it on Windows.
#include <gtest/gtest.h>

#include <windows.h>
#include <winspool.h>

#include <cstddef>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "support/processes.h"
#include "installed_printer.h"
#include "tqrctl_runner.h"

namespace tqr::test {
namespace {

constexpr std::size_t kDriverVersionOffset = offsetof(DEVMODEW, dmDriverVersion);
constexpr WORD kDriverVersion = 0x102;

// MinGW's headers lack the conversion modes and the printer event codes.
constexpr DWORD kConvert = 0x01;
constexpr DWORD kConvert351 = 0x02;
constexpr DWORD kDriverDefault = 0x04;
constexpr INT kEventInitialize = 3;
constexpr INT kEventAddConnection = 1;

using ConvertDevModeFn = BOOL(WINAPI*)(LPWSTR, PDEVMODEW, PDEVMODEW, PLONG, DWORD);
using PrinterEventFn = BOOL(WINAPI*)(LPWSTR, INT, DWORD, LPARAM);

WORD DriverVersionOf(const std::vector<BYTE>& record) {
  WORD version = 0;
  std::memcpy(&version, record.data() + kDriverVersionOffset, sizeof version);
  return version;
}

// An output buffer as Wine needs it: its dmSize word is the size Wine reports to the
// driver as the buffer's, so a buffer that says 0 would be refused.
std::vector<BYTE> OutputBuffer() {
  std::vector<BYTE> buffer(kRecordSize, 0);
  reinterpret_cast<DEVMODEW*>(buffer.data())->dmSize = kPublicSize;
  return buffer;
}

// The same installation as InstalledDriverTest's, for this suite's own printer: the
// tests below rewrite and delete its stored record.
class ExportsTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    installation_ = InstallPrinter(L"TQR54 exports");
    printerName_ = installation_.name;
    if (!installation_.installed) return;
    // The config module the spooler copied, loaded as the spooler service loads it.
    HANDLE printer = nullptr;
    if (!OpenPrinterW(printerName_.data(), &printer, nullptr)) return;
    DWORD needed = 0;
    GetPrinterDriverW(printer, nullptr, 2, nullptr, 0, &needed);
    std::vector<BYTE> info(needed > 0 ? needed : 1);
    if (GetPrinterDriverW(printer, nullptr, 2, info.data(), needed, &needed)) {
      configFile_ = reinterpret_cast<DRIVER_INFO_2W*>(info.data())->pConfigFile;
      module_ = LoadLibraryW(configFile_.c_str());
    }
    ClosePrinter(printer);
  }

  static void TearDownTestSuite() {
    if (module_ != nullptr) FreeLibrary(module_);
    module_ = nullptr;
    UninstallPrinter(installation_);
  }

  void SetUp() override {
    ASSERT_TRUE(installation_.installed) << installation_.log;
    ASSERT_TRUE(OpenPrinterW(printerName_.data(), &printer_, nullptr)) << GetLastError();
  }

  void TearDown() override {
    if (printer_ != nullptr) ClosePrinter(printer_);
  }

  template <typename Fn>
  static Fn Export(const char* name) {
    if (module_ == nullptr) return nullptr;
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module_, name)));
  }

  LONG Properties(HANDLE printer, DEVMODEW* output, DEVMODEW* input, DWORD mode) {
    return DocumentPropertiesW(nullptr, printer, printerName_.data(), output, input, mode);
  }

  int Capability(WORD capability, void* output = nullptr) {
    return DeviceCapabilitiesW(printerName_.c_str(), nullptr, capability,
                               static_cast<LPWSTR>(output), nullptr);
  }

  // Wine 8's DeletePrinterDataW is an unimplemented import (the process aborts) and its
  // DeletePrinterDataExW a stub, so the value is removed where Wine's Get/SetPrinterDataW
  // keep it: the printer's PrinterDriverData key.
  void DeleteStoredRecord() {
    const std::wstring key =
        L"System\\CurrentControlSet\\Control\\Print\\Printers\\" + printerName_ +
        L"\\PrinterDriverData";
    const LSTATUS status = RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, key.c_str(), kRecordValue);
    ASSERT_TRUE(status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND) << status;
    std::vector<BYTE> stored;
    ASSERT_EQ(ReadStoredRecord(printer_, &stored), DWORD{ERROR_FILE_NOT_FOUND})
        << "the value is still there";
  }

  std::vector<BYTE> PlainOutput() {
    std::vector<BYTE> buffer = OutputBuffer();
    EXPECT_EQ(Properties(printer_, reinterpret_cast<DEVMODEW*>(buffer.data()), nullptr,
                         DM_OUT_BUFFER),
              IDOK);
    return buffer;
  }

  static inline std::wstring printerName_;
  static inline std::wstring configFile_;
  static inline InstalledPrinter installation_;
  static inline HMODULE module_ = nullptr;
  HANDLE printer_ = nullptr;
};

TEST_F(ExportsTest, OutputBufferGetsTheDriversRecord) {
  EXPECT_EQ(Properties(printer_, nullptr, nullptr, 0), kRecordSize);
  const std::vector<BYTE> record = PlainOutput();
  const auto* header = reinterpret_cast<const DEVMODEW*>(record.data());
  EXPECT_EQ(header->dmSize, kPublicSize);
  EXPECT_EQ(header->dmDriverExtra, kPrivateSize);
  EXPECT_EQ(header->dmDriverVersion, kDriverVersion);
  EXPECT_EQ(MarkerOf(record), kMarker);
}

TEST_F(ExportsTest, ReadOnlyPrinterStillGetsARecord) {
  HANDLE readOnly = nullptr;
  PRINTER_DEFAULTSW access = {nullptr, nullptr, PRINTER_ACCESS_USE};
  ASSERT_TRUE(OpenPrinterW(printerName_.data(), &readOnly, &access)) << GetLastError();
  std::vector<BYTE> record = OutputBuffer();
  EXPECT_EQ(Properties(readOnly, reinterpret_cast<DEVMODEW*>(record.data()), nullptr,
                       DM_OUT_BUFFER),
            IDOK);
  ClosePrinter(readOnly);
  EXPECT_EQ(reinterpret_cast<const DEVMODEW*>(record.data())->dmDriverExtra, kPrivateSize);
  EXPECT_EQ(MarkerOf(record), kMarker);
}

// Our own record is merged whole; another driver's gives only the public
// fields it lists, checked as ours are, and only when its header is sound.
TEST_F(ExportsTest, InputRecordOfAnotherDriverGivesOnlyItsPublicFields) {
  const std::vector<BYTE> plain = PlainOutput();

  std::vector<BYTE> ours = plain;
  auto* oursHeader = reinterpret_cast<DEVMODEW*>(ours.data());
  oursHeader->dmFields = DM_COPIES;
  oursHeader->dmCopies = 7;

  // Another driver's record: the public part alone.
  std::vector<BYTE> foreign(kPublicSize, 0);
  auto* foreignHeader = reinterpret_cast<DEVMODEW*>(foreign.data());
  std::memcpy(foreignHeader->dmDeviceName, L"Other printer", sizeof L"Other printer");
  foreignHeader->dmSpecVersion = DM_SPECVERSION;
  foreignHeader->dmSize = kPublicSize;
  foreignHeader->dmDriverExtra = 0;
  foreignHeader->dmFields = DM_COPIES;
  foreignHeader->dmCopies = 7;

  std::vector<BYTE> fromOurs = OutputBuffer();
  ASSERT_EQ(Properties(printer_, reinterpret_cast<DEVMODEW*>(fromOurs.data()), oursHeader,
                       DM_IN_BUFFER | DM_OUT_BUFFER),
            IDOK);
  EXPECT_EQ(reinterpret_cast<const DEVMODEW*>(fromOurs.data())->dmCopies, 7);
  EXPECT_EQ(MarkerOf(fromOurs), kMarker);

  std::vector<BYTE> fromForeign = OutputBuffer();
  ASSERT_EQ(Properties(printer_, reinterpret_cast<DEVMODEW*>(fromForeign.data()), foreignHeader,
                       DM_IN_BUFFER | DM_OUT_BUFFER),
            IDOK);
  // The same as our own record asking for those copies: the private part
  // is the printer's, finalized with the copies taken.
  EXPECT_EQ(fromForeign, fromOurs);

  // A size no version of the record has: nothing of it is taken.
  foreignHeader->dmSize = kPublicSize - 2;
  std::vector<BYTE> fromUnsound = OutputBuffer();
  ASSERT_EQ(Properties(printer_, reinterpret_cast<DEVMODEW*>(fromUnsound.data()), foreignHeader,
                       DM_IN_BUFFER | DM_OUT_BUFFER),
            IDOK);
  EXPECT_EQ(fromUnsound, plain);
}

TEST_F(ExportsTest, EveryCapabilityIndexHasItsAnswer) {
  // Wine's DeviceCapabilitiesW hands every index to DrvDeviceCapabilities unchanged and
  // returns its answer, so the host's answer is the driver's.
  constexpr int kUnsupported = -1;
  constexpr int kListed = -2;  // answered; the paper lists are checked against each other below
  int expected[41];
  for (int& answer : expected) answer = kUnsupported;
  const struct {
    WORD index;
    int answer;
  } answers[] = {
      {DC_FIELDS, 0x10B0F}, {DC_PAPERS, kListed}, {DC_PAPERSIZE, kListed},
      {DC_MINEXTENT, kListed}, {DC_MAXEXTENT, kListed}, {DC_BINS, 5},
      {DC_DUPLEX, 0}, {DC_SIZE, 220}, {DC_EXTRA, 1528},
      {DC_VERSION, 0x401}, {DC_DRIVER, 0x102}, {DC_BINNAMES, 5},
      {DC_ENUMRESOLUTIONS, 1}, {DC_FILEDEPENDENCIES, 0}, {DC_TRUETYPE, 1},
      {DC_PAPERNAMES, kListed}, {DC_ORIENTATION, 90}, {DC_COPIES, 999},
      {25 /* DC_PERSONALITY */, 1}, {28 /* DC_PRINTERMEM */, 4096},
      {30 /* DC_STAPLE */, 0}, {32 /* DC_COLORDEVICE */, 1},
  };
  for (const auto& a : answers) expected[a.index] = a.answer;

  for (WORD index = 0; index <= 40; ++index) {
    const int answer = Capability(index);
    if (expected[index] == kListed) {
      EXPECT_NE(answer, kUnsupported) << "index " << index;
    } else {
      EXPECT_EQ(answer, expected[index]) << "index " << index;
    }
  }
}

TEST_F(ExportsTest, PaperListsAgreeAndHoldA4) {
  const int count = Capability(DC_PAPERS);
  ASSERT_GT(count, 0);
  ASSERT_EQ(Capability(DC_PAPERNAMES), count);
  ASSERT_EQ(Capability(DC_PAPERSIZE), count);
  std::vector<WORD> papers(count);
  std::vector<POINT> sizes(count);
  std::vector<wchar_t> names(static_cast<std::size_t>(count) * 64);
  ASSERT_EQ(Capability(DC_PAPERS, papers.data()), count);
  ASSERT_EQ(Capability(DC_PAPERSIZE, sizes.data()), count);
  ASSERT_EQ(Capability(DC_PAPERNAMES, names.data()), count);
  bool sawA4 = false;
  for (int i = 0; i < count; ++i) {
    EXPECT_NE(names[static_cast<std::size_t>(i) * 64], L'\0') << "paper " << papers[i];
    if (papers[i] != DMPAPER_A4) continue;
    sawA4 = true;
    EXPECT_EQ(sizes[i].x, 2100);
    EXPECT_EQ(sizes[i].y, 2970);
  }
  EXPECT_TRUE(sawA4);
}

TEST_F(ExportsTest, ConvertDevModeAnswersEachMode) {
  const auto convert = Export<ConvertDevModeFn>("DrvConvertDevMode");
  ASSERT_NE(convert, nullptr) << "no DrvConvertDevMode in the installed config module";
  const std::vector<BYTE> source = PlainOutput();
  auto* input = reinterpret_cast<DEVMODEW*>(const_cast<BYTE*>(source.data()));

  {
    std::vector<BYTE> out(kRecordSize, 0);
    LONG size = kRecordSize;
    ASSERT_TRUE(convert(printerName_.data(), nullptr, reinterpret_cast<DEVMODEW*>(out.data()),
                        &size, kDriverDefault));
    const auto* header = reinterpret_cast<const DEVMODEW*>(out.data());
    EXPECT_EQ(header->dmSize, kPublicSize);
    EXPECT_EQ(header->dmDriverExtra, kPrivateSize);
    EXPECT_EQ(size, kRecordSize);
  }

  // Buffers too small: FALSE, the size needed, ERROR_INSUFFICIENT_BUFFER.
  const struct {
    DWORD mode;
    const char* name;
    LONG neededSize;
  } tooSmall[] = {
      {kDriverDefault, "CDM_DRIVER_DEFAULT", kRecordSize},
      {kConvert351, "CDM_CONVERT351", 188},
  };
  for (const auto& c : tooSmall) {
    std::vector<BYTE> out(kRecordSize, 0);
    LONG size = 100;
    SetLastError(0);
    EXPECT_FALSE(convert(printerName_.data(), input, reinterpret_cast<DEVMODEW*>(out.data()),
                         &size, c.mode))
        << c.name;
    EXPECT_EQ(size, c.neededSize) << c.name;
    EXPECT_EQ(GetLastError(), DWORD{ERROR_INSUFFICIENT_BUFFER}) << c.name;
  }

  {
    // An output laid out by its caller as a 0x400 header without a private part.
    std::vector<BYTE> out(kRecordSize, 0);
    auto* header = reinterpret_cast<DEVMODEW*>(out.data());
    header->dmSize = 212;
    header->dmDriverExtra = 0;
    LONG size = 212;
    ASSERT_TRUE(convert(printerName_.data(), input, header, &size, kConvert));
    EXPECT_EQ(size, 212);
    EXPECT_EQ(header->dmSpecVersion, 0x400);
  }

  {
    std::vector<BYTE> out(kRecordSize, 0);
    LONG size = kRecordSize;
    SetLastError(0xDEADBEEF);
    EXPECT_FALSE(convert(printerName_.data(), input, reinterpret_cast<DEVMODEW*>(out.data()),
                         &size, 3));
    EXPECT_EQ(GetLastError(), DWORD{0xDEADBEEF});
  }
}

TEST_F(ExportsTest, InvalidStoredRecordIsRepaired) {
  std::vector<BYTE> stale = PlainOutput();
  const WORD oldVersion = 0x101;
  std::memcpy(stale.data() + kDriverVersionOffset, &oldVersion, sizeof oldVersion);
  ASSERT_EQ(SetPrinterDataW(printer_, const_cast<LPWSTR>(kRecordValue), REG_BINARY, stale.data(),
                            kRecordSize),
            DWORD{ERROR_SUCCESS});
  // Written past the driver: the driver sees it in calls that start a
  // second or more later.
  Sleep(1100);

  const std::vector<BYTE> handedOut = PlainOutput();
  EXPECT_EQ(DriverVersionOf(handedOut), kDriverVersion);

  std::vector<BYTE> stored;
  ASSERT_EQ(ReadStoredRecord(printer_, &stored), DWORD{ERROR_SUCCESS});
  ASSERT_EQ(stored.size(), std::size_t{kRecordSize});
  EXPECT_EQ(DriverVersionOf(stored), kDriverVersion);
}

TEST_F(ExportsTest, PrinterEventStoresSettingsOnlyOnInitialize) {
  const auto event = Export<PrinterEventFn>("DrvPrinterEvent");
  ASSERT_NE(event, nullptr);
  std::vector<BYTE> stored;

  DeleteStoredRecord();
  EXPECT_TRUE(event(printerName_.data(), kEventAddConnection, 0, 0));
  EXPECT_EQ(ReadStoredRecord(printer_, &stored), DWORD{ERROR_FILE_NOT_FOUND});

  EXPECT_TRUE(event(printerName_.data(), kEventInitialize, 0, 0));
  ASSERT_EQ(ReadStoredRecord(printer_, &stored), DWORD{ERROR_SUCCESS});
  EXPECT_EQ(stored.size(), std::size_t{kRecordSize});
  EXPECT_EQ(MarkerOf(stored), kMarker);

  std::wstring missing = printerName_ + L" that was never added";
  EXPECT_TRUE(event(missing.data(), kEventInitialize, 0, 0));
}

}  // namespace
}  // namespace tqr::test
