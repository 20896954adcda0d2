#include "cache/invalidating_spooler.h"

#include <cstring>

#include "settings/settings.h"

namespace tqr::cache {

PrinterHandle InvalidatingSpooler::OpenPrinterByName(const std::u16string& name) {
  return inner_.OpenPrinterByName(name);
}

void InvalidatingSpooler::ClosePrinter(PrinterHandle printer) {
  inner_.ClosePrinter(FactsInUse::Resolve(printer));
}

bool InvalidatingSpooler::GetDriverDataFile(PrinterHandle printer, std::u16string* path) {
  return inner_.GetDriverDataFile(FactsInUse::Resolve(printer), path);
}

bool InvalidatingSpooler::GetDriverName(PrinterHandle printer, std::u16string* name) {
  const PrinterFacts* facts = FactsInUse::For(printer);
  if (facts == nullptr) return inner_.GetDriverName(FactsInUse::Resolve(printer), name);
  if (facts->driverNameRead) *name = facts->driverName;
  return facts->driverNameRead;
}

bool InvalidatingSpooler::GetDriverNameAndDataFile(PrinterHandle printer, std::u16string* name,
                                                   std::u16string* path) {
  return inner_.GetDriverNameAndDataFile(FactsInUse::Resolve(printer), name, path);
}

std::uint32_t InvalidatingSpooler::GetPrinterData(PrinterHandle printer,
                                                  const std::u16string& name,
                                                  std::uint32_t* type, void* buffer,
                                                  std::uint32_t size, std::uint32_t* needed) {
  const PrinterFacts* facts = FactsInUse::For(printer);
  // Only the question the facts asked has its answer there.
  if (facts == nullptr || name != kStoredSettingsName || size != StoredRoom()) {
    return inner_.GetPrinterData(FactsInUse::Resolve(printer), name, type, buffer, size, needed);
  }
  *type = facts->storedType;
  *needed = facts->storedSize;
  if (!facts->stored.empty()) std::memcpy(buffer, facts->stored.data(), facts->stored.size());
  return facts->storedStatus;
}

// Dropped after the write: a call that read before it and finishes after
// it is not kept either, since the drop changes the generation it took. A
// refused write changed nothing: a user who may not write the printer's
// settings keeps the cache (the repair of missing settings fails for every
// call of such a user).
std::uint32_t InvalidatingSpooler::SetPrinterData(PrinterHandle printer,
                                                  const std::u16string& name,
                                                  std::uint32_t type, const void* data,
                                                  std::uint32_t size) {
  const std::uint32_t result =
      inner_.SetPrinterData(FactsInUse::Resolve(printer), name, type, data, size);
  if (result == kErrorSuccess) Dropped();
  return result;
}

std::uint32_t InvalidatingSpooler::DeletePrinterData(PrinterHandle printer,
                                                     const std::u16string& name) {
  const std::uint32_t result = inner_.DeletePrinterData(FactsInUse::Resolve(printer), name);
  if (result == kErrorSuccess) Dropped();
  return result;
}

bool InvalidatingSpooler::GetPrinterDefaultRecord(PrinterHandle printer,
                                                  std::vector<std::uint8_t>* record) {
  const PrinterFacts* facts = FactsInUse::For(printer);
  if (facts == nullptr) return inner_.GetPrinterDefaultRecord(FactsInUse::Resolve(printer), record);
  if (facts->defaultRecordRead) *record = facts->defaultRecord;
  return facts->defaultRecordRead;
}

bool InvalidatingSpooler::EnumForms(PrinterHandle printer, std::vector<FormInfo>* forms) {
  const PrinterFacts* facts = FactsInUse::For(printer);
  if (facts == nullptr) return inner_.EnumForms(FactsInUse::Resolve(printer), forms);
  if (facts->formsRead) *forms = facts->forms;
  return facts->formsRead;
}

// The forms are the print server's, shared by every printer: a change drops
// every printer's answers, as the paper lists of each may name the form.
std::uint32_t InvalidatingSpooler::AddForm(PrinterHandle printer, const FormInfo& form) {
  const std::uint32_t result = inner_.AddForm(FactsInUse::Resolve(printer), form);
  if (result == kErrorSuccess) Dropped();
  return result;
}

std::uint32_t InvalidatingSpooler::SetForm(PrinterHandle printer, const std::u16string& name,
                                           const FormInfo& form) {
  const std::uint32_t result = inner_.SetForm(FactsInUse::Resolve(printer), name, form);
  if (result == kErrorSuccess) Dropped();
  return result;
}

std::uint32_t InvalidatingSpooler::DeleteForm(PrinterHandle printer, const std::u16string& name) {
  const std::uint32_t result = inner_.DeleteForm(FactsInUse::Resolve(printer), name);
  if (result == kErrorSuccess) Dropped();
  return result;
}

void InvalidatingSpooler::Dropped() {
  cache_.InvalidateAll();
  FactsInUse::Drop();
}

}  // namespace tqr::cache
