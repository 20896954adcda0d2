// The description checker as a driver author meets it: messages with line
// numbers, exit codes, and the dump and query reports.
#include <gtest/gtest.h>

#include <sstream>

#include "ddfcheck.h"
#include "support/needed_features_text.h"
#include "platform/posix/posix_ports.h"
#include "support/processes.h"

namespace {

class DdfCheckTest : public ::testing::Test {
 protected:
  std::string Write(const std::string& text) {
    const std::string path = directory_ + "T.DDF";
    EXPECT_TRUE(tqr::test::WriteWholeFile(path, text));
    return path;
  }

  tqr::ScopedPorts ports_{tqr::posix::PosixPorts()};
  std::string directory_ = tqr::test::MakeScratchDirectory();
  std::ostringstream out_;
};

TEST_F(DdfCheckTest, WarnsAboutWhatTheDriverPassesOverAndStillLoads) {
  const std::string path = Write(
      "*FileVersion: \"1.01\";\n"
      "*Default: \"Media\", 1;\n"
      "*Media: \"Plain\", 1;\n"
      "*Odd: DDF_STRUCT_LIST, \"a\", 1;\n"
      "*Copies: Maximum, 999;\n"
      "*Lim: DDF_STRUCT_RNGE, Highest, 5;\n"
      TQR_NEEDED_FEATURES_TEXT
      "*Media: \"Photo\", 2;");
  EXPECT_EQ(ddfcheck::Check(path, out_), ddfcheck::kExitOk);
  EXPECT_EQ(out_.str(),
            path + ":2: warning: Default for \"Media\" finds no feature before it and is ignored\n" +
            path + ":4: warning: unknown struct type \"DDF_STRUCT_LIST\"; entry ignored\n" +
            path + ":5: warning: \"Copies\" entry without DDF_STRUCT_RNGE is ignored\n" +
            path + ":6: warning: unknown range entry \"Highest\"\n" +
            path + ":13: warning: last line has no line terminator and is not read\n" +
            path + ": ok, 918 bytes compiled, 5 warning(s)\n");
}

// Slips a description's author makes that the driver reads without a word,
// each to something of its own: a number from a word, a default option that
// is not there. The checker names each with its line; the image is the one
// the driver makes.
TEST_F(DdfCheckTest, WarnsAboutSlipsTheDriverReadsAllTheSame) {
  const std::string path = Write(
      "*FileVersion: \"1.01\";\n"
      "*Media: \"Plain\", 1\n"                           // no ';'
      "*Media: \"Photo\", two;\n"                        // a word for a number
      "*Media: \"Plain\", 3;\n"                          // listed twice
      "*Glow: DDF_STRUCT_RNGE, Maximum, 1.5;\n"           // read as 15
      "*Media: \"Semi; gloss\", 4\n"                     // ';' inside quotes only
      "*Default: \"Media\", 9;\n"                        // past the 4 options
      "*Default: \"Glow\", 2;\n"                         // set again, below
      "*Glow: DDF_STRUCT_RNGE, Minimum, -2;\n"
      "*Glow: DDF_STRUCT_RNGE, Level, 1;\n"
      "*Default: \"Glow\", 2;\n"                         // within its 3
      TQR_NEEDED_FEATURES_TEXT);
  EXPECT_EQ(ddfcheck::Check(path, out_), ddfcheck::kExitOk);
  const std::string warnings =
            path + ":2: warning: entry does not end with ';'\n" +
            path + ":3: warning: \"two\" is not a whole number; the driver reads 0\n" +
            path + ":4: warning: option \"Plain\" of \"Media\" is listed twice\n" +
            path + ":5: warning: \"1.5\" is not a whole number; the driver reads 15\n" +
            path + ":6: warning: entry does not end with ';'\n" +
            path + ":7: warning: Default index 9 of \"Media\" is past its 4 option(s)\n";
  EXPECT_EQ(out_.str().substr(0, warnings.size()), warnings);
  EXPECT_NE(out_.str().find(" bytes compiled, 6 warning(s)\n", warnings.size()), std::string::npos)
      << out_.str();
}

// The driver refuses a description without a feature its answers rest on;
// the check says which one, so its author knows what to add.
TEST_F(DdfCheckTest, NamesTheNeededFeatureADescriptionLacks) {
  const std::string path = Write("*FileVersion: \"1.01\";\n*Media: \"Plain\", 1;\n");
  EXPECT_EQ(ddfcheck::Check(path, out_), ddfcheck::kExitFailed);
  EXPECT_EQ(out_.str(),
            path + ": error: the description lacks the feature \"PaperSize\" the driver needs\n");
}

TEST_F(DdfCheckTest, RejectsWithTheLineAndAFailingExit) {
  const std::string path = Write("*FileVersion: \"1.01\";\n*Media: \"" + std::string(70, 'x') + "\", 1;\n");
  EXPECT_EQ(ddfcheck::Check(path, out_), ddfcheck::kExitFailed);
  EXPECT_EQ(out_.str(), path + ":2: error: option name longer than 63 characters\n");
  out_.str("");
  EXPECT_EQ(ddfcheck::Check(directory_ + "NONE.DDF", out_), ddfcheck::kExitFailed);
  EXPECT_EQ(ddfcheck::Dump(directory_ + "NONE.DDF", out_), ddfcheck::kExitFailed);
}

TEST_F(DdfCheckTest, DumpListsFeaturesAndQueryShowsTheBytesWritten) {
  const std::string path = Write(
      "*FileVersion: \"1.01\";\n*PrinterID: \"TQ\";\n"
      "*PaperSize: DDF_STRUCT_PPER, \"A4\", 9, (21000,29700), (1,2,3,4);\n"
      "*Cyan: DDF_STRUCT_RNGE, Maximum, 50;\n*Cyan: DDF_STRUCT_RNGE, Minimum, -50;\n"
      "*PaperFeed: DDF_STRUCT_ITEM, \"Roll\", 0;\n*PaperWidth: DDF_STRUCT_RNGE, Maximum, 9;\n"
      "*PaperLength: DDF_STRUCT_RNGE, Maximum, 8;\n*Resolution: DDF_STRUCT_ITEM, \"360\", 360;\n"
      "*Copies: DDF_STRUCT_RNGE, Maximum, 999;\n");
  EXPECT_EQ(ddfcheck::Dump(path, out_), ddfcheck::kExitOk);
  EXPECT_EQ(out_.str(),
            "printer \"TQ\", version 0x10100, 892 bytes, 5 further feature slots\n"
            "feature \"Copies\" range, 1 options, default 0, minimum #0, maximum #0, level #0\n"
            "  0 \"\" 999\n"
            "feature \"Resolution\" item, 1 options, default 0\n"
            "  0 \"360\" 360\n"
            "feature \"PaperSize\" paper, 1 options, default 0\n"
            "  0 \"A4\" 9 size 21000 x 29700 extras 1 2 3 4\n"
            "feature \"Cyan\" range, 2 options, default 0, minimum #1, maximum #0, level #0\n"
            "  0 \"\" 50\n"
            "  1 \"\" -50\n"
            "feature \"PaperFeed\" item, 1 options, default 0\n"
            "  0 \"Roll\" 0\n"
            "feature \"PaperWidth\" range, 1 options, default 0, minimum #0, maximum #0, level #0\n"
            "  0 \"\" 9\n"
            "feature \"PaperLength\" range, 1 options, default 0, minimum #0, maximum #0, level #0\n"
            "  0 \"\" 8\n");
  out_.str("");
  EXPECT_EQ(ddfcheck::Query(path, {"Cyan", "DDFQ_RANGE_MIN"}, out_), ddfcheck::kExitOk);
  EXPECT_EQ(out_.str(), "result 4294967246 (0xffffffce), 4 bytes written\n000000: ce ff ff ff\n");
  out_.str("");
  EXPECT_EQ(ddfcheck::Query(path, {"Cyan", "99"}, out_), ddfcheck::kExitUsage);
  EXPECT_NE(out_.str().find("1 DDFQ_COUNT, 2 DDFQ_NAMES, "), std::string::npos) << out_.str();
  EXPECT_NE(out_.str().find(", 19 DDFQ_DEFAULT_PAPER_EXTRA;"), std::string::npos) << out_.str();
  out_.str("");
  EXPECT_EQ(ddfcheck::Query(path, {"Magenta", "DDFQ_COUNT"}, out_), ddfcheck::kExitFailed);
  EXPECT_EQ(out_.str(),
            path + ": error: the description has no feature \"Magenta\" (ddfcheck --dump lists them)\n");
}

}  // namespace
