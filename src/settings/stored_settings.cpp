// The printer's stored settings record, kept as printer data.
#include <cstring>

#include "settings/settings.h"

namespace tqr {

std::uint32_t ReadPrinterData(PrinterHandle printer, const char16_t* name, void* buffer,
                              std::uint32_t size, std::uint32_t* stored) {
  Spooler* spooler = CurrentPorts().spooler;
  std::uint32_t type = 0;
  *stored = 0;
  if (spooler == nullptr || name == nullptr) return kErrorInvalidHandle;
  const std::uint32_t error = spooler->GetPrinterData(printer, name, &type, buffer, size, stored);
  return error == kErrorSuccess && *stored > size ? kErrorMoreData : error;
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
  LoadStoredSettings(printer, record, deviceName, ddf);
  return 1;
}

StoredSettings LoadStoredSettings(PrinterHandle printer, DRVDEVMODE* record,
                                  const char16_t* deviceName, DdfHandle ddf) {
  std::uint32_t stored = 0;
  const std::uint32_t error =
      ReadPrinterData(printer, kStoredSettingsName, record, sizeof *record, &stored);
  const PublicDevMode& dm = record->dm;
  const bool valid = error == kErrorSuccess && stored == sizeof *record &&
                     dm.dmSpecVersion == kSpecVersion && dm.dmDriverVersion == kDriverVersion &&
                     dm.dmSize == kPublicSize && dm.dmDriverExtra == kPrivateSize;
  if (valid) return StoredSettings::kRead;
  // Whatever a failed or short read left in the buffer is not kept.
  std::memset(static_cast<void*>(record), 0, sizeof *record);
  const bool whole = BuildWholeDefaultSettings(ddf, record, deviceName, printer);
  // Only a value that is missing or not a record is replaced. One the
  // spooler failed to hand over (its service busy, memory short) may be
  // sound and the user's own.
  const bool repair =
      error == kErrorSuccess || error == kErrorFileNotFound || error == kErrorMoreData;
  if (!repair || !whole) return StoredSettings::kNotStored;
  WritePrinterData(printer, kStoredSettingsName, kRegBinary, record, sizeof *record);
  return StoredSettings::kRepaired;
}

}  // namespace tqr
