#include "presets/export_file.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <memory>

#include "presets/file_rewrite.h"

namespace tqr {
namespace {

static_assert(std::endian::native == std::endian::little);

constexpr char16_t kSignature[] = u"TQR54GFX";  // written with its NUL
constexpr std::size_t kSignatureUnits = 9;
constexpr std::size_t kRecordSize = sizeof(PrintModeRecord);

bool IsSignature(const std::uint8_t* header) {
  for (std::size_t i = 0; i < kSignatureUnits; ++i) {
    if (GetLe16(header + 2 * i) != kSignature[i]) return false;
  }
  return true;
}

// Reads the header; false when it is short or not ours.
bool ReadHeader(FileHandle& file, std::uint8_t (&header)[kExportHeaderSize]) {
  return ReadExactly(file, header, sizeof header) && IsSignature(header);
}

bool ReadRecord(FileHandle& file, PrintModeRecord* record) {
  if (!ReadExactly(file, record, kRecordSize)) return false;
  TerminateTexts(record);
  return true;
}

std::unique_ptr<FileHandle> OpenForListing(FileSystem& files, const std::string& name) {
  auto file = files.Open(name, FileAccess::Read, FileDisposition::OpenExisting);
  if (file != nullptr) return file;
  const std::string retry = name + (name.back() == '.' ? "cfg" : ".cfg");
  return files.Open(retry, FileAccess::Read, FileDisposition::OpenExisting);
}

// The whole counted content of an existing file, read for a rewrite.
struct ExportContents {
  std::uint8_t header[kExportHeaderSize] = {};
  std::vector<PrintModeRecord> records;
  std::size_t match = 0;  // index of the record with the title, for kTitleFound
};

ExportScan Scan(FileSystem& files, const std::string& path, const PrintModeRecord& record,
                ExportContents* contents, OpenFailure* failure) {
  auto file = files.Open(path, FileAccess::ReadWrite, FileDisposition::OpenExisting, failure);
  if (file == nullptr) return ExportScan::kNotOpened;
  if (!ReadHeader(*file, contents->header)) return ExportScan::kWrongFormat;
  const std::uint16_t count = GetLe16(contents->header + kExportCountOffset);
  const std::u16string_view title = TitleOf(record);
  bool found = false;
  // Every counted record is read, also past a match: the rewrite carries
  // them all, and a file that lacks some is damaged.
  for (std::uint16_t j = 0; j < count; ++j) {
    PrintModeRecord stored;
    if (!ReadRecord(*file, &stored)) return ExportScan::kShortRecord;
    if (!found && TitleOf(stored) == title) {
      found = true;
      contents->match = j;
    }
    contents->records.push_back(stored);
  }
  return found ? ExportScan::kTitleFound : ExportScan::kTitleNew;
}

std::vector<std::uint8_t> Encode(const std::uint8_t (&header)[kExportHeaderSize],
                                 const std::vector<PrintModeRecord>& records) {
  std::vector<std::uint8_t> bytes(kExportHeaderSize + records.size() * kRecordSize);
  std::memcpy(bytes.data(), header, kExportHeaderSize);
  PutLe16(&bytes[kExportCountOffset], static_cast<std::uint16_t>(records.size()));
  for (std::size_t j = 0; j < records.size(); ++j) {
    std::memcpy(&bytes[kExportHeaderSize + j * kRecordSize], &records[j], kRecordSize);
  }
  return bytes;
}

}  // namespace

std::vector<PrintModeRecord> ListExportRecords(const std::string& name) {
  std::vector<PrintModeRecord> records;
  if (name.empty()) return records;
  auto file = OpenForListing(*CurrentPorts().files, name);
  std::uint8_t header[kExportHeaderSize];
  if (file == nullptr || !ReadHeader(*file, header)) return records;
  const std::size_t wanted =
      std::min<std::size_t>(GetLe16(header + kExportCountOffset), kListedExportRecords + 1);
  PrintModeRecord record;
  // A short read ends the list; what the count claims beyond the file is
  // never reserved.
  while (records.size() < wanted && ReadRecord(*file, &record)) records.push_back(record);
  return records;
}

ExportRead ReadExportRecord(const std::string& path, std::uint16_t index,
                            PrintModeRecord* record) {
  auto file = CurrentPorts().files->Open(path, FileAccess::Read, FileDisposition::OpenExisting);
  if (file == nullptr) return ExportRead::kNotOpened;
  std::uint8_t header[kExportHeaderSize];
  if (!ReadHeader(*file, header)) return ExportRead::kWrongFormat;
  if (index >= GetLe16(header + kExportCountOffset)) return ExportRead::kNoRecord;
  PrintModeRecord read;
  if (!file->Seek(kExportHeaderSize + std::uint64_t{index} * kRecordSize) ||
      !ReadRecord(*file, &read)) {
    return ExportRead::kNoRecord;
  }
  *record = read;
  return ExportRead::kRead;
}

ExportScan ScanExportFile(const std::string& path, const PrintModeRecord& record,
                          OpenFailure* failure) {
  ExportContents contents;
  return Scan(*CurrentPorts().files, path, record, &contents, failure);
}

bool WriteExportRecord(const std::string& path, const PrintModeRecord& record) {
  FileSystem& files = *CurrentPorts().files;
  PrintModeRecord written = record;
  TerminateTexts(&written);
  ExportContents contents;
  OpenFailure failure = OpenFailure::None;
  switch (Scan(files, path, written, &contents, &failure)) {
    case ExportScan::kNotOpened: {
      // Only a missing file is created; one that exists but does not open
      // (in use, read-only, not ours to change) is left alone.
      if (failure != OpenFailure::Missing) return false;
      std::uint8_t header[kExportHeaderSize] = {};
      for (std::size_t i = 0; i < kSignatureUnits; ++i) PutLe16(&header[2 * i], kSignature[i]);
      return RewriteWholeFile(files, path, Encode(header, {written}), Publish::kCreateOnly);
    }
    case ExportScan::kWrongFormat:
    case ExportScan::kShortRecord:
      return false;
    case ExportScan::kTitleFound:
      contents.records[contents.match] = written;
      break;
    case ExportScan::kTitleNew:
      if (contents.records.size() >= 0xFFFF) return false;  // the count cannot say more
      contents.records.push_back(written);
      break;
  }
  return RewriteWholeFile(files, path, Encode(contents.header, contents.records),
                          Publish::kReplace);
}

}  // namespace tqr
