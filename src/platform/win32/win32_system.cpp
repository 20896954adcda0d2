#include <windows.h>
#include <winspool.h>

#include <cstddef>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/spooler_block.h"
#include "platform/win32/win32_ports.h"

static_assert(sizeof(wchar_t) == sizeof(char16_t), "UTF-16 wide characters");

namespace tqr::win32 {
namespace {

const wchar_t* Wide(const std::u16string& text) {
  return reinterpret_cast<const wchar_t*>(text.c_str());
}

// Room that holds the spooler's answer at the first try nearly always: each
// call is a round trip to the spooler, and asking for the size first doubled
// them. A longer answer is asked for again at the size the spooler names.
constexpr DWORD kFirstTry = 16384;

// One of the spooler's Get/Enum calls into `buffer`, which then holds the
// answer, cut to the size the spooler gave it. `call` takes the buffer, its
// size and where the size of the answer goes. An answer shorter than
// `least` bytes is none.
template <typename Call>
bool AskSpooler(std::vector<BYTE>* buffer, DWORD least, Call call) {
  buffer->assign(kFirstTry, 0);
  DWORD needed = 0;
  if (!call(buffer->data(), kFirstTry, &needed)) {
    if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || needed <= kFirstTry) return false;
    buffer->assign(needed, 0);
    if (!call(buffer->data(), needed, &needed) || needed > buffer->size()) return false;
  }
  if (needed < least) return false;
  buffer->resize(needed);
  return true;
}

// DRIVER_INFO_2W of the printer's driver.
bool ReadDriverInfo(PrinterHandle printer, std::vector<BYTE>* buffer) {
  return AskSpooler(buffer, sizeof(DRIVER_INFO_2W),
                    [printer](BYTE* data, DWORD size, DWORD* needed) {
                      return GetPrinterDriverW(static_cast<HANDLE>(printer), nullptr, 2, data,
                                               size, needed);
                    });
}

bool CopyDriverString(PrinterHandle printer, LPWSTR DRIVER_INFO_2W::*member,
                      std::u16string* out) {
  std::vector<BYTE> buffer;
  if (!ReadDriverInfo(printer, &buffer)) return false;
  const auto* info = reinterpret_cast<const DRIVER_INFO_2W*>(buffer.data());
  return CopyStringInBlock(buffer.data(), buffer.size(),
                           reinterpret_cast<const char16_t*>(info->*member), out);
}

}  // namespace

PrinterHandle Win32Spooler::OpenPrinterByName(const std::u16string& name) {
  HANDLE printer = nullptr;
  if (!OpenPrinterW(const_cast<LPWSTR>(Wide(name)), &printer, nullptr)) return nullptr;
  return printer;
}

void Win32Spooler::ClosePrinter(PrinterHandle printer) {
  if (printer != nullptr) ::ClosePrinter(static_cast<HANDLE>(printer));
}

bool Win32Spooler::GetDriverDataFile(PrinterHandle printer, std::u16string* path) {
  return CopyDriverString(printer, &DRIVER_INFO_2W::pDataFile, path);
}

bool Win32Spooler::GetDriverName(PrinterHandle printer, std::u16string* name) {
  return CopyDriverString(printer, &DRIVER_INFO_2W::pName, name);
}

bool Win32Spooler::GetDriverNameAndDataFile(PrinterHandle printer, std::u16string* name,
                                            std::u16string* path) {
  std::vector<BYTE> buffer;
  if (!ReadDriverInfo(printer, &buffer)) return false;
  const auto* info = reinterpret_cast<const DRIVER_INFO_2W*>(buffer.data());
  return CopyStringInBlock(buffer.data(), buffer.size(),
                           reinterpret_cast<const char16_t*>(info->pName), name) &&
         CopyStringInBlock(buffer.data(), buffer.size(),
                           reinterpret_cast<const char16_t*>(info->pDataFile), path);
}

