#include "installed_printer.h"

#include <cstdio>

#include "support/processes.h"
#include "tqrctl_runner.h"

namespace tqr::test {

InstalledPrinter InstallPrinter(const std::wstring& namePrefix) {
  InstalledPrinter printer;
  const std::wstring tag = RunTag();
  printer.name = namePrefix + L" " + tag;
  const std::string folder = MakeScratchDirectory();
  printer.jobFile = folder + "jobs.prn";
  const TqrctlRun run =
      RunTqrctl({L"install", L"--printer", printer.name, L"--port-file",
                 UnixFolderOf(Widen(folder)) + L"jobs.prn"});
  printer.log = run.output;
  printer.installed = run.exitCode == 0;
  if (!printer.installed) {
    printer.log += "\n(tqrctl install exited with " + std::to_string(run.exitCode) + ")";
  }
  return printer;
}

void UninstallPrinter(const InstalledPrinter& printer) {
  if (!printer.installed) return;
  const TqrctlRun run = RunTqrctl({L"uninstall", L"--printer", printer.name});
  if (run.exitCode != 0) std::fprintf(stderr, "tqrctl uninstall:\n%s\n", run.output.c_str());
}

}  // namespace tqr::test
