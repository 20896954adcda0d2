// tqrctl's command line.
#pragma once

#include <string>
#include <vector>

namespace tqrctl {

// The name the INF gives the model; the printer and its driver take it by default.
constexpr wchar_t kProductName[] = L"Orlex TQ-R5400";
// The port install makes for --port-file when no --port names one.
constexpr wchar_t kJobPort[] = L"TQR54:";

enum class Command { kHelp, kInstall, kUninstall, kDefaults, kCaps };

struct Options {
  Command command = Command::kHelp;
  std::wstring printer = kProductName;
  std::wstring driver = kProductName;
  std::wstring dir;       // install: package folder; empty: the folder of tqrctl.exe
  std::wstring port;      // install: empty: kJobPort with --port-file, else "FILE:"
  std::wstring portFile;  // install: where the port's jobs land
};

// The command lines, shown for a refused one; with the help after them for --help.
extern const char kSynopsis[];
extern const char kHelp[];

// Reads the arguments after the program name. False, with the reason in *complaint,
// for a command line to refuse; *options is then not to be used.
bool ParseCommandLine(const std::vector<std::wstring>& args, Options* options,
                      std::string* complaint);

}  // namespace tqrctl
