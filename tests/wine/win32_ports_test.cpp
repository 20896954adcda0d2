// The Win32 ports against the real file and code page calls.
#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <thread>
#include <vector>

#include "platform/win32/win32_ports.h"
#include "support/processes.h"

namespace tqr::win32 {
namespace {

class Win32PortsTest : public ::testing::Test {
 protected:
  std::string Path(const char* name) { return directory_ + name; }
  std::string directory_ = test::MakeScratchDirectory();
  Win32FileSystem files_;
};

TEST_F(Win32PortsTest, DispositionsBehaveAsTheirNamesSay) {
  const std::string path = Path("a.bin");
  EXPECT_EQ(files_.Open(path, FileAccess::Read, FileDisposition::OpenExisting), nullptr);
  {
    auto file = files_.Open(path, FileAccess::Write, FileDisposition::CreateNew);
    ASSERT_NE(file, nullptr);
    EXPECT_TRUE(file->Write("abc", 3));
    // A second writer is refused while the first holds the file, and
    // create-new refuses an existing file in any case.
    EXPECT_EQ(files_.Open(path, FileAccess::Write, FileDisposition::CreateNew), nullptr);
  }
  EXPECT_EQ(files_.Open(path, FileAccess::Write, FileDisposition::CreateNew), nullptr);
  auto file = files_.Open(path, FileAccess::Read, FileDisposition::OpenExisting);
  ASSERT_NE(file, nullptr);
  std::vector<std::uint8_t> bytes;
  ASSERT_TRUE(file->ReadAll(&bytes));
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "abc");
  std::uint64_t size = 0;
  ASSERT_TRUE(file->GetSize(&size));
  EXPECT_EQ(size, 3u);
  file.reset();
  EXPECT_TRUE(files_.Delete(path));
  EXPECT_FALSE(files_.Delete(path));
}

// As on Windows, whoever runs the test: Wine run by root would let the
// writes through.
TEST_F(Win32PortsTest, ReadOnlyFilesAreNeverWritten) {
  const std::string path = Path("locked");
  ASSERT_TRUE(test::WriteWholeFile(path, "old"));
  ASSERT_TRUE(test::WriteWholeFile(Path("new"), "new"));
  ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
  for (FileAccess access : {FileAccess::Write, FileAccess::ReadWrite}) {
    for (FileDisposition disposition :
         {FileDisposition::OpenExisting, FileDisposition::CreateAlways}) {
      OpenFailure failure = OpenFailure::None;
      EXPECT_EQ(files_.Open(path, access, disposition, &failure), nullptr);
      EXPECT_EQ(failure, OpenFailure::AccessDenied);
    }
  }
  EXPECT_FALSE(files_.Replace(Path("new"), path));
  EXPECT_NE(files_.Open(path, FileAccess::Read, FileDisposition::OpenExisting), nullptr);
  std::string bytes;
  ASSERT_TRUE(test::ReadWholeFile(path, &bytes));
  EXPECT_EQ(bytes, "old");
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(Win32PortsTest, EmptyFilesReadAsEmpty) {
  ASSERT_TRUE(test::WriteWholeFile(Path("empty"), ""));
  auto file = files_.Open(Path("empty"), FileAccess::Read, FileDisposition::OpenExisting);
  ASSERT_NE(file, nullptr);
  std::vector<std::uint8_t> bytes(3);
  EXPECT_TRUE(file->ReadAll(&bytes));
  EXPECT_TRUE(bytes.empty());
}

TEST_F(Win32PortsTest, MoveNeverReplacesAndTimesOrderWrites) {
  ASSERT_TRUE(test::WriteWholeFile(Path("old"), "old"));
  Sleep(20);
  ASSERT_TRUE(test::WriteWholeFile(Path("new"), "new"));
  std::uint64_t older = 0;
  std::uint64_t newer = 0;
  ASSERT_TRUE(files_.Open(Path("old"), FileAccess::Read, FileDisposition::OpenExisting)
                  ->GetLastWriteTime(&older));
  ASSERT_TRUE(files_.Open(Path("new"), FileAccess::Read, FileDisposition::OpenExisting)
                  ->GetLastWriteTime(&newer));
  EXPECT_LT(older, newer);
  EXPECT_FALSE(files_.MoveNoReplace(Path("new"), Path("old")));
  EXPECT_TRUE(files_.MoveNoReplace(Path("new"), Path("moved")));
  std::string text;
  ASSERT_TRUE(test::ReadWholeFile(Path("old"), &text));
  EXPECT_EQ(text, "old");
  ASSERT_TRUE(test::ReadWholeFile(Path("moved"), &text));
  EXPECT_EQ(text, "new");
}

// Asked by name, a file's size and time are its handle's, also while a
// writer holds it unshared; a missing file and a directory have none.
TEST_F(Win32PortsTest, SizeAndTimeByNameAreTheHandles) {
  const std::string path = Path("stamped");
  ASSERT_TRUE(test::WriteWholeFile(path, "12345"));
  std::uint64_t size = 0;
  std::uint64_t time = 0;
  ASSERT_TRUE(files_.Open(path, FileAccess::Read, FileDisposition::OpenExisting)
                  ->GetSizeAndLastWriteTime(&size, &time));
  const HANDLE writer = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(writer, INVALID_HANDLE_VALUE);
  std::uint64_t sizeByName = 0;
  std::uint64_t timeByName = 0;
  EXPECT_TRUE(files_.GetSizeAndLastWriteTime(path, &sizeByName, &timeByName));
  CloseHandle(writer);
  EXPECT_EQ(sizeByName, 5u);
  EXPECT_EQ(sizeByName, size);
  EXPECT_EQ(timeByName, time);
  EXPECT_FALSE(files_.GetSizeAndLastWriteTime(Path("missing"), &size, &time));
  EXPECT_FALSE(files_.GetSizeAndLastWriteTime(directory_, &size, &time));
}

// A rewrite replaces a file that others share: the file keeps its own
// attributes whatever the temporary file had, no name of the replace's own
// stays behind, and a file that refuses to be replaced is left whole.
TEST_F(Win32PortsTest, ReplaceKeepsTheReplacedFilesAttributes) {
  const std::string shared = Path("shared.cfg");
  const std::string temporary = Path("shared.cfg.1.tmp");
  ASSERT_TRUE(test::WriteWholeFile(shared, "old"));
  const DWORD kept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
  ASSERT_TRUE(SetFileAttributesA(shared.c_str(), kept));
  if ((GetFileAttributesA(shared.c_str()) & kept) != kept) {
    GTEST_SKIP() << "the file system under the prefix keeps no DOS attributes";
  }
  ASSERT_TRUE(test::WriteWholeFile(temporary, "new"));
  ASSERT_TRUE(files_.Replace(temporary, shared));
  std::string text;
  ASSERT_TRUE(test::ReadWholeFile(shared, &text));
  EXPECT_EQ(text, "new");
  EXPECT_EQ(GetFileAttributesA(shared.c_str()) & kept, kept);
  EXPECT_EQ(GetFileAttributesA(temporary.c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(GetFileAttributesA((temporary + ".old").c_str()), INVALID_FILE_ATTRIBUTES);

  // A read-only file is not replaced, by a move or otherwise.
  ASSERT_TRUE(SetFileAttributesA(shared.c_str(), FILE_ATTRIBUTE_READONLY));
  ASSERT_TRUE(test::WriteWholeFile(temporary, "newer"));
  EXPECT_FALSE(files_.Replace(temporary, shared));
  ASSERT_TRUE(test::ReadWholeFile(shared, &text));
  EXPECT_EQ(text, "new");
  EXPECT_EQ(GetFileAttributesA((temporary + ".old").c_str()), INVALID_FILE_ATTRIBUTES);
  SetFileAttributesA(shared.c_str(), FILE_ATTRIBUTE_NORMAL);

  // With no file there, the new one simply takes the name.
  ASSERT_TRUE(files_.Replace(temporary, Path("fresh.cfg")));
  ASSERT_TRUE(test::ReadWholeFile(Path("fresh.cfg"), &text));
  EXPECT_EQ(text, "newer");
}

// Readers polling a file that a writer keeps replacing find, every time,
// the old content or the new one, whole: the name is never without a file,
// and readers that keep opening the file do not make a replace fail.
TEST_F(Win32PortsTest, ReadersRacingAReplaceFindTheOldFileOrTheNew) {
  const std::string shared = Path("raced.cfg");
  const std::string temporary = Path("raced.cfg.1.tmp");
  const std::string contents[] = {std::string(4000, 'a'), std::string(6000, 'b')};
  ASSERT_TRUE(test::WriteWholeFile(shared, contents[0]));
  std::atomic<bool> writing{true};
  std::atomic<int> missing{0}, other{0}, reads{0};
  // Reads the whole file as the readers of presets do, the file open only
  // while it reads.
  const auto readOnce = [&] {
    const auto file = files_.Open(shared, FileAccess::Read, FileDisposition::OpenExisting);
    if (file == nullptr) return ++missing, void();
    std::vector<std::uint8_t> bytes;
    const std::string text =
        file->ReadAll(&bytes) ? std::string(bytes.begin(), bytes.end()) : std::string();
    if (text != contents[0] && text != contents[1]) ++other;
    ++reads;
  };
  const auto read = [&] {
    while (writing) {
      readOnce();
      // A poller: Wine, like Windows before its newer rename rules, refuses
      // to replace a file that anyone has open, so the replace waits for a
      // gap between the reads.
      Sleep(1);
    }
  };
  std::thread readers[] = {std::thread(read), std::thread(read)};
  int refused = 0;
  for (int round = 1; round <= 400; ++round) {
    {
      auto file = files_.Open(temporary, FileAccess::Write, FileDisposition::CreateAlways);
      ASSERT_NE(file, nullptr);
      const std::string& text = contents[round % 2];
      ASSERT_TRUE(file->Write(text.data(), text.size()) && file->Flush());
    }
    if (!files_.Replace(temporary, shared)) ++refused;
  }
  writing = false;
  for (std::thread& reader : readers) reader.join();
  EXPECT_EQ(missing, 0) << "of " << reads << " reads";
  EXPECT_EQ(other, 0) << "of " << reads << " reads";
  EXPECT_EQ(refused, 0);
  EXPECT_GT(reads, 0);
}

TEST(Win32MachineTest, ConvertsToTheAnsiCodePageWithinTheBuffer) {
  Win32Machine machine;
  std::string out;
  ASSERT_TRUE(machine.WideToAnsi(u"C:\\drv\\TQR54GFX.DDF", 260, &out));
  EXPECT_EQ(out, "C:\\drv\\TQR54GFX.DDF");
  EXPECT_TRUE(machine.WideToAnsi(std::u16string(259, u'a'), 260, &out));
  EXPECT_FALSE(machine.WideToAnsi(std::u16string(260, u'a'), 260, &out));
  EXPECT_EQ(machine.ProcessId(), GetCurrentProcessId());
  SetLastError(0);
  machine.SetLastError(kErrorInvalidData);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_DATA));
}

// The worker runs its step at once and then after each delay the step asks
// for, on a thread of its own, until the step says it is done.
TEST(Win32WorkerTest, RunsTheStepOnItsOwnThreadUntilItIsDone) {
  Win32Worker worker;
  const HANDLE done = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  ASSERT_NE(done, nullptr);
  std::atomic<int> rounds{0};
  std::atomic<DWORD> thread{0};
  const DWORD started = GetTickCount();
  ASSERT_TRUE(worker.Start([&](std::uint32_t* next) {
    thread = GetCurrentThreadId();
    *next = 50;
    if (++rounds < 3) return true;
    SetEvent(done);
    return false;
  }));
  ASSERT_EQ(WaitForSingleObject(done, 5000), WAIT_OBJECT_0);
  EXPECT_GE(GetTickCount() - started, 90u);  // two delays of 50 ms, give or take a tick
  EXPECT_EQ(rounds, 3);
  EXPECT_NE(thread, GetCurrentThreadId());
  CloseHandle(done);
}

}  // namespace
}  // namespace tqr::win32
