#include "maintenance/printer_info.h"

#include <algorithm>
#include <cstring>

namespace tqr {
namespace {

// No monitor answers with more than a few dozen bytes; a claim beyond this
// is not followed.
constexpr std::uint32_t kLongestReply = 4096;

// Where the replies keep what the page reads.
constexpr std::size_t kTrayOffset = 20;  // width, code of A, then of B
constexpr std::size_t kFirmwareOffset = 36;

constexpr char16_t kNoMedia[] = u"No media";
constexpr char16_t kInches[] = u"in ";
constexpr char16_t kFirmwarePrefix[] = u"Firmware version: ";
constexpr char16_t kTimePrefix[] = u"Time obtained: ";
constexpr char16_t kBlankRow[] = u" ";
constexpr const char16_t* kTrayPrefixes[kTrayCount] = {u"Media Tray A: ", u"Media Tray B: "};

// The values under the driver's key, tray A first.
constexpr const char16_t* kMediaSizeValues[kTrayCount] = {u"MediaSizeA", u"MediaSizeB"};
constexpr const char16_t* kMediaValues[kTrayCount] = {u"MediaA", u"MediaB"};
constexpr char16_t kFirmwareValue[] = u"FarmVersion";
constexpr char16_t kTimeValue[] = u"GetTime";

// Readers' buffers, in bytes.
constexpr std::uint32_t kSizeBuffer = 4;
constexpr std::uint32_t kTextBuffer = 128;
// The stored time keeps this many bytes whatever its length; the text and
// its NUL must fit in whole characters.
constexpr std::uint32_t kTimeDataLength = 65;
constexpr std::size_t kLongestTime = kTimeDataLength / 2 - 1;
// The initial tray name, "No media" with its NUL, in a fixed field.
constexpr std::uint32_t kInitialMediaLength = 48;
constexpr std::uint32_t kInitialTextLength = 8;

struct NamedMedia {
  std::uint8_t code;
  const char16_t* name;
};

constexpr NamedMedia kMediaNames[] = {
    {0, u"Plain Papers"},
    {1, u"Coated Paper"},
    {3, u"BPF"},
    {4, u"Canvas"},
    {5, u"Glossy Paper"},
    {6, u"Glossy Film"},
    {7, u"High Quality Paper"},
    {8, u"Semi-Gloss Paper"},
    {9, u"Semi-Gloss Film"},
    {10, u"Hyper Media"},
    // Sic: shown and stored with this spelling.
    {11, u"Heavywight Coated Paper"},
    {32, u"Other Media"},
};

// Code page 1252 from 0x80 to 0x9F; every other byte is its own code point.
// The five bytes the code page leaves undefined map to the C1 controls of the
// same value, as the system's conversion does.
constexpr char16_t kCodePage1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

// Copies what arrived into a zero-filled reply of `size` bytes.
template <std::size_t kSize>
void FillReply(std::uint8_t (&reply)[kSize], const std::uint8_t* data, std::size_t length) {
  std::memset(reply, 0, kSize);
  if (data != nullptr) std::memcpy(reply, data, std::min(length, kSize));
}

bool StatusWordIsZero(const std::uint8_t* reply) {
  return reply[0] == 0 && reply[1] == 0 && reply[2] == 0 && reply[3] == 0;
}

std::u16string Decimal(std::int64_t value) { return WidenSevenBit(std::to_string(value)); }

std::u16string TwoDigits(std::uint16_t value) {
  return value < 10 ? u"0" + Decimal(value) : Decimal(value);
}

std::u16string UpToNul(const std::u16string& text) { return text.substr(0, text.find(u'\0')); }

// The name a tray is stored with: "No media" for an empty tray and for a
// media type without a name.
std::u16string StoredMediaName(const TrayMedia& tray) {
  const char16_t* name = MediaName(tray.code);
  return tray.width == 0 || name == nullptr ? kNoMedia : name;
}

// UTF-16 in the registry's byte order, `size` bytes: cut or padded with
// zero bytes.
std::vector<std::uint8_t> StringData(const std::u16string& text, std::size_t size) {
  std::vector<std::uint8_t> bytes(size, 0);
  for (std::size_t i = 0; i < text.size() && 2 * i + 1 < size; ++i) {
    bytes[2 * i] = static_cast<std::uint8_t>(text[i] & 0xFF);
    bytes[2 * i + 1] = static_cast<std::uint8_t>(text[i] >> 8);
  }
  return bytes;
}

bool SetBytes(DriverKey& key, const char16_t* name, std::uint32_t type,
              const std::vector<std::uint8_t>& bytes) {
  return key.SetValue(name, type, bytes.data(), static_cast<std::uint32_t>(bytes.size()));
}

// A string value without its terminating NUL.
bool SetText(DriverKey& key, const char16_t* name, const std::u16string& text) {
  return SetBytes(key, name, kRegSz, StringData(text, 2 * text.size()));
}

// The stored view shows a size as a signed number.
std::int32_t GetSize(DriverKey& key, const char16_t* name) {
  std::uint8_t buffer[kSizeBuffer] = {};
  std::uint32_t length = 0;
  // Fewer than four bytes leave the rest zero: a one-byte size is its low byte.
  key.GetValue(name, buffer, sizeof buffer, &length);
  const std::uint32_t bits =
      buffer[0] | buffer[1] << 8 | buffer[2] << 16 | static_cast<std::uint32_t>(buffer[3]) << 24;
  return static_cast<std::int32_t>(bits);
}

std::u16string GetText(DriverKey& key, const char16_t* name) {
  std::uint8_t buffer[kTextBuffer] = {};
  std::uint32_t length = 0;
  if (!key.GetValue(name, buffer, sizeof buffer, &length)) return {};
  // An odd last byte is half a character and is dropped.
  const std::size_t units = std::min<std::uint32_t>(length, sizeof buffer) / 2;
  std::u16string text;
  for (std::size_t i = 0; i < units; ++i) {
    const auto unit = static_cast<char16_t>(buffer[2 * i] | buffer[2 * i + 1] << 8);
    if (unit == u'\0') break;
    text.push_back(unit);
  }
  return text;
}

// GetPrinterData into a zero-filled buffer; `bytes` keeps what arrived.
bool ReadReply(Spooler& spooler, PrinterHandle printer, const char16_t* name, std::uint32_t size,
               std::vector<std::uint8_t>* bytes) {
  bytes->assign(size, 0);
  std::uint32_t type = 0;
  std::uint32_t needed = 0;
  std::uint32_t result = spooler.GetPrinterData(printer, name, &type, bytes->data(), size, &needed);
  if (result == kErrorMoreData && needed > size && needed <= kLongestReply) {
    bytes->assign(needed, 0);
    result = spooler.GetPrinterData(printer, name, &type, bytes->data(), needed, &needed);
  }
  if (result != kErrorSuccess) {
    bytes->clear();
    return false;
  }
  bytes->resize(std::min<std::size_t>(needed, bytes->size()));
  return true;
}

}  // namespace

PrinterStatusReply ParsePrinterStatus(const std::uint8_t* data, std::size_t length) {
  std::uint8_t reply[kPrinterStatusSize];
  FillReply(reply, data, length);
  PrinterStatusReply parsed;
  parsed.ok = StatusWordIsZero(reply);
  for (int tray = 0; tray < kTrayCount; ++tray) {
    parsed.trays[tray].width = reply[kTrayOffset + 2 * tray];
    parsed.trays[tray].code = reply[kTrayOffset + 2 * tray + 1];
  }
  return parsed;
}

InquiryReply ParseInquiry(const std::uint8_t* data, std::size_t length) {
  std::uint8_t reply[kInquirySize];
  FillReply(reply, data, length);
  InquiryReply parsed;
  parsed.ok = StatusWordIsZero(reply);
  std::memcpy(parsed.firmware, reply + kFirmwareOffset, kFirmwareLength);
  return parsed;
}

const char16_t* MediaName(std::uint8_t code) {
  for (const NamedMedia& media : kMediaNames) {
    if (media.code == code) return media.name;
  }
  return nullptr;
}

std::u16string TextFromCodePage1252(const std::uint8_t* bytes, std::size_t count) {
  std::u16string text;
  for (std::size_t i = 0; i < count; ++i) {
    const std::uint8_t byte = bytes[i];
    text.push_back(byte >= 0x80 && byte <= 0x9F ? kCodePage1252High[byte - 0x80]
                                                : static_cast<char16_t>(byte));
  }
  return text;
}

std::vector<std::u16string> ListRows(const PrinterInfoLines& lines) {
  std::vector<std::u16string> rows;
  if (lines.time) rows.push_back(*lines.time);
  rows.insert(rows.end(), {kBlankRow, lines.trays[0], lines.trays[1], kBlankRow, kBlankRow,
                           lines.firmware});
  return rows;
}

bool AskPrinter(Spooler& spooler, PrinterHandle printer, PrinterAnswer* answer) {
  *answer = PrinterAnswer{};
  std::vector<std::uint8_t> bytes;
  if (!ReadReply(spooler, printer, kPrinterStatusValue, kPrinterStatusSize, &bytes)) return false;
  answer->status = ParsePrinterStatus(bytes.data(), bytes.size());
  if (!answer->status.ok) return false;
  // An "Inquiry" value that cannot be read counts as an empty reply: a
  // success without a version, so the line ends after its prefix.
  ReadReply(spooler, printer, kInquiryValue, kInquirySize, &bytes);
  answer->inquiry = ParseInquiry(bytes.data(), bytes.size());
  return true;
}

PrinterInfoLines LinesOfAnswer(const PrinterAnswer& answer) {
  PrinterInfoLines lines;
  for (int tray = 0; tray < kTrayCount; ++tray) {
    const TrayMedia& media = answer.status.trays[tray];
    std::u16string& line = lines.trays[tray];
    line = kTrayPrefixes[tray];
    if (media.width == 0) {
      line += kNoMedia;
      continue;
    }
    line += Decimal(media.width) + kInches;
    if (const char16_t* name = MediaName(media.code)) line += name;
  }
  if (answer.inquiry.ok) {
    lines.firmware = kFirmwarePrefix + UpToNul(TextFromCodePage1252(answer.inquiry.firmware,
                                                                    kFirmwareLength));
  }
  return lines;
}

std::u16string TimeText(const LocalTime& time) {
  return Decimal(time.year) + u"/" + Decimal(time.month) + u"/" + Decimal(time.day) + u" " +
         Decimal(time.hour) + u":" + TwoDigits(time.minute) + u":" + TwoDigits(time.second);
}

void EnsureInitialPrinterInfo(DriverKeyStore& store, std::uint32_t* initialized) {
  if (*initialized != 0) return;
  const std::unique_ptr<DriverKey> key = store.Open(true);
  if (key == nullptr) return;
  const std::vector<std::uint8_t> empty(kInitialTextLength, 0);
  for (int tray = 0; tray < kTrayCount; ++tray) {
    SetBytes(*key, kMediaSizeValues[tray], kRegDword, std::vector<std::uint8_t>(4, 0));
    SetBytes(*key, kMediaValues[tray], kRegSz,
             StringData(kNoMedia, kInitialMediaLength));
  }
  SetBytes(*key, kFirmwareValue, kRegSz, empty);
  SetBytes(*key, kTimeValue, kRegSz, empty);
  *initialized = 1;
}

bool StorePrinterInfo(DriverKeyStore& store, const PrinterAnswer& answer, const LocalTime& now) {
  const std::unique_ptr<DriverKey> key = store.Open(true);
  if (key == nullptr) return false;
  bool stored = true;
  for (int tray = 0; tray < kTrayCount; ++tray) {
    const TrayMedia& media = answer.status.trays[tray];
    // The width alone, one byte of the DWORD.
    stored &= SetBytes(*key, kMediaSizeValues[tray], kRegDword, {media.width});
    stored &= SetText(*key, kMediaValues[tray], StoredMediaName(media));
  }
  const std::u16string firmware =
      answer.inquiry.ok ? TextFromCodePage1252(answer.inquiry.firmware, kFirmwareLength)
                        : std::u16string();
  stored &= SetText(*key, kFirmwareValue, firmware);
  const std::u16string time = TimeText(now).substr(0, kLongestTime);
  stored &= SetBytes(*key, kTimeValue, kRegSz, StringData(time, kTimeDataLength));
  return stored;
}

PrinterInfoLines ReadStoredPrinterInfo(DriverKeyStore& store) {
  PrinterInfoLines lines;
  lines.time = std::u16string();
  const std::unique_ptr<DriverKey> key = store.Open(false);
  if (key == nullptr) return lines;
  for (int tray = 0; tray < kTrayCount; ++tray) {
    const std::u16string name = GetText(*key, kMediaValues[tray]);
    std::u16string& line = lines.trays[tray];
    line = kTrayPrefixes[tray];
    if (name == kNoMedia) {
      line += kNoMedia;
    } else {
      line += Decimal(GetSize(*key, kMediaSizeValues[tray])) + kInches + name;
    }
  }
  lines.firmware = kFirmwarePrefix + GetText(*key, kFirmwareValue);
  lines.time = kTimePrefix + GetText(*key, kTimeValue);
  return lines;
}

std::optional<PrinterInfoLines> QueryPrinterInfo(Spooler& spooler, PrinterHandle printer,
                                                 DriverKeyStore& store, const LocalTime& now) {
  PrinterAnswer answer;
  if (!AskPrinter(spooler, printer, &answer)) return std::nullopt;
  // A key that cannot be opened only means the answer is not kept.
  StorePrinterInfo(store, answer, now);
  return LinesOfAnswer(answer);
}

}  // namespace tqr
