#include <windows.h>

#include <vector>

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
  bool Flush() override { return FlushFileBuffers(file_) != 0; }

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

// Who may do what with the file at `from` (its access list), given to the
// file at `to`. The owner stays the writer's: giving a file away takes a
// privilege a user does not have.
bool CopyAccessList(const std::string& from, const std::string& to) {
  const SECURITY_INFORMATION what = DACL_SECURITY_INFORMATION;
  DWORD needed = 0;
  GetFileSecurityA(from.c_str(), what, nullptr, 0, &needed);
  if (needed == 0) return false;
  std::vector<BYTE> descriptor(needed);
  return GetFileSecurityA(from.c_str(), what, descriptor.data(), needed, &needed) &&
         SetFileSecurityA(to.c_str(), what, descriptor.data());
}

// How long a replace waits for readers to close the file it replaces.
constexpr ULONGLONG kReplaceWaitMilliseconds = 1000;

// Moves `from` over `to`. Wine, and Windows without its newer rename
// semantics, refuse to replace a file that any process has open, whatever
// it shares; readers hold the file only while they read it, so the move is
// tried again in the gaps between them, for a while.
bool MoveOverWhenClosed(const std::string& from, const std::string& to) {
  const ULONGLONG deadline = GetTickCount64() + kReplaceWaitMilliseconds;
  for (;;) {
    if (MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
      return true;
    }
    const DWORD error = GetLastError();
    if ((error != ERROR_ACCESS_DENIED && error != ERROR_SHARING_VIOLATION) ||
        GetTickCount64() >= deadline) {
      return false;
    }
    Sleep(1);
  }
}

// The attributes a file may be given; a directory's or a device's are no
// file's.
constexpr DWORD kFileAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                  FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

}  // namespace

std::unique_ptr<FileHandle> Win32FileSystem::OpenFile(const std::string& path, FileAccess access,
                                                      FileDisposition disposition,
                                                      OpenFailure* failure) {
  // Readers and plain writers share reading (the description cache is read
  // by many processes at once); a file opened to be updated in place is
  // kept to ourselves. Readers also let the file be replaced under them:
  // they go on reading the content they opened, and a rewrite need not
  // fail for a reader that happened to be there.
  const DWORD share = access == FileAccess::ReadWrite ? 0
                      : access == FileAccess::Read    ? FILE_SHARE_READ | FILE_SHARE_DELETE
                                                      : FILE_SHARE_READ;
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

// One rename, so that every reader finds the old file or the new one and
// a writer killed at any point leaves one of them under the name; the new
// file first takes the old one's access list and attributes, as the old
// one's own would otherwise be lost with it. (ReplaceFile keeps them
// itself, but Wine's renames the old file away before it moves the new one
// in, and a writer killed in between leaves no file at all.)
bool Win32FileSystem::Replace(const std::string& from, const std::string& to) {
  const DWORD attributes = GetFileAttributesA(to.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES) {
    // The attributes just read answer it; no second question to the server.
    if (IsReadOnlyFile(attributes)) {
      SetLastError(ERROR_ACCESS_DENIED);
      return false;
    }
    const DWORD kept = attributes & kFileAttributes;
    if (!CopyAccessList(to, from) ||
        !SetFileAttributesA(from.c_str(), kept != 0 ? kept : FILE_ATTRIBUTE_NORMAL)) {
      return false;
    }
  }
  return MoveOverWhenClosed(from, to);
}

std::vector<std::string> Win32FileSystem::FindFiles(const std::string& pattern) {
  std::vector<std::string> found;
  const std::size_t separator = pattern.find_last_of("\\/");
  const std::string directory =
      separator == std::string::npos ? std::string() : pattern.substr(0, separator + 1);
  WIN32_FIND_DATAA data;
  const HANDLE search = FindFirstFileA(pattern.c_str(), &data);
  if (search == INVALID_HANDLE_VALUE) return found;
  do {
    if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
      found.push_back(directory + data.cFileName);
    }
  } while (FindNextFileA(search, &data));
  FindClose(search);
  return found;
}

bool Win32FileSystem::Copy(const std::string& from, const std::string& to) {
  return CopyFileA(from.c_str(), to.c_str(), FALSE) != 0;
}

}  // namespace tqr::win32
