// What the printer tells about itself through two printer-data values that
// its port or language monitor answers: "PrinterStatus" (the roll media in
// trays A and B) and "Inquiry" (the firmware version). Also the lines the
// Printer Information page shows for them, and the copy of the last answer
// kept under the driver's registry key, so that the page can show it again
// without asking the printer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/ports.h"

namespace tqr {

constexpr char16_t kPrinterStatusValue[] = u"PrinterStatus";
constexpr char16_t kInquiryValue[] = u"Inquiry";
// The replies' sizes; the bytes the printer leaves out read as zero.
constexpr std::uint32_t kPrinterStatusSize = 24;
constexpr std::uint32_t kInquirySize = 40;
constexpr int kTrayCount = 2;  // A and B
constexpr int kFirmwareLength = 4;

// One roll media tray as the printer reports it.
struct TrayMedia {
  std::uint8_t width = 0;  // roll width in inches; 0: no media
  std::uint8_t code = 0;   // media type, see MediaName
};

struct PrinterStatusReply {
  bool ok = false;  // the status word is 0
  TrayMedia trays[kTrayCount];
};

struct InquiryReply {
  bool ok = false;  // the status word is 0
  std::uint8_t firmware[kFirmwareLength] = {};  // code page 1252
};

// Read from the `length` bytes the spooler returned; nothing past them is
// read, and what a short reply leaves out counts as zero.
PrinterStatusReply ParsePrinterStatus(const std::uint8_t* data, std::size_t length);
InquiryReply ParseInquiry(const std::uint8_t* data, std::size_t length);

// The name of a media type; null for a code that has none.
const char16_t* MediaName(std::uint8_t code);

// Text in code page 1252, every byte one character (NULs included).
std::u16string TextFromCodePage1252(const std::uint8_t* bytes, std::size_t count);

// The page's lines. Only the stored view has a time line.
struct PrinterInfoLines {
  std::optional<std::u16string> time;
  std::u16string trays[kTrayCount];
  std::u16string firmware;
};

// The list box rows in order: the time line (when there is one), a blank
// row, tray A, tray B, two blank rows, the firmware line. A blank row holds
// one space.
std::vector<std::u16string> ListRows(const PrinterInfoLines& lines);

// What both printer-data values said. `inquiry.ok` is false when the
// "Inquiry" reply reports a failure; a value that cannot be read at all
// counts as an empty reply.
struct PrinterAnswer {
  PrinterStatusReply status;
  InquiryReply inquiry;
};

// Asks the printer through the spooler. False when the "PrinterStatus"
// value cannot be read or reports a failure: a printer that did not answer
// has told nothing about its trays. A reply longer than expected is read
// for its first bytes.
bool AskPrinter(Spooler& spooler, PrinterHandle printer, PrinterAnswer* answer);

// The lines for a live answer: "Media Tray A: 36in Plain Papers", "Media
// Tray B: No media", "Firmware version: 1.00" (empty when the reply failed),
// without a time line. A media code without a name leaves the tray line
// ending in "in ".
PrinterInfoLines LinesOfAnswer(const PrinterAnswer& answer);

struct LocalTime {
  std::uint16_t year = 0;
  std::uint16_t month = 0;
  std::uint16_t day = 0;
  std::uint16_t hour = 0;
  std::uint16_t minute = 0;
  std::uint16_t second = 0;
};

// "2002/7/15 9:05:07": minute and second with two digits.
std::u16string TimeText(const LocalTime& time);

// --- the copy under the driver's registry key ----------------------------------

// The driver's opened registry key.
class DriverKey {
 public:
  virtual ~DriverKey() = default;
  // Stores exactly `size` bytes of `data` as the value `name` of `type`
  // (kRegSz, kRegDword).
  virtual bool SetValue(const std::u16string& name, std::uint32_t type, const void* data,
                        std::uint32_t size) = 0;
  // Reads the value into `buffer`; `length` receives how many bytes came.
  // False, with the buffer untouched, when the value is missing or does not
  // fit in `capacity` bytes.
  virtual bool GetValue(const std::u16string& name, void* buffer, std::uint32_t capacity,
                        std::uint32_t* length) = 0;
};

// Where the driver's registry key is.
class DriverKeyStore {
 public:
  virtual ~DriverKeyStore() = default;
  // Opens the key, for changing its values too when `fullAccess`; null
  // when it cannot be opened.
  virtual std::unique_ptr<DriverKey> Open(bool fullAccess) = 0;
};

// Creates the values with their empty contents ("No media" for the trays)
// unless `*initialized` says this settings record did so already; sets
// `*initialized` to 1 once they are written. Nothing changes when the key
// cannot be opened, so that the next sheet tries again.
void EnsureInitialPrinterInfo(DriverKeyStore& store, std::uint32_t* initialized);

// Keeps an answer with the time it was obtained. False when the key cannot
// be opened or a value cannot be written.
bool StorePrinterInfo(DriverKeyStore& store, const PrinterAnswer& answer, const LocalTime& now);

// The lines of the kept answer, with "Time obtained: " as time line. Every
// line is empty when the key cannot be opened.
PrinterInfoLines ReadStoredPrinterInfo(DriverKeyStore& store);

// The page's "query printer": asks the printer, and when it answers keeps
// the answer obtained at `now` and returns the lines to show. Nothing when
// it did not answer; nothing is stored then.
std::optional<PrinterInfoLines> QueryPrinterInfo(Spooler& spooler, PrinterHandle printer,
                                                 DriverKeyStore& store, const LocalTime& now);

}  // namespace tqr
