// tqrctl's get, set and reply against an installed printer: every kind of key
// makes the round trip through the driver, and a refused value leaves the
// stored settings byte for byte as they were.
#include <gtest/gtest.h>

#include <windows.h>
#include <winspool.h>

#include <string>
#include <vector>

#include "installed_printer.h"
#include "support/processes.h"
#include "tqrctl_runner.h"

namespace tqr::test {
namespace {

// Everything of the printer a settings command could touch: the spooler's
// default record and the driver's stored settings.
struct StoredSettings {
  std::vector<BYTE> defaultRecord;
  std::vector<BYTE> driverRecord;
  std::vector<BYTE> statusReply;

  bool operator==(const StoredSettings&) const = default;
};

std::vector<BYTE> PrinterDataOf(HANDLE printer, const wchar_t* name) {
  std::vector<BYTE> bytes(8192, 0);
  DWORD type = 0;
  DWORD needed = 0;
  const DWORD status = GetPrinterDataW(printer, const_cast<LPWSTR>(name), &type, bytes.data(),
                                       static_cast<DWORD>(bytes.size()), &needed);
  bytes.resize(status == ERROR_SUCCESS && needed <= bytes.size() ? needed : 0);
  return bytes;
}

class TqrctlSettingsTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { installation_ = InstallPrinter(L"TQR54 settings"); }
  static void TearDownTestSuite() { UninstallPrinter(installation_); }
  void SetUp() override { ASSERT_TRUE(installation_.installed) << installation_.log; }

  static StoredSettings Stored() {
    StoredSettings stored;
    HANDLE printer = nullptr;
    if (!OpenPrinterW(const_cast<LPWSTR>(installation_.name.c_str()), &printer, nullptr)) {
      return stored;
    }
    DWORD needed = 0;
    GetPrinterW(printer, 2, nullptr, 0, &needed);
    std::vector<BYTE> info(needed, 0);
    if (needed != 0 && GetPrinterW(printer, 2, info.data(), needed, &needed)) {
      const DEVMODEW* devmode = reinterpret_cast<const PRINTER_INFO_2W*>(info.data())->pDevMode;
      if (devmode != nullptr) {
        const auto* bytes = reinterpret_cast<const BYTE*>(devmode);
        stored.defaultRecord.assign(bytes, bytes + devmode->dmSize + devmode->dmDriverExtra);
      }
    }
    stored.driverRecord = PrinterDataOf(printer, kRecordValue);
    stored.statusReply = PrinterDataOf(printer, L"PrinterStatus");
    ClosePrinter(printer);
    return stored;
  }

  static TqrctlRun Run(std::vector<std::wstring> args) {
    args.insert(args.end(), {L"--printer", installation_.name});
    return RunTqrctl(args);
  }

