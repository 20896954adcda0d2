// Print mode export files (".cfg" files the user names), each holding copies
// of single user presets:
//
//   0    18   signature "TQR54GFX" and a NUL, 9 UTF-16LE units
//   18   14   reserved: never read, kept as they are when the file is rewritten
//   32   2    record count n
//   34   568 x n  the records; titles are unique within a file
//
// Export files come from anywhere. Readers never go past the file or past the
// records it holds, whatever its count claims, and every record read has
// its title and description terminated.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/ports.h"
#include "presets/print_mode_record.h"

namespace tqr {

constexpr std::size_t kExportHeaderSize = 34;
constexpr std::size_t kExportCountOffset = 32;

// The most records the Save as and Open dialogs list: no more can be
// imported (the user print mode file holds at most 100 presets), and a
// file may count 65535, which took minutes to list as a name was typed.
constexpr std::size_t kListedExportRecords = kMaxUserPrintModes;

// The records of the file named `name`, as far as they are whole, the first
// kListedExportRecords of them and one more when the file has more, so that
// the dialog can say it lists only those. When the name does not open as it
// is, it is tried once more with "cfg" added after a final "." or ".cfg"
// added otherwise. An empty name, a file that does not open, a short header
// or another signature (letter case counts) list nothing.
std::vector<PrintModeRecord> ListExportRecords(const std::string& name);

// How a read of one record ended; the import dialog tells the user each
// failure in its own words.
enum class ExportRead {
  kRead,
  kNotOpened,    // the file does not open for reading
  kWrongFormat,  // short header or another signature
  kNoRecord,     // the index lies at or past the count, or the record is cut
};
// Record `index` of the file at `path`. `record` changes only on kRead.
ExportRead ReadExportRecord(const std::string& path, std::uint16_t index,
                            PrintModeRecord* record);

// What a file holds for a record about to be written into it.
enum class ExportScan {
  kNotOpened,    // see the open failure: a missing file is created by the write
  kWrongFormat,  // short header or another signature
  kShortRecord,  // fewer whole records than the count claims
  kTitleFound,   // a record with the same title is overwritten
  kTitleNew,     // the record is appended
};
// Opens the file for reading and writing and looks for `title`, as the write
// does. `failure` (optional) says why an open failed.
ExportScan ScanExportFile(const std::string& path, const PrintModeRecord& record,
                          OpenFailure* failure = nullptr);

// Puts `record` into the file at `path`: over the record of the same title,
// else after the last record with the count raised by one; a missing file is
// created with this record alone. The file is rewritten whole, through a
// temporary file, so a failure leaves the old file as it was. Bytes after the
// last counted record have no meaning and are not kept.
bool WriteExportRecord(const std::string& path, const PrintModeRecord& record);

}  // namespace tqr
