// POSIX implementations of the file and machine ports, for the native
// developer tools (ddfcheck) and the native multi-process tests.
#pragma once

#include "platform/ports.h"

namespace tqr::posix {

class PosixFileSystem : public FileSystem {
 public:
  bool GetSizeAndLastWriteTime(const std::string& path, std::uint64_t* size,
                               std::uint64_t* ticks) override;
  bool Delete(const std::string& path) override;
  bool MoveNoReplace(const std::string& from, const std::string& to) override;
  bool Replace(const std::string& from, const std::string& to) override;
  bool Copy(const std::string& from, const std::string& to) override;
  std::vector<std::string> FindFiles(const std::string& pattern) override;

 protected:
  std::unique_ptr<FileHandle> OpenFile(const std::string& path, FileAccess access,
                                       FileDisposition disposition,
                                       OpenFailure* failure) override;
};

class PosixMachine : public Machine {
 public:
  // Paths on these systems are bytes already; the text passes unchanged
  // where it is 7-bit, as with the ANSI code page.
  bool WideToAnsi(const std::u16string& text, std::size_t capacity, std::string* out) override;
  std::u16string AnsiToWide(const std::string& text) override { return WidenSevenBit(text); }
  std::uint32_t ProcessId() override;
  bool IsProcessRunning(std::uint32_t processId) override;
  // These systems keep no region value of the kind; an unreadable value
  // means code 0.
  bool ReadUserCountry(std::u16string*) override { return false; }
  // $TQR_SYSTEM_DIR when set, else the current directory: the tools that
  // run here keep machine-wide files where the user points them.
  std::string SystemDirectory() override;
  // The tools here report failures in their own words; the code is kept
  // for them to read.
  void SetLastError(std::uint32_t code) override { lastError = code; }
  std::uint32_t lastError = 0;
};

// Files and machine of this process; no spooler.
Ports PosixPorts();

}  // namespace tqr::posix
