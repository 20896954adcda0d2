// tqrctl as an administrator meets it: a command it refuses changes nothing, each
// printer gets a port of its own, ports it did not make are never removed, and a
// sheet nobody can see or press is refused rather than left waiting.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "installed_printer.h"
#include "support/processes.h"
#include "system_state.h"
#include "tqrctl_runner.h"

namespace tqr::test {
namespace {

std::string Join(const std::vector<std::wstring>& args) {
  std::string line = "tqrctl";
  for (const std::wstring& arg : args) line += " " + Narrow(arg);
  return line;
}

class TqrctlAdminTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { installation_ = InstallPrinter(L"TQR54 admin"); }
  static void TearDownTestSuite() { UninstallPrinter(installation_); }
  void SetUp() override { ASSERT_TRUE(installation_.installed) << installation_.log; }

  // Runs tqrctl and checks what it said and how it ended; with `unchanged`, that
  // the prefix is as it was before.
  static TqrctlRun Expect(const std::vector<std::wstring>& args, int exitCode, const char* says,
                          bool unchanged) {
    const SystemState before = CaptureSystemState();
    const TqrctlRun run = RunTqrctl(args);
    const std::string line = Join(args);
    EXPECT_EQ(run.exitCode, exitCode) << line << ":\n" << run.output;
    EXPECT_NE(run.output.find(says), std::string::npos) << line << ":\n" << run.output;
    if (unchanged) {
      const SystemState after = CaptureSystemState();
      EXPECT_EQ(after, before) << line << "\nbefore:\n"
                               << Describe(before) << "after:\n"
                               << Describe(after);
    }
    return run;
  }

  static InstalledPrinter installation_;
};

InstalledPrinter TqrctlAdminTest::installation_;

TEST_F(TqrctlAdminTest, ARefusedCommandLeavesTheSystemAsItWas) {
  const std::wstring& printer = installation_.name;
  const std::wstring elsewhere = UnixFolderOf(Widen(MakeScratchDirectory())) + L"other.prn";
  const struct {
    std::vector<std::wstring> args;
    int exitCode;
    const char* says;
  } cases[] = {
      // The port file is checked before the printer it would replace is removed.
      {{L"install", L"--printer", printer, L"--port-file", L"/no/such/dir/jobs.bin"}, 1,
       "no folder \"/no/such/dir/\""},
      {{L"install", L"--printer", printer, L"--port-file", L"jobs.bin"}, 1, "absolute Unix path"},
      // A port file gets a port of the printer's own, never an existing one.
      {{L"install", L"--printer", printer, L"--port-file", elsewhere, L"--port", L"FILE:"}, 2,
       "--port and --port-file exclude each other"},
      {{L"install", L"--printer", printer, L"--port", L"LPT9:"}, 1, "there is no port \"LPT9:\""},
      // The port install would make exists, and tqrctl did not make it.
      {{L"install", L"--printer", L"FILE", L"--port-file", elsewhere}, 1,
       "there is a port \"FILE:\" that tqrctl did not make"},
      {{L"uninstall", L"--printer", L"TQR54 no such printer"}, 1,
       "there is no printer \"TQR54 no such printer\""},
      // No display in the tests' prefix, and nobody to press a button.
      {{L"prefs", L"--printer", printer}, 1, "scripts/wine-run --display"},
      {{L"props", L"--printer", printer}, 1, "scripts/wine-run --display"},
      {{L"prefs", L"--host", L"--printer", printer}, 1, "or give --press ok|cancel"},
      {{L"prefs", L"--host", L"--after", L"200", L"--printer", printer}, 2,
       "--after times a press"},
      {{L"clean", L"--colors", L"k,c,k", L"--printer", printer}, 2, "\"k\" is named twice"},
      {{}, 2, "no command"},
      {{L"reinstall"}, 2, "unknown command \"reinstall\""},
      {{L"install", L"--port-file"}, 2, "--port-file needs a value"},
  };
  for (const auto& c : cases) {
    const TqrctlRun run = Expect(c.args, c.exitCode, c.says, true);
    if (c.exitCode == 2) {
      // One line, pointing to the help, rather than the whole usage.
      EXPECT_EQ(run.output.find('\n'), run.output.size() - 1) << run.output;
      EXPECT_NE(run.output.find("; see tqrctl --help"), std::string::npos) << run.output;
    }
  }
}

TEST_F(TqrctlAdminTest, EachPrinterGetsAPortOfItsOwn) {
  const std::wstring firstPort = PortOfPrinter(installation_.name);
  const std::wstring firstFile = PortMapping(firstPort);
  ASSERT_EQ(firstPort, installation_.name + L":");
  ASSERT_NE(firstFile, L"");

  const std::wstring second = L"TQR54 admin second " + RunTag();
  const std::wstring secondFile = UnixFolderOf(Widen(MakeScratchDirectory())) + L"second.prn";
  Expect({L"install", L"--printer", second, L"--port-file", secondFile}, 0, "Added printer", false);
  EXPECT_EQ(PortOfPrinter(second), second + L":");
  EXPECT_EQ(PortMapping(second + L":"), secondFile);
  EXPECT_EQ(PortMapping(firstPort), firstFile) << "the first printer's jobs would move";

  Expect({L"uninstall", L"--printer", second}, 0, "Removed port", false);
  EXPECT_FALSE(PortListed(second + L":"));
  EXPECT_EQ(PortMapping(second + L":"), L"");
  EXPECT_TRUE(PortListed(firstPort));
  EXPECT_EQ(PortMapping(firstPort), firstFile);
}

TEST_F(TqrctlAdminTest, LeavesAPortItDidNotMake) {
  const std::wstring printer = L"TQR54 admin on FILE " + RunTag();
  const SystemState before = CaptureSystemState();
  Expect({L"install", L"--printer", printer, L"--port", L"FILE:"}, 0, "on port \"FILE:\"", false);
  EXPECT_EQ(PortOfPrinter(printer), L"FILE:");
  Expect({L"uninstall", L"--printer", printer}, 0, "Removed printer", false);
  const SystemState after = CaptureSystemState();
  EXPECT_TRUE(PortListed(L"FILE:"));
  EXPECT_EQ(after, before) << "before:\n" << Describe(before) << "after:\n" << Describe(after);
}

TEST_F(TqrctlAdminTest, AJobSaysWhereItWent) {
  const std::wstring file = PortMapping(PortOfPrinter(installation_.name));
  Expect({L"nozzle-check", L"--printer", installation_.name}, 0,
         ("jobs to " + Narrow(file) + " (Wine's spooler replaces the file with each job)").c_str(),
         false);
}

}  // namespace
}  // namespace tqr::test
