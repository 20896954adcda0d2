// Every request kind against a small description, checking the answer and
// exactly which bytes reach the caller's buffer.
#include <gtest/gtest.h>

#include <cstring>
#include <new>
#include <string>

#include "devdesc/ddf.h"
#include "devdesc/ddf_compiler.h"

namespace tqr {
namespace {

constexpr char kText[] =
    "*FileVersion: \"1.01\";\n"
    "*Resolution: \"360 dpi\", 360;\n"
    "*PaperSize: DDF_STRUCT_PPER, \"A3\", 300, (29700,42000), (1,2,3,4);\n"
    "*Resolution: \"720 dpi\", 720;\n"
    "*Resolution: \"1440 dpi\", 1440;\n"
    "*Default: \"Resolution\", 2;\n"
    "*Cyan: DDF_STRUCT_RNGE, Minimum, -50;\n"
    "*Cyan: DDF_STRUCT_RNGE, Maximum, 50;\n"
    "*Cyan: DDF_STRUCT_RNGE, Level, 5;\n"
    "*Cyan: DDF_STRUCT_RNGE, Default, 0;\n"
    "*NoMax: DDF_STRUCT_RNGE, Minimum, 7;\n"
    "*NoMax: DDF_STRUCT_RNGE, Level, 8;\n"
    "*PaperSize: DDF_STRUCT_PPER, \"A4\", 600, (21000,29700), (5,6,7,8);\n"
    "*Default: \"PaperSize\", 1;\n"
    "*Paper: \"Roll\", 9, (10,20), (0,0,0,0);\n";

using Bytes = std::vector<std::uint8_t>;

Bytes Le32(std::initializer_list<std::uint32_t> values) {
  Bytes bytes;
  for (const std::uint32_t v : values) {
    for (int shift = 0; shift < 32; shift += 8) bytes.push_back(static_cast<std::uint8_t>(v >> shift));
  }
  return bytes;
}

Bytes Str(const std::string& text, std::size_t width) {
  Bytes bytes(text.begin(), text.end());
  bytes.resize(width, 0);
  return bytes;
}

Bytes Cat(Bytes a, const Bytes& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

class DdfQueryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(ddf::CompileDescription(reinterpret_cast<const std::uint8_t*>(kText),
                                        sizeof kText - 1, &image_, nullptr));
  }
  DdfHandle handle() const { return image_.data(); }
  Bytes image_;
};

struct Case {
  const char* feature;
  std::uint16_t kind;
  std::uint16_t index;
  std::uint16_t size;
  std::uint32_t result;
  Bytes written;  // the buffer's first bytes afterwards; the rest untouched
};

TEST_F(DdfQueryTest, EveryKindAnswersAndWritesExactlyItsOutput) {
  const Case cases[] = {
      {"Resolution", DDFQ_COUNT, 0, 0, 3, {}},
      {"Resolution", DDFQ_NAMES, 0, 8, 24,
       Cat(Cat(Str("360 dpi", 8), Str("720 dpi", 8)), Str("1440 dpi", 8))},
      {"Cyan", DDFQ_NAMES, 0, 4, 0, Str("", 4)},
      {"Resolution", DDFQ_NAME, 2, 64, 8, Str("1440 dpi", 9)},
      {"Resolution", DDFQ_NAME, 2, 4, 4, Str("1440 dpi", 9)},
      {"Resolution", DDFQ_NAME, 3, 64, 0, {}},
      {"Resolution", DDFQ_DEFAULT_NAME, 0, 64, 8, Str("1440 dpi", 9)},
      {"Resolution", DDFQ_VALUES, 0, 4, 3, Le32({360, 720, 1440})},
      {"PaperSize", DDFQ_VALUES, 0, 2, 2, {44, 1, 88, 2}},
      {"Cyan", DDFQ_VALUES, 0, 4, 4, Le32({0xffffffce, 50, 5, 0})},
      {"Resolution", DDFQ_VALUE, 1, 0, 720, Le32({720})},
      {"Resolution", DDFQ_VALUE, 3, 0, 0, {}},
      {"PaperSize", DDFQ_DEFAULT_VALUE, 0, 0, 600, Le32({600})},
      {"Cyan", DDFQ_RANGE_MIN, 0, 0, 0xffffffce, Le32({0xffffffce})},
      {"Cyan", DDFQ_RANGE_MAX, 0, 0, 50, Le32({50})},
      {"Cyan", DDFQ_RANGE_LEVEL, 0, 0, 5, Le32({5})},
      {"NoMax", DDFQ_RANGE_MAX, 0, 0, 7, Le32({7})},  // limit fields start at 0
      {"Resolution", DDFQ_RANGE_MAX, 0, 0, 0, {}},
      {"Cyan", DDFQ_RANGE_MIN_NAME, 0, 64, 0, {0}},
      {"Cyan", DDFQ_RANGE_MAX_NAME, 0, 64, 1, {0}},
      {"Cyan", DDFQ_RANGE_LEVEL_NAME, 0, 64, 2, {0}},
      {"PaperSize", DDFQ_PAPER_SIZES, 0, 0, 2, Le32({29700, 42000, 21000, 29700})},
      {"Resolution", DDFQ_PAPER_SIZES, 0, 0, 0, {}},
      {"PaperSize", DDFQ_PAPER_SIZE, 1, 0, 1, Le32({21000, 29700})},
      {"PaperSize", DDFQ_PAPER_SIZE, 0, 0, 0, Le32({29700, 42000})},
      {"PaperSize", DDFQ_PAPER_SIZE, 2, 0, 0, {}},
      {"PaperSize", DDFQ_DEFAULT_PAPER_SIZE, 0, 0, 1, Le32({21000, 29700})},
      {"PaperSize", DDFQ_PAPER_EXTRAS, 0, 0, 2, Le32({1, 2, 3, 4, 5, 6, 7, 8})},
      {"PaperSize", DDFQ_PAPER_EXTRA, 0, 0, 0, Le32({1, 2, 3, 4})},
      {"PaperSize", DDFQ_DEFAULT_PAPER_EXTRA, 0, 0, 1, Le32({5, 6, 7, 8})},
      {"Paper", DDFQ_PAPER_SIZE, 0, 0, 0, Le32({10, 20})},  // found through its fixed slot
      {"Cyan", DDFQ_PAPER_EXTRA, 0, 0, 0, {}},
      {"resolution", DDFQ_COUNT, 0, 0, 0, {}},
      {"Missing", DDFQ_VALUE, 0, 0, 0, {}},
      {"Resolution", 0, 0, 0, 0, {}},
      {"Resolution", 20, 0, 0, 0, {}},
  };
  for (const Case& c : cases) {
    Bytes buffer(256, 0xee);
    EXPECT_EQ(DdfQuery(handle(), c.feature, c.kind, buffer.data(), c.index, c.size), c.result)
        << c.feature << " kind " << c.kind << " index " << c.index;
    Bytes expected = c.written;
    expected.resize(buffer.size(), 0xee);
    EXPECT_EQ(buffer, expected) << c.feature << " kind " << c.kind << " index " << c.index;
  }
}

TEST_F(DdfQueryTest, BufferMayBeAbsentOnlyForCountsAndValues) {
  for (std::uint16_t kind = DDFQ_COUNT; kind <= DDFQ_DEFAULT_PAPER_EXTRA; ++kind) {
    const bool optional = kind == DDFQ_COUNT || (kind >= DDFQ_VALUE && kind <= DDFQ_RANGE_LEVEL);
    const char* feature = kind >= DDFQ_RANGE_MIN && kind <= DDFQ_RANGE_LEVEL ? "Cyan" : "Resolution";
    EXPECT_EQ(DdfQuery(handle(), feature, kind, nullptr, 1, 4) != 0, optional) << kind;
  }
  int buffer = 0;
  EXPECT_EQ(DdfQuery(nullptr, "Resolution", DDFQ_COUNT, &buffer, 0, 0), 0u);
  EXPECT_EQ(DdfQuery(handle(), nullptr, DDFQ_COUNT, &buffer, 0, 0), 0u);
}

TEST(DdfQueryEmptyTest, EveryKindFailsOnAnEmptyDescription) {
  Bytes image;
  ASSERT_TRUE(ddf::CompileDescription(nullptr, 0, &image, nullptr));
  Bytes buffer(256, 0);
  for (std::uint16_t kind = 0; kind <= 20; ++kind) {
    EXPECT_EQ(DdfQuery(image.data(), "Paper", kind, buffer.data(), 0, 4), 0u) << kind;
  }
}

// Queries run inside dialog procedures and capability calls; they must not
// touch the heap.
std::size_t allocations = 0;

}  // namespace
}  // namespace tqr

void* operator new(std::size_t size) {
  ++tqr::allocations;
  if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace tqr {
namespace {

TEST_F(DdfQueryTest, QueriesAllocateNothing) {
  Bytes buffer(1024);
  const std::size_t before = allocations;
  for (std::uint16_t kind = DDFQ_COUNT; kind <= DDFQ_DEFAULT_PAPER_EXTRA; ++kind) {
    for (const char* feature : {"Resolution", "Cyan", "PaperSize", "Missing"}) {
      DdfQuery(handle(), feature, kind, buffer.data(), 1, 8);
    }
  }
  EXPECT_EQ(allocations, before);
}

}  // namespace
}  // namespace tqr
