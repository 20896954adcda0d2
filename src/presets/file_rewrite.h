// Reading exact lengths from preset files and replacing them whole. Presets
// live only in these files, so a rewrite never truncates the old file first:
// the new content goes to a temporary file beside it and is moved over the
// old one in one step, or the old file stays as it was.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/ports.h"

namespace tqr {

// Reads exactly `size` bytes from the file position; false on a read error
// or when the file ends first.
bool ReadExactly(FileHandle& file, void* data, std::size_t size);

// The same, telling a file that ends first (what it holds is short) from a
// read that failed (what it holds is unknown).
enum class ExactRead { kRead, kEnded, kFailed };
ExactRead ReadExactlyOrEnd(FileHandle& file, void* data, std::size_t size);

enum class Publish {
  kReplace,     // over the file at `path`, whether or not it exists
  kCreateOnly,  // only where no file exists yet
};

// The temporary file a rewrite of `path` goes through: beside it, under a
// name of this process's own.
std::string TemporaryPathFor(const std::string& path);

// What a rewrite of `path` left behind when its process ended before it
// finished: its temporary file (the new content, whole or not), or the old
// content kept under the temporary file's name + ".old" by the replace
// earlier versions made. Only leftovers of processes that have ended, and
// this process's own (it is not writing one now): another running process
// may still be writing its own.
struct Leftover {
  std::string path;
  std::uint64_t lastWrite = 0;
};
std::vector<Leftover> FindLeftovers(FileSystem& files, const std::string& path);

// Removes every leftover FindLeftovers finds.
void RemoveLeftovers(FileSystem& files, const std::string& path);

// Whether this user may rewrite the existing file at `path` the way
// RewriteWholeFile does: open it for writing, and create (then remove) the
// temporary file in its directory. A file another program holds open is no
// matter of rights, and is told apart so the user hears the right reason.
enum class RewriteAccess { kWritable, kDenied, kInUse };
RewriteAccess CheckRewriteAccess(FileSystem& files, const std::string& path);

// Writes `bytes` as the whole content of `path` through a temporary file in
// the same directory. True only when every byte was written and the file was
// moved into place; otherwise the temporary file is removed and `path` is
// untouched. A replace also removes the leftovers of rewrites that died.
bool RewriteWholeFile(FileSystem& files, const std::string& path,
                      const std::vector<std::uint8_t>& bytes, Publish publish);

// Little-endian 16-bit fields of the preset files.
inline std::uint16_t GetLe16(const std::uint8_t* bytes) {
  return static_cast<std::uint16_t>(bytes[0] | bytes[1] << 8);
}
inline void PutLe16(std::uint8_t* bytes, std::uint16_t value) {
  bytes[0] = static_cast<std::uint8_t>(value & 0xFF);
  bytes[1] = static_cast<std::uint8_t>(value >> 8);
}

}  // namespace tqr
