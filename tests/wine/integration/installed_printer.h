// A printer of this run's own, installed with tqrctl for one test suite, and the
// record facts the suites check what comes back against.
#pragma once

#include <windows.h>
#include <winspool.h>

#include <cstddef>
#include <cstring>
#include <string>
#include <vector>

namespace tqr::test {

// The record as applications, the spooler and the rendering module see it.
constexpr LONG kRecordSize = 1748;
constexpr WORD kPublicSize = 220;
constexpr WORD kPrivateSize = 1528;
constexpr std::size_t kMarkerOffset = 1140;
constexpr DWORD kMarker = 0x54515044;
constexpr wchar_t kRecordValue[] = L"TARNE NT";

inline DWORD MarkerOf(const std::vector<BYTE>& record) {
  DWORD marker = 0;
  std::memcpy(&marker, record.data() + kMarkerOffset, sizeof marker);
  return marker;
}

// The printer's stored settings as GetPrinterDataW answers for them: its
// status, and in `bytes` what came back (nothing after a failure).
inline DWORD ReadStoredRecord(HANDLE printer, std::vector<BYTE>* bytes) {
  bytes->assign(4096, 0);
  DWORD type = 0;
  DWORD needed = 0;
  const DWORD status = GetPrinterDataW(printer, const_cast<LPWSTR>(kRecordValue), &type,
                                       bytes->data(), static_cast<DWORD>(bytes->size()), &needed);
  bytes->resize(status == ERROR_SUCCESS && needed <= bytes->size() ? needed : 0);
  return status;
}

struct InstalledPrinter {
  std::wstring name;
  std::string jobFile;  // where the printer's port writes its jobs
  std::string log;      // what tqrctl printed, for failure messages
  bool installed = false;
};

// Installs the driver package and a printer "<namePrefix> <tag>" whose jobs land in
// a file of its own, through the port tqrctl makes for it, so that suites never meet
// each other, another run or `make demo`; the driver keeps the model's name, by
// which it knows its model.
InstalledPrinter InstallPrinter(const std::wstring& namePrefix);
// Removes the printer again; the driver stays while another printer uses it.
void UninstallPrinter(const InstalledPrinter& printer);

}  // namespace tqr::test
