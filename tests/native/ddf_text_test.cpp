// Field forms and line splitting of the description text.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "devdesc/ddf_text.h"

namespace tqr::ddf {
namespace {

struct NumberCase {
  const char* fields;
  std::int16_t value;
  const char* rest;  // what the next quoted field then reads
};

TEST(DdfFieldTest, NumbersReadAsTheDriverReadsThem) {
  const NumberCase cases[] = {
      {" 360, \"next\";", 360, "next"},
      {"\t-3;\"next\"", -3, "next"},
      {"2.5, \"next\"", 25, "next"},     // every digit counts, the dot does not
      {"1 0 x 0,\"next\"", 100, "next"},  // nor do blanks or letters between digits
      {"word, \"next\"", 0, "next"},
      {".5 \"next\"", 0, "next"},  // stops at the blank, before the quote
      {"65535, \"next\"", -1, "next"},
      {"-32768, \"next\"", -32768, "next"},
      {"70000, \"next\"", 4464, "next"},  // cut to 16 bits
      {"", 0, nullptr},
  };
  for (const auto& c : cases) {
    FieldCursor cursor(c.fields);
    EXPECT_EQ(cursor.Number(), c.value) << c.fields;
    std::string_view rest;
    if (c.rest != nullptr) {
      ASSERT_TRUE(cursor.Quoted(&rest)) << c.fields;
      EXPECT_EQ(rest, c.rest) << c.fields;
    }
  }
}

TEST(DdfFieldTest, TuplesTakeDigitsOnlyAndMoreCommasStayInTheLast) {
  FieldCursor cursor(" (21000, 29700) , (1,2,3,4,5), (x-7,,);");
  std::uint32_t pair[2];
  cursor.Tuple(pair, 2);
  EXPECT_EQ(pair[0], 21000u);
  EXPECT_EQ(pair[1], 29700u);
  std::uint32_t four[4];
  cursor.Tuple(four, 4);
  EXPECT_EQ(four[0], 1u);
  EXPECT_EQ(four[3], 45u);  // the fourth comma does not move on
  cursor.Tuple(pair, 2);
  EXPECT_EQ(pair[0], 7u);  // no sign in tuples
  EXPECT_EQ(pair[1], 0u);
  cursor.Tuple(four, 4);  // nothing left: all zero
  EXPECT_EQ(four[0] + four[1] + four[2] + four[3], 0u);
}

TEST(DdfFieldTest, WordsDropBlanksAndQuotedTextSkipsToItsEnd) {
  FieldCursor cursor(" DDF_ STRUCT_RNGE , Max\timum,junk \"A 4\" junk, tail;");
  EXPECT_EQ(cursor.Word(), "DDF_STRUCT_RNGE");
  EXPECT_EQ(cursor.Word(), "Maximum");
  std::string_view text;
  ASSERT_TRUE(cursor.Quoted(&text));
  EXPECT_EQ(text, "A 4");
  EXPECT_EQ(cursor.Word(), "tail;");
  EXPECT_FALSE(FieldCursor("\"open").Quoted(&text));
  EXPECT_FALSE(FieldCursor("none").Quoted(&text));
}

std::vector<std::string> Lines(const std::string& text, unsigned* lastNumber, bool* tail) {
  LineReader reader(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
  std::vector<std::string> lines;
  std::string_view line;
  while (reader.Next(&line)) lines.emplace_back(line);
  *lastNumber = reader.LineNumber();
  *tail = reader.HasUnterminatedTail();
  return lines;
}

TEST(DdfLineTest, LinesEndAtLfCrOrZeroAndTheTailIsNotRead) {
  unsigned number = 0;
  bool tail = false;
  const std::string text("a\r\nb\rc\nd", 8);
  EXPECT_EQ(Lines(text, &number, &tail), (std::vector<std::string>{"a", "", "b", "c"}));
  EXPECT_EQ(number, 3u);  // the CR LF pair is one line to an editor
  EXPECT_TRUE(tail);
  const std::string zero("x\0y\n", 4);
  EXPECT_EQ(Lines(zero, &number, &tail), (std::vector<std::string>{"x", "y"}));
  EXPECT_FALSE(tail);
}

}  // namespace
}  // namespace tqr::ddf
