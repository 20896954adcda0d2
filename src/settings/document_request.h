// The document entry points' work that needs no window: the record each
// document call answers with.
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

// The record a document call answers with, built into `record` from the
// loaded description: defaults, the printer's stored settings repaired, the
// spooler's default record and the caller's `input` merged (each only when
// it is this driver's own), custom sizes tied to user forms, finalized.
// With `tiePrinterDefault` the spooler's default record ties its form too,
// as the no-window sheet path does. False when the driver information or
// the spooler's default record cannot be read.
bool BuildDocumentSettings(DdfHandle ddf, PrinterHandle printer, const char16_t* deviceName,
                           const void* input, bool tiePrinterDefault, DRVDEVMODE* record);

// A document call's record from a loaded description, copied to `output`
// when there is one: 1, or -1 when the spooler's default record cannot be
// read.
std::int32_t CopyDocumentSettings(DdfHandle ddf, PrinterHandle printer, const char16_t* deviceName,
                                  const void* input, bool tiePrinterDefault, void* output);

// Where the document calls get their record from: as CopyDocumentSettings
// answers, with the description found for the printer; -1 also when it
// cannot be loaded.
class DocumentRecords {
 public:
  virtual ~DocumentRecords() = default;
  virtual std::int32_t Copy(PrinterHandle printer, const char16_t* deviceName, const void* input,
                            bool tiePrinterDefault, void* output) = 0;
};
// Loads the description for every call and frees it before returning.
DocumentRecords& FreshDocumentRecords();

// DrvDocumentProperties and DrvAdvancedDocumentProperties without windows.
std::int32_t AnswerDocumentProperties(PrinterHandle printer, const char16_t* deviceName,
                                      void* output, const void* input, std::uint32_t mode,
                                      DocumentRecords& records = FreshDocumentRecords());
std::int32_t AnswerAdvancedDocumentProperties(PrinterHandle printer,
                                              const char16_t* deviceName, void* output,
                                              const void* input,
                                              DocumentRecords& records = FreshDocumentRecords());

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
std::int32_t DocumentPropertiesWithoutSheet(const DocumentHeader& header,
                                            DocumentRecords& records = FreshDocumentRecords());

// Stores a default record as the printer's settings when the printer is
// initialized; 0 when the description cannot be loaded.
int StoreInitialSettings(PrinterHandle printer, const char16_t* printerName);

// The driver's default record (not finalized) into `output`; false when the
// description cannot be loaded.
bool BuildDriverDefault(PrinterHandle printer, const char16_t* printerName, void* output);

}  // namespace tqr