std::uint32_t Win32Spooler::GetPrinterData(PrinterHandle printer, const std::u16string& name,
                                           std::uint32_t* type, void* buffer,
                                           std::uint32_t size, std::uint32_t* needed) {
  DWORD valueType = 0;
  DWORD stored = 0;
  const DWORD result = GetPrinterDataW(static_cast<HANDLE>(printer),
                                       const_cast<LPWSTR>(Wide(name)), &valueType,
                                       static_cast<LPBYTE>(buffer), size, &stored);
  *type = valueType;
  *needed = stored;
  return result;
}

std::uint32_t Win32Spooler::SetPrinterData(PrinterHandle printer, const std::u16string& name,
                                           std::uint32_t type, const void* data,
                                           std::uint32_t size) {
  return SetPrinterDataW(static_cast<HANDLE>(printer), const_cast<LPWSTR>(Wide(name)), type,
                         static_cast<LPBYTE>(const_cast<void*>(data)), size);
}

namespace {

// PRINTER_INFO_2W of the printer.
bool ReadPrinterInfo(HANDLE printer, std::vector<BYTE>* buffer) {
  return AskSpooler(buffer, sizeof(PRINTER_INFO_2W),
                    [printer](BYTE* data, DWORD size, DWORD* needed) {
                      return GetPrinterW(printer, 2, data, size, needed);
                    });
}

// The printer's name, as the spooler knows it; empty when unreadable.
std::wstring PrinterName(HANDLE printer) {
  std::vector<BYTE> buffer;
  if (!ReadPrinterInfo(printer, &buffer)) return std::wstring();
  const wchar_t* name = reinterpret_cast<const PRINTER_INFO_2W*>(buffer.data())->pPrinterName;
  return name != nullptr ? std::wstring(name) : std::wstring();
}

}  // namespace

// SetPrinterDataW keeps its values under the printer's "PrinterDriverData"
// key; the keyed call removes them there. Wine 8 has no DeletePrinterDataW
// and answers the keyed call with ERROR_INVALID_PARAMETER without doing
// anything; its spooler keeps the values in the registry, where they are
// removed directly then.
std::uint32_t Win32Spooler::DeletePrinterData(PrinterHandle printer, const std::u16string& name) {
  const DWORD result =
      DeletePrinterDataExW(static_cast<HANDLE>(printer), L"PrinterDriverData", Wide(name));
  if (result != ERROR_INVALID_PARAMETER && result != ERROR_CALL_NOT_IMPLEMENTED) return result;
  const std::wstring printerName = PrinterName(static_cast<HANDLE>(printer));
  if (printerName.empty()) return result;
  const std::wstring key = L"System\\CurrentControlSet\\Control\\Print\\Printers\\" +
                           printerName + L"\\PrinterDriverData";
  return static_cast<std::uint32_t>(
      RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, key.c_str(), Wide(name)));
}

namespace {

// The record alone, at level 9 (the user's own) or 8 (the printer's global
// one): null when the spooler cannot answer the level or holds none there.
const DEVMODEW* ReadDefaultRecordAt(HANDLE printer, DWORD level, std::vector<BYTE>* buffer) {
  static_assert(offsetof(PRINTER_INFO_8W, pDevMode) == offsetof(PRINTER_INFO_9W, pDevMode));
  if (!AskSpooler(buffer, sizeof(PRINTER_INFO_9W),
                  [printer, level](BYTE* data, DWORD size, DWORD* needed) {
                    return GetPrinterW(printer, level, data, size, needed);
                  })) {
    return nullptr;
  }
  return reinterpret_cast<const PRINTER_INFO_9W*>(buffer->data())->pDevMode;
}

}  // namespace

// The record of PRINTER_INFO_2W is the user's own when one is set, else the
// printer's global one: levels 9 and 8 hold exactly these. They are asked
// first because they carry the record alone, where level 2 makes the
// spooler gather every string of the printer too (under Wine 185 us
// against 650 to 1100 for level 2, on every fresh reading of the printer).
// Level 2 stays the answer whenever neither gives a record.
bool Win32Spooler::GetPrinterDefaultRecord(PrinterHandle printer,
                                           std::vector<std::uint8_t>* record) {
  const HANDLE handle = static_cast<HANDLE>(printer);
  std::vector<BYTE> buffer;
  const DEVMODEW* devmode = nullptr;
  for (const DWORD level : {9u, 8u}) {
    devmode = ReadDefaultRecordAt(handle, level, &buffer);
    if (devmode != nullptr) break;
  }
  if (devmode == nullptr) {
    if (!ReadPrinterInfo(handle, &buffer)) return false;
    devmode = reinterpret_cast<const PRINTER_INFO_2W*>(buffer.data())->pDevMode;
  }
  // Only as much of the record as the spooler's block holds: a record
  // claiming more than that is then seen as short, not read past the block.
  *record = CopyRecordInBlock(buffer.data(), buffer.size(), devmode);
  return true;
}

