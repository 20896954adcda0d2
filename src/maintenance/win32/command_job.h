// Delivering a maintenance job to the printer through the spooler, and the
// printer's name to deliver it to.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

#include "maintenance/maintenance_command.h"

namespace tqr {

// The spooler's document name for every maintenance job.
constexpr wchar_t kCommandJobName[] = L"Printer Setting";

// How far a job got.
enum class CommandJobResult {
  kSent,         // written whole and ended
  kNotOpened,    // the printer could not be opened: nothing happened
  kNotStarted,   // the spooler refused the document
  kNotWritten,   // the bytes did not all reach the spooler; the job was dropped
  kNotFinished,  // the spooler could not end the document
};

// Opens the printer by name, sends `length` bytes as one document of the
// printer's default data type with no pages, and closes the printer again.
// The last error is that of the failing call, or ERROR_SUCCESS once sent.
CommandJobResult SendCommandJob(const wchar_t* printerName, const void* bytes,
                                std::uint32_t length);
CommandJobResult SendMaintenanceJob(const wchar_t* printerName, const MaintenanceJob& job);

// Copies the name the spooler knows the printer by into `destination`
// (`capacity` units). False, and an empty destination, when it cannot be read
// or does not fit: a name cut short could open another printer.
bool GetPrinterNameOf(HANDLE printer, wchar_t* destination, std::size_t capacity);

}  // namespace tqr
