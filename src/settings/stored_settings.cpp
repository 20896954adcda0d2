// The printer's stored settings record, kept as printer data.
#include <cstring>

#include "settings/settings.h"

namespace tqr {

bool ReadPrinterData(PrinterHandle printer, const char16_t* name, void* buffer,
                     std::uint32_t size, std::uint32_t* stored) {
  Spooler* spooler = CurrentPorts().spooler;
  std::uint32_t type = 0;
  *stored = 0;
  return spooler != nullptr && name != nullptr &&
         spooler->GetPrinterData(printer, name, &type, buffer, size, stored) == kErrorSuccess &&
         *stored <= size;
}

bool WritePrinterData(PrinterHandle printer, const char16_t* name, std::uint32_t type,
                      const void* data, std::uint32_t size) {
  Spooler* spooler = CurrentPorts().spooler;
  if (spooler == nullptr || name == nullptr || data == nullptr || size == 0) return false;
  return spooler->SetPrinterData(printer, name, type, data, size) == kErrorSuccess;
}

int LoadStoredDefaults(PrinterHandle printer, DRVDEVMODE* record, const char16_t* deviceName,
                       DdfHandle ddf) {
  if (record == nullptr) return 0;
  std::uint32_t stored = 0;
  const bool read = ReadPrinterData(printer, kStoredSettingsName, record, sizeof *record, &stored);
  const PublicDevMode& dm = record->dm;
  const bool valid = read && stored == sizeof *record && dm.dmSpecVersion == kSpecVersion &&
                     dm.dmDriverVersion == kDriverVersion && dm.dmSize == kPublicSize &&
                     dm.dmDriverExtra == kPrivateSize;
  if (!valid) {
    // Whatever a failed or short read left in the buffer is not kept.
    std::memset(static_cast<void*>(record), 0, sizeof *record);
    BuildDefaultSettings(ddf, record, deviceName, printer);
    WritePrinterData(printer, kStoredSettingsName, kRegBinary, record, sizeof *record);
  }
  return 1;
}

}  // namespace tqr
