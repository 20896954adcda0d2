// The Win32 spooler and machine ports against Wine's real spooler and
// registry. The printer is made here from Wine's own PostScript driver with a
// data file of ours, so nothing of this driver needs to be installed; its
// names are this run's own, so that two runs at once never meet.
#include <gtest/gtest.h>

#include <windows.h>
#include <winspool.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "platform/win32/win32_ports.h"
#include "support/processes.h"

namespace tqr::win32 {
namespace {

constexpr char16_t kValueName[] = u"TARNE NT";
constexpr std::uint32_t kRecordSize = 1748;

std::u16string U16(const wchar_t* text) {
  return text == nullptr ? std::u16string() : reinterpret_cast<const char16_t*>(text);
}

std::wstring Widen(const std::string& text) {
  std::wstring wide(text.size() + 1, L'\0');
  const int written = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide.data(),
                                          static_cast<int>(wide.size()));
  wide.resize(written > 0 ? static_cast<std::size_t>(written - 1) : 0);
  return wide;
}

// Process id and tick count: unique among the runs that can meet in one prefix.
std::string RunTag() {
  return std::to_string(GetCurrentProcessId()) + "-" + std::to_string(GetTickCount64());
}

std::vector<BYTE> DriverInfo(HANDLE printer, DWORD level) {
  DWORD needed = 0;
  GetPrinterDriverW(printer, nullptr, level, nullptr, 0, &needed);
  std::vector<BYTE> buffer(needed);
  if (needed == 0 ||
      !GetPrinterDriverW(printer, nullptr, level, buffer.data(), needed, &needed)) {
    buffer.clear();
  }
  return buffer;
}

std::vector<std::uint8_t> Pattern(std::uint32_t size, std::uint8_t seed) {
  std::vector<std::uint8_t> bytes(size);
  for (std::uint32_t i = 0; i < size; ++i) bytes[i] = static_cast<std::uint8_t>(seed + i * 7);
  return bytes;
}

class SpoolerPortTest : public ::testing::Test {
 protected:
  // One printer for the whole suite: installing a driver is the slow part.
  static void SetUpTestSuite() {
    const std::string tag = RunTag();
    driverName_ = Widen("TQR ports test driver " + tag);
    printerName_ = Widen("TQR ports test printer " + tag);
    const std::string dataFileName = "tqrports-" + tag + ".ppd";
    dataFileName_ = Widen(dataFileName);
    const std::string dataFile = test::MakeScratchDirectory() + dataFileName;
    ASSERT_TRUE(test::WriteWholeFile(dataFile, "*PPD-Adobe: \"4.3\"\n"));
    const std::wstring dataPath = Widen(dataFile);

    DRIVER_INFO_3W driver = {};
    driver.cVersion = 3;
    driver.pName = driverName_.data();
    driver.pDriverPath = const_cast<LPWSTR>(L"wineps.drv");
    driver.pDataFile = const_cast<LPWSTR>(dataPath.c_str());
    driver.pConfigFile = const_cast<LPWSTR>(L"wineps.drv");
    driver.pDefaultDataType = const_cast<LPWSTR>(L"RAW");
    // Without APD_COPY_FROM_DIRECTORY, Wine reports success and copies nothing.
    ASSERT_TRUE(AddPrinterDriverExW(nullptr, 3, reinterpret_cast<LPBYTE>(&driver),
                                    APD_COPY_NEW_FILES | APD_COPY_FROM_DIRECTORY))
        << "AddPrinterDriverExW: error " << GetLastError();
    driverAdded_ = true;

    PRINTER_INFO_2W info = {};
    info.pPrinterName = printerName_.data();
    info.pPortName = const_cast<LPWSTR>(L"FILE:");
    info.pDriverName = driverName_.data();
    info.pPrintProcessor = const_cast<LPWSTR>(L"winprint");
    info.pDatatype = const_cast<LPWSTR>(L"RAW");
    printer_ = AddPrinterW(nullptr, 2, reinterpret_cast<LPBYTE>(&info));
    ASSERT_NE(printer_, nullptr) << "AddPrinterW: error " << GetLastError();
  }