  static InstalledPrinter installation_;
};

InstalledPrinter TqrctlSettingsTest::installation_;

TEST_F(TqrctlSettingsTest, EveryKindOfKeyMakesTheRoundTrip) {
  const struct {
    const wchar_t* set;
    const char* get;  // what get then prints for the key
  } cases[] = {
      {L"MediaType=Glossy Film", "MediaType=Glossy Film\n"},         // options, by name
      {L"MediaType=7", "MediaType=High Quality Paper\n"},            // options, by value
      {L"Halftoning=dithering", "Halftoning=Dithering\n"},           // value list, any case
      {L"HeadManagement=No", "HeadManagement=No\n"},                 // value list
      {L"Cyan=-50", "Cyan=-50\n"},                                   // range, its minimum
      {L"DryInkScan=10", "DryInkScan=10\n"},                         // range, its maximum
      {L"Mirror=On", "Mirror=On\n"},                                 // a single value
  };
  for (const auto& c : cases) {
    TqrctlRun run = Run({L"set", c.set});
    EXPECT_EQ(run.exitCode, 0) << Narrow(c.set) << ":\n" << run.output;
    const std::string key = Narrow(c.set).substr(0, Narrow(c.set).find('='));
    run = Run({L"get", Widen(key)});
    EXPECT_EQ(run.exitCode, 0) << run.output;
    EXPECT_EQ(run.output, c.get);
  }

  // Several at once, and what get prints goes back into set as it is.
  TqrctlRun run = Run({L"set", L"MediaType=Canvas", L"Yellow=12"});
  ASSERT_EQ(run.exitCode, 0) << run.output;
  EXPECT_NE(run.output.find("MediaType: High Quality Paper -> Canvas"), std::string::npos)
      << run.output;
  run = Run({L"get", L"mediatype", L"Yellow"});
  EXPECT_EQ(run.output, "MediaType=Canvas\nYellow=12\n");
  // As a shell's "$(tqrctl get ...)" hands it over: the console's CR LF line
  // ends, one setting or the whole listing in one word.
  run = Run({L"set", L"MediaType=Glossy Film\r\n"});
  EXPECT_EQ(run.exitCode, 0) << run.output;
  run = Run({L"get"});
  ASSERT_EQ(run.exitCode, 0) << run.output;
  std::string listing;
  for (const char c : run.output) listing += c == '\n' ? std::string("\r\n") : std::string(1, c);
  const StoredSettings before = Stored();
  run = Run({L"set", Widen(listing)});
  EXPECT_EQ(run.exitCode, 0) << run.output;
  EXPECT_NE(run.output.find("No setting changed"), std::string::npos) << run.output;
  EXPECT_EQ(Stored().driverRecord, before.driverRecord);
}

TEST_F(TqrctlSettingsTest, ARefusedValueLeavesTheStoredSettingsAsTheyWere) {
  ASSERT_EQ(Run({L"set", L"MediaType=Coated Paper"}).exitCode, 0);
  const struct {
    std::vector<std::wstring> args;
    int exitCode;
    const char* says;
  } cases[] = {
      {{L"set", L"Colour=1"}, 2, "\"Colour\" is no setting; the settings are PageLayout, "},
      {{L"get", L"Colour"}, 2, "\"Colour\" is no setting"},
      {{L"set", L"MediaType=Vellum"}, 2,
       "\"Vellum\" is no value of MediaType; it takes one of \"Plain Paper\" (0), "},
      {{L"set", L"Cyan=51"}, 2, "it takes a whole number from -50 to 50"},
      // What cannot be seen is shown, so that the refusal never seems to
      // refuse the very value it lists.
      {{L"set", L"MediaType=Plain Paper\t"}, 2, "\"Plain Paper\\t\" is no value of MediaType"},
      {{L"set", L"Cyan"}, 2, "set takes KEY=VALUE"},
      {{L"set"}, 2, "set needs KEY=VALUE or --print-mode NAME"},
      // The first is sound; nothing is stored all the same.
      {{L"set", L"MediaType=Canvas", L"Cyan=99"}, 2, "no value of Cyan"},
      {{L"set", L"--print-mode", L"Poster"}, 2,
       "\"Poster\" is no print mode; the modes are \"Standard\", \"Photo\""},
      // Without a duplex unit the driver prints front to back whatever is asked.
      {{L"set", L"Print Order=Back to Front"}, 1,
       "Print Order=Back to Front: the driver would make it Front to Back"},
      {{L"reply", L"--status", L"00 01"}, 2, "the \"PrinterStatus\" reply has 2 bytes; it takes 24"},
      {{L"reply", L"--status", L"0g"}, 2, "not pairs of hexadecimal digits"},
  };
  for (const auto& c : cases) {
    const StoredSettings before = Stored();
    const TqrctlRun run = Run(c.args);
    std::string line;
    for (const std::wstring& arg : c.args) line += " " + Narrow(arg);
    EXPECT_EQ(run.exitCode, c.exitCode) << line << ":\n" << run.output;
    EXPECT_NE(run.output.find(c.says), std::string::npos) << line << ":\n" << run.output;
    EXPECT_TRUE(Stored() == before) << line;
  }
  EXPECT_EQ(Run({L"get", L"MediaType"}).output, "MediaType=Coated Paper\n");
}

TEST_F(TqrctlSettingsTest, APrintModeBringsItsSettings) {
  // Photo's settings words: media type 5 ("PMMediaType" at index 1).
  ASSERT_EQ(Run({L"set", L"MediaType=Plain Paper"}).exitCode, 0);
  TqrctlRun run = Run({L"set", L"--print-mode", L"photo"});
  ASSERT_EQ(run.exitCode, 0) << run.output;
  run = Run({L"get", L"PrintMode", L"MediaType", L"First Page Only", L"Overlay Prompt"});
  EXPECT_EQ(run.output, "PrintMode=Photo\nMediaType=Glossy Paper\nFirst Page Only=Off\nOverlay Prompt=On\n")
      << run.output;
}

TEST_F(TqrctlSettingsTest, StoredRepliesAreWhatStatusShows) {
  // Tray A 36 inches of code 0, tray B empty; firmware "1.05".
  // The status as text, the inquiry as the file a monitor's log would hold.
  const std::wstring status = L"00000000 00000000 00000000 00000000 00000000 24000000";
  const std::string inquiryFile = MakeScratchDirectory() + "inquiry.bin";
  ASSERT_TRUE(WriteWholeFile(inquiryFile, std::string(36, '\0') + "1.05"));
  TqrctlRun run =
      Run({L"reply", L"--status", status, L"--inquiry-file", Widen(inquiryFile)});
  ASSERT_EQ(run.exitCode, 0) << run.output;
  run = Run({L"status"});
  EXPECT_EQ(run.exitCode, 0) << run.output;
  EXPECT_EQ(run.output,
            "Media Tray A: 36in Plain Papers\nMedia Tray B: No media\nFirmware version: 1.05\n");

  // A failed inquiry leaves its line empty, and an empty line is not printed.
  run = Run({L"reply", L"--status", std::wstring(48, L'0'), L"--inquiry",
             L"01" + std::wstring(78, L'0')});
  ASSERT_EQ(run.exitCode, 0) << run.output;
  run = Run({L"status"});
  EXPECT_EQ(run.exitCode, 0) << run.output;
  EXPECT_EQ(run.output, "Media Tray A: No media\nMedia Tray B: No media\n");

  // A failing status: how to store a reply instead.
  run = Run({L"reply", L"--status", L"01" + std::wstring(46, L'0')});
  ASSERT_EQ(run.exitCode, 0) << run.output;
  run = Run({L"status"});
  EXPECT_EQ(run.exitCode, 1) << run.output;
  EXPECT_NE(run.output.find("or store one with tqrctl reply --status HEX"), std::string::npos)
      << run.output;
}

// A reply file of the wrong length is refused with its own length, however
// long it is.
TEST_F(TqrctlSettingsTest, AReplyFileIsJudgedByItsWholeLength) {
  const std::string big = MakeScratchDirectory() + "big.bin";
  ASSERT_TRUE(WriteWholeFile(big, std::string(3000000, '\0')));
  const TqrctlRun run = Run({L"reply", L"--status-file", Widen(big)});
  EXPECT_EQ(run.exitCode, 2) << run.output;
  EXPECT_NE(run.output.find("the \"PrinterStatus\" reply has 3000000 bytes; it takes 24"),
            std::string::npos)
      << run.output;
}

}  // namespace
}  // namespace tqr::test
