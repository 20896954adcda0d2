#include "platform/fake/fake_files.h"

#include <algorithm>
#include <string_view>

namespace tqr::fake {

class FakeFileHandle : public FileHandle {
 public:
  FakeFileHandle(FakeFileSystem& fs, std::string path) : fs_(fs), path_(std::move(path)) {}

  bool GetSize(std::uint64_t* size) override {
    *size = fs_.files_.at(path_).bytes.size();
    return true;
  }
  bool GetLastWriteTime(std::uint64_t* ticks) override {
    if (NextFault(fs_.faults, FakeCall::kGetTime)) return false;
    if (fs_.failTime.count(path_) != 0) return false;
    *ticks = fs_.files_.at(path_).lastWrite;
    return true;
  }
  bool SetLastWriteTime(std::uint64_t ticks) override {
    if (NextFault(fs_.faults, FakeCall::kSetTime)) return false;
    if (fs_.failTime.count(path_) != 0) return false;
    fs_.files_.at(path_).lastWrite = ticks;
    return true;
  }
  bool ReadAll(std::vector<std::uint8_t>* out) override {
    if (NextFault(fs_.faults, FakeCall::kReadWhole)) return false;
    if (fs_.failRead.count(path_) != 0) return false;
    *out = fs_.files_.at(path_).bytes;
    return true;
  }
  // Writes at the position, overwriting and extending as a disk does.
  bool Write(const void* data, std::size_t size) override {
    auto& file = fs_.files_.at(path_);
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    std::size_t allowed = size < fs_.writeBudget ? size : fs_.writeBudget;
    const auto fault = NextFault(fs_.faults, FakeCall::kWrite);
    if (fault) allowed = *fault == Fault::kShort ? std::min(allowed, size / 2) : 0;
    if (allowed > 0) {  // an empty write leaves a file short of the position as it is
      if (file.bytes.size() < position_ + allowed) file.bytes.resize(position_ + allowed);
      std::copy(bytes, bytes + allowed,
                file.bytes.begin() + static_cast<std::ptrdiff_t>(position_));
      position_ += allowed;
    }
    fs_.writeBudget -= allowed;
    file.lastWrite = ++fs_.clock_;
    return !fault && allowed == size;
  }
  bool Read(void* data, std::size_t size, std::size_t* got) override {
    *got = 0;
    const auto fault = NextFault(fs_.faults, FakeCall::kRead);
    if (fault == Fault::kFail || fs_.failRead.count(path_) != 0) return false;
    const auto& bytes = fs_.files_.at(path_).bytes;
    const std::size_t left = position_ < bytes.size() ? bytes.size() - position_ : 0;
    *got = size < left ? size : left;
    // Short, yet never none: a read of nothing says the file has ended.
    if (fault == Fault::kShort && *got > 1) *got /= 2;
    // A position past the end (after a seek there) reads nothing and is not
    // turned into an iterator.
    if (*got == 0) return true;
    std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>(position_), *got,
                static_cast<std::uint8_t*>(data));
    position_ += *got;
    return true;
  }
  bool Seek(std::uint64_t offset) override {
    position_ = static_cast<std::size_t>(offset);
    return true;
  }

 private:
  FakeFileSystem& fs_;
  std::string path_;
  std::size_t position_ = 0;
};

std::unique_ptr<FileHandle> FakeFileSystem::OpenFile(const std::string& path, FileAccess access,
                                                     FileDisposition disposition,
                                                     OpenFailure* failure) {
  ++opens;
  *failure = OpenFailure::Other;
  if (NextFault(faults, FakeCall::kOpen) || failOpen.count(path) != 0) return nullptr;
  if (access != FileAccess::Read && denyWrite.count(path) != 0) {
    *failure = OpenFailure::AccessDenied;
    return nullptr;
  }
  const bool exists = Exists(path);
  switch (disposition) {
    case FileDisposition::OpenExisting:
      if (!exists) {
        *failure = OpenFailure::Missing;
        return nullptr;
      }
      break;
    case FileDisposition::CreateNew:
      if (exists) return nullptr;
      files_[path].lastWrite = ++clock_;
      break;
    case FileDisposition::CreateAlways:
      files_[path] = File{{}, ++clock_};
      break;
  }
  return std::make_unique<FakeFileHandle>(*this, path);
}

