// The spooler port as the driver's exports see it: every write this process
// makes drops what the cache keeps, so the next call sees the write at once;
// a read the running call's facts already answer (FactsInUse) is answered
// from them; everything else is passed to the real port, the running call's
// stand-in handle (DeferredPrinter) turned into the printer it stands for.
#pragma once

#include "cache/printer_cache.h"
#include "cache/printer_facts.h"
#include "platform/ports.h"

namespace tqr::cache {

class InvalidatingSpooler : public Spooler {
 public:
  InvalidatingSpooler(Spooler& inner, PrinterCache& cache) : inner_(inner), cache_(cache) {}

  PrinterHandle OpenPrinterByName(const std::u16string& name) override;
  void ClosePrinter(PrinterHandle printer) override;
  bool GetDriverDataFile(PrinterHandle printer, std::u16string* path) override;
  bool GetDriverName(PrinterHandle printer, std::u16string* name) override;
  bool GetDriverNameAndDataFile(PrinterHandle printer, std::u16string* name,
                                std::u16string* path) override;
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
  // A write went through: what is kept and what this call read are stale.
  void Dropped();

  Spooler& inner_;
  PrinterCache& cache_;
};

}  // namespace tqr::cache
