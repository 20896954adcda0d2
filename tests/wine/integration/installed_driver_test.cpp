// The driver installed with tqrctl into the prefix, then asked for its settings and
// capabilities through Wine's winspool, the way applications ask: the bytes that
// come back, the printer data it keeps, and the jobs that reach the printer's port.
#include <gtest/gtest.h>

#include <windows.h>
#include <winspool.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "support/processes.h"
#include "installed_printer.h"
#include "tqrctl_runner.h"

namespace tqr::test {
namespace {

constexpr unsigned char kSentinel = 0xEE;

bool TailIntact(const std::vector<BYTE>& buffer, std::size_t from) {
  return std::all_of(buffer.begin() + static_cast<std::ptrdiff_t>(from), buffer.end(),
                     [](BYTE b) { return b == kSentinel; });
}

class InstalledDriverTest : public ::testing::Test {
 protected:
  // One installation for the suite: it is the slow part. The printer and its port are
  // this run's own, so that it never meets `make demo`'s printer or another run's; the
  // driver keeps the model's name, by which the driver knows its model.
  static void SetUpTestSuite() {
    installation_ = InstallPrinter(L"TQR54 test");
    printerName_ = installation_.name;
    jobFile_ = installation_.jobFile;
    if (!installation_.installed) return;
    // What the installation left, before any test asks the driver for anything.
    HANDLE printer = nullptr;
    if (OpenPrinterW(printerName_.data(), &printer, nullptr)) {
      storedRecord_.assign(4096, 0);
      DWORD needed = 0;
      storedStatus_ = GetPrinterDataW(printer, const_cast<LPWSTR>(kRecordValue), &storedType_,
                                      storedRecord_.data(), 4096, &needed);
      storedRecord_.resize(storedStatus_ == ERROR_SUCCESS ? needed : 0);
      ClosePrinter(printer);
    }
  }

  static void TearDownTestSuite() { UninstallPrinter(installation_); }

  void SetUp() override {
    ASSERT_TRUE(installation_.installed) << installation_.log;
    ASSERT_TRUE(OpenPrinterW(printerName_.data(), &printer_, nullptr)) << GetLastError();
  }

  void TearDown() override {
    if (printer_ != nullptr) ClosePrinter(printer_);
  }

  int Capability(WORD capability, void* output = nullptr) {
    return DeviceCapabilitiesW(printerName_.c_str(), nullptr, capability,
                               static_cast<LPWSTR>(output), nullptr);
  }