bool FakeFileSystem::GetSizeAndLastWriteTime(const std::string& path, std::uint64_t* size,
                                             std::uint64_t* ticks) {
  ++stamps;
  if (NextFault(faults, FakeCall::kGetTime) || failTime.count(path) != 0 || !Exists(path)) {
    return false;
  }
  const File& file = files_.at(path);
  *size = file.bytes.size();
  *ticks = file.lastWrite;
  return true;
}

bool FakeFileSystem::Delete(const std::string& path) {
  ++deletes;
  if (NextFault(faults, FakeCall::kDelete) || failDelete.count(path) != 0) return false;
  return files_.erase(path) != 0;
}

bool FakeFileSystem::MoveNoReplace(const std::string& from, const std::string& to) {
  if (NextFault(faults, FakeCall::kMove) || failMove || !Exists(from) || Exists(to)) {
    return false;
  }
  files_[to] = std::move(files_[from]);
  files_.erase(from);
  return true;
}

bool FakeFileSystem::Replace(const std::string& from, const std::string& to) {
  if (NextFault(faults, FakeCall::kReplace) || failReplace.count(from) != 0 ||
      failReplace.count(to) != 0 || !Exists(from)) {
    return false;
  }
  files_[to] = std::move(files_[from]);
  files_.erase(from);
  return true;
}

bool FakeFileSystem::Copy(const std::string& from, const std::string& to) {
  ++copies;
  if (NextFault(faults, FakeCall::kCopy) || failCopy.count(from) != 0 ||
      failCopy.count(to) != 0 || !Exists(from)) {
    return false;
  }
  files_[to] = File{files_[from].bytes, ++clock_};
  return true;
}

namespace {

bool SameLetter(char a, char b) {
  const auto fold = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; };
  return fold(a) == fold(b);
}

// `pattern` with '*' for any run of characters, against the whole `name`.
bool MatchesPattern(std::string_view pattern, std::string_view name) {
  const std::size_t star = pattern.find('*');
  if (star == std::string_view::npos) {
    return pattern.size() == name.size() &&
           std::equal(pattern.begin(), pattern.end(), name.begin(), SameLetter);
  }
  if (name.size() < star || !std::equal(pattern.begin(), pattern.begin() + star, name.begin(),
                                        SameLetter)) {
    return false;
  }
  const std::string_view rest = pattern.substr(star + 1);
  for (std::size_t at = star; at <= name.size(); ++at) {
    if (MatchesPattern(rest, name.substr(at))) return true;
  }
  return false;
}

}  // namespace

std::vector<std::string> FakeFileSystem::FindFiles(const std::string& pattern) {
  std::vector<std::string> found;
  if (NextFault(faults, FakeCall::kList)) return found;
  const std::size_t slash = pattern.find_last_of('\\');
  const std::size_t nameAt = slash == std::string::npos ? 0 : slash + 1;
  for (const auto& entry : files_) {
    const std::string& path = entry.first;
    if (path.size() < nameAt || path.compare(0, nameAt, pattern, 0, nameAt) != 0 ||
        path.find('\\', nameAt) != std::string::npos) {
      continue;
    }
    if (MatchesPattern(std::string_view(pattern).substr(nameAt),
                       std::string_view(path).substr(nameAt))) {
      found.push_back(path);
    }
  }
  return found;
}

void FakeFileSystem::Put(const std::string& path, const std::string& text) {
  PutBytes(path, std::vector<std::uint8_t>(text.begin(), text.end()));
}

void FakeFileSystem::PutBytes(const std::string& path, std::vector<std::uint8_t> bytes) {
  files_[path] = File{std::move(bytes), ++clock_};
}

std::vector<std::string> FakeFileSystem::Paths() const {
  std::vector<std::string> paths;
  for (const auto& entry : files_) paths.push_back(entry.first);
  return paths;
}

}  // namespace tqr::fake
