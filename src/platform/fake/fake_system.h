// In-memory spooler, machine and trace for tests.
#pragma once

#include <atomic>
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "platform/fake/fault_plan.h"
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

  // Opens the handle `names` lists for the name; counted in `openedByName`.
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
  // Names are compared ignoring ASCII case, as the spooler does; a form of
  // another flag than 0 cannot be changed or deleted.
  std::uint32_t AddForm(PrinterHandle printer, const FormInfo& form) override;
  std::uint32_t SetForm(PrinterHandle printer, const std::u16string& name,
                        const FormInfo& form) override;
  std::uint32_t DeleteForm(PrinterHandle printer, const std::u16string& name) override;

  std::map<PrinterHandle, Printer> printers;
  // The printers that open by name, and how many handles are open now.
  std::map<std::u16string, PrinterHandle> names;
  std::atomic<int> openedByName{0};
  std::atomic<int> openHandles{0};
  // Every read of the printer's information, data or forms, counted: the
  // round trips a call would cost under a real spooler.
  std::atomic<int> reads{0};
  // The print server's forms, shared by every printer.
  std::vector<FormInfo> forms;
  bool failEnumForms = false;
  // Answered by AddForm, SetForm and DeleteForm instead of changing a form.
  std::uint32_t formChangeError = kErrorSuccess;
  std::atomic<int> dataWrites{0};
  // Faults by the order of the calls, shared with the file system's plan.
  FaultPlan* faults = nullptr;

 private:
  std::vector<FormInfo>::iterator FindForm(const std::u16string& name);
};

class FakeMachine : public Machine {
 public:
  // Characters outside 7-bit ASCII become '?'.
  bool WideToAnsi(const std::u16string& text, std::size_t capacity, std::string* out) override;
  std::u16string AnsiToWide(const std::string& text) override { return WidenSevenBit(text); }
  std::uint32_t ProcessId() override { return processId; }
  // This process and those a test says run; every other id has ended.
  bool IsProcessRunning(std::uint32_t id) override {
    return id == processId || otherProcesses.count(id) != 0;
  }
  bool ReadUserCountry(std::u16string* text) override;
  std::string SystemDirectory() override { return systemDirectory; }
  void SetLastError(std::uint32_t code) override { lastError = code; }

  std::uint32_t processId = 4242;
  std::set<std::uint32_t> otherProcesses;
  std::string systemDirectory = "C:\\Windows\\system32";
  // Absent when the value is missing.
  bool hasCountry = true;
  std::u16string country = u"1";
  std::atomic<int> countryReads{0};
  std::uint32_t lastError = 0;
};

// Time that moves only when a test says so.
class FakeClock : public Clock {
 public:
  std::uint64_t NowMilliseconds() override { return now; }
  std::atomic<std::uint64_t> now{1'000'000};
};

// Runs the started step only when a test says so, on the test's thread.
class FakeWorker : public Worker {
 public:
  bool Start(Step step) override;
  // One round of the started step, as its thread would run it; false when
  // none is started or the step said it was done (the thread ends).
  bool Run(std::uint32_t* nextInMilliseconds = nullptr);
  bool Running();

  std::atomic<int> starts{0};
  bool refuse = false;

 private:
  std::mutex lock_;
  Step step_;
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
