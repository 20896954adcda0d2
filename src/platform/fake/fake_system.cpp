#include "platform/fake/fake_system.h"

#include <cstring>

namespace tqr::fake {
namespace {

// The same codes the real calls answer with.
constexpr std::uint32_t kErrorFileNotFound = 2;
constexpr std::uint32_t kErrorInvalidHandle = 6;
constexpr std::uint32_t kErrorAccessDenied = 5;

}  // namespace

PrinterHandle FakeSpooler::OpenPrinterByName(const std::u16string& name) {
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
  if (found == printers.end()) return false;
  *path = found->second.dataFile;
  return true;
}

bool FakeSpooler::GetDriverName(PrinterHandle printer, std::u16string* name) {
  ++reads;
  const auto found = printers.find(printer);
  if (found == printers.end()) return false;
  *name = found->second.driverName;
  return true;
}

std::uint32_t FakeSpooler::GetPrinterData(PrinterHandle printer, const std::u16string& name,
                                          std::uint32_t* type, void* buffer, std::uint32_t size,
                                          std::uint32_t* needed) {
  ++reads;
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
  const auto found = printers.find(printer);
  if (found == printers.end()) return kErrorInvalidHandle;
  if (found->second.failSetData) return kErrorAccessDenied;
  ++dataWrites;
  const auto* bytes = static_cast<const std::uint8_t*>(data);
  found->second.data[name] = PrinterData{type, std::vector<std::uint8_t>(bytes, bytes + size)};
  return kErrorSuccess;
}

std::uint32_t FakeSpooler::DeletePrinterData(PrinterHandle printer, const std::u16string& name) {
  const auto found = printers.find(printer);
  if (found == printers.end()) return kErrorInvalidHandle;
  if (found->second.failSetData) return kErrorAccessDenied;
  return found->second.data.erase(name) != 0 ? kErrorSuccess : kErrorFileNotFound;
}

bool FakeSpooler::GetPrinterDefaultRecord(PrinterHandle printer,
                                          std::vector<std::uint8_t>* record) {
  ++reads;
  const auto found = printers.find(printer);
  if (found == printers.end() || !found->second.hasPrinterInfo) return false;
  *record = found->second.defaultRecord;
  return true;
}

bool FakeSpooler::EnumForms(PrinterHandle printer, std::vector<FormInfo>* out) {
  ++reads;
  if (failEnumForms || printers.count(printer) == 0) return false;
  *out = forms;
  return true;
}

bool FakeMachine::WideToAnsi(const std::u16string& text, std::size_t capacity,
                             std::string* out) {
  return NarrowToSevenBit(text, capacity, out);
}

bool FakeMachine::ReadUserCountry(std::u16string* text) {
  if (!hasCountry || country.size() + 1 > 16) return false;
  *text = country;
  return true;
}

}  // namespace tqr::fake
