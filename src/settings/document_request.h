// What one document call carries, and the document entry points' work
// that needs no window.
#pragma once

#include <cstdint>

#include "devdesc/ddf.h"
#include "settings/devmode.h"
#include "platform/ports.h"

namespace tqr {

// The caller's mode bits.
constexpr std::uint32_t kModeUpdate = 1;    // DM_UPDATE
constexpr std::uint32_t kModeCopy = 2;      // DM_COPY
constexpr std::uint32_t kModePrompt = 4;    // DM_PROMPT
constexpr std::uint32_t kModeModify = 8;    // DM_MODIFY
constexpr std::uint32_t kModeNoPermission = 0x20;

constexpr std::int32_t kRecordSize = sizeof(DRVDEVMODE);

struct DocumentRequest {
  PrinterHandle printer = nullptr;
  const char16_t* deviceName = nullptr;
  DRVDEVMODE* working = nullptr;  // points at `storage` once built
  const void* input = nullptr;    // the caller's record to merge, or null
  void* output = nullptr;         // the caller's buffer for the result, or null
  std::uint32_t mode = 0;
  DRVDEVMODE storage{};
  DdfHandle description = nullptr;
};

// Loads the description into the request and builds its working record:
// defaults, the printer's stored settings repaired, the spooler's default
// record and the caller's record merged, user forms tied, finalized.
// Nonzero on success; the description stays loaded in the request.
int BuildWorkingSettings(DocumentRequest* request);

// DrvDocumentProperties and DrvAdvancedDocumentProperties without windows.
std::int32_t AnswerDocumentProperties(PrinterHandle printer, const char16_t* deviceName,
                                      void* output, const void* input, std::uint32_t mode);
std::int32_t AnswerAdvancedDocumentProperties(PrinterHandle printer,
                                              const char16_t* deviceName, void* output,
                                              const void* input);

// DrvDocumentPropertySheets when no sheet is asked for: the fields of the
// caller's DOCUMENTPROPERTYHEADER.
struct DocumentHeader {
  PrinterHandle printer;
  const char16_t* printerName;
  const void* input;
  void* output;
  std::uint32_t* cbOut;
  std::uint32_t mode;
};
std::int32_t DocumentPropertiesWithoutSheet(const DocumentHeader& header);

// Stores a default record as the printer's settings when the printer is
// initialized; 0 when the description cannot be loaded.
int StoreInitialSettings(PrinterHandle printer, const char16_t* printerName);

// The driver's default record (not finalized) into `output`; false when the
// description cannot be loaded.
bool BuildDriverDefault(PrinterHandle printer, const char16_t* printerName, void* output);

}  // namespace tqr
