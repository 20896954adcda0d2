#include "tqrctl/options.h"

#include <cstdio>

#include "maintenance/maintenance_command.h"
#include "tqrctl/failure.h"
#include "tqrctl/text.h"

namespace tqrctl {
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
  kOnAlignValues = 512,
  kOnGet = 1024,
  kOnSet = 2048,
  kOnReply = 4096,
  kOnDialog = 8192,
  kOnScripted = kOnSheets | kOnDialog,  // what a scripted user can drive
  kOnAll = 16383,
};

// What a command takes besides its options, read one word at a time; false with
// the reason in *complaint for a word it cannot take.
using WordReader = bool (*)(const std::wstring& word, Options* options, std::string* complaint);

struct CommandRow {
  const wchar_t* word;
  Command command;
  CommandBit bit;
  const char* words;  // how the usage line shows them; null: none
  WordReader readWord;
  const char* help;
};

// One of the seven alignment values, 1 to 9.
bool ReadAlignmentValue(const std::wstring& value, Options* options, std::string* complaint) {
  if (options->alignValues.size() >= tqr::kAlignmentValueCount) {
    *complaint = "align-values takes seven values; \"" + Utf8(value) + "\" is one more";
    return false;
  }
  if (value.size() != 1 || value[0] < L'1' || value[0] > L'9') {
    *complaint = "\"" + Utf8(value) + "\" is no alignment value (1 to 9)";
    return false;
  }
  options->alignValues.push_back(value[0] - L'0');
  return true;
}

bool ReadDialogName(const std::wstring& value, Options* options, std::string* complaint) {
  if (options->dialog != PrintModeDialog::kNone) {
    *complaint = "dialog opens one dialog; \"" + Utf8(value) + "\" is one more";
    return false;
  }
  if (value == L"save-as") {
    options->dialog = PrintModeDialog::kSaveAs;
  } else if (value == L"open") {
    options->dialog = PrintModeDialog::kOpen;
  } else {
    *complaint = "\"" + Utf8(value) + "\" is no dialog (save-as or open)";
    return false;
  }
  return true;
}

bool ReadWord(const std::wstring& value, Options* options, std::string*) {
  options->words.push_back(value);
  return true;
}

constexpr CommandRow kCommands[] = {
    {L"install", Command::kInstall, kOnInstall, nullptr, nullptr,
     "adds the driver package and the printer, replacing one of that name"},
    {L"uninstall", Command::kUninstall, kOnUninstall, nullptr, nullptr,
     "removes the printer, the port made for it, the driver when unused"},
    {L"defaults", Command::kDefaults, kOnDefaults, nullptr, nullptr,
     "the default settings as applications get them, field by field"},
    {L"get", Command::kGet, kOnGet, "[KEY...]", ReadWord,
     "the settings a document gets, KEY=VALUE a line"},
    {L"set", Command::kSet, kOnSet, "KEY=VALUE...", ReadWord,
     "checks values with the driver, stores them as the defaults"},
    {L"caps", Command::kCaps, kOnCaps, nullptr, nullptr,
     "every DeviceCapabilities answer for the printer"},
    {L"status", Command::kStatus, kOnStatus, nullptr, nullptr,
     "roll media and firmware, as the Printer Information page shows"},
    {L"reply", Command::kReply, kOnReply, nullptr, nullptr,
     "stores status replies as printer data: status needs no printer"},
    {L"prefs", Command::kPrefs, kOnPrefs, nullptr, nullptr,
     "the printing preferences sheet; on OK the settings"},
    {L"props", Command::kProps, kOnProps, nullptr, nullptr,
     "the printer's property sheet; on OK the stored settings"},
    {L"dialog", Command::kDialog, kOnDialog, "save-as|open", ReadDialogName,
     "a print mode dialog alone, on the first user preset"},
    {L"clean", Command::kClean, kOnClean, nullptr, nullptr,
     "cleans the heads of the inks in --colors (default: all)"},
    {L"nozzle-check", Command::kNozzleCheck, kOnJobs, nullptr, nullptr,
     "has the printer print its nozzle check pattern"},
    {L"align", Command::kAlign, kOnJobs, nullptr, nullptr,
     "has the printer align its heads by itself"},
    {L"test-pattern", Command::kTestPattern, kOnJobs, nullptr, nullptr,
     "prints the alignment pattern to read A to G from"},
    {L"align-values", Command::kAlignValues, kOnAlignValues, "A B C D E F G", ReadAlignmentValue,
     "sends the values read from the pattern, each 1 to 9"},
};

// An option's value reader: false, with *why saying more when it can, for a
// value to refuse.
using ValueReader = bool (*)(const std::wstring& value, Options* options, std::string* why);

bool ReadPress(const std::wstring& value, Options* options, std::string*) {
  if (value == L"ok") {
    options->press = Press::kOk;
  } else if (value == L"cancel") {
    options->press = Press::kCancel;
  } else {
    return false;
  }
  return true;
}

