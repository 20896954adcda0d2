// tqrctl's install and uninstall as commands: exit codes, reinstalling over an
// installation, and what uninstalling leaves behind in the prefix.
#include <gtest/gtest.h>

#include <windows.h>
#include <winspool.h>

#include <string>
#include <vector>

#include "support/processes.h"
#include "system_state.h"
#include "tqrctl_runner.h"

namespace tqr::test {
namespace {

bool DriverExists(const std::wstring& name) {
  DWORD needed = 0;
  DWORD count = 0;
  EnumPrinterDriversW(nullptr, nullptr, 1, nullptr, 0, &needed, &count);
  std::vector<BYTE> block(needed);
  if (needed == 0 ||
      !EnumPrinterDriversW(nullptr, nullptr, 1, block.data(), needed, &needed, &count)) {
    return false;
  }
  const auto* drivers = reinterpret_cast<const DRIVER_INFO_1W*>(block.data());
  for (DWORD i = 0; i < count; ++i) {
    if (name == drivers[i].pName) return true;
  }
  return false;
}

TEST(TqrctlCycleTest, ReinstallsOverItselfAndUninstallsWhatItInstalled) {
  const std::wstring tag = RunTag();
  const std::wstring printer = L"TQR54 cycle " + tag;
  const std::wstring driver = L"TQR54 cycle driver " + tag;
  // The port install makes is named after the printer.
  const std::wstring port = printer + L":";
  const std::wstring portFile = UnixFolderOf(Widen(MakeScratchDirectory())) + L"jobs.prn";
  const std::vector<std::wstring> install = {L"install", L"--printer",   printer, L"--driver",
                                             driver,     L"--port-file", portFile};
  const std::vector<std::wstring> uninstall = {L"uninstall", L"--printer", printer, L"--driver",
                                               driver};

  for (int round = 1; round <= 2; ++round) {
    const TqrctlRun run = RunTqrctl(install);
    ASSERT_EQ(run.exitCode, 0) << "install, round " << round << ":\n" << run.output;
    EXPECT_TRUE(PrinterExists(printer)) << "round " << round;
    EXPECT_TRUE(DriverExists(driver)) << "round " << round;
    EXPECT_EQ(PortOfPrinter(printer), port) << "round " << round;
    EXPECT_EQ(PortMapping(port), portFile) << "round " << round;
    // Where the jobs go, and what becomes of the file.
    EXPECT_NE(run.output.find(Narrow(portFile) + " (Wine's spooler replaces the file"),
              std::string::npos)
        << run.output;
  }

  TqrctlRun run = RunTqrctl(uninstall);
  EXPECT_EQ(run.exitCode, 0) << run.output;
  EXPECT_FALSE(PrinterExists(printer));
  EXPECT_FALSE(DriverExists(driver));
  EXPECT_FALSE(PortListed(port));
  EXPECT_EQ(PortMapping(port), L"");

  // A printer that is not there is a failure, for uninstall as for every command;
  // the commands that use it say how to get it back.
  for (const std::vector<std::wstring>& args :
       {uninstall, std::vector<std::wstring>{L"caps", L"--printer", printer},
        std::vector<std::wstring>{L"defaults", L"--printer", printer},
        std::vector<std::wstring>{L"get", L"--printer", printer},
        std::vector<std::wstring>{L"status", L"--printer", printer}}) {
    run = RunTqrctl(args);
    EXPECT_EQ(run.exitCode, 1) << Narrow(args[0]) << ":\n" << run.output;
    if (args[0] != L"uninstall") {
      EXPECT_NE(run.output.find("install it with tqrctl install"), std::string::npos)
          << Narrow(args[0]) << ":\n" << run.output;
    }
  }
}

TEST(TqrctlCycleTest, RefusesAPackageWithAFileMissing) {
  const std::string folder = MakeScratchDirectory();
  ASSERT_TRUE(WriteWholeFile(folder + "TQR54GFX.DDF", "*Printer: x\n"));
  const std::wstring printer = L"TQR54 missing " + RunTag();
  const TqrctlRun run = RunTqrctl({L"install", L"--dir", Widen(folder), L"--printer", printer});
  EXPECT_EQ(run.exitCode, 1) << run.output;
  EXPECT_NE(run.output.find("tqr54ui.dll"), std::string::npos) << run.output;
  EXPECT_FALSE(PrinterExists(printer));
}

}  // namespace
}  // namespace tqr::test
