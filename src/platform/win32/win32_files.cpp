#include <windows.h>

#include "platform/win32/win32_ports.h"

namespace tqr::win32 {
namespace {

class Win32FileHandle : public FileHandle {
 public:
  explicit Win32FileHandle(HANDLE file) : file_(file) {}
  ~Win32FileHandle() override { CloseHandle(file_); }

  bool GetSize(std::uint64_t* size) override {
    LARGE_INTEGER value;
    if (!GetFileSizeEx(file_, &value)) return false;
    *size = static_cast<std::uint64_t>(value.QuadPart);
    return true;
  }
  bool GetLastWriteTime(std::uint64_t* ticks) override {
    FILETIME written;
    if (!GetFileTime(file_, nullptr, nullptr, &written)) return false;
    *ticks = (static_cast<std::uint64_t>(written.dwHighDateTime) << 32) | written.dwLowDateTime;
    return true;
  }
  // Size and time together stay two questions (GetFileSizeEx, GetFileTime):
  // GetFileInformationByHandle also asks for the volume's serial number,
  // which under Wine is a request to the mount manager's process, several
  // times the cost of both answers on every load of the description.
  bool SetLastWriteTime(std::uint64_t ticks) override {
    FILETIME written;
    written.dwLowDateTime = static_cast<DWORD>(ticks & 0xFFFFFFFFu);
    written.dwHighDateTime = static_cast<DWORD>(ticks >> 32);
    return SetFileTime(file_, nullptr, nullptr, &written) != 0;
  }
  // The whole file through a read-only mapping, copied out before the view
  // is dropped.
  bool ReadAll(std::vector<std::uint8_t>* out) override {
    std::uint64_t size = 0;
    if (!GetSize(&size) || size > 0x7fffffffu) return false;
    out->clear();
    if (size == 0) return true;  // an empty file cannot be mapped
    HANDLE mapping = CreateFileMappingA(file_, nullptr, PAGE_READONLY, 0, 0, nullptr);
    if (mapping == nullptr) return false;
    const void* view = MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0);
    if (view != nullptr) {
      const auto* bytes = static_cast<const std::uint8_t*>(view);
      out->assign(bytes, bytes + size);
      UnmapViewOfFile(view);
    }
    CloseHandle(mapping);
    return view != nullptr;
  }
  bool Write(const void* data, std::size_t size) override {
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    while (size > 0) {
      const DWORD chunk = size > 0x40000000u ? 0x40000000u : static_cast<DWORD>(size);
      DWORD put = 0;
      if (!WriteFile(file_, bytes, chunk, &put, nullptr) || put == 0) return false;
      bytes += put;
      size -= put;
    }
    return true;
  }
  bool Read(void* data, std::size_t size, std::size_t* got) override {
    auto* bytes = static_cast<std::uint8_t*>(data);
    *got = 0;
    while (size > 0) {
      const DWORD chunk = size > 0x40000000u ? 0x40000000u : static_cast<DWORD>(size);
      DWORD read = 0;
      if (!ReadFile(file_, bytes, chunk, &read, nullptr)) return false;
      if (read == 0) break;  // end of file
      bytes += read;
      size -= read;
      *got += read;
    }
    return true;
  }
  bool Seek(std::uint64_t offset) override {
    LARGE_INTEGER distance;
    distance.QuadPart = static_cast<LONGLONG>(offset);
    return SetFilePointerEx(file_, distance, nullptr, FILE_BEGIN) != 0;
  }

 private:
  HANDLE file_;
};

DWORD CreationOf(FileDisposition disposition) {
  switch (disposition) {
    case FileDisposition::CreateNew:
      return CREATE_NEW;
    case FileDisposition::CreateAlways:
      return CREATE_ALWAYS;
    case FileDisposition::OpenExisting:
      break;
  }
  return OPEN_EXISTING;
}

DWORD DesiredAccessOf(FileAccess access) {
  switch (access) {
    case FileAccess::Write:
      return GENERIC_WRITE;
    case FileAccess::ReadWrite:
      return GENERIC_READ | GENERIC_WRITE;
    case FileAccess::Read:
      break;
  }
  return GENERIC_READ;
}

OpenFailure FailureOf(DWORD error) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
      return OpenFailure::Missing;
    case ERROR_ACCESS_DENIED:
      return OpenFailure::AccessDenied;
    default:
      return OpenFailure::Other;
  }
}

