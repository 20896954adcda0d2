// The driver's registry key under HKEY_LOCAL_MACHINE, where the Printer
// Information page keeps the printer's last answer.
#pragma once

#include <memory>

#include "maintenance/printer_info.h"

namespace tqr {

// The spooler keeps a driver under the environment of the processor it was
// built for, so the key follows the build: a 64-bit Windows has no key of
// this driver under "Windows NT x86".
#if defined(_WIN64)
constexpr wchar_t kDriverKeyPath[] =
    L"SYSTEM\\CurrentControlSet\\Control\\Print\\Environments\\Windows x64\\Drivers\\"
    L"Version-3\\Orlex TQ-R5400";
#else
constexpr wchar_t kDriverKeyPath[] =
    L"SYSTEM\\CurrentControlSet\\Control\\Print\\Environments\\Windows NT x86\\Drivers\\"
    L"Version-3\\Orlex TQ-R5400";
#endif

class RegistryDriverKeyStore : public DriverKeyStore {
 public:
  // Full access asks for KEY_ALL_ACCESS, which only administrators get.
  std::unique_ptr<DriverKey> Open(bool fullAccess) override;
};

}  // namespace tqr
