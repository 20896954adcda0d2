#include "platform/fake/fake_files.h"

namespace tqr::fake {

class FakeFileHandle : public FileHandle {
 public:
  FakeFileHandle(FakeFileSystem& fs, std::string path) : fs_(fs), path_(std::move(path)) {}

  bool GetSize(std::uint64_t* size) override {
    *size = fs_.files_.at(path_).bytes.size();
    return true;
  }
  bool GetLastWriteTime(std::uint64_t* ticks) override {
    if (fs_.failTime.count(path_) != 0) return false;
    *ticks = fs_.files_.at(path_).lastWrite;
    return true;
  }
  bool ReadAll(std::vector<std::uint8_t>* out) override {
    if (fs_.failRead.count(path_) != 0) return false;
    *out = fs_.files_.at(path_).bytes;
    return true;
  }
  bool Write(const void* data, std::size_t size) override {
    auto& file = fs_.files_.at(path_);
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    const std::size_t allowed = size < fs_.writeBudget ? size : fs_.writeBudget;
    file.bytes.insert(file.bytes.end(), bytes, bytes + allowed);
    fs_.writeBudget -= allowed;
    file.lastWrite = ++fs_.clock_;
    return allowed == size;
  }

 private:
  FakeFileSystem& fs_;
  std::string path_;
};

std::unique_ptr<FileHandle> FakeFileSystem::Open(const std::string& path, FileAccess access,
                                                 FileDisposition disposition) {
  ++opens;
  if (failOpen.count(path) != 0) return nullptr;
  const bool exists = Exists(path);
  switch (disposition) {
    case FileDisposition::OpenExisting:
      if (!exists) return nullptr;
      break;
    case FileDisposition::CreateNew:
      if (exists) return nullptr;
      files_[path].lastWrite = ++clock_;
      break;
    case FileDisposition::CreateAlways:
      files_[path] = File{{}, ++clock_};
      break;
  }
  (void)access;
  return std::make_unique<FakeFileHandle>(*this, path);
}

bool FakeFileSystem::Delete(const std::string& path) {
  ++deletes;
  if (failDelete.count(path) != 0) return false;
  return files_.erase(path) != 0;
}

bool FakeFileSystem::MoveNoReplace(const std::string& from, const std::string& to) {
  if (failMove || !Exists(from) || Exists(to)) return false;
  files_[to] = std::move(files_[from]);
  files_.erase(from);
  return true;
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
