// tqrctl's command line: its commands and options, each written once in a table
// that the parser, the usage lines and the help are all read from.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tqrctl {

// The name the INF gives the model; the printer and its driver take it by default.
constexpr wchar_t kProductName[] = L"Orlex TQ-R5400";

enum class Command {
  kHelp, kInstall, kUninstall, kDefaults, kGet, kSet, kCaps, kPrefs, kProps,
  kClean, kNozzleCheck, kAlign, kTestPattern, kAlignValues,
  kStatus, kReply, kDialog,
};

// The print mode dialogs `dialog` opens alone.
enum class PrintModeDialog { kNone, kSaveAs, kOpen };

// Which button a scripted run of a property sheet presses, in place of a user.
enum class Press { kNobody, kOk, kCancel };

struct Options {
  Command command = Command::kHelp;
  // `COMMAND --help`: the help of that command alone; nothing is run.
  bool commandHelp = false;
  std::wstring printer = kProductName;
  std::wstring driver = kProductName;
  std::wstring dir;       // install: package folder; empty: the folder of tqrctl.exe
  std::wstring port;      // install: an existing port; empty: "FILE:", or a port of
                          // the printer's own with --port-file
  std::wstring portFile;  // install: where the port's jobs land
  bool makeDefault = false;  // install: the printer becomes the default printer

  // prefs and props
  bool host = false;      // our own property sheet host instead of the system's
  bool readOnly = false;  // open the sheet as for a user who may not change the settings
  Press press = Press::kNobody;
  unsigned pressAfterMs = 1500;  // counted from the moment the sheet is up
  std::wstring screenshotDir;    // each page and dialog as a BMP file in this folder

  // dialog: which one
  PrintModeDialog dialog = PrintModeDialog::kNone;

  // get: the settings' names; set: NAME=VALUE each
  std::vector<std::wstring> words;
  std::wstring printMode;  // set: the print mode chosen as on the Main page

  // reply: the printer's answers, as hexadecimal text or in files
  std::wstring statusReply;
  std::wstring inquiryReply;
  std::wstring statusFile;
  std::wstring inquiryFile;

  // maintenance jobs
  std::uint8_t inks = 0x3F;      // clean: the inks whose heads are cleaned (all)
  std::vector<int> alignValues;  // align-values: A to G, each 1 to 9
};

// The longest --after a script may ask for: ten minutes.
constexpr unsigned kLongestPressDelayMs = 600000;

// Every command with its usage and one line of help, every option, and the exit
// codes: the answer to `tqrctl --help`.
std::string HelpText();
// The usage line of one command, the line of help it has, and its options.
std::string CommandHelpText(Command command);

// Reads the arguments after the program name. False, with the reason in *complaint
// (one line), for a command line to refuse; *options is then not to be used.
bool ParseCommandLine(const std::vector<std::wstring>& args, Options* options,
                      std::string* complaint);

}  // namespace tqrctl
