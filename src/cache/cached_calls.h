// The capability and document calls answered through the process's cache
// of printers (printer_cache.h): the same answers, byte for byte, as the
// calls that ask the spooler and the files afresh.
#pragma once

#include <cstdint>
#include <vector>

#include "cache/printer_cache.h"
#include "settings/document_request.h"

namespace tqr::cache {

// DrvDeviceCapabilities. `printer` may be null: the printer is then opened
// by `deviceName` only when the spooler has to be asked.
std::int32_t CachedDeviceCapability(PrinterCache& cache, PrinterHandle printer,
                                    const char16_t* deviceName, std::uint16_t index,
                                    void* output, const void* input);

// Computes a kept answer again from its key alone, for the worker: the
// key holds every byte of the caller's record the answer depends on.
bool ReplayKeptAnswer(const AnswerKey& key, const char16_t* deviceName, DdfHandle description,
                      PrinterHandle printer, std::int32_t* answer,
                      std::vector<std::uint8_t>* output);

// The process's cache, used by the exports.
PrinterCache& ProcessPrinterCache();

// The document calls' records, kept per printer and caller's record. A
// null printer handle is opened by name when needed, as above.
class CachedDocumentRecords : public DocumentRecords {
 public:
  explicit CachedDocumentRecords(PrinterCache& cache) : cache_(cache) {}
  std::int32_t Copy(PrinterHandle printer, const char16_t* deviceName, const void* input,
                    bool tiePrinterDefault, void* output) override;

 private:
  PrinterCache& cache_;
};

}  // namespace tqr::cache
