#include "platform/fake/fake_system.h"

#include <cstring>

namespace tqr::fake {
namespace {

// The same codes the real calls answer with.
constexpr std::uint32_t kErrorFileExists = 80;
constexpr std::uint32_t kErrorInvalidFormName = 1902;

}  // namespace

PrinterHandle FakeSpooler::OpenPrinterByName(const std::u16string& name) {
  if (NextFault(faults, FakeCall::kOpenPrinter)) return nullptr;
  const auto found = names.find(name);
  if (found == names.end()) return nullptr;
  ++openedByName;
  ++openHandles;
  return found->second;
}

void FakeSpooler::ClosePrinter(PrinterHandle printer) {
  if (printer != nullptr) --openHandles;
}

bool FakeSpooler::GetDriverDataFile(PrinterHandle printer, std::u16string* path) {
  ++reads;
  const auto found = printers.find(printer);
  if (NextFault(faults, FakeCall::kDriverInfo) || found == printers.end()) return false;
  *path = found->second.dataFile;
  return true;
}

bool FakeSpooler::GetDriverName(PrinterHandle printer, std::u16string* name) {
  ++reads;
  const auto found = printers.find(printer);
  if (NextFault(faults, FakeCall::kDriverInfo) || found == printers.end()) return false;
  *name = found->second.driverName;
  return true;
}

std::uint32_t FakeSpooler::GetPrinterData(PrinterHandle printer, const std::u16string& name,
                                          std::uint32_t* type, void* buffer, std::uint32_t size,
                                          std::uint32_t* needed) {
  ++reads;
  if (NextFault(faults, FakeCall::kGetPrinterData)) return kInjectedSpoolerError;
  const auto found = printers.find(printer);
  if (found == printers.end()) return kErrorInvalidHandle;
  const auto value = found->second.data.find(name);
  if (value == found->second.data.end()) return kErrorFileNotFound;
  const auto stored = static_cast<std::uint32_t>(value->second.bytes.size());
  *needed = stored;
  *type = value->second.type;
  if (stored > size) return kErrorMoreData;
  if (stored != 0) std::memcpy(buffer, value->second.bytes.data(), stored);
  return kErrorSuccess;
}

std::uint32_t FakeSpooler::SetPrinterData(PrinterHandle printer, const std::u16string& name,
                                          std::uint32_t type, const void* data,
                                          std::uint32_t size) {
  if (NextFault(faults, FakeCall::kSetPrinterData)) return kInjectedSpoolerError;
  const auto found = printers.find(printer);
  if (found == printers.end()) return kErrorInvalidHandle;
  if (found->second.failSetData) return kErrorAccessDenied;
  ++dataWrites;
  const auto* bytes = static_cast<const std::uint8_t*>(data);
  found->second.data[name] = PrinterData{type, std::vector<std::uint8_t>(bytes, bytes + size)};
  return kErrorSuccess;
}

std::uint32_t FakeSpooler::DeletePrinterData(PrinterHandle printer, const std::u16string& name) {
  if (NextFault(faults, FakeCall::kDeletePrinterData)) return kInjectedSpoolerError;
  const auto found = printers.find(printer);
  if (found == printers.end()) return kErrorInvalidHandle;
  if (found->second.failSetData) return kErrorAccessDenied;
  return found->second.data.erase(name) != 0 ? kErrorSuccess : kErrorFileNotFound;
}

bool FakeSpooler::GetPrinterDefaultRecord(PrinterHandle printer,
                                          std::vector<std::uint8_t>* record) {
  ++reads;
  const auto found = printers.find(printer);
  if (NextFault(faults, FakeCall::kPrinterInfo) || found == printers.end() ||
      !found->second.hasPrinterInfo) {
    return false;
  }
  *record = found->second.defaultRecord;
  return true;
}

bool FakeSpooler::EnumForms(PrinterHandle printer, std::vector<FormInfo>* out) {
  ++reads;
  if (NextFault(faults, FakeCall::kEnumForms) || failEnumForms || printers.count(printer) == 0) {
    return false;
  }
  *out = forms;
  return true;
}

namespace {

char16_t FoldAscii(char16_t c) { return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - 32) : c; }

bool SameName(const std::u16string& a, const std::u16string& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (FoldAscii(a[i]) != FoldAscii(b[i])) return false;
  }
  return true;
}

}  // namespace

std::vector<FormInfo>::iterator FakeSpooler::FindForm(const std::u16string& name) {
  for (auto form = forms.begin(); form != forms.end(); ++form) {
    if (SameName(form->name, name)) return form;
  }
  return forms.end();
}

std::uint32_t FakeSpooler::AddForm(PrinterHandle printer, const FormInfo& form) {
  if (NextFault(faults, FakeCall::kAddForm)) return kInjectedSpoolerError;
  if (printers.count(printer) == 0) return kErrorInvalidHandle;
  if (formChangeError != kErrorSuccess) return formChangeError;
  if (FindForm(form.name) != forms.end()) return kErrorFileExists;
  forms.push_back(form);
  return kErrorSuccess;
}

std::uint32_t FakeSpooler::SetForm(PrinterHandle printer, const std::u16string& name,
                                   const FormInfo& form) {
  if (NextFault(faults, FakeCall::kSetForm)) return kInjectedSpoolerError;
  if (printers.count(printer) == 0) return kErrorInvalidHandle;
  if (formChangeError != kErrorSuccess) return formChangeError;
  const auto found = FindForm(name);
  if (found == forms.end() || found->flags != 0) return kErrorInvalidFormName;
  *found = form;
  return kErrorSuccess;
}

std::uint32_t FakeSpooler::DeleteForm(PrinterHandle printer, const std::u16string& name) {
  if (NextFault(faults, FakeCall::kDeleteForm)) return kInjectedSpoolerError;
  if (printers.count(printer) == 0) return kErrorInvalidHandle;
  if (formChangeError != kErrorSuccess) return formChangeError;
  const auto found = FindForm(name);
  if (found == forms.end() || found->flags != 0) return kErrorInvalidFormName;
  forms.erase(found);
  return kErrorSuccess;
}

bool FakeMachine::WideToAnsi(const std::u16string& text, std::size_t capacity,
                             std::string* out) {
  return NarrowToSevenBit(text, capacity, out);
}

bool FakeMachine::ReadUserCountry(std::u16string* text) {
  ++countryReads;
  if (!hasCountry || country.size() + 1 > 16) return false;
  *text = country;
  return true;
}

bool FakeWorker::Start(Step step) {
  std::lock_guard<std::mutex> hold(lock_);
  ++starts;
  if (refuse) return false;
  step_ = std::move(step);
  return true;
}

bool FakeWorker::Run(std::uint32_t* nextInMilliseconds) {
  Step step;
  int started = 0;
  {
    std::lock_guard<std::mutex> hold(lock_);
    if (!step_) return false;
    step = step_;
    started = starts;
  }
  std::uint32_t next = 0;
  const bool more = step(&next);
  if (nextInMilliseconds != nullptr) *nextInMilliseconds = next;
  if (!more) {
    std::lock_guard<std::mutex> hold(lock_);
    // A step started since belongs to a thread of its own.
    if (starts == started) step_ = nullptr;
  }
  return more;
}

bool FakeWorker::Running() {
  std::lock_guard<std::mutex> hold(lock_);
  return static_cast<bool>(step_);
}

}  // namespace tqr::fake
