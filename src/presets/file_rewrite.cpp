#include "presets/file_rewrite.h"

#include <charconv>
#include <string_view>

namespace tqr {
namespace {

constexpr char kTemporarySuffix[] = ".tmp";
constexpr char kOldContentSuffix[] = ".old";

// The process id in a name made by TemporaryPathFor(path), possibly with
// the old content's suffix; false for any other name.
bool LeftoverProcess(const std::string& path, const std::string& name, std::uint32_t* process) {
  const std::string head = path + ".";
  if (name.size() <= head.size() || name.compare(0, head.size(), head) != 0) return false;
  const char* first = name.data() + head.size();
  const char* last = name.data() + name.size();
  const auto [end, error] = std::from_chars(first, last, *process);
  if (error != std::errc() || end == first) return false;
  const std::string_view rest(end, static_cast<std::size_t>(last - end));
  return rest == kTemporarySuffix || rest == std::string(kTemporarySuffix) + kOldContentSuffix;
}

}  // namespace

bool ReadExactly(FileHandle& file, void* data, std::size_t size) {
  return ReadExactlyOrEnd(file, data, size) == ExactRead::kRead;
}

ExactRead ReadExactlyOrEnd(FileHandle& file, void* data, std::size_t size) {
  auto* out = static_cast<std::uint8_t*>(data);
  while (size > 0) {
    std::size_t got = 0;
    if (!file.Read(out, size, &got) || got > size) return ExactRead::kFailed;
    if (got == 0) return ExactRead::kEnded;
    out += got;
    size -= got;
  }
  return ExactRead::kRead;
}

std::string TemporaryPathFor(const std::string& path) {
  // A name of this process's own: two sheets of one process run on one
  // thread, and another process's half-written file is never ours to reuse.
  Machine* machine = CurrentPorts().machine;
  return path + "." + std::to_string(machine != nullptr ? machine->ProcessId() : 0) +
         kTemporarySuffix;
}

std::vector<Leftover> FindLeftovers(FileSystem& files, const std::string& path) {
  std::vector<Leftover> leftovers;
  Machine* machine = CurrentPorts().machine;
  if (machine == nullptr) return leftovers;
  for (const std::string& name : files.FindFiles(path + ".*" + kTemporarySuffix + "*")) {
    std::uint32_t process = 0;
    // This process writes one file at a time, so a name of its own is not
    // being written now: a process before it had the same id.
    if (!LeftoverProcess(path, name, &process) ||
        (process != machine->ProcessId() && machine->IsProcessRunning(process))) {
      continue;
    }
    Leftover leftover{name};
    std::uint64_t size = 0;
    files.GetSizeAndLastWriteTime(name, &size, &leftover.lastWrite);
    leftovers.push_back(leftover);
  }
  return leftovers;
}

void RemoveLeftovers(FileSystem& files, const std::string& path) {
  for (const Leftover& leftover : FindLeftovers(files, path)) files.Delete(leftover.path);
}

RewriteAccess CheckRewriteAccess(FileSystem& files, const std::string& path) {
  OpenFailure failure = OpenFailure::None;
  if (files.Open(path, FileAccess::ReadWrite, FileDisposition::OpenExisting, &failure) ==
      nullptr) {
    return failure == OpenFailure::Other ? RewriteAccess::kInUse : RewriteAccess::kDenied;
  }
  // The rewrite also needs the right to create files in the directory.
  const std::string temporary = TemporaryPathFor(path);
  if (files.Open(temporary, FileAccess::Write, FileDisposition::CreateAlways) == nullptr) {
    return RewriteAccess::kDenied;
  }
  files.Delete(temporary);
  return RewriteAccess::kWritable;
}

bool RewriteWholeFile(FileSystem& files, const std::string& path,
                      const std::vector<std::uint8_t>& bytes, Publish publish) {
  const std::string temporary = TemporaryPathFor(path);
  bool written = false;
  {
    auto file = files.Open(temporary, FileAccess::Write, FileDisposition::CreateAlways);
    if (file == nullptr) return false;
    written = (bytes.empty() || file->Write(bytes.data(), bytes.size())) && file->Flush();
  }  // closed before the move, which a file still open would refuse
  const bool moved =
      written && (publish == Publish::kReplace ? files.Replace(temporary, path)
                                               : files.MoveNoReplace(temporary, path));
  if (!moved) {
    files.Delete(temporary);
    return false;
  }
  if (publish == Publish::kReplace) RemoveLeftovers(files, path);
  return true;
}

}  // namespace tqr
