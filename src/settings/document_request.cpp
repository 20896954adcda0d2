#include "settings/document_request.h"

#include <cstring>
#include <memory>
#include <new>
#include <vector>

#include "settings/settings.h"

namespace tqr {
namespace {

std::unique_ptr<DRVDEVMODE> NewRecord() {
  std::unique_ptr<DRVDEVMODE> record(new (std::nothrow) DRVDEVMODE);
  if (record != nullptr) std::memset(static_cast<void*>(record.get()), 0, sizeof *record);
  return record;
}

// Ties a custom size of a merged record to a server form and carries that
// paper number over. Records of other drivers were not merged and tie
// nothing either.
void TieForm(PrinterHandle printer, const void* input, std::size_t size, DRVDEVMODE* working) {
  if (!IsOwnRecord(input, size)) return;
  // The form match works on a copy of the header as long as the record's
  // own: the caller's record stays untouched.
  auto copy = NewRecord();
  if (copy == nullptr) return;
  std::uint16_t headerSize;
  std::memcpy(&headerSize, static_cast<const std::uint8_t*>(input) + offsetof(PublicDevMode, dmSize),
              sizeof headerSize);
  std::memcpy(&copy->dm, input, headerSize);
  if (MatchUserForm(printer, copy.get())) working->dm.dmPaperSize = copy->dm.dmPaperSize;
}

}  // namespace

bool BuildDocumentSettings(DdfHandle ddf, PrinterHandle printer, const char16_t* deviceName,
                           const void* input, bool tiePrinterDefault, DRVDEVMODE* record) {
  // The description was just found through the same driver information: a
  // read of it failing now is the spooler's trouble, and a record without
  // the model is not one to hand out.
  if (!BuildWholeDefaultSettings(ddf, record, deviceName, printer)) return false;
  std::vector<std::uint8_t> printerDefault;
  if (!CurrentPorts().spooler->GetPrinterDefaultRecord(printer, &printerDefault)) return false;
  auto scratch = NewRecord();
  if (scratch != nullptr) LoadStoredDefaults(printer, scratch.get(), deviceName, ddf);
  if (HoldsWholeRecord(printerDefault)) {
    MergeSettings(printer, ddf, printerDefault.data(), printerDefault.size(), record);
    if (tiePrinterDefault) TieForm(printer, printerDefault.data(), printerDefault.size(), record);
  }
  if (input != nullptr) {
    const std::size_t size = ClaimedRecordSize(input);
    MergeSettings(printer, ddf, input, size, record);
    TieForm(printer, input, size, record);
  }
  FinalizeSettings(ddf, record, printer);
  return true;
}

std::int32_t CopyDocumentSettings(DdfHandle ddf, PrinterHandle printer, const char16_t* deviceName,
                                  const void* input, bool tiePrinterDefault, void* output) {
  auto record = NewRecord();
  if (record == nullptr ||
      !BuildDocumentSettings(ddf, printer, deviceName, input, tiePrinterDefault, record.get())) {
    return -1;
  }
  if (output != nullptr) std::memcpy(output, record.get(), sizeof *record);
  return 1;
}

namespace {

class FreshRecords : public DocumentRecords {
 public:
  std::int32_t Copy(PrinterHandle printer, const char16_t* deviceName, const void* input,
                    bool tiePrinterDefault, void* output) override {
    DdfHandle ddf = DdfLoadForPrinter(printer);
    if (ddf == nullptr) return -1;
    const std::int32_t result =
        CopyDocumentSettings(ddf, printer, deviceName, input, tiePrinterDefault, output);
    DdfFree(&ddf);
    return result;
  }
};

}  // namespace

DocumentRecords& FreshDocumentRecords() {
  static FreshRecords records;
  return records;
}

std::int32_t AnswerDocumentProperties(PrinterHandle printer, const char16_t* deviceName,
                                      void* output, const void* input, std::uint32_t mode,
                                      DocumentRecords& records) {
  if (mode == 0) return kRecordSize;
  if ((mode & kModeCopy) && output == nullptr) return -1;
  return records.Copy(printer, deviceName, input, false, output);
}

// Every mode bit is set here, yet the call has no size query and no
// missing-buffer failure: without an output record it builds the record
// and answers 1 all the same.
std::int32_t AnswerAdvancedDocumentProperties(PrinterHandle printer,
                                              const char16_t* deviceName, void* output,
                                              const void* input, DocumentRecords& records) {
  return records.Copy(printer, deviceName, input, false, output);
}

std::int32_t DocumentPropertiesWithoutSheet(const DocumentHeader& header,
                                            DocumentRecords& records) {
  if (header.cbOut != nullptr) *header.cbOut = kRecordSize;
  if (header.mode == 0 || header.output == nullptr) return kRecordSize;
  const bool copyOut = (header.mode & (kModeUpdate | kModeCopy)) != 0;
  return records.Copy(header.printer, header.printerName, header.input, true,
                      copyOut ? header.output : nullptr);
}

int StoreInitialSettings(PrinterHandle printer, const char16_t* printerName) {
  DdfHandle ddf = DdfLoadForPrinter(printer);
  if (ddf == nullptr) return 0;
  // Defaults built without the driver information would be kept for good.
  auto record = NewRecord();
  if (record != nullptr && BuildWholeDefaultSettings(ddf, record.get(), printerName, printer)) {
    WritePrinterData(printer, kStoredSettingsName, kRegBinary, record.get(), sizeof *record);
  }
  DdfFree(&ddf);
  return 1;
}

bool BuildDriverDefault(PrinterHandle printer, const char16_t* printerName, void* output) {
  std::u16string driverName;
  if (!CurrentPorts().spooler->GetDriverName(printer, &driverName)) return false;
  DdfHandle ddf = DdfLoadForPrinter(printer);
  if (ddf == nullptr) return false;
  auto* record = static_cast<DRVDEVMODE*>(output);
  BuildDefaultSettings(ddf, record, printerName, printer);
  DdfFree(&ddf);
  return true;
}

}  // namespace tqr
