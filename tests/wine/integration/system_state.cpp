#include "system_state.h"

#include <windows.h>
#include <winspool.h>

#include <algorithm>

#include "tqrctl_runner.h"

namespace tqr::test {
namespace {

constexpr wchar_t kWineSpoolerKey[] = L"Software\\Wine\\Printing\\Spooler";
constexpr wchar_t kOwnPortsKey[] = L"SOFTWARE\\Orlex\\tqrctl\\Ports";

std::vector<std::wstring> ValuesOf(HKEY root, const wchar_t* keyName) {
  std::vector<std::wstring> values;
  HKEY key = nullptr;
  if (RegOpenKeyExW(root, keyName, 0, KEY_READ, &key) != ERROR_SUCCESS) return values;
  for (DWORD i = 0;; ++i) {
    wchar_t name[512] = {};
    wchar_t data[1024] = {};
    DWORD nameLength = 511;
    DWORD dataSize = sizeof data - sizeof(wchar_t);
    DWORD type = 0;
    if (RegEnumValueW(key, i, name, &nameLength, nullptr, &type, reinterpret_cast<BYTE*>(data),
                      &dataSize) != ERROR_SUCCESS) {
      break;
    }
    values.push_back(std::wstring(name) + L" = " + data);
  }
  RegCloseKey(key);
  std::sort(values.begin(), values.end());
  return values;
}

template <typename Enumerate>
std::vector<BYTE> Listing(Enumerate enumerate, DWORD* count) {
  DWORD needed = 0;
  enumerate(nullptr, 0, &needed, count);
  std::vector<BYTE> block(needed);
  if (needed == 0 || !enumerate(block.data(), needed, &needed, count)) *count = 0;
  return block;
}

}  // namespace

SystemState CaptureSystemState() {
  SystemState state;
  DWORD count = 0;
  const std::vector<BYTE> printers = Listing(
      [](BYTE* buffer, DWORD size, DWORD* needed, DWORD* n) {
        return EnumPrintersW(PRINTER_ENUM_LOCAL, nullptr, 2, buffer, size, needed, n) != FALSE;
      },
      &count);
  const auto* printer = reinterpret_cast<const PRINTER_INFO_2W*>(printers.data());
  for (DWORD i = 0; i < count; ++i) {
    state.printers.push_back(std::wstring(printer[i].pPrinterName) + L" | " +
                             printer[i].pPortName + L" | " + printer[i].pDriverName);
  }
  const std::vector<BYTE> ports = Listing(
      [](BYTE* buffer, DWORD size, DWORD* needed, DWORD* n) {
        return EnumPortsW(nullptr, 1, buffer, size, needed, n) != FALSE;
      },
      &count);
  const auto* port = reinterpret_cast<const PORT_INFO_1W*>(ports.data());
  for (DWORD i = 0; i < count; ++i) state.ports.push_back(port[i].pName);
  std::sort(state.printers.begin(), state.printers.end());
  std::sort(state.ports.begin(), state.ports.end());
  state.mappings = ValuesOf(HKEY_CURRENT_USER, kWineSpoolerKey);
  state.ownPorts = ValuesOf(HKEY_LOCAL_MACHINE, kOwnPortsKey);
  return state;
}

std::string Describe(const SystemState& state) {
  std::string text;
  auto section = [&](const char* title, const std::vector<std::wstring>& lines) {
    text += std::string(title) + ":\n";
    for (const std::wstring& line : lines) text += "  " + Narrow(line) + "\n";
  };
  section("printers", state.printers);
  section("ports", state.ports);
  section("port files", state.mappings);
  section("tqrctl's ports", state.ownPorts);
  return text;
}

bool PrinterExists(const std::wstring& name) {
  HANDLE printer = nullptr;
  if (!OpenPrinterW(const_cast<LPWSTR>(name.c_str()), &printer, nullptr)) return false;
  ClosePrinter(printer);
  return true;
}

bool PortListed(const std::wstring& name) {
  const std::vector<std::wstring> ports = CaptureSystemState().ports;
  return std::find(ports.begin(), ports.end(), name) != ports.end();
}

std::wstring PortMapping(const std::wstring& port) {
  wchar_t file[1024] = {};
  DWORD size = sizeof file - sizeof(wchar_t);
  if (RegGetValueW(HKEY_CURRENT_USER, kWineSpoolerKey, port.c_str(), RRF_RT_REG_SZ, nullptr, file,
                   &size) != ERROR_SUCCESS) {
    return {};
  }
  return file;
}

std::wstring PortOfPrinter(const std::wstring& printer) {
  const std::wstring start = printer + L" | ";
  for (const std::wstring& line : CaptureSystemState().printers) {
    if (line.rfind(start, 0) == 0) {
      const std::wstring rest = line.substr(start.size());
      return rest.substr(0, rest.find(L" | "));
    }
  }
  return {};
}

}  // namespace tqr::test
