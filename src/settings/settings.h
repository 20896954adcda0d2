// Building, finalizing, validating and merging job settings records, and the
// print server's user forms the records may refer to.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "devdesc/ddf.h"
#include "settings/devmode.h"
#include "platform/ports.h"

namespace tqr {

// --- defaults and finalization ---------------------------------------------

// Fills the whole record from the description's defaults. The record should
// be zero-filled first: reserved stretches are left as they are.
int BuildDefaultSettings(DdfHandle ddf, DRVDEVMODE* record, const char16_t* deviceName,
                         PrinterHandle printer);
// The same, answering whether the driver information could be read. Built
// without it, the record lacks the model and the driver's name: good for
// one answer, not to be stored as the printer's settings.
bool BuildWholeDefaultSettings(DdfHandle ddf, DRVDEVMODE* record, const char16_t* deviceName,
                               PrinterHandle printer);
// Rewrites the derived and constant fields of a complete record and fits
// its paper sizes to what the printer offers.
int FinalizeSettings(DdfHandle ddf, DRVDEVMODE* record, PrinterHandle printer);
// The fixed public header values; with a name, also dmDeviceName.
void FillPublicHeader(DRVDEVMODE* record, const char16_t* deviceName);

// The printer's entry in the model table. 0 when the printer handle is -1 or
// the driver information cannot be read; 1 otherwise, with outputs written
// only when the driver's name is in the table.
int LookupModel(PrinterHandle printer, std::string* modelName, std::string* descriptionFile,
                std::uint16_t* modelNumber);

std::uint32_t GetUserCountryCode();
bool DdfIsLetterRegion();

// --- stored settings and merge -----------------------------------------------

constexpr char16_t kStoredSettingsName[] = u"TARNE NT";
constexpr std::uint16_t kNotFound = 0xFFFF;
// Room for the option lists one merge reads: 1600 values or 800 size pairs.
constexpr std::size_t kScratchListSize = 6400;

// Fills `record` with the printer's stored settings, rebuilding them from
// defaults and writing them back when they are missing or invalid.
int LoadStoredDefaults(PrinterHandle printer, DRVDEVMODE* record, const char16_t* deviceName,
                       DdfHandle ddf);
// What LoadStoredDefaults found. kNotStored: the record holds defaults that
// were not written back, because the spooler failed to hand over a value
// that may be sound, or the defaults lack the driver information; whoever
// would store the record must not, or the printer's settings are lost.
enum class StoredSettings { kRead, kRepaired, kNotStored };
StoredSettings LoadStoredSettings(PrinterHandle printer, DRVDEVMODE* record,
                                  const char16_t* deviceName, DdfHandle ddf);
// Merges an application's or the spooler's record into `working`: of this
// driver's own, the public fields and the private part; of another's with a
// sound header (IsSoundForeignRecord), the public fields alone. `size` is how
// many bytes the outside handed over at `input`; nothing past them, nor past
// the record's own size words, is read.
int MergeSettings(PrinterHandle printer, DdfHandle ddf, const void* input, std::size_t size,
                  DRVDEVMODE* working);
void MergePublicFields(DdfHandle ddf, const PublicDevMode& input, DRVDEVMODE* working);
// Whether the `size` bytes at `input` hold a record that carries the private
// marker inside its own dmSize + dmDriverExtra bytes, with a header no
// longer than ours.
bool IsOwnRecord(const void* input, std::size_t size);
// Whether the `size` bytes at `input` hold a header another driver or an
// application made that the merge reads: its dmSize one the platform's
// record versions define, its size words inside the bytes handed over.
bool IsSoundForeignRecord(const void* input, std::size_t size);
// How many bytes from `input` a merge depends on: an own record's header and
// private part, a sound foreign record's header; 0 for any other.
std::size_t MergedRecordBytes(const void* input, std::size_t size);
// dmSize + dmDriverExtra of a record an application hands over: the only
// extent the platform gives such a record, so it is the bound its reads
// take. 0 for no record.
std::size_t ClaimedRecordSize(const void* input);
// Whether `size` bytes hold the whole record their size words describe; a
// record read from the spooler is merged only then.
bool HoldsWholeRecord(const std::vector<std::uint8_t>& bytes);

// Position of `value` among the feature's option values, compared at width
// 1 (16 bits), 2 or 0 (32 bits) or 3 (8 bits); writes the value to `output`
// at that width when found. kNotFound otherwise.
std::uint16_t FindOptionIndex(DdfHandle ddf, std::uint8_t* scratch, const char* feature,
                              std::uint32_t value, void* output, int width);
// Writes `value` to `output` and returns 1 when it lies within the range
// feature's minimum and maximum; 0 otherwise.
int CheckRangeValue(DdfHandle ddf, std::uint8_t* scratch, const char* feature, std::int16_t value,
                    std::int16_t* output);

// Printer data: a read answers the call's error code, kErrorMoreData for a
// value longer than `size`; a write counts as done when the call returns 0
// and is not tried without name, data or size.
std::uint32_t ReadPrinterData(PrinterHandle printer, const char16_t* name, void* buffer,
                              std::uint32_t size, std::uint32_t* stored);
bool WritePrinterData(PrinterHandle printer, const char16_t* name, std::uint32_t type,
                      const void* data, std::uint32_t size);

// --- print-server user forms -----------------------------------------------

enum UserFormList : int {
  kFormNumbers = 2,  // 16-bit paper numbers, 318 + k
  kFormSizes = 3,    // 32-bit width, length pairs in 0.1 mm
  kFormNames = 16,   // names of 64 UTF-16 units
};

// A user form the printer offers, as paper number 318 + k.
struct OfferedForm {
  std::u16string name;
  std::int16_t width;   // 0.1 mm
  std::int16_t length;  // 0.1 mm
  std::int16_t number;  // 318 + k
};

// Whether a server form is offered: a user form (flags 0) of 210.0 to
// 1082.2 mm by 297.0 to 2667.0 mm, bounds included.
bool IsOfferedForm(const FormInfo& form);
// Whether two form names are the same to the spooler: compared ignoring
// case as the platform's ordinal comparison does, over all of Unicode.
bool SameFormName(const std::u16string& a, const std::u16string& b);
// The offered forms in the server's order, numbered; false (and none) when
// the server's forms cannot be had.
bool ListOfferedForms(PrinterHandle printer, std::vector<OfferedForm>* offered);

int MatchUserForm(PrinterHandle printer, DRVDEVMODE* record);
// `listed` (optional) says whether the forms could be enumerated at all;
// without them the count is 0.
std::uint32_t EnumUserForms(PrinterHandle printer, int what, void* output,
                            bool* listed = nullptr);
void CopyFormNames(PrinterHandle printer, DRVDEVMODE* record);

}  // namespace tqr