  static void TearDownTestSuite() {
    std::wstring copiedDataFile;
    if (printer_ != nullptr) {
      const std::vector<BYTE> info = DriverInfo(printer_, 2);
      if (!info.empty()) {
        copiedDataFile = reinterpret_cast<const DRIVER_INFO_2W*>(info.data())->pDataFile;
      }
      DeletePrinter(printer_);
      ClosePrinter(printer_);
      printer_ = nullptr;
    }
    if (driverAdded_) DeletePrinterDriverExW(nullptr, nullptr, driverName_.data(), 0, 0);
    driverAdded_ = false;
    // The spooler's copy of our data file; Wine's own files stay for others.
    if (!copiedDataFile.empty()) DeleteFileW(copiedDataFile.c_str());
  }

  void SetUp() override { ASSERT_NE(printer_, nullptr) << "no printer could be made"; }

  static inline std::wstring driverName_;
  static inline std::wstring printerName_;
  static inline std::wstring dataFileName_;
  static inline HANDLE printer_ = nullptr;
  static inline bool driverAdded_ = false;
  Win32Spooler spooler_;
};

TEST_F(SpoolerPortTest, DriverNameAndDataFileAreThoseTheSpoolerReports) {
  const std::vector<BYTE> level2 = DriverInfo(printer_, 2);
  const std::vector<BYTE> level3 = DriverInfo(printer_, 3);
  ASSERT_FALSE(level2.empty());
  ASSERT_FALSE(level3.empty());
  const auto* info2 = reinterpret_cast<const DRIVER_INFO_2W*>(level2.data());
  const auto* info3 = reinterpret_cast<const DRIVER_INFO_3W*>(level3.data());

  std::u16string name;
  ASSERT_TRUE(spooler_.GetDriverName(printer_, &name));
  EXPECT_EQ(name, U16(driverName_.c_str()));
  EXPECT_EQ(name, U16(info2->pName));
  std::u16string path;
  ASSERT_TRUE(spooler_.GetDriverDataFile(printer_, &path));
  EXPECT_EQ(path, U16(info2->pDataFile));
  EXPECT_EQ(path, U16(info3->pDataFile));
  // The spooler's copy in its driver folder, under the name we gave it.
  const std::u16string tail = u"\\" + U16(dataFileName_.c_str());
  EXPECT_TRUE(path.size() > tail.size() && path.ends_with(tail)) << std::string(path.begin(), path.end());
  // Asked together, the same two.
  std::u16string bothName;
  std::u16string bothPath;
  ASSERT_TRUE(spooler_.GetDriverNameAndDataFile(printer_, &bothName, &bothPath));
  EXPECT_EQ(bothName, name);
  EXPECT_EQ(bothPath, path);

  // A handle the spooler never gave out: all say so, and leave their output alone.
  name = u"unchanged";
  path = u"unchanged";
  EXPECT_FALSE(spooler_.GetDriverName(nullptr, &name));
  EXPECT_FALSE(spooler_.GetDriverDataFile(nullptr, &path));
  EXPECT_FALSE(spooler_.GetDriverNameAndDataFile(nullptr, &name, &path));
  EXPECT_EQ(name, u"unchanged");
  EXPECT_EQ(path, u"unchanged");
}

// The default record is the one PRINTER_INFO_2W carries, byte for byte,
// also after SetPrinterW changed it, whichever level the port asks.
TEST_F(SpoolerPortTest, TheDefaultRecordIsTheOneOfLevelTwo) {
  const auto levelTwo = [this](std::vector<BYTE>* buffer) -> PRINTER_INFO_2W* {
    DWORD needed = 0;
    GetPrinterW(printer_, 2, nullptr, 0, &needed);
    buffer->assign(needed, 0);
    if (needed == 0 || !GetPrinterW(printer_, 2, buffer->data(), needed, &needed)) return nullptr;
    return reinterpret_cast<PRINTER_INFO_2W*>(buffer->data());
  };
  for (const short copies : {0, 7}) {
    std::vector<BYTE> buffer;
    PRINTER_INFO_2W* info = levelTwo(&buffer);
    ASSERT_NE(info, nullptr);
    ASSERT_NE(info->pDevMode, nullptr);
    if (copies != 0) {
      info->pDevMode->dmCopies = copies;
      info->pDevMode->dmFields |= DM_COPIES;
      ASSERT_TRUE(SetPrinterW(printer_, 2, buffer.data(), 0));
      info = levelTwo(&buffer);
      ASSERT_NE(info, nullptr);
      ASSERT_EQ(info->pDevMode->dmCopies, copies);
    }
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(info->pDevMode);
    const std::vector<std::uint8_t> expected(
        bytes, bytes + info->pDevMode->dmSize + info->pDevMode->dmDriverExtra);
    std::vector<std::uint8_t> record;
    ASSERT_TRUE(spooler_.GetPrinterDefaultRecord(printer_, &record));
    EXPECT_EQ(record, expected) << "copies " << copies;
  }
  std::vector<std::uint8_t> record;
  EXPECT_FALSE(spooler_.GetPrinterDefaultRecord(nullptr, &record));
}

TEST_F(SpoolerPortTest, PrinterDataKeepsAWholeRecordAndTheLastWriteWins) {
  for (const std::uint8_t seed : {0x11, 0xC3}) {
    const std::vector<std::uint8_t> record = Pattern(kRecordSize, seed);
    ASSERT_EQ(spooler_.SetPrinterData(printer_, kValueName, kRegBinary, record.data(), kRecordSize),
              kErrorSuccess);
    std::vector<std::uint8_t> read(kRecordSize);
    std::uint32_t type = 0;
    std::uint32_t needed = 0;
    ASSERT_EQ(spooler_.GetPrinterData(printer_, kValueName, &type, read.data(), kRecordSize,
                                      &needed),
              kErrorSuccess);
    EXPECT_EQ(type, kRegBinary);
    EXPECT_EQ(needed, kRecordSize);
    EXPECT_EQ(read, record) << "seed " << int{seed};
  }
}

TEST_F(SpoolerPortTest, DeletedValuesAreGoneAndOthersStay) {
  const std::vector<std::uint8_t> record = Pattern(kRecordSize, 0x21);
  ASSERT_EQ(spooler_.SetPrinterData(printer_, kValueName, kRegBinary, record.data(), kRecordSize),
            kErrorSuccess);
  const char16_t probe[] = u"probe";
  ASSERT_EQ(spooler_.SetPrinterData(printer_, u"Scratch", kRegSz, probe, sizeof probe),
            kErrorSuccess);
  EXPECT_EQ(spooler_.DeletePrinterData(printer_, u"Scratch"), kErrorSuccess);
  std::uint8_t buffer[16] = {};
  std::uint32_t type = 0;
  std::uint32_t needed = 0;
  EXPECT_NE(spooler_.GetPrinterData(printer_, u"Scratch", &type, buffer, sizeof buffer, &needed),
            kErrorSuccess);
  std::vector<std::uint8_t> read(kRecordSize);
  ASSERT_EQ(spooler_.GetPrinterData(printer_, kValueName, &type, read.data(), kRecordSize,
                                    &needed),
            kErrorSuccess);
  EXPECT_EQ(read, record);
}

TEST_F(SpoolerPortTest, ReadsTellTheStoredSizeAndWriteNothingPastTheBuffer) {
  constexpr std::uint32_t kMoreData = ERROR_MORE_DATA;
  constexpr std::uint8_t kSentinel = 0xEE;
  const std::vector<std::uint8_t> record = Pattern(kRecordSize, 0x5A);
  ASSERT_EQ(spooler_.SetPrinterData(printer_, kValueName, kRegBinary, record.data(), kRecordSize),
            kErrorSuccess);

  const struct {
    std::uint32_t size;
    std::uint32_t result;
  } cases[] = {
      {0, kMoreData},           {1, kMoreData},         {kRecordSize - 1, kMoreData},
      {kRecordSize, kErrorSuccess}, {4096, kErrorSuccess},
  };
  for (const auto& c : cases) {
    std::vector<std::uint8_t> buffer(4096 + 16, kSentinel);
    std::uint32_t type = 0;
    std::uint32_t needed = 0;
    EXPECT_EQ(spooler_.GetPrinterData(printer_, kValueName, &type,
                                      c.size == 0 ? nullptr : buffer.data(), c.size, &needed),
              c.result)
        << "buffer of " << c.size;
    EXPECT_EQ(needed, kRecordSize) << "buffer of " << c.size;
    const std::size_t written = c.result == kErrorSuccess ? kRecordSize : 0;
    EXPECT_TRUE(std::equal(record.begin(), record.begin() + static_cast<std::ptrdiff_t>(written),
                           buffer.begin()))
        << "buffer of " << c.size;
    const auto past = buffer.begin() + static_cast<std::ptrdiff_t>(std::max(written, std::size_t{c.size}));
    EXPECT_TRUE(std::all_of(past, buffer.end(), [](std::uint8_t b) { return b == kSentinel; }))
        << "buffer of " << c.size;
  }

  std::uint8_t byte = 0;
  std::uint32_t type = 0;
  std::uint32_t needed = 0;
  EXPECT_EQ(spooler_.GetPrinterData(printer_, u"TQR value never written", &type, &byte, 1, &needed),
            std::uint32_t{ERROR_FILE_NOT_FOUND});
}

TEST_F(SpoolerPortTest, FormsAreTheServersInThousandthsOfAMillimetre) {
  std::vector<FormInfo> forms;
  ASSERT_TRUE(spooler_.EnumForms(printer_, &forms));

  // Every form the server lists, in its order, as EnumFormsW itself gives them.
  DWORD needed = 0;
  DWORD count = 0;
  EnumFormsW(printer_, 1, nullptr, 0, &needed, &count);
  std::vector<BYTE> buffer(needed);
  ASSERT_TRUE(EnumFormsW(printer_, 1, buffer.data(), needed, &needed, &count));
  ASSERT_EQ(forms.size(), count);
  const auto* direct = reinterpret_cast<const FORM_INFO_1W*>(buffer.data());
  for (DWORD i = 0; i < count; ++i) {
    EXPECT_EQ(forms[i].name, U16(direct[i].pName)) << i;
    EXPECT_EQ(forms[i].flags, direct[i].Flags) << i;
    EXPECT_EQ(forms[i].width, direct[i].Size.cx) << i;
    EXPECT_EQ(forms[i].length, direct[i].Size.cy) << i;
  }

  const struct {
    const char16_t* name;
    std::int32_t width;
    std::int32_t length;
  } known[] = {
      {u"Letter", 215900, 279400},
      {u"A4", 210000, 297000},
      {u"Legal", 215900, 355600},
  };
  for (const auto& k : known) {
    const auto found = std::find_if(forms.begin(), forms.end(),
                                    [&](const FormInfo& f) { return f.name == k.name; });
    ASSERT_NE(found, forms.end()) << std::string(k.name, k.name + std::char_traits<char16_t>::length(k.name));
    EXPECT_EQ(found->flags, std::uint32_t{FORM_BUILTIN});
    EXPECT_EQ(found->width, k.width);
    EXPECT_EQ(found->length, k.length);
  }

  // No server behind a null handle: the port fails and keeps what it had.
  std::vector<FormInfo> kept(1);
  EXPECT_FALSE(spooler_.EnumForms(nullptr, &kept));
  EXPECT_EQ(kept.size(), 1u);
}

// The port answers what the spooler answers, error codes included, so that
// the Server Forms dialog can tell a refusal for rights from other failures.
TEST_F(SpoolerPortTest, FormChangesAnswerTheSpoolersOwnErrors) {
  auto direct = [](BOOL done) { return done ? std::uint32_t{ERROR_SUCCESS} : std::uint32_t{GetLastError()}; };
  auto record = [](const wchar_t* name) {
    FORM_INFO_1W info{};
    info.pName = const_cast<LPWSTR>(name);
    info.Size = {500000, 800000};
    info.ImageableArea = {0, 0, 500000, 800000};
    return info;
  };
  FORM_INFO_1W first = record(L"TQR port form one");
  const std::uint32_t added = direct(AddFormW(printer_, 1, reinterpret_cast<LPBYTE>(&first)));
  EXPECT_EQ(spooler_.AddForm(printer_, FormInfo{0, u"TQR port form two", 500000, 800000}), added);

  // A built-in form: whatever the server says, the port says it too.
  FORM_INFO_1W letter = record(L"Letter");
  letter.Size = {215900, 279400};
  letter.ImageableArea = {0, 0, 215900, 279400};
  const std::uint32_t setBuiltIn =
      direct(SetFormW(printer_, const_cast<LPWSTR>(L"Letter"), 1, reinterpret_cast<LPBYTE>(&letter)));
  EXPECT_EQ(spooler_.SetForm(printer_, u"Letter", FormInfo{0, u"Letter", 215900, 279400}),
            setBuiltIn);
  std::printf("spooler answers: add %u, set built-in %u\n", added, setBuiltIn);

  for (const char16_t* name : {u"TQR port form one", u"TQR port form two"}) {
    spooler_.DeleteForm(printer_, name);
  }
  // No server behind a null handle: every change fails with a reason.
  const FormInfo form{0, u"TQR port form", 500000, 800000};
  EXPECT_NE(spooler_.AddForm(nullptr, form), kErrorSuccess);
  EXPECT_NE(spooler_.SetForm(nullptr, form.name, form), kErrorSuccess);
  EXPECT_NE(spooler_.DeleteForm(nullptr, form.name), kErrorSuccess);
}

TEST(Win32MachineTest, ReadsTheUsersCountryCodeAsThePrefixHoldsIt) {
  wchar_t expected[64] = {};
  DWORD size = sizeof expected;
  ASSERT_EQ(RegGetValueW(HKEY_CURRENT_USER, L"Control Panel\\International", L"iCountry",
                         RRF_RT_REG_SZ, nullptr, expected, &size),
            ERROR_SUCCESS);
  Win32Machine machine;
  std::u16string text;
  ASSERT_TRUE(machine.ReadUserCountry(&text));
  EXPECT_EQ(text, U16(expected));
  EXPECT_FALSE(text.empty());
  EXPECT_TRUE(std::all_of(text.begin(), text.end(), [](char16_t c) { return c >= u'0' && c <= u'9'; }))
      << std::string(text.begin(), text.end());
}

// The current user's registry swapped for a scratch key of this run, so the
// value can be anything without touching the prefix's own.
class UserCountryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    keyPath_ = Widen("Software\\TQR ports test " + RunTag());
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, keyPath_.c_str(), 0, nullptr, REG_OPTION_VOLATILE,
                              KEY_ALL_ACCESS, nullptr, &root_, nullptr),
              ERROR_SUCCESS);
    ASSERT_EQ(RegOverridePredefKey(HKEY_CURRENT_USER, root_), ERROR_SUCCESS);
  }
  void TearDown() override {
    RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
    if (root_ != nullptr) RegCloseKey(root_);
    RegDeleteTreeW(HKEY_CURRENT_USER, keyPath_.c_str());
  }

  std::wstring keyPath_;
  HKEY root_ = nullptr;
};