bool ReadMilliseconds(const std::wstring& value, Options* options, std::string* why) {
  *why = "0 to " + std::to_string(kLongestPressDelayMs);
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
bool ReadInks(const std::wstring& value, Options* options, std::string* why) {
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
    if (ink == nullptr) {
      *why = "\"" + Utf8(letters) + "\" is no ink";
      return false;
    }
    if ((inks & ink->bit) != 0) {
      *why = "\"" + Utf8(letters) + "\" is named twice";
      return false;
    }
    inks = static_cast<std::uint8_t>(inks | ink->bit);
    start = end + 1;
  }
  options->inks = inks;
  return true;
}

// Each option is one of: a text kept as given, a flag that takes no value, or a
// value that must be read (and may be refused).
struct OptionRule {
  const char* name;
  const char* value;  // how help shows the value; null for a flag
  unsigned commands;
  std::wstring Options::*text;
  bool Options::*flag;
  ValueReader read;
  const char* help;
};

constexpr OptionRule kOptions[] = {
    {"--printer", "NAME", kOnAll, &Options::printer, nullptr, nullptr,
     "the printer (default \"Orlex TQ-R5400\")"},
    {"--driver", "NAME", kOnInstall | kOnUninstall, &Options::driver, nullptr, nullptr,
     "the driver's name in the spooler (default \"Orlex TQ-R5400\")"},
    {"--dir", "DIR", kOnInstall, &Options::dir, nullptr, nullptr,
     "the package folder (default: the folder of tqrctl.exe)"},
    {"--port", "PORT", kOnInstall, &Options::port, nullptr, nullptr,
     "an existing port for the printer (default FILE:)"},
    {"--port-file", "FILE", kOnInstall, &Options::portFile, nullptr, nullptr,
     "jobs go to FILE (a Unix path under Wine) on a port of its own"},
    {"--default", nullptr, kOnInstall, nullptr, &Options::makeDefault, nullptr,
     "make the printer the default (as when there is none)"},
    {"--print-mode", "NAME", kOnSet, &Options::printMode, nullptr, nullptr,
     "set: a print mode's settings, as the Main page sets them"},
    {"--status", "HEX", kOnReply, &Options::statusReply, nullptr, nullptr,
     "reply: the 24 bytes of the \"PrinterStatus\" reply"},
    {"--status-file", "FILE", kOnReply, &Options::statusFile, nullptr, nullptr,
     "reply: the same, read from FILE"},
    {"--inquiry", "HEX", kOnReply, &Options::inquiryReply, nullptr, nullptr,
     "reply: the 40 bytes of the \"Inquiry\" reply"},
    {"--inquiry-file", "FILE", kOnReply, &Options::inquiryFile, nullptr, nullptr,
     "reply: the same, read from FILE"},
    {"--host", nullptr, kOnSheets, nullptr, &Options::host, nullptr,
     "host the sheet in tqrctl, printing each step"},
    {"--read-only", nullptr, kOnSheets, nullptr, &Options::readOnly, nullptr,
     "open the sheet as for a user who may not change the settings"},
    {"--press", "ok|cancel", kOnScripted, nullptr, nullptr, ReadPress,
     "press the button in place of a user (needs no display)"},
    {"--after", "MS", kOnScripted, nullptr, nullptr, ReadMilliseconds,
     "with --press: how long after the sheet is up (1500)"},
    {"--screenshot", "DIR", kOnScripted, &Options::screenshotDir, nullptr, nullptr,
     "each page and dialog as a BMP file (needs a display)"},
    {"--colors", "c,m,y,pc,pm,k", kOnClean, nullptr, nullptr, ReadInks,
     "the inks, each once (pc, pm: photo cyan, magenta)"},
};

// Options that exclude each other.
struct Exclusion {
  const char* first;
  const char* second;
  const char* why;
};
constexpr Exclusion kExclusions[] = {
    {"--port", "--port-file", "--port-file makes a port of the printer's own"},
    {"--status", "--status-file", "the reply comes from one or the other"},
    {"--inquiry", "--inquiry-file", "the reply comes from one or the other"},
};

struct ExitMeaning {
  int code;
  const char* meaning;
};
constexpr ExitMeaning kExitMeanings[] = {
    {kExitOk, "done; for a sheet, OK was pressed"},
    {kExitFailed, "failed (a missing printer too); nothing changed unless it says so"},
    {kExitUsage, "bad command line; nothing was changed"},
    {kExitCancelled, "the sheet was cancelled"},
};

std::string Usage(const CommandRow& command) {
  std::string line = "tqrctl " + Utf8(command.word);
  if (command.words != nullptr) line += std::string(" ") + command.words;
  for (const OptionRule& option : kOptions) {
    if ((option.commands & command.bit) == 0) continue;
    line += std::string(" [") + option.name;
    if (option.value != nullptr) line += std::string(" ") + option.value;
    line += "]";
  }
  return line;
}

std::string Padded(const std::string& text, std::size_t width) {
  return text.size() >= width ? text + " " : text + std::string(width - text.size(), ' ');
}

std::string OptionLine(const OptionRule& option) {
  std::string name = option.name;
  if (option.value != nullptr) name += std::string(" ") + option.value;
  return "  " + Padded(name, 24) + option.help + "\n";
}

