// The compiler's image, checked byte by byte against hand-computed offsets.
#include <gtest/gtest.h>

#include <string>

#include "devdesc/ddf_compiler.h"
#include "support/image_bytes.h"

namespace tqr::ddf {
namespace {

using test::Text;
using test::U16;
using test::U32;

bool Compile(const std::string& text, std::vector<std::uint8_t>* image,
             CompileReport* report = nullptr) {
  return CompileDescription(reinterpret_cast<const std::uint8_t*>(text.data()), text.size(),
                            image, report);
}

// Records land in the order the entries come; Resolution's second option
// comes after Media's, and the further feature follows the fixed ones.
constexpr char kSmall[] =
    "*FileVersion: \"1.01\";\r\n"
    "*PrinterID: \"TQ-R5400\";\r\n"
    "; a comment line\r\n"
    "*Resolution: \"360 dpi\", 360;\r\n"
    "*Media: \"Plain\", 1;\r\n"
    "*Resolution: \"720 dpi\", 720;\r\n"
    "*Default: \"Resolution\", 1;\r\n"
    "*Copies: DDF_STRUCT_RNGE, Maximum, 999;\r\n"
    "*Copies: DDF_STRUCT_RNGE, Minimum, 1;\r\n"
    "*PaperSize: DDF_STRUCT_PPER, \"A4\", 65535, (21000,29700), (1,2,3,4);\r\n";

TEST(DdfCompileTest, SmallDescriptionLaysOutEveryField) {
  std::vector<std::uint8_t> image;
  ASSERT_TRUE(Compile(kSmall, &image));
  ASSERT_EQ(image.size(), 646u);  // 78 + 3 x 24 + 30 + 5 x 74 + 96
  EXPECT_EQ(U32(image, 0), 0x00010100u);
  EXPECT_EQ(Text(image, 4), "TQ-R5400");
  EXPECT_EQ(U16(image, 40), 1);    // N
  EXPECT_EQ(U16(image, 42), 78);   // H
  EXPECT_EQ(U16(image, 44), 646);  // T
  EXPECT_EQ(U16(image, 46 + 2 * 2), 348);   // Copies
  EXPECT_EQ(U16(image, 46 + 2 * 5), 78);    // Resolution
  EXPECT_EQ(U16(image, 46 + 2 * 11), 176);  // Media
  EXPECT_EQ(U16(image, 46), 0);             // no Paper
  EXPECT_EQ(U16(image, 76), 526);           // PaperSize, the further feature

  // Resolution: item feature, options at 102 and 274, default 1.
  EXPECT_EQ(U32(image, 78), 100u);
  EXPECT_EQ(Text(image, 82), "Resolution");
  EXPECT_EQ(U16(image, 98), 102);
  EXPECT_EQ(U16(image, 100), 1);
  EXPECT_EQ(U16(image, 102), 274);  // previous: the last option
  EXPECT_EQ(U16(image, 104), 274);  // next
  EXPECT_EQ(U16(image, 106), 0);
  EXPECT_EQ(Text(image, 108), "360 dpi");
  EXPECT_EQ(U32(image, 172), 360u);
  EXPECT_EQ(U16(image, 274), 102);
  EXPECT_EQ(U16(image, 276), 102);
  EXPECT_EQ(U16(image, 278), 1);
  EXPECT_EQ(U32(image, 344), 720u);

  // Media: one option pointing at itself both ways.
  EXPECT_EQ(Text(image, 180), "Media");
  EXPECT_EQ(U16(image, 200), 200);
  EXPECT_EQ(U16(image, 202), 200);

  // Copies: range feature of 30 bytes; Maximum is entry 0, Minimum entry 1.
  EXPECT_EQ(U32(image, 348), 101u);
  EXPECT_EQ(U16(image, 368), 378);
  EXPECT_EQ(U16(image, 372), 0);  // maximum index
  EXPECT_EQ(U16(image, 374), 1);  // minimum index
  EXPECT_EQ(U16(image, 376), 0);  // level index
  EXPECT_EQ(Text(image, 384), "");
  EXPECT_EQ(U32(image, 448), 999u);
  EXPECT_EQ(U32(image, 452 + 70), 1u);

  // PaperSize: paper option of 96 bytes, 16-bit value kept unsigned.
  EXPECT_EQ(U32(image, 526), 102u);
  EXPECT_EQ(Text(image, 530), "PaperSize");
  EXPECT_EQ(U16(image, 546), 550);
  EXPECT_EQ(Text(image, 556), "A4");
  EXPECT_EQ(U16(image, 620), 65535);
  EXPECT_EQ(U32(image, 622), 21000u);
  EXPECT_EQ(U32(image, 626), 29700u);
  EXPECT_EQ(U32(image, 630), 1u);
  EXPECT_EQ(U32(image, 642), 4u);
}

TEST(DdfCompileTest, EmptyTextIsABareHeader) {
  std::vector<std::uint8_t> image;
  ASSERT_TRUE(Compile("comment only\n\n", &image));
  std::vector<std::uint8_t> expected(78, 0);
  expected[42] = 78;
  expected[44] = 78;
  EXPECT_EQ(image, expected);
}

TEST(DdfCompileTest, ItemValuesAreSignExtendedAndNumbersReadLeniently) {
  std::vector<std::uint8_t> image;
  ASSERT_TRUE(Compile("*Color: \"a\", 65535;\n*Color: \"b\", 2.5;\n*Color: \"c\", auto;\n",
                      &image));
  EXPECT_EQ(U16(image, 40), 0);  // no further features, so no version either
  EXPECT_EQ(U32(image, 0), 0u);
  EXPECT_EQ(U32(image, 102 + 70), 0xffffffffu);
  EXPECT_EQ(U32(image, 176 + 70), 25u);
  EXPECT_EQ(U32(image, 250 + 70), 0u);
}

TEST(DdfCompileTest, DefaultOnlyAfterTheFeatureAndTheTailIsIgnored) {
  std::vector<std::uint8_t> image;
  CompileReport report;
  ASSERT_TRUE(Compile("*Default: \"Color\", 1;\n*Color: \"a\", 1;\n*Color: \"b\", 2;\n"
                      "*Default: \"Nothing\", 1;\n*Color: \"c\", 3;",
                      &image, &report));
  EXPECT_EQ(U16(image, 78 + 22), 0);  // the early Default found nothing
  EXPECT_EQ(image.size(), 78u + 24 + 2 * 74);  // "c" has no terminator
  ASSERT_EQ(report.warnings.size(), 3u);
  EXPECT_EQ(report.warnings[0].line, 1u);
  EXPECT_EQ(report.warnings[1].line, 4u);
  EXPECT_EQ(report.warnings[2].line, 5u);

  ASSERT_TRUE(Compile("*Color: \"a\", 1;\n*Color: \"b\", 2;\n*Default: \"Color\", 1;\n", &image));
  EXPECT_EQ(U16(image, 78 + 22), 1);
}

TEST(DdfCompileTest, IgnoredEntriesKeepTheirCountedRoom) {
  std::vector<std::uint8_t> image;
  CompileReport report;
  // An unknown struct type costs a slot for a new name and drops a known
  // one from the table, so "Odd" is counted twice; "Scale" without a range
  // word is ignored altogether.
  ASSERT_TRUE(Compile("*Odd: DDF_STRUCT_ITEM, \"a\", 1;\n"
                      "*Odd: DDF_STRUCT_NONE, \"b\", 2;\n"
                      "*Odd: DDF_STRUCT_ITEM, \"c\", 3;\n"
                      "*Scale: Maximum, 400;\n"
                      "*Lim: DDF_STRUCT_RNGE, Top, 5;\n",
                      &image, &report));
  EXPECT_EQ(U16(image, 40), 3);           // Odd twice, Lim once
  EXPECT_EQ(U16(image, 42), 82);
  EXPECT_EQ(image.size(), 82u + 2 * 24 + 30 + 3 * 74);
  EXPECT_EQ(U16(image, 76), 82);          // Odd
  EXPECT_EQ(U16(image, 78), 82 + 24 + 2 * 74);  // Lim
  EXPECT_EQ(U16(image, 80), 0);           // the spare slot
  EXPECT_EQ(report.warnings.size(), 3u);  // type, Scale, unknown range entry
}

TEST(DdfCompileTest, RefusesWhatTheFormatExcludes) {
  const std::string longName(64, 'n');
  std::string manyFeatures;
  for (int i = 0; i < 128; ++i) {
    manyFeatures += "*F" + std::to_string(i) + ": DDF_STRUCT_ITEM, \"a\", 1;\n";
  }
  std::string tooBig;
  for (int i = 0; i < 890; ++i) tooBig += "*Media: \"m\", 1;\n";  // 78 + 24 + 890 x 74
  const struct {
    std::string text;
    unsigned line;
  } cases[] = {
      {"*FileVersion: \"1.02\";\n", 1},
      {"*FileVersion: 1.01;\n", 1},
      {"\n*" + std::string(15, 'k') + "x: DDF_STRUCT_ITEM, \"a\", 1;\n", 2},
      {std::string(160, ' ') + "\n", 1},
      {"*Media \"a\", 1;\n", 1},
      {"*Media: \"" + longName + "\", 1;\n", 1},
      {"*Media: a, 1;\n", 1},
      {"*Mix: DDF_STRUCT_ITEM, \"a\", 1;\n*Mix: DDF_STRUCT_PPER, \"b\", 1, (1,1), (0,0,0,0);\n", 2},
      {manyFeatures, 128},
      {tooBig, 0},
  };
  for (const auto& c : cases) {
    std::vector<std::uint8_t> image;
    CompileReport report;
    EXPECT_FALSE(Compile(c.text, &image, &report)) << c.text.substr(0, 60);
    EXPECT_EQ(report.error.line, c.line) << report.error.message;
    EXPECT_FALSE(report.error.message.empty());
  }
  std::vector<std::uint8_t> image;
  EXPECT_TRUE(Compile(std::string(159, ' ') + "\n*" + std::string(15, 'k') +
                          ": DDF_STRUCT_ITEM, \"" + std::string(63, 'n') + "\", 1;\n",
                      &image));
}

}  // namespace
}  // namespace tqr::ddf
