#include "tqrctl/job_port.h"

#include <windows.h>
#include <winspool.h>

#include <vector>

#include "tqrctl/failure.h"
#include "tqrctl/options.h"
#include "tqrctl/printers.h"
#include "tqrctl/text.h"

namespace tqrctl {
namespace {

constexpr wchar_t kWineSpoolerKey[] = L"Software\\Wine\\Printing\\Spooler";

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

bool CheckUnixFile(const std::wstring& file) {
  if (file.empty() || file[0] != L'/') {
    return Fail(Phrase("under Wine the port file must be an absolute Unix path, not", file));
  }
  const std::wstring folder = file.substr(0, file.find_last_of(L'/') + 1);
  const std::wstring dosFolder = DosPathOf(folder);
  const DWORD attributes =
      dosFolder.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesW(dosFolder.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
    return Fail(Phrase("no folder", folder) + " for the port file: jobs would fail");
  }
  return true;
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

}  // namespace

bool ChooseJobPort(const std::wstring& requested, const std::wstring& file, std::wstring* port) {
  if (RunningUnderWine()) {
    *port = requested.empty() ? kJobPort : requested;
    return true;
  }
  if (!requested.empty()) {
    return Fail(
        "on Windows a port that writes to a file is named after the file: leave out --port");
  }
  *port = file;
  return true;
}

bool SetUpJobPort(const std::wstring& port, const std::wstring& file) {
  if (RunningUnderWine()) {
    if (!CheckUnixFile(file)) return false;
    HKEY key = nullptr;
    LSTATUS status = RegCreateKeyExW(HKEY_CURRENT_USER, kWineSpoolerKey, 0, nullptr, 0,
                                     KEY_SET_VALUE, nullptr, &key, nullptr);
    if (status != ERROR_SUCCESS) {
      return FailWithError("cannot open", kWineSpoolerKey, static_cast<DWORD>(status));
    }
    status =
        RegSetValueExW(key, port.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(file.c_str()),
                       static_cast<DWORD>((file.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
    if (status != ERROR_SUCCESS) {
      return FailWithError("cannot map the port", port, static_cast<DWORD>(status));
    }
  }
  return TellLocalMonitor(L"AddPort", "cannot add the port", port, ERROR_ALREADY_EXISTS);
}

bool RemoveJobPortIfUnused(const std::wstring& port) {
  if (port.empty() || MappedFile(port).empty()) return true;
  std::vector<PrinterEntry> printers;
  if (!ListPrinters(&printers)) return FailLastError("cannot list the printers");
  for (const PrinterEntry& printer : printers) {
    if (_wcsicmp(printer.port.c_str(), port.c_str()) == 0) {
      Say("Port \"" + Utf8(port) + "\" stays: printer \"" + Utf8(printer.printer) + "\" uses it");
      return true;
    }
  }
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, kWineSpoolerKey, 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
    const LSTATUS status = RegDeleteValueW(key, port.c_str());
    RegCloseKey(key);
    if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND) {
      return FailWithError("cannot unmap the port", port, static_cast<DWORD>(status));
    }
  }
  if (!TellLocalMonitor(L"DeletePort", "cannot delete the port", port, ERROR_FILE_NOT_FOUND)) {
    return false;
  }
  Say("Removed port \"" + Utf8(port) + "\"");
  return true;
}

}  // namespace tqrctl
