#include "tqrctl/record_report.h"

#include <winspool.h>

#include <cstdio>
#include <cstring>

#include "settings/devmode.h"
#include "settings/devmode_describe.h"
#include "tqrctl/failure.h"
#include "tqrctl/text.h"

namespace tqrctl {
namespace {

// Far more than any record; a value that needs more is not the driver's.
constexpr DWORD kStoredRecordRoom = 16384;

std::string Describe(const std::vector<BYTE>& bytes) {
  // Callers check the bytes first; a short buffer is never read past its end.
  if (bytes.size() < sizeof(tqr::DRVDEVMODE)) return "(no record)\n";
  tqr::DRVDEVMODE record;
  std::memcpy(static_cast<void*>(&record), bytes.data(), sizeof record);
  return tqr::DescribeRecord(record);
}

}  // namespace

bool HoldsDriverRecord(const std::vector<BYTE>& bytes, std::string* why) {
  if (bytes.size() < sizeof(tqr::DRVDEVMODE)) {
    *why = std::to_string(bytes.size()) + " bytes, fewer than a record's " +
           std::to_string(sizeof(tqr::DRVDEVMODE));
    return false;
  }
  tqr::DRVDEVMODE record;
  std::memcpy(static_cast<void*>(&record), bytes.data(), sizeof record);
  const unsigned sizes = unsigned{record.dm.dmSize} + record.dm.dmDriverExtra;
  if (record.dm.dmSize != tqr::kPublicSize || record.dm.dmDriverExtra != tqr::kPrivateSize ||
      sizes != bytes.size()) {
    *why = "dmSize " + std::to_string(record.dm.dmSize) + " + dmDriverExtra " +
           std::to_string(record.dm.dmDriverExtra) + " in " + std::to_string(bytes.size()) +
           " bytes";
    return false;
  }
  if (record.PrivateMarker != tqr::kPrivateMarker) {
    *why = "private marker " + HexWord(record.PrivateMarker);
    return false;
  }
  return true;
}

void PrintRecord(const std::vector<BYTE>& bytes) {
  std::fputs(Describe(bytes).c_str(), stdout);
  std::fflush(stdout);
}

int PrintChanges(const std::vector<BYTE>& before, const std::vector<BYTE>& after) {
  // Both are described field by field in the same order, one field a line.
  const std::vector<std::string> was = Lines(Describe(before));
  const std::vector<std::string> is = Lines(Describe(after));
  int changes = 0;
  for (std::size_t i = 0; i < was.size() && i < is.size(); ++i) {
    if (was[i] == is[i]) continue;
    const std::size_t equals = is[i].find(" =");
    if (equals == std::string::npos || was[i].compare(0, equals + 2, is[i], 0, equals + 2) != 0) {
      Say("  " + was[i] + " -> " + is[i]);
    } else {
      Say("  " + is[i].substr(0, equals) + ":" + was[i].substr(equals + 2) + " ->" +
          is[i].substr(equals + 2));
    }
    ++changes;
  }
  if (changes == 0) Say("  no field changed");
  return changes;
}

bool ReadStoredRecord(HANDLE printer, std::vector<BYTE>* bytes, bool quiet) {
  bytes->assign(kStoredRecordRoom, 0);
  DWORD type = 0;
  DWORD needed = 0;
  const DWORD status = GetPrinterDataW(printer, const_cast<LPWSTR>(kStoredRecordValue), &type,
                                       bytes->data(), kStoredRecordRoom, &needed);
  if (status != ERROR_SUCCESS) {
    bytes->clear();
    if (quiet) return false;
    return FailWithError("cannot read the printer data value", kStoredRecordValue, status);
  }
  // The spooler says how much it wrote; never more than the buffer holds.
  bytes->resize(needed < kStoredRecordRoom ? needed : kStoredRecordRoom);
  if (type != REG_BINARY) {
    if (quiet) return false;
    return Fail("the printer data value \"TARNE NT\" has type " + std::to_string(type) +
                ", not REG_BINARY");
  }
  return true;
}

}  // namespace tqrctl