TEST_F(UserCountryTest, TakesStringsThatFitSixteenUnitsAndNothingElse) {
  Win32Machine machine;
  std::u16string text = u"unchanged";
  EXPECT_FALSE(machine.ReadUserCountry(&text)) << "no Control Panel key";
  EXPECT_EQ(text, u"unchanged");

  HKEY international = nullptr;
  ASSERT_EQ(RegCreateKeyExW(root_, L"Control Panel\\International", 0, nullptr, REG_OPTION_VOLATILE,
                            KEY_ALL_ACCESS, nullptr, &international, nullptr),
            ERROR_SUCCESS);
  EXPECT_FALSE(machine.ReadUserCountry(&text)) << "no iCountry value";

  const struct {
    DWORD type;
    std::wstring value;
    bool read;
  } cases[] = {
      {REG_SZ, L"1", true},
      {REG_SZ, L"358", true},
      {REG_EXPAND_SZ, L"44", true},
      {REG_SZ, L"", true},
      {REG_SZ, std::wstring(15, L'7'), true},
      {REG_SZ, std::wstring(16, L'7'), false},
      {REG_MULTI_SZ, L"49", false},
  };
  for (const auto& c : cases) {
    const DWORD bytes = static_cast<DWORD>((c.value.size() + 1) * sizeof(wchar_t));
    ASSERT_EQ(RegSetValueExW(international, L"iCountry", 0, c.type,
                             reinterpret_cast<const BYTE*>(c.value.c_str()), bytes),
              ERROR_SUCCESS);
    text = u"unchanged";
    EXPECT_EQ(machine.ReadUserCountry(&text), c.read) << c.value.size() << " units, type " << c.type;
    EXPECT_EQ(text, c.read ? U16(c.value.c_str()) : u"unchanged") << c.value.size() << " units";
  }
  const DWORD number = 1;
  ASSERT_EQ(RegSetValueExW(international, L"iCountry", 0, REG_DWORD,
                           reinterpret_cast<const BYTE*>(&number), sizeof number),
            ERROR_SUCCESS);
  EXPECT_FALSE(machine.ReadUserCountry(&text)) << "a number, not text";
  RegCloseKey(international);
}

}  // namespace
}  // namespace tqr::win32