std::string ExitLines() {
  std::string text = "exit status:\n";
  for (const ExitMeaning& exit : kExitMeanings) {
    text += "  " + std::to_string(exit.code) + "  " + exit.meaning + "\n";
  }
  return text;
}

const CommandRow* FindCommand(const std::wstring& word) {
  for (const CommandRow& c : kCommands) {
    if (word == c.word) return &c;
  }
  return nullptr;
}

const OptionRule* FindOption(const std::wstring& name) {
  for (const OptionRule& r : kOptions) {
    if (name == Wide(r.name)) return &r;
  }
  return nullptr;
}

bool IsHelpWord(const std::wstring& word) {
  return word == L"--help" || word == L"-h" || word == L"help";
}

}  // namespace

std::string HelpText() {
  std::string text = "usage: tqrctl COMMAND [OPTIONS]   (tqrctl COMMAND --help: one command)\n\n";
  text += "commands:\n";
  for (const CommandRow& command : kCommands) {
    std::string name = Utf8(command.word);
    if (command.words != nullptr) name += std::string(" ") + command.words;
    text += "  " + Padded(name, 24) + command.help + "\n";
  }
  text += "\noptions:\n";
  for (const OptionRule& option : kOptions) text += OptionLine(option);
  return text + "\n" + ExitLines();
}

std::string CommandHelpText(Command which) {
  for (const CommandRow& command : kCommands) {
    if (command.command != which) continue;
    std::string text = "usage: " + Usage(command) + "\n  " + command.help + "\n";
    for (const OptionRule& option : kOptions) {
      if ((option.commands & command.bit) != 0) text += OptionLine(option);
    }
    return text + "\n" + ExitLines();
  }
  return HelpText();
}

bool ParseCommandLine(const std::vector<std::wstring>& args, Options* options,
                      std::string* complaint) {
  *options = Options();
  if (args.empty()) {
    *complaint = "no command";
    return false;
  }
  if (args.size() == 1 && IsHelpWord(args[0])) return true;
  const CommandRow* command = FindCommand(args[0]);
  if (command == nullptr) {
    *complaint = "unknown command \"" + Utf8(args[0]) + "\"";
    return false;
  }
  options->command = command->command;
  if (args.size() == 2 && IsHelpWord(args[1])) {
    options->commandHelp = true;
    return true;
  }

  std::vector<const OptionRule*> given;
  for (std::size_t i = 1; i < args.size(); ++i) {
    if (args[i].rfind(L"--", 0) != 0) {
      if (command->readWord == nullptr) {
        *complaint = Utf8(command->word) + " takes no \"" + Utf8(args[i]) + "\"";
        return false;
      }
      if (!command->readWord(args[i], options, complaint)) return false;
      continue;
    }
    const OptionRule* rule = FindOption(args[i]);
    if (rule == nullptr || (rule->commands & command->bit) == 0) {
      *complaint = "\"" + Utf8(args[i]) + "\" is no option of " + Utf8(command->word);
      return false;
    }
    given.push_back(rule);
    if (rule->flag != nullptr) {
      options->*(rule->flag) = true;
      continue;
    }
    if (i + 1 >= args.size() || args[i + 1].empty()) {
      *complaint = std::string(rule->name) + " needs a value";
      return false;
    }
    const std::wstring& value = args[++i];
    if (rule->text != nullptr) {
      options->*(rule->text) = value;
    } else {
      std::string why;
      if (!rule->read(value, options, &why)) {
        *complaint = "\"" + Utf8(value) + "\" is no value of " + rule->name;
        if (!why.empty()) *complaint += ": " + why;
        return false;
      }
    }
  }

  auto wasGiven = [&](const char* name) {
    for (const OptionRule* rule : given) {
      if (std::string(rule->name) == name) return true;
    }
    return false;
  };
  for (const Exclusion& exclusion : kExclusions) {
    if (wasGiven(exclusion.first) && wasGiven(exclusion.second)) {
      *complaint = std::string(exclusion.first) + " and " + exclusion.second +
                   " exclude each other: " + exclusion.why;
      return false;
    }
  }
  if (wasGiven("--after") && options->press == Press::kNobody) {
    *complaint = "--after times a press: give --press ok|cancel with it";
    return false;
  }
  if (options->command == Command::kSet && options->words.empty() && options->printMode.empty()) {
    *complaint = "set needs KEY=VALUE or --print-mode NAME";
    return false;
  }
  if (options->command == Command::kDialog && options->dialog == PrintModeDialog::kNone) {
    *complaint = "dialog needs save-as or open";
    return false;
  }
  if (options->command == Command::kReply && !wasGiven("--status") &&
      !wasGiven("--status-file") && !wasGiven("--inquiry") && !wasGiven("--inquiry-file")) {
    *complaint = "reply needs --status or --inquiry (or their files)";
    return false;
  }
  if (options->command == Command::kAlignValues &&
      options->alignValues.size() != tqr::kAlignmentValueCount) {
    *complaint = "align-values needs the seven values A to G";
    return false;
  }
  return true;
}

}  // namespace tqrctl
