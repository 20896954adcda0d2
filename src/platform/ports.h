// The outside world as the core sees it: small interfaces shaped by what the
// driver needs. The DLL installs the Win32 implementations, the native tools
// install the POSIX ones and the tests install in-memory fakes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace tqr {

// An open file. Closed when destroyed.
class FileHandle {
 public:
  virtual ~FileHandle() = default;
  virtual bool GetSize(std::uint64_t* size) = 0;
  // Last-write time in 100-nanosecond ticks; only comparisons matter.
  virtual bool GetLastWriteTime(std::uint64_t* ticks) = 0;
  // Both at once: one question to the file system where the platform can
  // ask it so, which the description load makes on every call.
  virtual bool GetSizeAndLastWriteTime(std::uint64_t* size, std::uint64_t* ticks) {
    return GetSize(size) && GetLastWriteTime(ticks);
  }
  // Gives the file a last-write time of the caller's choosing; writes after
  // it may move the time on again.
  virtual bool SetLastWriteTime(std::uint64_t ticks) = 0;
  // Reads the whole file into `out` (a mapped view where the platform has one).
  virtual bool ReadAll(std::vector<std::uint8_t>* out) = 0;
  // Writes all `size` bytes at the file position or reports failure.
  virtual bool Write(const void* data, std::size_t size) = 0;
  // Reads up to `size` bytes from the file position; `got` receives how many
  // arrived (fewer at the end of the file). False on a read error.
  virtual bool Read(void* data, std::size_t size, std::size_t* got) = 0;
  // Moves the file position to `offset` bytes from the start.
  virtual bool Seek(std::uint64_t offset) = 0;
  // Puts what was written on the disk, so that the file can take another's
  // name without a crash of the machine leaving that name to empty content.
  virtual bool Flush() { return true; }
};

enum class FileAccess { Read, Write, ReadWrite };

// Why an open failed, for the callers that treat a refusal differently
// from a missing file.
enum class OpenFailure { None, Missing, AccessDenied, Other };

enum class FileDisposition {
  OpenExisting,  // fails when the file is missing
  CreateNew,     // fails when the file exists
  CreateAlways,  // creates or truncates
};

// Files named by paths in the system's ANSI code page.
class FileSystem {
 public:
  virtual ~FileSystem() = default;
  // Files opened for reading share reading, and let the file be replaced
  // or removed under them (they keep reading what they opened); files
  // opened for writing are not shared.
  std::unique_ptr<FileHandle> Open(const std::string& path, FileAccess access,
                                   FileDisposition disposition, OpenFailure* failure = nullptr) {
    OpenFailure reason = OpenFailure::None;
    auto file = OpenFile(path, access, disposition, &reason);
    if (failure != nullptr) *failure = file ? OpenFailure::None : reason;
    return file;
  }
  // The size and last-write time of the file at `path`, asked by its name:
  // one question to the file system where opening, asking and closing are
  // three (under Wine each a round trip to its server). False when the file
  // is missing, is a directory, or cannot be asked so.
  virtual bool GetSizeAndLastWriteTime(const std::string& path, std::uint64_t* size,
                                       std::uint64_t* ticks) {
    const auto file = Open(path, FileAccess::Read, FileDisposition::OpenExisting);
    return file != nullptr && file->GetSizeAndLastWriteTime(size, ticks);
  }
  virtual bool Delete(const std::string& path) = 0;
  // Moves `from` to `to` only when `to` does not exist yet (never replaces).
  virtual bool MoveNoReplace(const std::string& from, const std::string& to) = 0;
  // Moves `from` over `to` in one step when both lie in the same directory:
  // at every instant `to` is the old file or the new one, and it is
  // untouched when the move fails. An existing `to` keeps its own
  // attributes and access list (its mode bits, and its owner where this
  // process may give it, on POSIX), whatever `from` had.
  virtual bool Replace(const std::string& from, const std::string& to) = 0;
  // Copies the whole file, overwriting `to`.
  virtual bool Copy(const std::string& from, const std::string& to) = 0;
  // The files in the directory of `pattern` whose names match its last
  // part, where '*' stands for any run of characters; full paths, in no
  // particular order. Empty where the platform cannot list.
  virtual std::vector<std::string> FindFiles(const std::string& pattern) {
    (void)pattern;
    return {};
  }

