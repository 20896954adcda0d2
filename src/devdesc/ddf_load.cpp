// Loading the description: judge the cache, rebuild it when needed, and
// read it into one block that becomes the description handle.
#include <atomic>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <string>
#include <vector>

#include "devdesc/ddf.h"
#include "devdesc/ddf_compiler.h"
#include "devdesc/ddf_needed.h"
#include "devdesc/ddf_reader.h"

namespace tqr {
namespace {

// "TQR54GFX.DDF" becomes "TQR54GFX.BDF"; a name without '.' gets ".BDF".
// Only a dot in the file name counts: one in a directory name would put
// the cache into another directory.
std::string CachePathFor(const std::string& textPath) {
  const std::size_t dot = textPath.rfind('.');
  const std::size_t separator = textPath.find_last_of("\\/");
  if (dot == std::string::npos || (separator != std::string::npos && dot < separator)) {
    return textPath + ".BDF";
  }
  return textPath.substr(0, dot + 1) + "BDF";
}

DdfHandle CopyToBlock(const std::vector<std::uint8_t>& image) {
  auto* block = static_cast<std::uint8_t*>(std::malloc(image.size()));
  if (block != nullptr) std::memcpy(block, image.data(), image.size());
  return block;
}

enum class CacheRead { kLoaded, kUnreadable, kUnsound };


// The last image of this process that passed the soundness check and had
// every needed feature. Both are properties of the bytes alone, so a cache
// read byte for byte equal to it passes them too, and comparing costs a
// fraction of checking: every call of a capability run loads the same cache
// again.
class SoundImageKept {
 public:
  bool Matches(const std::uint8_t* bytes, std::size_t size) {
    const std::lock_guard<std::mutex> hold(lock_);
    return !bytes_.empty() && bytes_.size() == size && std::memcmp(bytes_.data(), bytes, size) == 0;
  }
  void Keep(const std::uint8_t* bytes, std::size_t size) {
    const std::lock_guard<std::mutex> hold(lock_);
    bytes_.assign(bytes, bytes + size);
  }

