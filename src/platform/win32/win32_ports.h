// Win32 implementations of the ports, used inside the DLL and the Windows
// builds of the tools and tests.
#pragma once

#include "platform/ports.h"

namespace tqr::win32 {

class Win32FileSystem : public FileSystem {
 public:
  bool GetSizeAndLastWriteTime(const std::string& path, std::uint64_t* size,
                               std::uint64_t* ticks) override;
  bool Delete(const std::string& path) override;
  bool MoveNoReplace(const std::string& from, const std::string& to) override;
  bool Replace(const std::string& from, const std::string& to) override;
  bool Copy(const std::string& from, const std::string& to) override;
  std::vector<std::string> FindFiles(const std::string& pattern) override;

 protected:
  std::unique_ptr<FileHandle> OpenFile(const std::string& path, FileAccess access,
                                       FileDisposition disposition,
                                       OpenFailure* failure) override;
};

class Win32Spooler : public Spooler {
 public:
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
};

class Win32Machine : public Machine {
 public:
  bool WideToAnsi(const std::u16string& text, std::size_t capacity, std::string* out) override;
  std::u16string AnsiToWide(const std::string& text) override;
  std::uint32_t ProcessId() override;
  bool IsProcessRunning(std::uint32_t processId) override;
  bool ReadUserCountry(std::u16string* text) override;
  std::string SystemDirectory() override;
  void SetLastError(std::uint32_t code) override;
  // A TLS slot of the process's, given back when the machine goes (with the
  // module that made it).
  Win32Machine();
  ~Win32Machine() override;
  Win32Machine(const Win32Machine&) = delete;
  Win32Machine& operator=(const Win32Machine&) = delete;
  void* ThreadValue() override;
  void SetThreadValue(void* value) override;

 private:
  unsigned long slot_;
};

// Reports through the platform's debug output, where a debugger or Wine's
// +debugstr channel shows them.
class Win32Trace : public Trace {
 public:
  void Unhandled(const char* call, const char* what, std::uint32_t value) override;
};

// GetTickCount64: read from memory the kernel shares, no system call.
class Win32Clock : public Clock {
 public:
  std::uint64_t NowMilliseconds() override;
};

// A thread per start, which holds the module its code is in until it has
// left it: the spooler may free the driver while the thread still runs.
class Win32Worker : public Worker {
 public:
  bool Start(Step step) override;
};

// The process's real files, spooler, machine, debug output, clock and
// worker.
Ports Win32Ports();

// The C++ runtime linked into a module keeps data for every thread that used
// its thread support (a thread handle and an event), and frees it when the
// module's TLS callbacks hear of the thread's end. A thread that ends by
// unloading the module (at FreeLibrary, or through FreeLibraryAndExitThread)
// is never heard of: it gives its data back through this call first.
void EndRuntimeDataOfThisThread(void* module);

}  // namespace tqr::win32