bool Win32Spooler::EnumForms(PrinterHandle printer, std::vector<FormInfo>* forms) {
  DWORD count = 0;
  std::vector<BYTE> buffer;
  if (!AskSpooler(&buffer, 1, [printer, &count](BYTE* data, DWORD size, DWORD* needed) {
        return EnumFormsW(static_cast<HANDLE>(printer), 1, data, size, needed, &count);
      })) {
    return false;
  }
  const auto* info = reinterpret_cast<const FORM_INFO_1W*>(buffer.data());
  forms->clear();
  for (DWORD i = 0; i < count; ++i) {
    FormInfo form;
    form.flags = info[i].Flags;
    if (info[i].pName != nullptr) form.name = reinterpret_cast<const char16_t*>(info[i].pName);
    form.width = info[i].Size.cx;
    form.length = info[i].Size.cy;
    forms->push_back(form);
  }
  return true;
}

namespace {

// FORM_INFO_1W of a form, its printable area the whole sheet. `name` keeps
// the text the record points at alive.
FORM_INFO_1W FormRecord(const FormInfo& form, std::u16string* name) {
  *name = form.name;
  FORM_INFO_1W info{};
  info.Flags = form.flags;
  info.pName = reinterpret_cast<LPWSTR>(name->data());
  info.Size.cx = form.width;
  info.Size.cy = form.length;
  info.ImageableArea.left = 0;
  info.ImageableArea.top = 0;
  info.ImageableArea.right = form.width;
  info.ImageableArea.bottom = form.length;
  return info;
}

std::uint32_t LastErrorOf(BOOL done) {
  if (done) return kErrorSuccess;
  const DWORD error = GetLastError();
  // A failure that names no reason is still a failure.
  return error != ERROR_SUCCESS ? error : ERROR_GEN_FAILURE;
}

}  // namespace

std::uint32_t Win32Spooler::AddForm(PrinterHandle printer, const FormInfo& form) {
  std::u16string name;
  FORM_INFO_1W info = FormRecord(form, &name);
  return LastErrorOf(AddFormW(static_cast<HANDLE>(printer), 1, reinterpret_cast<LPBYTE>(&info)));
}

std::uint32_t Win32Spooler::SetForm(PrinterHandle printer, const std::u16string& name,
                                    const FormInfo& form) {
  std::u16string formName;
  FORM_INFO_1W info = FormRecord(form, &formName);
  std::u16string target = name;
  return LastErrorOf(SetFormW(static_cast<HANDLE>(printer), reinterpret_cast<LPWSTR>(target.data()),
                              1, reinterpret_cast<LPBYTE>(&info)));
}

std::uint32_t Win32Spooler::DeleteForm(PrinterHandle printer, const std::u16string& name) {
  std::u16string target = name;
  return LastErrorOf(DeleteFormW(static_cast<HANDLE>(printer), reinterpret_cast<LPWSTR>(target.data())));
}

bool Win32Machine::WideToAnsi(const std::u16string& text, std::size_t capacity,
                              std::string* out) {
  if (capacity == 0) return false;
  std::vector<char> buffer(capacity);
  const int written = WideCharToMultiByte(CP_ACP, 0, Wide(text), -1, buffer.data(),
                                          static_cast<int>(capacity), nullptr, nullptr);
  if (written <= 0) return false;
  out->assign(buffer.data());
  return true;
}

std::u16string Win32Machine::AnsiToWide(const std::string& text) {
  const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0);
  std::u16string wide(static_cast<std::size_t>(length > 0 ? length : 0), u'\0');
  if (length > 0) {
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                        reinterpret_cast<wchar_t*>(wide.data()), length);
  }
  return wide;
}

