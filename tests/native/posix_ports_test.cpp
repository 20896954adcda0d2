// The POSIX ports the native tools run on, against the real file system.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include "platform/posix/posix_ports.h"
#include "support/processes.h"

namespace tqr::posix {
namespace {

mode_t ModeOf(const std::string& path) {
  struct stat status;
  return ::stat(path.c_str(), &status) == 0 ? status.st_mode & 07777 : 0;
}

// A rewrite replaces a file that others may share: it keeps the file's own
// mode bits, not those the temporary file was created with.
TEST(PosixPortsTest, ReplaceKeepsTheReplacedFilesMode) {
  const std::string directory = test::MakeScratchDirectory();
  const std::string shared = directory + "shared.cfg";
  const std::string temporary = directory + "shared.cfg.1.tmp";
  ASSERT_TRUE(test::WriteWholeFile(shared, "old"));
  ASSERT_EQ(::chmod(shared.c_str(), 0640), 0);
  ASSERT_TRUE(test::WriteWholeFile(temporary, "new"));
  ASSERT_EQ(::chmod(temporary.c_str(), 0600), 0);

  PosixFileSystem files;
  ASSERT_TRUE(files.Replace(temporary, shared));
  std::string text;
  ASSERT_TRUE(test::ReadWholeFile(shared, &text));
  EXPECT_EQ(text, "new");
  EXPECT_EQ(ModeOf(shared), 0640u);
  EXPECT_FALSE(test::ReadWholeFile(temporary, &text));

  // Without a file to replace, the new one keeps what it has.
  ASSERT_TRUE(test::WriteWholeFile(temporary, "first"));
  ASSERT_EQ(::chmod(temporary.c_str(), 0604), 0);
  ASSERT_TRUE(files.Replace(temporary, directory + "fresh.cfg"));
  EXPECT_EQ(ModeOf(directory + "fresh.cfg"), 0604u);
}

// Asked by name, a file's size and time are its handle's; a missing file
// and a directory have none.
TEST(PosixPortsTest, SizeAndTimeByNameAreTheHandles) {
  const std::string directory = test::MakeScratchDirectory();
  const std::string path = directory + "stamped";
  ASSERT_TRUE(test::WriteWholeFile(path, "12345"));
  PosixFileSystem files;
  std::uint64_t size = 0;
  std::uint64_t time = 0;
  ASSERT_TRUE(files.Open(path, FileAccess::Read, FileDisposition::OpenExisting)
                  ->GetSizeAndLastWriteTime(&size, &time));
  std::uint64_t sizeByName = 0;
  std::uint64_t timeByName = 0;
  EXPECT_TRUE(files.GetSizeAndLastWriteTime(path, &sizeByName, &timeByName));
  EXPECT_EQ(sizeByName, 5u);
  EXPECT_EQ(sizeByName, size);
  EXPECT_EQ(timeByName, time);
  EXPECT_FALSE(files.GetSizeAndLastWriteTime(directory + "missing", &size, &time));
  EXPECT_FALSE(files.GetSizeAndLastWriteTime(directory, &size, &time));
}

}  // namespace
}  // namespace tqr::posix
