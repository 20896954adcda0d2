#include "tqrctl/options.h"

#include "tqrctl/text.h"

namespace tqrctl {

const char kSynopsis[] =
    "usage: tqrctl install [--dir DIR] [--printer NAME] [--driver NAME]\n"
    "                      [--port PORT] [--port-file FILE]\n"
    "       tqrctl uninstall [--printer NAME] [--driver NAME]\n"
    "       tqrctl defaults [--printer NAME]\n"
    "       tqrctl caps [--printer NAME]\n";

const char kHelp[] =
    "  install    copies the driver package in DIR (default: the folder of tqrctl.exe)\n"
    "             into the spooler and adds the printer, replacing one of that name\n"
    "  uninstall  removes the printer, the job port install made for it, and the driver\n"
    "  defaults   the printer's default settings as applications get them, by field\n"
    "  caps       every DeviceCapabilities answer for the printer\n"
    "\n"
    "  Printer and driver are named \"Orlex TQ-R5400\" unless told otherwise.\n"
    "  --port-file FILE  jobs sent to the printer land in FILE, a Unix path under Wine\n"
    "                    (Wine's spooler maps the port to it), a file path on Windows\n"
    "  --port PORT       the printer's port (default: TQR54: with --port-file, else FILE:)\n"
    "\n"
    "exit status: 0 done, 1 failed, 2 bad command line\n";

namespace {

enum CommandBit : unsigned {
  kOnInstall = 1,
  kOnUninstall = 2,
  kOnDefaults = 4,
  kOnCaps = 8,
  kOnAll = 15,
};

struct CommandName {
  const wchar_t* word;
  Command command;
  CommandBit bit;
};

constexpr CommandName kCommands[] = {
    {L"install", Command::kInstall, kOnInstall},
    {L"uninstall", Command::kUninstall, kOnUninstall},
    {L"defaults", Command::kDefaults, kOnDefaults},
    {L"caps", Command::kCaps, kOnCaps},
};

struct OptionRule {
  const wchar_t* name;
  std::wstring Options::*field;
  unsigned commands;
};

constexpr OptionRule kOptions[] = {
    {L"--printer", &Options::printer, kOnAll},
    {L"--driver", &Options::driver, kOnInstall | kOnUninstall},
    {L"--dir", &Options::dir, kOnInstall},
    {L"--port", &Options::port, kOnInstall},
    {L"--port-file", &Options::portFile, kOnInstall},
};

}  // namespace

bool ParseCommandLine(const std::vector<std::wstring>& args, Options* options,
                      std::string* complaint) {
  *options = Options();
  if (args.empty()) {
    *complaint = "no command";
    return false;
  }
  if (args.size() == 1 && (args[0] == L"--help" || args[0] == L"-h" || args[0] == L"help")) {
    return true;
  }
  const CommandName* command = nullptr;
  for (const CommandName& c : kCommands) {
    if (args[0] == c.word) command = &c;
  }
  if (command == nullptr) {
    *complaint = "unknown command \"" + Utf8(args[0]) + "\"";
    return false;
  }
  options->command = command->command;

  for (std::size_t i = 1; i < args.size(); i += 2) {
    const OptionRule* rule = nullptr;
    for (const OptionRule& r : kOptions) {
      if (args[i] == r.name) rule = &r;
    }
    if (rule == nullptr || (rule->commands & command->bit) == 0) {
      *complaint = "\"" + Utf8(args[i]) + "\" is no option of " + Utf8(command->word);
      return false;
    }
    if (i + 1 >= args.size() || args[i + 1].empty()) {
      *complaint = Utf8(rule->name) + " needs a value";
      return false;
    }
    options->*(rule->field) = args[i + 1];
  }
  return true;
}

}  // namespace tqrctl
