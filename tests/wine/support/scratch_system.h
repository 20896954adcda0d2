// A system directory of the test's own: a new empty folder that the machine
// port names as the system directory, so that the user print mode file and
// anything the driver writes beside it are real files of the prefix that no
// other test and nothing of the prefix's own system directory shares. Files
// are put and read back byte for byte; everything in the folder goes with it.
#pragma once

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/win32/win32_ports.h"
#include "support/processes.h"

namespace tqr::test {

class ScratchMachine : public win32::Win32Machine {
 public:
  std::string SystemDirectory() override { return systemDirectory; }
  std::string systemDirectory;
};

class ScratchSystemDirectory {
 public:
  using Bytes = std::vector<std::uint8_t>;

  ScratchSystemDirectory() {
    folder_ = MakeScratchDirectory();
    folder_.pop_back();  // the driver adds its own separator
    machine.systemDirectory = folder_;
    GetCurrentDirectoryA(MAX_PATH, startDirectory_);
  }
  ~ScratchSystemDirectory() {
    // The file dialogs change the process's directory; a folder cannot go
    // while it is current.
    SetCurrentDirectoryA(startDirectory_);
    for (const std::string& name : Entries()) {
      SetFileAttributesA(Path(name).c_str(), FILE_ATTRIBUTE_NORMAL);
      DeleteFileA(Path(name).c_str());
    }
    RemoveDirectoryA(folder_.c_str());
  }
  ScratchSystemDirectory(const ScratchSystemDirectory&) = delete;
  ScratchSystemDirectory& operator=(const ScratchSystemDirectory&) = delete;

  const std::string& folder() const { return folder_; }
  std::string Path(const std::string& name) const { return folder_ + "\\" + name; }

  void Put(const std::string& name, const Bytes& bytes) const {
    std::ofstream(Path(name), std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
  }
  Bytes Read(const std::string& name) const {
    std::ifstream in(Path(name), std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  // The names in the folder in byte order, "." and ".." left out.
  std::vector<std::string> Entries() const {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(Path("*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
      const std::string name = found.cFileName;
      if (name != "." && name != "..") names.push_back(name);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
  }

  win32::Win32FileSystem files;
  ScratchMachine machine;

 private:
  std::string folder_;
  char startDirectory_[MAX_PATH] = {};
};

}  // namespace tqr::test
