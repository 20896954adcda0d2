// tqrctl's install and uninstall as commands: exit codes, reinstalling over an
// installation, and what uninstalling leaves behind in the prefix.
#include <gtest/gtest.h>

#include <windows.h>
#include <winspool.h>

#include <string>
#include <vector>

#include "support/processes.h"
#include "tqrctl_runner.h"

namespace tqr::test {
namespace {

constexpr wchar_t kWineSpoolerKey[] = L"Software\\Wine\\Printing\\Spooler";

bool PrinterExists(const std::wstring& name) {
  HANDLE printer = nullptr;
  if (!OpenPrinterW(const_cast<LPWSTR>(name.c_str()), &printer, nullptr)) return false;
  ClosePrinter(printer);
  return true;
}

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

bool PortListed(const std::wstring& name) {
  DWORD needed = 0;
  DWORD count = 0;
  EnumPortsW(nullptr, 1, nullptr, 0, &needed, &count);
  std::vector<BYTE> block(needed);
  if (needed == 0 || !EnumPortsW(nullptr, 1, block.data(), needed, &needed, &count)) return false;
  const auto* ports = reinterpret_cast<const PORT_INFO_1W*>(block.data());
  for (DWORD i = 0; i < count; ++i) {
    if (name == ports[i].pName) return true;
  }
  return false;
}

std::wstring PortMapping(const std::wstring& port) {
  wchar_t file[1024] = {};
  DWORD size = sizeof file;
  if (RegGetValueW(HKEY_CURRENT_USER, kWineSpoolerKey, port.c_str(), RRF_RT_REG_SZ, nullptr, file,
                   &size) != ERROR_SUCCESS) {
    return {};
  }
  return file;
}

TEST(TqrctlCycleTest, ReinstallsOverItselfAndUninstallsWhatItInstalled) {
  const std::wstring tag = RunTag();
  const std::wstring printer = L"TQR54 cycle " + tag;
  const std::wstring driver = L"TQR54 cycle driver " + tag;
  const std::wstring port = L"TQR54-cycle-" + tag + L":";
  const std::wstring portFile = UnixFolderOf(Widen(MakeScratchDirectory())) + L"jobs.prn";
  const std::vector<std::wstring> install = {L"install",  L"--printer",   printer,
                                             L"--driver", driver,         L"--port",
                                             port,        L"--port-file", portFile};
  const std::vector<std::wstring> uninstall = {L"uninstall", L"--printer", printer, L"--driver",
                                               driver};

  for (int round = 1; round <= 2; ++round) {
    const TqrctlRun run = RunTqrctl(install);
    ASSERT_EQ(run.exitCode, 0) << "install, round " << round << ":\n" << run.output;
    EXPECT_TRUE(PrinterExists(printer)) << "round " << round;
    EXPECT_TRUE(DriverExists(driver)) << "round " << round;
    EXPECT_TRUE(PortListed(port)) << "round " << round;
    EXPECT_EQ(PortMapping(port), portFile) << "round " << round;
  }

  TqrctlRun run = RunTqrctl(uninstall);
  EXPECT_EQ(run.exitCode, 0) << run.output;
  EXPECT_FALSE(PrinterExists(printer));
  EXPECT_FALSE(DriverExists(driver));
  EXPECT_FALSE(PortListed(port));
  EXPECT_EQ(PortMapping(port), L"");

  // Nothing left to remove is no failure; asking a removed printer is.
  run = RunTqrctl(uninstall);
  EXPECT_EQ(run.exitCode, 0) << run.output;
  run = RunTqrctl({L"caps", L"--printer", printer});
  EXPECT_EQ(run.exitCode, 1) << run.output;
  run = RunTqrctl({L"defaults", L"--printer", printer});
  EXPECT_EQ(run.exitCode, 1) << run.output;
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

TEST(TqrctlCycleTest, ABadCommandLineExitsWithTwo) {
  for (const std::vector<std::wstring>& args :
       std::vector<std::vector<std::wstring>>{{}, {L"reinstall"}, {L"install", L"--port-file"}}) {
    const TqrctlRun run = RunTqrctl(args);
    EXPECT_EQ(run.exitCode, 2) << run.output;
    EXPECT_NE(run.output.find("usage: tqrctl"), std::string::npos) << run.output;
  }
}

}  // namespace
}  // namespace tqr::test
