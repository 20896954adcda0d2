// Several real processes loading one description whose cache is missing or
// stale: every one of them must end with the description, and the cache
// left behind must be whole.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "devdesc/ddf_compiler.h"
#include "support/needed_features_text.h"
#include "devdesc/ddf_reader.h"
#include "support/processes.h"

namespace tqr {
namespace {

// A description of some size, so that writing the cache takes a while.
std::string LargeDescription() {
  std::string text = "*FileVersion: \"1.01\";\r\n*PrinterID: \"TQ-R5400\";\r\n" TQR_NEEDED_FEATURES_TEXT;
  for (int i = 0; i < 400; ++i) {
    text += "*Feature" + std::to_string(i % 100) + ": DDF_STRUCT_ITEM, \"Option " +
            std::to_string(i) + "\", " + std::to_string(i) + ";\r\n";
  }
  return text;
}

TEST(DdfCacheRaceTest, ProcessesRebuildingAtOnceAllGetTheDescription) {
  const std::string directory = test::MakeScratchDirectory();
  ASSERT_FALSE(directory.empty());
  const std::string textPath = directory + "TQR54GFX.DDF";
  const std::string cachePath = directory + "TQR54GFX.BDF";
  const std::string text = LargeDescription();
  ASSERT_TRUE(test::WriteWholeFile(textPath, text));
  std::vector<std::uint8_t> expected;
  ASSERT_TRUE(ddf::CompileDescription(reinterpret_cast<const std::uint8_t*>(text.data()),
                                      text.size(), &expected, nullptr));

  const std::vector<std::string> command = {test::SiblingProgram("ddf_load_worker"), textPath};
  for (int round = 0; round < 4; ++round) {
    if (round % 2 == 0) {
      std::remove(cachePath.c_str());  // missing cache
    } else {
      ASSERT_TRUE(test::WriteWholeFile(cachePath, "half a cache"));  // a writer that died
    }
    const std::vector<int> codes = test::RunTogether({4, command});
    for (const int code : codes) EXPECT_EQ(code, 0) << "round " << round;
    std::string cache;
    ASSERT_TRUE(test::ReadWholeFile(cachePath, &cache));
    EXPECT_EQ(std::vector<std::uint8_t>(cache.begin(), cache.end()), expected) << "round " << round;
  }
  std::remove(cachePath.c_str());
  std::remove(textPath.c_str());
}

}  // namespace
}  // namespace tqr
