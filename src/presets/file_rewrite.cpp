#include "presets/file_rewrite.h"

namespace tqr {

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
  return path + "." + std::to_string(machine != nullptr ? machine->ProcessId() : 0) + ".tmp";
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
    written = bytes.empty() || file->Write(bytes.data(), bytes.size());
  }  // closed before the move, which a file still open would refuse
  const bool moved =
      written && (publish == Publish::kReplace ? files.Replace(temporary, path)
                                               : files.MoveNoReplace(temporary, path));
  if (!moved) files.Delete(temporary);
  return moved;
}

}  // namespace tqr
