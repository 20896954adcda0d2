// A printer opened by name for the length of one call, for the calls in
// which the host passes no handle (Wine's spooler does so).
#pragma once

#include <windows.h>
#include <winspool.h>

namespace tqr {

// A printer opened by name for the length of one call.
class OpenedPrinter {
 public:
  OpenedPrinter(LPWSTR name, DWORD access) {
    PRINTER_DEFAULTSW defaults{};
    defaults.DesiredAccess = access;
    if (name == nullptr || !OpenPrinterW(name, &handle_, access != 0 ? &defaults : nullptr)) {
      handle_ = nullptr;
    }
  }
  ~OpenedPrinter() {
    if (handle_ != nullptr) ClosePrinter(handle_);
  }
  OpenedPrinter(const OpenedPrinter&) = delete;
  OpenedPrinter& operator=(const OpenedPrinter&) = delete;
  HANDLE handle() const { return handle_; }

 private:
  HANDLE handle_ = nullptr;
};

}  // namespace tqr