 private:
  std::mutex lock_;
  std::vector<std::uint8_t> bytes_;
};

SoundImageKept& KeptSoundImage() {
  static SoundImageKept kept;
  return kept;
}

// The cache file is outside input: another tool, an older driver or a
// process that died while writing may have left it. Only an image that
// passes the soundness check becomes a handle. It is read straight into
// the block the handle owns, `size` bytes as the file's entry gave them.
CacheRead ReadCache(FileHandle& cache, std::uint64_t size, DdfHandle* handle) {
  if (size > ddf::kMaxImageSize) return CacheRead::kUnsound;
  auto* block = static_cast<std::uint8_t*>(std::malloc(size != 0 ? size : 1));
  if (block == nullptr) return CacheRead::kUnreadable;
  std::size_t got = 0;
  if (!cache.Read(block, size, &got) || got != size) {
    std::free(block);
    return CacheRead::kUnreadable;
  }
  // A sound image lacking a needed feature did not come from a description
  // the driver accepts; the text decides afresh.
  if (!KeptSoundImage().Matches(block, size)) {
    if (!ddf::IsSoundImage(block, size) || !IsAcceptedDescription(block)) {
      std::free(block);
      return CacheRead::kUnsound;
    }
    KeptSoundImage().Keep(block, size);
  }
  *handle = block;
  return CacheRead::kLoaded;
}

// The cache is current when it carries the text's own last-write time,
// which a rebuild gives it. Equal, not merely newer: installers copy a
// changed description with its own, older time, which must still rebuild,
// and a description dated in the future must not make every load rebuild.
bool IsCurrent(bool textTimeKnown, std::uint64_t textTime, bool cacheStamped,
               std::uint64_t cacheTime) {
  return textTimeKnown && cacheStamped && cacheTime == textTime;
}

// Writes the image under a name of this process's own and then moves it to
// the cache name unless a cache is there already. Readers therefore never
// see a half-written cache, and a writer that dies leaves only its
// temporary file behind.
void PublishCache(FileSystem& files, Machine& machine, const std::string& cachePath,
                  const std::vector<std::uint8_t>& image, std::uint64_t textTime) {
  static std::atomic<unsigned> sequence{0};
  const std::string temporary = cachePath + "." + std::to_string(machine.ProcessId()) + "." +
                                std::to_string(++sequence) + ".tmp";
  bool written = false;
  {
    auto file = files.Open(temporary, FileAccess::Write, FileDisposition::CreateNew);
    if (file == nullptr) return;
    // The time goes on after the last write, which would move it again.
    written = file->Write(image.data(), image.size()) && file->SetLastWriteTime(textTime);
  }
  if (!written || !files.MoveNoReplace(temporary, cachePath)) files.Delete(temporary);
}

}  // namespace

bool DdfCompile(const char* textPath, const char* cachePath, std::vector<std::uint8_t>* image) {
  Ports& ports = CurrentPorts();
  std::vector<std::uint8_t> text;
  std::uint64_t textTime = 0;
  bool timeKnown = false;
  {
    const auto file = ports.files->Open(textPath, FileAccess::Read, FileDisposition::OpenExisting);
    if (file == nullptr || !file->ReadAll(&text)) return false;
    // The time of the text as read, so that a text replaced meanwhile
    // leaves a cache that is not current for it.
    timeKnown = file->GetLastWriteTime(&textTime);
  }
  // A text that does not compile is refused as one lacking a feature is:
  // an empty or truncated text compiles, but without a feature every answer
  // rests on no call could answer soundly. Neither becomes a cache, and
  // both leave the caller a last error to show.
  if (!ddf::CompileDescription(text.data(), text.size(), image, nullptr) ||
      !IsAcceptedDescription(image->data())) {
    image->clear();
    if (ports.machine != nullptr) ports.machine->SetLastError(kErrorInvalidData);
    return false;
  }
  // Without the text's time no cache could ever be judged current.
  if (timeKnown) PublishCache(*ports.files, *ports.machine, cachePath, *image, textTime);
  return true;
}

namespace {

DdfHandle LoadImage(const char* textPath) {
  FileSystem& files = *CurrentPorts().files;
  const std::string cachePath = CachePathFor(textPath);
  {
    // The text's time by its name: a current cache is all that is read, and
    // the text is opened only to compile it. A file system that cannot say
    // so (or a text that is missing) is asked through an open, which tells.
    std::uint64_t textSize = 0;
    std::uint64_t textTime = 0;
    bool textTimeKnown = files.GetSizeAndLastWriteTime(textPath, &textSize, &textTime);
    if (!textTimeKnown) {
      const auto text = files.Open(textPath, FileAccess::Read, FileDisposition::OpenExisting);
      if (text == nullptr) return nullptr;
      textTimeKnown = text->GetLastWriteTime(&textTime);
    }
    auto cache = files.Open(cachePath, FileAccess::Read, FileDisposition::OpenExisting);
    if (cache != nullptr) {
      CacheRead read = CacheRead::kUnsound;  // a cache that is not current is stale
      std::uint64_t cacheSize = 0;
      std::uint64_t cacheTime = 0;
      const bool stamped = cache->GetSizeAndLastWriteTime(&cacheSize, &cacheTime);
      if (IsCurrent(textTimeKnown, textTime, stamped, cacheTime)) {
        DdfHandle handle = nullptr;
        read = ReadCache(*cache, cacheSize, &handle);
        if (read == CacheRead::kLoaded) return handle;
      }
      cache.reset();
      // A stale cache goes; one that merely failed to read stays.
      if (read == CacheRead::kUnsound) files.Delete(cachePath);
    }
  }
  std::vector<std::uint8_t> image;
  if (!DdfCompile(textPath, cachePath.c_str(), &image)) return nullptr;
  // The image just compiled is the answer, not whatever cache file is there
  // now: a stale one that could not be deleted (read-only, held open) is
  // still there, and a fresh one holds these very bytes.
  return CopyToBlock(image);
}

}  // namespace

DdfHandle DdfLoad(const char* textPath) {
  if (textPath == nullptr) return nullptr;
  return LoadImage(textPath);
}

void DdfFree(DdfHandle* handle) {
  if (handle == nullptr || *handle == nullptr) return;
  std::free(const_cast<std::uint8_t*>(*handle));
  *handle = nullptr;
}

}  // namespace tqr
