// tqrctl's rules that need no printer: its command line, and the lists it prints.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tqrctl/columns.h"
#include "tqrctl/options.h"
#include "tqrctl/printer_description.h"
#include "tqrctl/text.h"

namespace tqrctl {
namespace {

TEST(TqrctlCommandLineTest, TakesEachCommandsOwnOptions) {
  Options options;
  std::string complaint;
  ASSERT_TRUE(ParseCommandLine({L"install", L"--dir", L"pkg", L"--port-file", L"/tmp/j.prn",
                                L"--printer", L"P", L"--driver", L"D"},
                               &options, &complaint))
      << complaint;
  EXPECT_EQ(options.command, Command::kInstall);
  EXPECT_EQ(options.dir, L"pkg");
  EXPECT_EQ(options.portFile, L"/tmp/j.prn");
  EXPECT_EQ(options.printer, L"P");
  EXPECT_EQ(options.driver, L"D");
  ASSERT_TRUE(ParseCommandLine({L"install", L"--port", L"X:"}, &options, &complaint)) << complaint;
  EXPECT_EQ(options.port, L"X:");

  ASSERT_TRUE(ParseCommandLine({L"set", L"MediaType=Canvas", L"--print-mode", L"Photo", L"Cyan=5"},
                               &options, &complaint))
      << complaint;
  EXPECT_EQ(options.words, (std::vector<std::wstring>{L"MediaType=Canvas", L"Cyan=5"}));
  EXPECT_EQ(options.printMode, L"Photo");

  ASSERT_TRUE(ParseCommandLine({L"dialog", L"open", L"--press", L"cancel", L"--screenshot", L"s"},
                               &options, &complaint))
      << complaint;
  EXPECT_EQ(options.command, Command::kDialog);
  EXPECT_EQ(options.dialog, PrintModeDialog::kOpen);
  EXPECT_EQ(options.press, Press::kCancel);

  ASSERT_TRUE(ParseCommandLine({L"caps"}, &options, &complaint)) << complaint;
  EXPECT_EQ(options.command, Command::kCaps);
  EXPECT_EQ(options.printer, kProductName);
  EXPECT_EQ(options.driver, kProductName);
  EXPECT_EQ(options.portFile, L"");
}

TEST(TqrctlCommandLineTest, RefusesWhatItCannotDo) {
  const std::vector<std::vector<std::wstring>> refused = {
      {},
      {L"frobnicate"},
      {L"--printer", L"P"},
      {L"install", L"--dir"},       // value missing at the end
      {L"install", L"--dir", L""},  // empty value
      {L"install", L"--bogus", L"x"},
      {L"install", L"pkg"},             // a value without its option
      {L"defaults", L"--dir", L"pkg"},  // install's option
      {L"caps", L"--driver", L"D"},
      {L"uninstall", L"--port-file", L"/x"},
      {L"install", L"--port", L"X:", L"--port-file", L"/x"},  // one port or the other
      {L"prefs", L"--after", L"5"},                           // timing no press
      {L"clean", L"--colors", L"k,k"},                        // an ink twice
      {L"clean", L"--colors", L"k,"},
      {L"align-values", L"1", L"2", L"3", L"4", L"5", L"6"},
      {L"align-values", L"1", L"2", L"3", L"4", L"5", L"6", L"7", L"8"},
      {L"set"},                                                  // nothing to set
      {L"set", L"--print-mode"},
      {L"get", L"--print-mode", L"Photo"},                       // set's option
      {L"reply"},                                                // no reply given
      {L"reply", L"--status", L"00", L"--status-file", L"r.bin"},  // from both
      {L"caps", L"extra"},                                       // takes no words
      {L"dialog"},                                               // which one
      {L"dialog", L"print"},
      {L"dialog", L"open", L"save-as"},
      {L"dialog", L"open", L"--host"},                           // a sheet's option
  };
  for (const auto& args : refused) {
    Options options;
    std::string complaint;
    std::string line;
    for (const auto& arg : args) line += " " + std::string(arg.begin(), arg.end());
    EXPECT_FALSE(ParseCommandLine(args, &options, &complaint)) << line;
    EXPECT_FALSE(complaint.empty()) << line;
  }
}

TEST(TqrctlCommandLineTest, HelpHasALineForEveryCommandAndOption) {
  Options options;
  std::string complaint;
  ASSERT_TRUE(ParseCommandLine({L"install", L"--help"}, &options, &complaint)) << complaint;
  EXPECT_TRUE(options.commandHelp);
  EXPECT_EQ(options.command, Command::kInstall);
  const std::string install = CommandHelpText(Command::kInstall);
  EXPECT_EQ(install.rfind("usage: tqrctl install [--printer NAME]", 0), 0u) << install;
  EXPECT_NE(install.find("\n  --port-file FILE "), std::string::npos) << install;
  EXPECT_EQ(install.find("--colors"), std::string::npos) << install;

  const std::string help = HelpText();
  for (const char* line : {"\n  install ", "\n  align-values A B C D E F G ", "\n  --press ok|cancel ",
                           "\n  --colors c,m,y,pc,pm,k ", "\n  3  the sheet was cancelled\n"}) {
    EXPECT_NE(help.find(line), std::string::npos) << line << " in\n" << help;
  }
}

// What get prints goes back into set: one setting with the console's CR LF, or
// the whole listing in one word.
TEST(TqrctlValueTest, LinesAreWhatGetPrinted) {
  EXPECT_EQ(Lines("MediaType=Plain Paper\r\n"), (std::vector<std::string>{"MediaType=Plain Paper"}));
  EXPECT_EQ(Lines("A=1\r\nB=2\r\n\r\nC=3"), (std::vector<std::string>{"A=1", "B=2", "C=3"}));
  EXPECT_EQ(Lines("Cyan=5"), (std::vector<std::string>{"Cyan=5"}));
  EXPECT_TRUE(Lines("\r\n").empty());
  EXPECT_EQ(Visible("Plain Paper\r"), "Plain Paper\\r");
  EXPECT_EQ(Visible("a\tb\x01\\"), "a\\tb\\x01\\\\");
}

TEST(TqrctlValueTest, AShortFormNamesAnOptionWhenItNamesItAlone) {
  Allowed sizes;
  sizes.choices = {{8, "A3 (297 x 420 mm)"},
                   {9, "A4 (210 x 297 mm)"},
                   {20, "Letter (8.5 x 11 in)"},
                   {21, "Letter (216 x 279 mm)"},
                   {30, "Roll (A0)"}};
  const struct {
    const char* given;
    int value;  // -1: refused
  } cases[] = {
      {"A3 (297 x 420 mm)", 8}, {"a3", 8},    {"A4", 9},         {"8", 8},
      {"Roll", 30},             {"Letter", -1}, {"A3 (297", -1}, {"297 x 420 mm", -1},
  };
  for (const auto& c : cases) {
    int value = -1;
    std::string why;
    const bool read = ReadValue(sizes, c.given, &value, &why);
    EXPECT_EQ(read, c.value >= 0) << c.given << ": " << why;
    if (read) {
      EXPECT_EQ(value, c.value) << c.given;
    }
  }
  int value = 0;
  std::string why;
  ASSERT_FALSE(ReadValue(sizes, "Letter", &value, &why));
  EXPECT_EQ(why,
            "one of \"A3 (297 x 420 mm)\" or \"A3\" (8), \"A4 (210 x 297 mm)\" or \"A4\" (9), "
            "\"Letter (8.5 x 11 in)\" (20), \"Letter (216 x 279 mm)\" (21), \"Roll (A0)\" or "
            "\"Roll\" (30)");
}

TEST(TqrctlListTest, NameSlotsEndAtTheirTerminatorOrTheirWidth) {
  // Three slots of 4: a short name, one that fills its slot with no terminator, none.
  const wchar_t slots[] = {L'A', L'4', 0, L'x', L'R', L'o', L'l', L'l', 0, L'y', L'z', L'w'};
  EXPECT_EQ(SlotTexts(slots, 3, 4), (std::vector<std::string>{"A4", "Roll", ""}));
  EXPECT_TRUE(SlotTexts(slots, 0, 4).empty());
}

TEST(TqrctlListTest, UnevenAnswersShowAsDashesAndAreFlagged) {
  const std::vector<Column> even = {{"id", {"9", "256"}, true}, {"name", {"A4", "Custom"}, false}};
  EXPECT_TRUE(SameLength(even));
  EXPECT_EQ(SideBySide(even),
            "   id  name\n"
            "    9  A4\n"
            "  256  Custom\n");

  const std::vector<Column> uneven = {{"id", {"9"}, true}, {"name", {"A4", "Roll"}, false}};
  EXPECT_FALSE(SameLength(uneven));
  EXPECT_EQ(SideBySide(uneven),
            "  id  name\n"
            "   9  A4\n"
            "   -  Roll\n");
}

}  // namespace
}  // namespace tqrctl