  static inline std::wstring printerName_;
  static inline std::string jobFile_;
  static inline InstalledPrinter installation_;
  static inline DWORD storedStatus_ = ERROR_FILE_NOT_FOUND;
  static inline DWORD storedType_ = 0;
  static inline std::vector<BYTE> storedRecord_;
  HANDLE printer_ = nullptr;
};

TEST_F(InstalledDriverTest, InstallingLeavesTheDefaultRecordInPrinterData) {
  ASSERT_EQ(storedStatus_, DWORD{ERROR_SUCCESS}) << "no \"TARNE NT\" value after install";
  EXPECT_EQ(storedType_, DWORD{REG_BINARY});
  ASSERT_EQ(storedRecord_.size(), std::size_t{kRecordSize});
  const auto* record = reinterpret_cast<const DEVMODEW*>(storedRecord_.data());
  EXPECT_EQ(record->dmSize, kPublicSize);
  EXPECT_EQ(record->dmDriverExtra, kPrivateSize);
  EXPECT_EQ(MarkerOf(storedRecord_), kMarker);
}

TEST_F(InstalledDriverTest, SizeQueryAnswersTheWholeRecord) {
  // Wine's own AddPrinterW asks without a handle; applications ask with one.
  for (const HANDLE handle : {printer_, HANDLE{nullptr}}) {
    EXPECT_EQ(DocumentPropertiesW(nullptr, handle, printerName_.data(), nullptr, nullptr, 0),
              kRecordSize)
        << (handle == nullptr ? "without" : "with") << " a printer handle";
  }
}

TEST_F(InstalledDriverTest, OutputBufferGetsTheWholeRecordAndNothingBeyond) {
  // Wine tells the driver the buffer's size from the dmSize word already in it, so a
  // zeroed buffer (most applications') says 0 and a stale one says anything; the
  // caller's buffer has the size the query answered either way.
  for (const BYTE fill : {BYTE{0x00}, BYTE{0xCC}}) {
    std::vector<BYTE> buffer(kRecordSize + 256, kSentinel);
    std::fill_n(buffer.begin(), kRecordSize, fill);
    auto* record = reinterpret_cast<DEVMODEW*>(buffer.data());
    ASSERT_EQ(
        DocumentPropertiesW(nullptr, printer_, printerName_.data(), record, nullptr, DM_OUT_BUFFER),
        IDOK)
        << "buffer filled with " << int{fill};
    EXPECT_EQ(record->dmSize, kPublicSize) << "buffer filled with " << int{fill};
    EXPECT_EQ(record->dmDriverExtra, kPrivateSize) << "buffer filled with " << int{fill};
    EXPECT_EQ(MarkerOf(buffer), kMarker) << "buffer filled with " << int{fill};
    EXPECT_TRUE(TailIntact(buffer, kRecordSize)) << "buffer filled with " << int{fill};
  }
}

TEST_F(InstalledDriverTest, ListAnswersAgreeInLengthAndStayInTheirBuffers) {
  const struct {
    WORD capability;
    const char* name;
    std::size_t itemBytes;
    WORD countedBy;
  } lists[] = {
      {DC_PAPERS, "DC_PAPERS", sizeof(WORD), DC_PAPERS},
      {DC_PAPERNAMES, "DC_PAPERNAMES", 64 * sizeof(wchar_t), DC_PAPERS},
      {DC_PAPERSIZE, "DC_PAPERSIZE", sizeof(POINT), DC_PAPERS},
      {DC_BINS, "DC_BINS", sizeof(WORD), DC_BINS},
      {DC_BINNAMES, "DC_BINNAMES", 24 * sizeof(wchar_t), DC_BINS},
      {DC_ENUMRESOLUTIONS, "DC_ENUMRESOLUTIONS", 2 * sizeof(LONG), DC_ENUMRESOLUTIONS},
  };
  for (const auto& list : lists) {
    const int count = Capability(list.countedBy);
    ASSERT_GT(count, 0) << list.name;
    EXPECT_EQ(Capability(list.capability), count) << list.name << " without a buffer";
    std::vector<BYTE> buffer(count * list.itemBytes + 256, kSentinel);
    EXPECT_EQ(Capability(list.capability, buffer.data()), count) << list.name;
    EXPECT_TRUE(TailIntact(buffer, count * list.itemBytes)) << list.name;
  }
}

TEST_F(InstalledDriverTest, SizeAnswersMatchTheRecordHandedOut) {
  std::vector<BYTE> buffer(kRecordSize, 0);
  auto* record = reinterpret_cast<DEVMODEW*>(buffer.data());
  ASSERT_EQ(
      DocumentPropertiesW(nullptr, printer_, printerName_.data(), record, nullptr, DM_OUT_BUFFER),
      IDOK);
  const struct {
    WORD capability;
    const char* name;
    int expected;
    int inRecord;
  } answers[] = {
      {DC_SIZE, "DC_SIZE", kPublicSize, record->dmSize},
      {DC_EXTRA, "DC_EXTRA", kPrivateSize, record->dmDriverExtra},
      {DC_VERSION, "DC_VERSION", record->dmSpecVersion, record->dmSpecVersion},
      {DC_DRIVER, "DC_DRIVER", record->dmDriverVersion, record->dmDriverVersion},
  };
  for (const auto& answer : answers) {
    const int value = Capability(answer.capability);
    EXPECT_EQ(value, answer.expected) << answer.name;
    EXPECT_EQ(value, answer.inRecord) << answer.name;
  }
}

TEST_F(InstalledDriverTest, JobsLandInThePortFile) {
  const std::string bytes = std::string("\x1b@TQR54 job\r\n", 13) + std::string(1000, '\xA5');
  DOC_INFO_1W document = {const_cast<LPWSTR>(L"integration job"), nullptr,
                          const_cast<LPWSTR>(L"RAW")};
  ASSERT_NE(StartDocPrinterW(printer_, 1, reinterpret_cast<BYTE*>(&document)), 0u)
      << GetLastError();
  DWORD written = 0;
  EXPECT_TRUE(WritePrinter(printer_, const_cast<char*>(bytes.data()),
                           static_cast<DWORD>(bytes.size()), &written));
  EXPECT_EQ(written, bytes.size());
  ASSERT_TRUE(EndDocPrinter(printer_)) << GetLastError();

  std::string landed;
  ASSERT_TRUE(ReadWholeFile(jobFile_, &landed));
  EXPECT_EQ(landed, bytes);
}

TEST_F(InstalledDriverTest, TqrctlShowsWhatApplicationsGet) {
  const struct {
    const wchar_t* command;
    const char* expected;
  } cases[] = {
      {L"defaults", "\ndmSize = 220\ndmDriverExtra = 1528\n"},
      {L"caps", "\n  DC_SIZE            220\n  DC_EXTRA           1528\n"},
  };
  for (const auto& c : cases) {
    const TqrctlRun run = RunTqrctl({c.command, L"--printer", printerName_});
    EXPECT_EQ(run.exitCode, 0) << run.output;
    EXPECT_NE(run.output.find(c.expected), std::string::npos) << run.output;
  }
}

}  // namespace
}  // namespace tqr::test
