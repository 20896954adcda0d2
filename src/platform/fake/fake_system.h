// In-memory spooler, machine and trace for tests.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/ports.h"

namespace tqr::fake {

class FakeSpooler : public Spooler {
 public:
  struct PrinterData {
    std::uint32_t type = kRegBinary;
    std::vector<std::uint8_t> bytes;
  };
  // What the spooler knows of one printer handle; handles not listed fail.
  struct Printer {
    std::u16string driverName = u"Orlex TQ-R5400";
    std::u16string dataFile;
    std::map<std::u16string, PrinterData> data;
    bool failSetData = false;
    // The spooler's default record for the printer; unreadable when false.
    bool hasPrinterInfo = true;
    std::vector<std::uint8_t> defaultRecord;
  };

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
  // Names are compared ignoring ASCII case, as the spooler does; a form of
  // another flag than 0 cannot be changed or deleted.
  std::uint32_t AddForm(PrinterHandle printer, const FormInfo& form) override;
  std::uint32_t SetForm(PrinterHandle printer, const std::u16string& name,
                        const FormInfo& form) override;
  std::uint32_t DeleteForm(PrinterHandle printer, const std::u16string& name) override;

  std::map<PrinterHandle, Printer> printers;
  // The print server's forms, shared by every printer.
  std::vector<FormInfo> forms;
  bool failEnumForms = false;
  // Answered by AddForm, SetForm and DeleteForm instead of changing a form.
  std::uint32_t formChangeError = kErrorSuccess;
  int dataWrites = 0;

 private:
  std::vector<FormInfo>::iterator FindForm(const std::u16string& name);
};

class FakeMachine : public Machine {
 public:
  // Characters outside 7-bit ASCII become '?'.
  bool WideToAnsi(const std::u16string& text, std::size_t capacity, std::string* out) override;
  std::u16string AnsiToWide(const std::string& text) override { return WidenSevenBit(text); }
  std::uint32_t ProcessId() override { return processId; }
  bool ReadUserCountry(std::u16string* text) override;
  std::string SystemDirectory() override { return systemDirectory; }

  std::uint32_t processId = 4242;
  std::string systemDirectory = "C:\\Windows\\system32";
  // Absent when the value is missing.
  bool hasCountry = true;
  std::u16string country = u"1";
};

// Keeps every report as "call: unhandled what value", for tests to read.
class FakeTrace : public Trace {
 public:
  void Unhandled(const char* call, const char* what, std::uint32_t value) override {
    lines.push_back(std::string(call) + ": unhandled " + what + " " + std::to_string(value));
  }

  std::vector<std::string> lines;
};

}  // namespace tqr::fake