 protected:
  // `failure` is never null here.
  virtual std::unique_ptr<FileHandle> OpenFile(const std::string& path, FileAccess access,
                                               FileDisposition disposition,
                                               OpenFailure* failure) = 0;
};

// Opaque spooler printer handle (a HANDLE on Windows).
using PrinterHandle = void*;

// One form of the print server (FORM_INFO_1W); sizes in thousandths of a
// millimetre.
struct FormInfo {
  std::uint32_t flags = 0;
  std::u16string name;
  std::int32_t width = 0;
  std::int32_t length = 0;
  bool operator==(const FormInfo&) const = default;
};

// Value types of printer data and registry values.
constexpr std::uint32_t kRegSz = 1;
constexpr std::uint32_t kRegBinary = 3;
constexpr std::uint32_t kRegDword = 4;
constexpr std::uint32_t kErrorSuccess = 0;
// The value or file is not there.
constexpr std::uint32_t kErrorFileNotFound = 2;
// No spooler to ask, or a handle it does not know.
constexpr std::uint32_t kErrorInvalidHandle = 6;
// The value is longer than the buffer; the call said how long it is.
constexpr std::uint32_t kErrorMoreData = 234;
// The caller lacks the rights for the change (a form on the print server).
constexpr std::uint32_t kErrorAccessDenied = 5;
// The data handed over (the printer's description) is not usable.
constexpr std::uint32_t kErrorInvalidData = 13;

class Spooler {
 public:
  virtual ~Spooler() = default;
  // OpenPrinterW by name with the caller's default access; null when the
  // printer cannot be opened. Every handle it gives is closed with
  // ClosePrinter.
  virtual PrinterHandle OpenPrinterByName(const std::u16string& name) = 0;
  virtual void ClosePrinter(PrinterHandle printer) = 0;
  // The pDataFile and pName members of the printer's DRIVER_INFO_2W.
  virtual bool GetDriverDataFile(PrinterHandle printer, std::u16string* path) = 0;
  virtual bool GetDriverName(PrinterHandle printer, std::u16string* name) = 0;
  // Both members at once: one question to the spooler where the platform
  // can ask it so. False when either cannot be read.
  virtual bool GetDriverNameAndDataFile(PrinterHandle printer, std::u16string* name,
                                        std::u16string* path) {
    return GetDriverName(printer, name) && GetDriverDataFile(printer, path);
  }
  // GetPrinterDataW: returns the error code; `needed` receives the stored
  // size even when it exceeds `size`, and nothing beyond `size` is written.
  virtual std::uint32_t GetPrinterData(PrinterHandle printer, const std::u16string& name,
                                       std::uint32_t* type, void* buffer, std::uint32_t size,
                                       std::uint32_t* needed) = 0;
  virtual std::uint32_t SetPrinterData(PrinterHandle printer, const std::u16string& name,
                                       std::uint32_t type, const void* data,
                                       std::uint32_t size) = 0;
  // Removes a value SetPrinterData wrote; returns the error code.
  virtual std::uint32_t DeletePrinterData(PrinterHandle printer, const std::u16string& name) = 0;
  // The printer's default record (pDevMode of PRINTER_INFO_2W: the user's
  // own when set, else the printer's global one), its
  // dmSize + dmDriverExtra bytes; empty when the printer has none. False
  // when the printer information cannot be read.
  virtual bool GetPrinterDefaultRecord(PrinterHandle printer,
                                       std::vector<std::uint8_t>* record) = 0;
  // EnumFormsW at level 1, in the server's order.
  virtual bool EnumForms(PrinterHandle printer, std::vector<FormInfo>* forms) = 0;
  // AddFormW, SetFormW (the form named `name`) and DeleteFormW at level 1:
  // kErrorSuccess, or the call's error code (kErrorAccessDenied without the
  // rights to change the server's forms).
  virtual std::uint32_t AddForm(PrinterHandle printer, const FormInfo& form) = 0;
  virtual std::uint32_t SetForm(PrinterHandle printer, const std::u16string& name,
                                const FormInfo& form) = 0;
  virtual std::uint32_t DeleteForm(PrinterHandle printer, const std::u16string& name) = 0;
};

