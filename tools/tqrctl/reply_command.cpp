// reply: stores the printer's answers to the status queries as printer data, the
// way its port monitor would give them, so that `status` and the Printer
// Information page can be shown with no printer attached.
#include <windows.h>
#include <winspool.h>

#include <string>
#include <vector>

#include "maintenance/printer_info.h"
#include "tqrctl/commands.h"
#include "tqrctl/failure.h"
#include "tqrctl/printers.h"
#include "tqrctl/text.h"

namespace tqrctl {
namespace {

struct Reply {
  const char16_t* value;
  std::uint32_t size;
  std::wstring Options::*hex;
  std::wstring Options::*file;
  const char* name;
  std::vector<BYTE> bytes;
  bool given = false;
};

// No reply the printer gives is longer.
constexpr std::uint64_t kLongestReply = 64;

int HexDigit(wchar_t c) {
  if (c >= L'0' && c <= L'9') return c - L'0';
  if (c >= L'a' && c <= L'f') return c - L'a' + 10;
  if (c >= L'A' && c <= L'F') return c - L'A' + 10;
  return -1;
}

// Pairs of hexadecimal digits; blanks between bytes are allowed.
bool ReadHex(const std::wstring& text, std::vector<BYTE>* bytes) {
  bytes->clear();
  int high = -1;
  for (const wchar_t c : text) {
    if (c == L' ' || c == L'\t' || c == L'\n' || c == L'\r') {
      if (high >= 0) return false;
      continue;
    }
    const int digit = HexDigit(c);
    if (digit < 0) return false;
    if (high < 0) {
      high = digit;
    } else {
      bytes->push_back(static_cast<BYTE>(high * 16 + digit));
      high = -1;
    }
  }
  return high < 0;
}

// The file's whole length goes to `length`; its bytes are read only when
// no reply is longer, so that the size a refusal names is the file's.
bool ReadReplyFile(const std::wstring& path, std::vector<BYTE>* bytes, std::uint64_t* length) {
  const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return FailLastError("cannot open", path);
  LARGE_INTEGER size = {};
  bool read = GetFileSizeEx(file, &size) != FALSE;
  *length = static_cast<std::uint64_t>(size.QuadPart);
  bytes->clear();
  if (read && *length <= kLongestReply) {
    bytes->assign(static_cast<std::size_t>(*length), 0);
    DWORD got = 0;
    read = ReadFile(file, bytes->data(), static_cast<DWORD>(bytes->size()), &got, nullptr) !=
               FALSE &&
           got == bytes->size();
  }
  CloseHandle(file);
  if (!read) return FailLastError("cannot read", path);
  return true;
}

bool ReadReply(const Options& options, Reply* reply) {
  const std::wstring& hex = options.*(reply->hex);
  const std::wstring& file = options.*(reply->file);
  if (hex.empty() && file.empty()) return true;
  reply->given = true;
  if (!hex.empty() && !ReadHex(hex, &reply->bytes)) {
    return Fail(std::string("the ") + reply->name + " reply is not pairs of hexadecimal digits");
  }
  std::uint64_t length = reply->bytes.size();
  if (!file.empty() && !ReadReplyFile(file, &reply->bytes, &length)) return false;
  if (length != reply->size) {
    return Fail(std::string("the ") + reply->name + " reply has " + std::to_string(length) +
                " bytes; it takes " + std::to_string(reply->size));
  }
  return true;
}

}  // namespace

int RunReply(const Options& options) {
  Reply replies[] = {
      {tqr::kPrinterStatusValue, tqr::kPrinterStatusSize, &Options::statusReply,
       &Options::statusFile, "\"PrinterStatus\"", {}},
      {tqr::kInquiryValue, tqr::kInquirySize, &Options::inquiryReply, &Options::inquiryFile,
       "\"Inquiry\"", {}},
  };
  // Both read and checked before either is stored.
  for (Reply& reply : replies) {
    if (!ReadReply(options, &reply)) return kExitUsage;
  }
  PrinterHandle printer;
  if (!printer.Open(options.printer, PRINTER_ALL_ACCESS)) {
    FailOpenPrinter("cannot open the printer to store its replies", options.printer);
    return kExitFailed;
  }
  for (Reply& reply : replies) {
    if (!reply.given) continue;
    const std::wstring value(reply.value, reply.value + std::char_traits<char16_t>::length(reply.value));
    const DWORD status = SetPrinterDataW(printer.get(), const_cast<LPWSTR>(value.c_str()),
                                         REG_BINARY, reply.bytes.data(),
                                         static_cast<DWORD>(reply.bytes.size()));
    if (status != ERROR_SUCCESS) {
      FailWithError("cannot store the printer data value", value, status);
      return kExitFailed;
    }
    Say("Stored the " + std::string(reply.name) + " reply (" + std::to_string(reply.bytes.size()) +
        " bytes) for \"" + Utf8(options.printer) + "\"");
  }
  return kExitOk;
}

}  // namespace tqrctl
