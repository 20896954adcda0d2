#include "tqrctl/job_port.h"

#include <windows.h>
#include <winspool.h>

#include <cwchar>

#include "tqrctl/failure.h"
#include "tqrctl/printers.h"
#include "tqrctl/text.h"

namespace tqrctl {
namespace {

constexpr wchar_t kWineSpoolerKey[] = L"Software\\Wine\\Printing\\Spooler";
// Value: a port's name; data: the printer it was made for.
constexpr wchar_t kOwnPortsKey[] = L"SOFTWARE\\Orlex\\tqrctl\\Ports";

// AddPort and DeletePort of the local port monitor, through its transceiver handle.
// `quiet` is the answer that means the work is already done.
bool TellLocalMonitor(const wchar_t* command, const char* failure, const std::wstring& port,
                      DWORD quiet) {
  PrinterHandle monitor;
  if (!monitor.Open(L",XcvMonitor Local Port", SERVER_ACCESS_ADMINISTER)) {
    return FailLastError("cannot reach the local port monitor");
  }
  DWORD needed = 0;
  DWORD status = ERROR_SUCCESS;
  const auto* name = reinterpret_cast<const BYTE*>(port.c_str());
  const DWORD bytes = static_cast<DWORD>((port.size() + 1) * sizeof(wchar_t));
  if (!XcvDataW(monitor.get(), command, const_cast<BYTE*>(name), bytes, nullptr, 0, &needed,
                &status)) {
    return FailLastError(failure, port);
  }
  if (status != ERROR_SUCCESS && status != quiet) {
    return FailWithError(failure, port, status);
  }
  return true;
}

// Wine's own conversion of a Unix path, the way its spooler will open it.
std::wstring DosPathOf(const std::wstring& unixPath) {
  using ToDos = WCHAR* (*)(const char*);
  const HMODULE kernel32 = GetModuleHandleW(L"kernel32.dll");
  const auto toDos = reinterpret_cast<ToDos>(
      reinterpret_cast<void*>(GetProcAddress(kernel32, "wine_get_dos_file_name")));
  if (toDos == nullptr) return {};
  WCHAR* dos = toDos(Utf8(unixPath).c_str());
  if (dos == nullptr) return {};
  std::wstring out = dos;
  HeapFree(GetProcessHeap(), 0, dos);
  return out;
}

bool IsFolder(const std::wstring& path) {
  const DWORD attributes = path.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// "C:\..." or "\\server\share\...".
bool IsAbsoluteWindowsPath(const std::wstring& path) {
  return (path.size() > 2 && path[1] == L':' && (path[2] == L'\\' || path[2] == L'/')) ||
         path.rfind(L"\\\\", 0) == 0;
}

// Under Wine, the file a port is mapped to; empty when it has none.
std::wstring MappedFile(const std::wstring& port) {
  if (!RunningUnderWine()) return {};
  wchar_t file[MAX_PATH * 4] = {};
  DWORD size = sizeof file - sizeof(wchar_t);
  if (RegGetValueW(HKEY_CURRENT_USER, kWineSpoolerKey, port.c_str(), RRF_RT_REG_SZ, nullptr, file,
                   &size) != ERROR_SUCCESS) {
    return {};
  }
  return file;
}

bool SetValue(HKEY root, const wchar_t* keyName, const std::wstring& name,
              const std::wstring& data, const char* failure) {
  HKEY key = nullptr;
  LSTATUS status =
      RegCreateKeyExW(root, keyName, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr);
  if (status != ERROR_SUCCESS) return FailWithError("cannot open", keyName, static_cast<DWORD>(status));
  status = RegSetValueExW(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                          static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(key);
  if (status != ERROR_SUCCESS) return FailWithError(failure, name, static_cast<DWORD>(status));
  return true;
}

bool DeleteValue(HKEY root, const wchar_t* keyName, const std::wstring& name,
                 const char* failure) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(root, keyName, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) return true;
  const LSTATUS status = RegDeleteValueW(key, name.c_str());
  RegCloseKey(key);
  if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND) {
    return FailWithError(failure, name, static_cast<DWORD>(status));
  }
  return true;
}

}  // namespace

bool ListPorts(std::vector<std::wstring>* ports) {
  DWORD needed = 0;
  DWORD count = 0;
  std::vector<BYTE> block;
  for (int attempt = 0; attempt < 3; ++attempt) {
    block.assign(needed, 0);
    if (EnumPortsW(nullptr, 1, block.empty() ? nullptr : block.data(), needed, &needed, &count)) {
      ports->clear();
      const auto* info = reinterpret_cast<const PORT_INFO_1W*>(block.data());
      for (DWORD i = 0; i < count; ++i) {
        if (info[i].pName != nullptr) ports->push_back(info[i].pName);
      }
      return true;
    }
    if (GetLastError() != ERROR_INSUFFICIENT_BUFFER) break;
  }
  return FailLastError("cannot list the ports");
}

bool PortListed(const std::vector<std::wstring>& ports, const std::wstring& port) {
  for (const std::wstring& listed : ports) {
    if (_wcsicmp(listed.c_str(), port.c_str()) == 0) return true;
  }
  return false;
}

std::wstring OwnPortName(const std::wstring& printer, const std::wstring& file) {
  return RunningUnderWine() ? printer + L":" : file;
}

bool CheckJobFile(const std::wstring& file) {
  if (RunningUnderWine()) {
    if (file.empty() || file[0] != L'/') {
      return Fail(Phrase("under Wine the port file must be an absolute Unix path, not", file));
    }
    const std::wstring folder = file.substr(0, file.find_last_of(L'/') + 1);
    if (!IsFolder(DosPathOf(folder))) {
      return Fail(Phrase("no folder", folder) + " for the port file: jobs would fail");
    }
    return true;
  }
  if (!IsAbsoluteWindowsPath(file)) {
    return Fail(Phrase("the port file must be an absolute path, not", file));
  }
  const std::wstring folder = file.substr(0, file.find_last_of(L"\\/") + 1);
  if (!IsFolder(folder)) {
    return Fail(Phrase("no folder", folder) + " for the port file: jobs would fail");
  }
  return true;
}

bool IsOwnPort(const std::wstring& port) {
  return RegGetValueW(HKEY_LOCAL_MACHINE, kOwnPortsKey, port.c_str(), RRF_RT_REG_SZ, nullptr,
                      nullptr, nullptr) == ERROR_SUCCESS;
}

bool SetUpOwnPort(const std::wstring& port, const std::wstring& file) {
  // On the list first: a port that is made but not listed could never be removed.
  if (!SetValue(HKEY_LOCAL_MACHINE, kOwnPortsKey, port, file, "cannot list the port")) {
    return false;
  }
  if (RunningUnderWine() &&
      !SetValue(HKEY_CURRENT_USER, kWineSpoolerKey, port, file, "cannot map the port")) {
    return false;
  }
  return TellLocalMonitor(L"AddPort", "cannot add the port", port, ERROR_ALREADY_EXISTS);
}

bool RemoveOwnPortIfUnused(const std::wstring& port) {
  if (port.empty() || !IsOwnPort(port)) return true;
  std::vector<PrinterEntry> printers;
  if (!ListPrinters(&printers)) return FailLastError("cannot list the printers");
  for (const PrinterEntry& printer : printers) {
    if (_wcsicmp(printer.port.c_str(), port.c_str()) == 0) {
      Say("Port \"" + Utf8(port) + "\" stays: printer \"" + Utf8(printer.printer) + "\" uses it");
      return true;
    }
  }
  if (RunningUnderWine() &&
      !DeleteValue(HKEY_CURRENT_USER, kWineSpoolerKey, port, "cannot unmap the port")) {
    return false;
  }
  if (!TellLocalMonitor(L"DeletePort", "cannot delete the port", port, ERROR_FILE_NOT_FOUND)) {
    return false;
  }
  if (!DeleteValue(HKEY_LOCAL_MACHINE, kOwnPortsKey, port, "cannot take off the list the port")) {
    return false;
  }
  Say("Removed port \"" + Utf8(port) + "\"");
  return true;
}

std::string DescribeJobDestination(const std::wstring& port) {
  std::string where = "port \"" + Utf8(port) + "\"";
  const std::wstring file = MappedFile(port);
  if (!file.empty()) {
    where += ", jobs to " + Utf8(file) + " (Wine's spooler replaces the file with each job)";
  } else if (!RunningUnderWine() && IsAbsoluteWindowsPath(port)) {
    where += " (the local port monitor writes each job over the file)";
  }
  return where;
}

}  // namespace tqrctl