class Machine {
 public:
  virtual ~Machine() = default;
  // Converts to the ANSI code page into a buffer of `capacity` bytes
  // (terminator included); fails when the text does not fit.
  virtual bool WideToAnsi(const std::u16string& text, std::size_t capacity,
                          std::string* out) = 0;
  // Converts text in the ANSI code page to UTF-16.
  virtual std::u16string AnsiToWide(const std::string& text) = 0;
  virtual std::uint32_t ProcessId() = 0;
  // Whether a process with this id may still be running: true also when
  // that cannot be told, so that what it may still use is left alone.
  virtual bool IsProcessRunning(std::uint32_t processId) {
    (void)processId;
    return true;
  }
  // The per-user value "iCountry" under "Control Panel", "International",
  // read into a buffer of 16 UTF-16 units; false when it cannot be read.
  virtual bool ReadUserCountry(std::u16string* text) = 0;
  // The system directory in the ANSI code page, without a trailing
  // separator; empty when it cannot be found.
  virtual std::string SystemDirectory() = 0;
  // Leaves `code` as the calling thread's last error, where a caller of a
  // failed export reads why it failed.
  virtual void SetLastError(std::uint32_t code) = 0;
  // One pointer of the calling thread's own, null until set: the driver's
  // state of the call the thread is in. The default is a thread_local; the
  // DLL's keeps it in a slot of the platform's, as the C++ runtime's thread
  // storage leaves handles behind in every process that unloads the DLL.
  virtual void* ThreadValue();
  virtual void SetThreadValue(void* value);
};

// Narrows 7-bit text unchanged and every other character to '?', as a
// best-fit conversion to a Western code page does for most scripts; the
// conversion of the platforms without a code page of their own.
bool NarrowToSevenBit(const std::u16string& text, std::size_t capacity, std::string* out);
std::u16string WidenSevenBit(const std::string& text);

// Where the driver says what it was handed and leaves alone: a host reason,
// a mode, an event or an index it has no answer for. The caller still gets
// the documented "not handled" answer; the trace makes the choice visible
// instead of silent.
class Trace {
 public:
  virtual ~Trace() = default;
  // `call` is the export or routine, `what` names the value ("reason",
  // "mode", "event", "index").
  virtual void Unhandled(const char* call, const char* what, std::uint32_t value) = 0;
};

// A clock that only goes forward, for deciding how old something kept is.
class Clock {
 public:
  virtual ~Clock() = default;
  virtual std::uint64_t NowMilliseconds() = 0;
};

// Runs the driver's upkeep on a thread of its own, off the callers' threads.
class Worker {
 public:
  virtual ~Worker() = default;
  // One round of upkeep: true when there will be more, due in
  // `*nextInMilliseconds`; false when there is nothing left to do.
  using Step = std::function<bool(std::uint32_t* nextInMilliseconds)>;
  // Starts a thread that runs `step` at once and then whenever it asks,
  // until it says it is done. False when no thread could be started.
  virtual bool Start(Step step) = 0;
};

// The ports in effect for this process. Without a clock nothing is kept
// between calls: every call asks the spooler and the files afresh. Without
// a worker what is kept is refreshed only by the calls that find it old.
struct Ports {
  FileSystem* files = nullptr;
  Spooler* spooler = nullptr;
  Machine* machine = nullptr;
  Trace* trace = nullptr;
  Clock* clock = nullptr;
  Worker* worker = nullptr;
};

Ports& CurrentPorts();

// Reports an unhandled value through the current trace port, if any.
void TraceUnhandled(const char* call, const char* what, std::uint32_t value);

// Installs `ports` for the lifetime of the object and restores the previous
// ones afterwards; tests and tools use it around the code they drive.
class ScopedPorts {
 public:
  explicit ScopedPorts(const Ports& ports);
  ~ScopedPorts();
  ScopedPorts(const ScopedPorts&) = delete;
  ScopedPorts& operator=(const ScopedPorts&) = delete;

 private:
  Ports previous_;
};

}  // namespace tqr