// A file marked read-only is never written, by anyone: Windows refuses even
// an administrator, while Wine run by the Unix superuser lets every write
// through. The driver keeps to the Windows rule wherever it runs.
bool IsReadOnlyFile(DWORD attributes) {
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0 &&
         (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

bool IsReadOnlyFile(const std::string& path) {
  return IsReadOnlyFile(GetFileAttributesA(path.c_str()));
}

}  // namespace

std::unique_ptr<FileHandle> Win32FileSystem::OpenFile(const std::string& path, FileAccess access,
                                                      FileDisposition disposition,
                                                      OpenFailure* failure) {
  // Readers and plain writers share reading (the description cache is read
  // by many processes at once); a file opened to be updated in place is
  // kept to ourselves.
  const DWORD share = access == FileAccess::ReadWrite ? 0 : FILE_SHARE_READ;
  if (access != FileAccess::Read && disposition != FileDisposition::CreateNew &&
      IsReadOnlyFile(path)) {
    *failure = OpenFailure::AccessDenied;
    return nullptr;
  }
  HANDLE file = CreateFileA(path.c_str(), DesiredAccessOf(access), share, nullptr,
                            CreationOf(disposition), FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    *failure = FailureOf(GetLastError());
    return nullptr;
  }
  return std::make_unique<Win32FileHandle>(file);
}

// One query by name (NtQueryFullAttributesFile), with no handle opened: the
// same size and time an open handle gives.
bool Win32FileSystem::GetSizeAndLastWriteTime(const std::string& path, std::uint64_t* size,
                                              std::uint64_t* ticks) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) ||
      (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    return false;
  }
  *size = (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  *ticks = (static_cast<std::uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) |
           data.ftLastWriteTime.dwLowDateTime;
  return true;
}

bool Win32FileSystem::Delete(const std::string& path) { return DeleteFileA(path.c_str()) != 0; }

bool Win32FileSystem::MoveNoReplace(const std::string& from, const std::string& to) {
  // Without MOVEFILE_REPLACE_EXISTING the move fails when the target exists.
  return MoveFileExA(from.c_str(), to.c_str(), 0) != 0;
}

bool Win32FileSystem::Replace(const std::string& from, const std::string& to) {
  const DWORD attributes = GetFileAttributesA(to.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    return MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
  }
  // The attributes just read answer it; no second question to the server.
  if (IsReadOnlyFile(attributes)) {
    SetLastError(ERROR_ACCESS_DENIED);
    return false;
  }
  // A move would give the file the temporary file's attributes and the
  // directory's inherited security; a shared file must keep its own, which
  // ReplaceFile carries over to the new content. The old content waits
  // under a name of the temporary file's own until the new one is in, so
  // that a replace failing half way can put it back.
  const std::string backup = from + ".old";
  if (!ReplaceFileA(to.c_str(), from.c_str(), backup.c_str(), REPLACEFILE_IGNORE_MERGE_ERRORS,
                    nullptr, nullptr)) {
    // Only here is the old content under the backup name; on every other
    // failure both files keep their names.
    if (GetLastError() == ERROR_UNABLE_TO_MOVE_REPLACEMENT_2) {
      MoveFileExA(backup.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING);
    }
    return false;
  }
  DeleteFileA(backup.c_str());
  // Wine's ReplaceFile moves the new file in as it is; the attributes at
  // least are put back (on Windows they are there already).
  SetFileAttributesA(to.c_str(), attributes);
  return true;
}

bool Win32FileSystem::Copy(const std::string& from, const std::string& to) {
  return CopyFileA(from.c_str(), to.c_str(), FALSE) != 0;
}

}  // namespace tqr::win32
