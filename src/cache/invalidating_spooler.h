// The spooler port as the driver's exports see it: every call passed to the
// real one, and every write this process makes drops what the cache keeps,
// so the next call sees the write at once.
#pragma once

#include "cache/printer_cache.h"
#include "platform/ports.h"

namespace tqr::cache {

class InvalidatingSpooler : public Spooler {
 public:
  InvalidatingSpooler(Spooler& inner, PrinterCache& cache) : inner_(inner), cache_(cache) {}

  PrinterHandle OpenPrinterByName(const std::u16string& name) override;
  void ClosePrinter(PrinterHandle printer) override;
  bool GetDriverDataFile(PrinterHandle printer, std::u16string* path) override;
  bool GetDriverName(PrinterHandle printer, std::u16string* name) override;
  std::uint32_t GetPrinterData(PrinterHandle printer, const std::u16string& name,
                               std::uint32_t* type, void* buffer, std::uint32_t size,
                               std::uint32_t* needed) override;
  std::uint32_t SetPrinterData(PrinterHandle printer, const std::u16string& name,
                               std::uint32_t type, const void* data,
                               std::uint32_t size) override;
  std::uint32_t DeletePrinterData(PrinterHandle printer, const std::u16string& name) override;
  bool GetPrinterDefaultRecord(PrinterHandle printer,
                               std::vector<std::uint8_t>* record) override;
  bool EnumForms(PrinterHandle printer, std::vector<FormInfo>* forms) override;
  std::uint32_t AddForm(PrinterHandle printer, const FormInfo& form) override;
  std::uint32_t SetForm(PrinterHandle printer, const std::u16string& name,
                        const FormInfo& form) override;
  std::uint32_t DeleteForm(PrinterHandle printer, const std::u16string& name) override;

 private:
  Spooler& inner_;
  PrinterCache& cache_;
};

}  // namespace tqr::cache
