// What the answers of the capability and document calls depend on outside
// the caller's arguments: read together, compared whole. Two reads that
// compare equal give the same answers to the same arguments.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/ports.h"

namespace tqr::cache {

// The description text file as its directory entry shows it. A file
// replaced or rewritten changes its time or its size.
struct FileStamp {
  bool present = false;
  std::uint64_t size = 0;
  std::uint64_t written = 0;
  bool operator==(const FileStamp&) const = default;
};

struct PrinterFacts {
  // The description's path from the driver information, empty when the
  // spooler cannot say.
  std::string descriptionPath;
  FileStamp description;
  bool driverNameRead = false;
  std::u16string driverName;
  // The spooler's default record for the printer.
  bool defaultRecordRead = false;
  std::vector<std::uint8_t> defaultRecord;
  // The stored settings as GetPrinterData answers for them, asked with room
  // for StoredRoom() bytes.
  std::uint32_t storedStatus = 0;
  std::uint32_t storedType = 0;
  std::uint32_t storedSize = 0;
  std::vector<std::uint8_t> stored;
  bool formsRead = false;
  std::vector<FormInfo> forms;
  // The user's region, which chooses letter or A4 defaults.
  bool countryRead = false;
  std::u16string country;

  bool operator==(const PrinterFacts&) const = default;
};

// As much of the stored settings as the record build reads.
std::uint32_t StoredRoom();

// Reads every fact through the current ports: under the real spooler one
// round trip each for the driver information, the printer information, the
// stored settings and the forms (when the answer fits the first buffer
// offered), one query of the description's size and time by its name (no
// open) and one region read.
PrinterFacts ReadPrinterFacts(PrinterHandle printer);

// The printer a call without a handle of its caller's opens only when a
// question needs it: a call that finds its printer's facts fresh computes
// with a stand-in handle, which the spooler port turns into the printer
// opened by name at the first question the facts do not answer
// (FactsInUse::Resolve). An open is a round trip of its own, and under Wine
// also a write of the printer's status to the registry.
class DeferredPrinter {
 public:
  virtual PrinterHandle Open() = 0;

 protected:
  ~DeferredPrinter() = default;
};

// While a call computes its answer, the facts it read for it: the spooler
// port answers that call's own reads of the same printer from them
// (InvalidatingSpooler), so the answer rests on one reading of the printer
// and no round trip is made twice. Per thread; a write through the port
// ends it for the rest of the call, since what was read is then no longer
// what is there. Null facts install nothing. With `deferred`, `printer` is
// its stand-in.
class FactsInUse {
 public:
  FactsInUse(const PrinterFacts* facts, PrinterHandle printer,
             DeferredPrinter* deferred = nullptr);
  ~FactsInUse();
  FactsInUse(const FactsInUse&) = delete;
  FactsInUse& operator=(const FactsInUse&) = delete;

  // The facts of the call running on this thread about `printer`, or null.
  static const PrinterFacts* For(PrinterHandle printer);
  // The facts of the call running on this thread, whichever printer they
  // are of, or null: for what is the same for every printer.
  static const PrinterFacts* OfThisCall();
  // A write went through: nothing read before it answers again.
  static void Drop();
  // The handle to give the spooler for `printer`: for the stand-in of the
  // call running on this thread, the printer it stands for, opened now if
  // it is not yet (null when it cannot be); any other handle as it is.
  static PrinterHandle Resolve(PrinterHandle printer);

 private:
  // The innermost on this thread, kept in the machine port's thread value.
  static FactsInUse* Current();

  // Those of the one outside it when this one is given none.
  const PrinterFacts* facts_;
  PrinterHandle printer_;
  DeferredPrinter* deferred_;
  FactsInUse* outer_;
};

}  // namespace tqr::cache
