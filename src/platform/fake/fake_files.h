// In-memory file system for tests: files with contents and last-write times,
// and switches that make single operations fail the way real disks do.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/fake/fault_plan.h"
#include "platform/ports.h"

namespace tqr::fake {

class FakeFileSystem : public FileSystem {
 public:
  struct File {
    std::vector<std::uint8_t> bytes;
    std::uint64_t lastWrite = 0;
  };

  // Fails as a time read does (failTime, FakeCall::kGetTime).
  bool GetSizeAndLastWriteTime(const std::string& path, std::uint64_t* size,
                               std::uint64_t* ticks) override;
  bool Delete(const std::string& path) override;
  bool MoveNoReplace(const std::string& from, const std::string& to) override;
  bool Replace(const std::string& from, const std::string& to) override;
  bool Copy(const std::string& from, const std::string& to) override;
  // Matches names as the platform does, letters in either case.
  std::vector<std::string> FindFiles(const std::string& pattern) override;

  // Puts a file in place with the next tick of the clock as its time.
  void Put(const std::string& path, const std::string& text);
  void PutBytes(const std::string& path, std::vector<std::uint8_t> bytes);
  bool Exists(const std::string& path) const { return files_.count(path) != 0; }
  File& At(const std::string& path) { return files_.at(path); }
  std::vector<std::string> Paths() const;
  // Advances the clock and stamps the file with it, like touching it.
  void Touch(const std::string& path) { files_.at(path).lastWrite = ++clock_; }

  // Fault injection, by path.
  std::set<std::string> failOpen;
  std::set<std::string> failRead;
  std::set<std::string> failTime;
  std::set<std::string> failDelete;
  // Opens for writing (or reading and writing) are refused as access denied.
  std::set<std::string> denyWrite;
  // Copies and replaces that name these paths as source or target fail.
  std::set<std::string> failCopy;
  std::set<std::string> failReplace;
  bool failMove = false;
  // Writes stop after this many bytes in total and report failure.
  std::size_t writeBudget = static_cast<std::size_t>(-1);
  // Faults by the order of the calls, shared with the spooler's plan.
  FaultPlan* faults = nullptr;

  int opens = 0;
  int stamps = 0;  // sizes and times asked by name
  int deletes = 0;
  int copies = 0;

 protected:
  std::unique_ptr<FileHandle> OpenFile(const std::string& path, FileAccess access,
                                       FileDisposition disposition,
                                       OpenFailure* failure) override;

 private:
  friend class FakeFileHandle;
  std::map<std::string, File> files_;
  std::uint64_t clock_ = 1000;
};

}  // namespace tqr::fake
