#include "tqrctl/options.h"

#include "maintenance/maintenance_command.h"
#include "tqrctl/text.h"

namespace tqrctl {

const char kSynopsis[] =
    "usage: tqrctl install [--dir DIR] [--printer NAME] [--driver NAME]\n"
    "                      [--port PORT] [--port-file FILE]\n"
    "       tqrctl uninstall [--printer NAME] [--driver NAME]\n"
    "       tqrctl defaults [--printer NAME]\n"
    "       tqrctl caps [--printer NAME]\n"
    "       tqrctl status [--printer NAME]\n"
    "       tqrctl prefs|props [--printer NAME] [--host] [--read-only]\n"
    "                          [--press ok|cancel [--after MS]] [--screenshot DIR]\n"
    "       tqrctl clean [--colors c,m,y,pc,pm,k] [--printer NAME]\n"
    "       tqrctl nozzle-check|align|test-pattern [--printer NAME]\n"
    "       tqrctl align-values A B C D E F G [--printer NAME]\n";

const char kHelp[] =
    "  install    copies the driver package in DIR (default: the folder of tqrctl.exe)\n"
    "             into the spooler and adds the printer, replacing one of that name\n"
    "  uninstall  removes the printer, the job port install made for it, and the driver\n"
    "  defaults   the printer's default settings as applications get them, by field\n"
    "  caps       every DeviceCapabilities answer for the printer\n"
    "  status     the roll media and firmware version the printer reports, as the lines\n"
    "             of the driver's Printer Information page (nothing is stored)\n"
    "  prefs      the printing preferences (the document property sheet), opened the way\n"
    "             applications open them (DocumentPropertiesW with DM_PROMPT); on OK the\n"
    "             settings that come back, by field\n"
    "  props      the printer's property sheet (PrinterProperties, or the driver's device\n"
    "             sheet through the common property sheet UI where that is a stub)\n"
    "  clean        has the printer clean the heads of the inks in --colors (default: all)\n"
    "  nozzle-check has the printer print its nozzle check pattern\n"
    "  align        has the printer align its print heads by itself\n"
    "  test-pattern has the printer print the alignment pattern to read A to G from\n"
    "  align-values sends the alignment values A to G read from the pattern, each 1 to 9\n"
    "\n"
    "  Printer and driver are named \"Orlex TQ-R5400\" unless told otherwise.\n"
    "  --port-file FILE  jobs sent to the printer land in FILE, a Unix path under Wine\n"
    "                    (Wine's spooler maps the port to it), a file path on Windows\n"
    "  --port PORT       the printer's port (default: TQR54: with --port-file, else FILE:)\n"
    "  --host            prefs, props: host the driver's sheet ourselves, step by step as the\n"
    "                    common property sheet UI does (init, header, pages, result, destroy),\n"
    "                    printing each step\n"
    "  --read-only       prefs, props: as for a user who may not change the settings\n"
    "  --press ok|cancel prefs, props: press the button in place of a user, MS (--after,\n"
    "                    default 1500) milliseconds after the sheet is up\n"
    "  --screenshot DIR  prefs, props: write each page, and each dialog its buttons open,\n"
    "                    as a BMP file into DIR (needs a display: scripts/wine-run --display)\n"
    "  --colors LIST     clean: inks separated by commas: c (cyan), m (magenta), y (yellow),\n"
    "                    pc (photo cyan), pm (photo magenta), k (black)\n"
    "\n"
    "exit status: 0 done, 1 failed, 2 bad command line\n";

namespace {

enum CommandBit : unsigned {
  kOnInstall = 1,
  kOnUninstall = 2,
  kOnDefaults = 4,
  kOnCaps = 8,
  kOnPrefs = 16,
  kOnProps = 32,
  kOnSheets = kOnPrefs | kOnProps,
  kOnClean = 64,
  kOnJobs = 128,  // the other maintenance commands
  kOnStatus = 256,
  kOnAll = 511,
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
    {L"prefs", Command::kPrefs, kOnPrefs},
    {L"props", Command::kProps, kOnProps},
    {L"clean", Command::kClean, kOnClean},
    {L"nozzle-check", Command::kNozzleCheck, kOnJobs},
    {L"align", Command::kAlign, kOnJobs},
    {L"test-pattern", Command::kTestPattern, kOnJobs},
    {L"align-values", Command::kAlignValues, kOnJobs},
    {L"status", Command::kStatus, kOnStatus},
};

bool ReadPress(const std::wstring& value, Options* options) {
  if (value == L"ok") {
    options->press = Press::kOk;
  } else if (value == L"cancel") {
    options->press = Press::kCancel;
  } else {
    return false;
  }
  return true;
}

bool ReadMilliseconds(const std::wstring& value, Options* options) {
  if (value.size() > 6) return false;
  unsigned ms = 0;
  for (const wchar_t c : value) {
    if (c < L'0' || c > L'9') return false;
    ms = ms * 10 + static_cast<unsigned>(c - L'0');
  }
  if (ms > kLongestPressDelayMs) return false;
  options->pressAfterMs = ms;
  return true;
}

// A list of ink letters; each ink at most once, at least one.
bool ReadInks(const std::wstring& value, Options* options) {
  struct Ink {
    const wchar_t* letters;
    std::uint8_t bit;
  };
  static constexpr Ink kInks[] = {
      {L"c", tqr::kInkCyan},        {L"m", tqr::kInkMagenta},       {L"y", tqr::kInkYellow},
      {L"pc", tqr::kInkPhotoCyan},  {L"pm", tqr::kInkPhotoMagenta}, {L"k", tqr::kInkBlack},
  };
  std::uint8_t inks = 0;
  std::size_t start = 0;
  while (start <= value.size()) {
    std::size_t end = value.find(L',', start);
    if (end == std::wstring::npos) end = value.size();
    const std::wstring letters = value.substr(start, end - start);
    const Ink* ink = nullptr;
    for (const Ink& candidate : kInks) {
      if (letters == candidate.letters) ink = &candidate;
    }
    if (ink == nullptr || (inks & ink->bit) != 0) return false;
    inks = static_cast<std::uint8_t>(inks | ink->bit);
    start = end + 1;
  }
  options->inks = inks;
  return true;
}

// One of the seven alignment values, 1 to 9.
bool ReadAlignmentValue(const std::wstring& value, Options* options) {
  if (value.size() != 1 || value[0] < L'1' || value[0] > L'9') return false;
  options->alignValues.push_back(value[0] - L'0');
  return true;
}

// Each option is one of: a text kept as given, a flag that takes no value, or a
// value that must be read (and may be refused).
struct OptionRule {
  const wchar_t* name;
  unsigned commands;
  std::wstring Options::*text;
  bool Options::*flag;
  bool (*read)(const std::wstring& value, Options* options);
};

constexpr OptionRule kOptions[] = {
    {L"--printer", kOnAll, &Options::printer, nullptr, nullptr},
    {L"--driver", kOnInstall | kOnUninstall, &Options::driver, nullptr, nullptr},
    {L"--dir", kOnInstall, &Options::dir, nullptr, nullptr},
    {L"--port", kOnInstall, &Options::port, nullptr, nullptr},
    {L"--port-file", kOnInstall, &Options::portFile, nullptr, nullptr},
    {L"--host", kOnSheets, nullptr, &Options::host, nullptr},
    {L"--read-only", kOnSheets, nullptr, &Options::readOnly, nullptr},
    {L"--press", kOnSheets, nullptr, nullptr, ReadPress},
    {L"--after", kOnSheets, nullptr, nullptr, ReadMilliseconds},
    {L"--screenshot", kOnSheets, &Options::screenshotDir, nullptr, nullptr},
    {L"--colors", kOnClean, nullptr, nullptr, ReadInks},
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

  for (std::size_t i = 1; i < args.size(); ++i) {
    // align-values takes its values in order, before or among its options.
    if (options->command == Command::kAlignValues && args[i].rfind(L"--", 0) != 0) {
      if (options->alignValues.size() >= tqr::kAlignmentValueCount) {
        *complaint = "align-values takes seven values; \"" + Utf8(args[i]) + "\" is one more";
        return false;
      }
      if (!ReadAlignmentValue(args[i], options)) {
        *complaint = "\"" + Utf8(args[i]) + "\" is no alignment value (1 to 9)";
        return false;
      }
      continue;
    }
    const OptionRule* rule = nullptr;
    for (const OptionRule& r : kOptions) {
      if (args[i] == r.name) rule = &r;
    }
    if (rule == nullptr || (rule->commands & command->bit) == 0) {
      *complaint = "\"" + Utf8(args[i]) + "\" is no option of " + Utf8(command->word);
      return false;
    }
    if (rule->flag != nullptr) {
      options->*(rule->flag) = true;
      continue;
    }
    if (i + 1 >= args.size() || args[i + 1].empty()) {
      *complaint = Utf8(rule->name) + " needs a value";
      return false;
    }
    const std::wstring& value = args[++i];
    if (rule->text != nullptr) {
      options->*(rule->text) = value;
    } else if (!rule->read(value, options)) {
      *complaint = "\"" + Utf8(value) + "\" is no value of " + Utf8(rule->name);
      return false;
    }
  }
  if (options->command == Command::kAlignValues &&
      options->alignValues.size() != tqr::kAlignmentValueCount) {
    *complaint = "align-values needs the seven values A to G";
    return false;
  }
  return true;
}

}  // namespace tqrctl
