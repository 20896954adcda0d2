#include "platform/posix/posix_ports.h"

#include <fcntl.h>
#include <glob.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace tqr::posix {
namespace {

// Last-write time in 100-nanosecond ticks.
std::uint64_t TicksOf(const struct stat& st) {
  return static_cast<std::uint64_t>(st.st_mtim.tv_sec) * 10000000u +
         static_cast<std::uint64_t>(st.st_mtim.tv_nsec) / 100u;
}

class PosixFileHandle : public FileHandle {
 public:
  explicit PosixFileHandle(int fd) : fd_(fd) {}
  ~PosixFileHandle() override { ::close(fd_); }

  bool GetSize(std::uint64_t* size) override {
    struct stat st {};
    if (::fstat(fd_, &st) != 0) return false;
    *size = static_cast<std::uint64_t>(st.st_size);
    return true;
  }
  bool GetLastWriteTime(std::uint64_t* ticks) override {
    std::uint64_t size = 0;
    return GetSizeAndLastWriteTime(&size, ticks);
  }
  bool GetSizeAndLastWriteTime(std::uint64_t* size, std::uint64_t* ticks) override {
    struct stat st {};
    if (::fstat(fd_, &st) != 0) return false;
    *size = static_cast<std::uint64_t>(st.st_size);
    *ticks = TicksOf(st);
    return true;
  }
  bool SetLastWriteTime(std::uint64_t ticks) override {
    struct timespec times[2] = {};
    times[0].tv_nsec = UTIME_OMIT;
    times[1].tv_sec = static_cast<time_t>(ticks / 10000000u);
    times[1].tv_nsec = static_cast<long>(ticks % 10000000u * 100u);
    return ::futimens(fd_, times) == 0;
  }
  bool ReadAll(std::vector<std::uint8_t>* out) override {
    std::uint64_t size = 0;
    if (!GetSize(&size)) return false;
    out->assign(size, 0);
    std::size_t done = 0;
    while (done < out->size()) {
      const ssize_t got = ::pread(fd_, out->data() + done, out->size() - done,
                                  static_cast<off_t>(done));
      if (got < 0 && errno == EINTR) continue;
      if (got <= 0) return false;
      done += static_cast<std::size_t>(got);
    }
    return true;
  }
  bool Write(const void* data, std::size_t size) override {
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    while (size > 0) {
      const ssize_t put = ::write(fd_, bytes, size);
      if (put < 0 && errno == EINTR) continue;
      if (put <= 0) return false;
      bytes += put;
      size -= static_cast<std::size_t>(put);
    }
    return true;
  }
  bool Read(void* data, std::size_t size, std::size_t* got) override {
    auto* bytes = static_cast<std::uint8_t*>(data);
    *got = 0;
    while (size > 0) {
      const ssize_t read = ::read(fd_, bytes, size);
      if (read < 0 && errno == EINTR) continue;
      if (read < 0) return false;
      if (read == 0) break;
      bytes += read;
      size -= static_cast<std::size_t>(read);
      *got += static_cast<std::size_t>(read);
    }
    return true;
  }
  bool Seek(std::uint64_t offset) override {
    return ::lseek(fd_, static_cast<off_t>(offset), SEEK_SET) >= 0;
  }
  bool Flush() override { return ::fsync(fd_) == 0; }

 private:
  int fd_;
};

}  // namespace

std::unique_ptr<FileHandle> PosixFileSystem::OpenFile(const std::string& path,
                                                      FileAccess access,
                                                      FileDisposition disposition,
                                                      OpenFailure* failure) {
  int flags = access == FileAccess::Read ? O_RDONLY
              : access == FileAccess::Write ? O_WRONLY
                                            : O_RDWR;
  if (disposition == FileDisposition::CreateNew) flags |= O_CREAT | O_EXCL;
  if (disposition == FileDisposition::CreateAlways) flags |= O_CREAT | O_TRUNC;
  const int fd = ::open(path.c_str(), flags | O_CLOEXEC, 0644);
  if (fd < 0) {
    *failure = errno == ENOENT   ? OpenFailure::Missing
               : errno == EACCES ? OpenFailure::AccessDenied
                                 : OpenFailure::Other;
    return nullptr;
  }
  return std::make_unique<PosixFileHandle>(fd);
}

bool PosixFileSystem::GetSizeAndLastWriteTime(const std::string& path, std::uint64_t* size,
                                              std::uint64_t* ticks) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0 || S_ISDIR(st.st_mode)) return false;
  *size = static_cast<std::uint64_t>(st.st_size);
  *ticks = TicksOf(st);
  return true;
}

bool PosixFileSystem::Delete(const std::string& path) { return ::unlink(path.c_str()) == 0; }

bool PosixFileSystem::MoveNoReplace(const std::string& from, const std::string& to) {
  // link() refuses an existing target, which gives the no-replace move
  // atomically; the source name is dropped afterwards.
  if (::link(from.c_str(), to.c_str()) != 0) return false;
  ::unlink(from.c_str());
  return true;
}

bool PosixFileSystem::Replace(const std::string& from, const std::string& to) {
  // The new file takes the old one's mode bits (and owner, where this
  // process may give them) before it takes its name.
  struct stat old;
  if (::stat(to.c_str(), &old) == 0) {
    if (::chmod(from.c_str(), old.st_mode & 07777) != 0) return false;
    if (::chown(from.c_str(), old.st_uid, old.st_gid) != 0 && errno != EPERM) return false;
  }
  return ::rename(from.c_str(), to.c_str()) == 0;
}

std::vector<std::string> PosixFileSystem::FindFiles(const std::string& pattern) {
  std::vector<std::string> found;
  glob_t matches{};
  if (::glob(pattern.c_str(), GLOB_NOSORT, nullptr, &matches) == 0) {
    for (std::size_t i = 0; i < matches.gl_pathc; ++i) found.emplace_back(matches.gl_pathv[i]);
  }
  ::globfree(&matches);
  return found;
}

bool PosixFileSystem::Copy(const std::string& from, const std::string& to) {
  auto source = Open(from, FileAccess::Read, FileDisposition::OpenExisting);
  std::vector<std::uint8_t> bytes;
  if (!source || !source->ReadAll(&bytes)) return false;
  auto target = Open(to, FileAccess::Write, FileDisposition::CreateAlways);
  return target && target->Write(bytes.data(), bytes.size());
}

bool PosixMachine::WideToAnsi(const std::u16string& text, std::size_t capacity,
                              std::string* out) {
  return NarrowToSevenBit(text, capacity, out);
}

std::uint32_t PosixMachine::ProcessId() { return static_cast<std::uint32_t>(::getpid()); }

// Signal 0 asks only whether the process is there; one of another user's
// answers that it may not be signalled.
bool PosixMachine::IsProcessRunning(std::uint32_t processId) {
  return ::kill(static_cast<pid_t>(processId), 0) == 0 || errno == EPERM;
}

std::string PosixMachine::SystemDirectory() {
  const char* directory = std::getenv("TQR_SYSTEM_DIR");
  return directory != nullptr ? directory : ".";
}

Ports PosixPorts() {
  static PosixFileSystem files;
  static PosixMachine machine;
  return Ports{&files, nullptr, &machine};
}

}  // namespace tqr::posix