std::uint32_t Win32Machine::ProcessId() { return GetCurrentProcessId(); }

// An id no process has is refused as a parameter; a process of another
// user may refuse to be opened, and is taken as running.
bool Win32Machine::IsProcessRunning(std::uint32_t processId) {
  const HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, processId);
  if (process == nullptr) return GetLastError() != ERROR_INVALID_PARAMETER;
  const bool running = WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
  CloseHandle(process);
  return running;
}

bool Win32Machine::ReadUserCountry(std::u16string* text) {
  HKEY panel = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, L"Control Panel", 0, KEY_READ, &panel) != ERROR_SUCCESS) {
    return false;
  }
  HKEY international = nullptr;
  const LONG opened = RegOpenKeyExW(panel, L"International", 0, KEY_READ, &international);
  RegCloseKey(panel);
  if (opened != ERROR_SUCCESS) return false;
  // 32 bytes, as much as the value ever holds; a longer value is unreadable.
  wchar_t value[17] = {};
  DWORD size = 32;
  DWORD type = 0;
  const LONG read = RegQueryValueExW(international, L"iCountry", nullptr, &type,
                                     reinterpret_cast<LPBYTE>(value), &size);
  RegCloseKey(international);
  if (read != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return false;
  value[size / sizeof(wchar_t) < 16 ? size / sizeof(wchar_t) : 16] = L'\0';
  text->assign(reinterpret_cast<const char16_t*>(value));
  return true;
}

// The x86 driver in a 32-bit process of a 64-bit Windows (WoW64) would see
// System32 redirected to SysWOW64 and keep a user print mode file apart from
// the x64 driver's. The file is one per machine, so such a process names the
// native System32 by the alias WoW64 gives it, Sysnative.
std::string Win32Machine::SystemDirectory() {
  char path[MAX_PATH] = {};
  BOOL wow64 = FALSE;
  if (IsWow64Process(GetCurrentProcess(), &wow64) && wow64) {
    const UINT length = GetSystemWindowsDirectoryA(path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return std::string();
    const std::string native = std::string(path, length) + "\\Sysnative";
    if (GetFileAttributesA(native.c_str()) != INVALID_FILE_ATTRIBUTES) return native;
  }
  const UINT length = GetSystemDirectoryA(path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return std::string();
  return std::string(path, length);
}

void Win32Machine::SetLastError(std::uint32_t code) { ::SetLastError(code); }

Win32Machine::Win32Machine() : slot_(TlsAlloc()) {}

Win32Machine::~Win32Machine() {
  if (slot_ != TLS_OUT_OF_INDEXES) TlsFree(slot_);
}

// TlsGetValue leaves the last error alone only when it succeeds; a caller's
// last error must survive the driver's bookkeeping.
void* Win32Machine::ThreadValue() {
  if (slot_ == TLS_OUT_OF_INDEXES) return nullptr;
  const DWORD lastError = GetLastError();
  void* value = TlsGetValue(slot_);
  ::SetLastError(lastError);
  return value;
}

void Win32Machine::SetThreadValue(void* value) {
  if (slot_ != TLS_OUT_OF_INDEXES) TlsSetValue(slot_, value);
}

void Win32Trace::Unhandled(const char* call, const char* what, std::uint32_t value) {
  char line[160];
  std::snprintf(line, sizeof line, "tqr54ui: %s: unhandled %s %lu\n", call, what,
                static_cast<unsigned long>(value));
  // The report must not change what the call tells its caller.
  const DWORD lastError = GetLastError();
  OutputDebugStringA(line);
  SetLastError(lastError);
}

std::uint64_t Win32Clock::NowMilliseconds() { return GetTickCount64(); }

Ports Win32Ports() {
  static Win32FileSystem files;
  static Win32Spooler spooler;
  static Win32Machine machine;
  static Win32Trace trace;
  static Win32Clock clock;
  static Win32Worker worker;
  return Ports{&files, &spooler, &machine, &trace, &clock, &worker};
}

}  // namespace tqr::win32
