#include "tqrctl/package.h"

#include <windows.h>
#include <winspool.h>

#include <cwchar>
#include <utility>

#include "tqrctl/failure.h"
#include "tqrctl/printers.h"

namespace tqrctl {
namespace {

std::wstring ProgramFolder() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return {};
    if (length < path.size()) {
      path.resize(length);
      break;
    }
    path.resize(path.size() * 2);
  }
  return path.substr(0, path.find_last_of(L"\\/"));
}

std::wstring FullPath(const std::wstring& path) {
  const DWORD size = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
  if (size == 0) return {};
  std::wstring full(size, L'\0');
  const DWORD length = GetFullPathNameW(path.c_str(), size, full.data(), nullptr);
  full.resize(length < size ? length : 0);
  return full;
}

bool IsFile(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool ReadWholeFile(const std::wstring& path, std::string* bytes) {
  const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  LARGE_INTEGER size = {};
  bool read = GetFileSizeEx(file, &size) && size.QuadPart < (1LL << 30);
  if (read) {
    bytes->assign(static_cast<std::size_t>(size.QuadPart), '\0');
    DWORD got = 0;
    read = bytes->empty() ||
           (ReadFile(file, bytes->data(), static_cast<DWORD>(bytes->size()), &got, nullptr) &&
            got == bytes->size());
  }
  CloseHandle(file);
  return read;
}

std::wstring NameOf(const std::wstring& path) { return path.substr(path.find_last_of(L"\\/") + 1); }

}  // namespace

bool FindPackage(const std::wstring& folder, Package* package) {
  std::wstring base = folder.empty() ? ProgramFolder() : FullPath(folder);
  if (base.empty()) return FailLastError("cannot find the package folder", folder);
  while (base.size() > 3 && (base.back() == L'\\' || base.back() == L'/')) base.pop_back();
  const DWORD attributes = GetFileAttributesW(base.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
    return FailLastError("no package folder", base);
  }

  auto in = [&](const wchar_t* name) { return base + L"\\" + name; };
  Package found;
  found.folder = base;
  found.configFile = in(kUiModule);
  found.driverFile = found.configFile;
  // Wine renders every printer with its PostScript driver, which reads the data file
  // as a PPD and fails on the description.
  if (RunningUnderWine()) {
    found.dataFile = in(kRendererDescriptionFile);
    found.dependentFiles.push_back(in(kDescriptionFile));
  } else {
    found.dataFile = in(kDescriptionFile);
  }
  for (const wchar_t* ini : kIniFiles) found.dependentFiles.push_back(in(ini));

  // Windows refuses a package with a file missing, Wine copies what it finds and
  // succeeds; say which file it is before either happens.
  std::vector<std::wstring> required = {found.configFile, found.dataFile};
  required.insert(required.end(), found.dependentFiles.begin(), found.dependentFiles.end());
  bool complete = true;
  for (const std::wstring& file : required) {
    if (!IsFile(file)) complete = FailLastError("the package lacks", file);
  }
  if (!complete) return false;
  // The help file is optional: the driver works without it.
  if (IsFile(in(kHelpFile))) found.helpFile = in(kHelpFile);
  *package = std::move(found);
  return true;
}

bool CheckSpoolerCopies(const std::wstring& driver, const Package& package) {
  std::vector<std::wstring> copies;
  if (!GetDriverFiles(driver, &copies)) {
    return FailLastError("cannot list the files of driver", driver);
  }
  std::vector<std::wstring> files = {package.configFile, package.dataFile};
  files.insert(files.end(), package.dependentFiles.begin(), package.dependentFiles.end());
  if (!package.helpFile.empty()) files.push_back(package.helpFile);
  bool same = true;
  for (const std::wstring& file : files) {
    std::wstring copy;
    for (const std::wstring& candidate : copies) {
      if (_wcsicmp(NameOf(candidate).c_str(), NameOf(file).c_str()) == 0) copy = candidate;
    }
    std::string original;
    std::string copied;
    if (copy.empty()) {
      same = Fail(Phrase("the spooler lists no copy of", file));
    } else if (!ReadWholeFile(file, &original)) {
      same = FailLastError("cannot read", file);
    } else if (!ReadWholeFile(copy, &copied)) {
      same = FailLastError("the spooler did not copy", copy);
    } else if (copied != original) {
      same = Fail(Phrase("the spooler kept an older", copy) +
                  ": a program still has it loaded; end that program and install again");
    }
  }
  return same;
}

std::wstring MultiString(const std::vector<std::wstring>& items) {
  std::wstring out;
  for (const std::wstring& item : items) {
    out += item;
    out += L'\0';
  }
  out += L'\0';
  return out;
}

}  // namespace tqrctl
