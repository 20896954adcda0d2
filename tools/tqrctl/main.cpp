// tqrctl: installs the Orlex TQ-R5400 driver package and shows what applications get
// from it. See options.cpp for the commands.
#include <cstdio>
#include <string>
#include <vector>

#include "tqrctl/commands.h"
#include "tqrctl/failure.h"
#include "tqrctl/options.h"

int wmain(int argc, wchar_t** argv) {
  const std::vector<std::wstring> args(argv + 1, argv + argc);
  tqrctl::Options options;
  std::string complaint;
  if (!tqrctl::ParseCommandLine(args, &options, &complaint)) {
    // One line, so that a script's log shows what was wrong, not the whole usage.
    std::fprintf(stderr, "tqrctl: %s; see tqrctl --help\n", complaint.c_str());
    return tqrctl::kExitUsage;
  }
  if (options.commandHelp) {
    std::fputs(tqrctl::CommandHelpText(options.command).c_str(), stdout);
    return tqrctl::kExitOk;
  }
  switch (options.command) {
    case tqrctl::Command::kInstall:
      return tqrctl::RunInstall(options);
    case tqrctl::Command::kUninstall:
      return tqrctl::RunUninstall(options);
    case tqrctl::Command::kDefaults:
      return tqrctl::RunDefaults(options);
    case tqrctl::Command::kGet:
      return tqrctl::RunGet(options);
    case tqrctl::Command::kSet:
      return tqrctl::RunSet(options);
    case tqrctl::Command::kCaps:
      return tqrctl::RunCaps(options);
    case tqrctl::Command::kPrefs:
      return tqrctl::RunPrefs(options);
    case tqrctl::Command::kProps:
      return tqrctl::RunProps(options);
    case tqrctl::Command::kClean:
    case tqrctl::Command::kNozzleCheck:
    case tqrctl::Command::kAlign:
    case tqrctl::Command::kTestPattern:
    case tqrctl::Command::kAlignValues:
      return tqrctl::RunMaintenance(options);
    case tqrctl::Command::kStatus:
      return tqrctl::RunStatus(options);
    case tqrctl::Command::kReply:
      return tqrctl::RunReply(options);
    case tqrctl::Command::kDialog:
      return tqrctl::RunDialog(options);
    case tqrctl::Command::kHelp:
      break;
  }
  std::fputs(tqrctl::HelpText().c_str(), stdout);
  return tqrctl::kExitOk;
}
