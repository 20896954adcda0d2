// Changes one thing of an installed printer from a process of its own, as
// another application or an administrator does, and exits with 0 when the
// change is made (2 when it could not be):
//   printer_changer description <text path>  the first paper name's first
//                                            letter changes case; the file is
//                                            replaced whole, as installers do
//   printer_changer default <printer>        the default record's copies
//                                            go from 1 to 2 or back
//   printer_changer data <printer>           the driver's stored settings
//                                            become 8 bytes of nothing valid
// Each change made twice undoes itself (the stored settings excepted, which
// the driver repairs).
#include <windows.h>
#include <winspool.h>

#include <cctype>
#include <cstring>
#include <string>
#include <vector>

namespace {

std::wstring Widen(const char* text) { return std::wstring(text, text + std::strlen(text)); }

bool ReadAll(const std::wstring& path, std::string* bytes) {
  const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  bytes->assign(GetFileSize(file, nullptr), '\0');
  DWORD done = 0;
  const BOOL read = ReadFile(file, bytes->data(), static_cast<DWORD>(bytes->size()), &done, nullptr);
  CloseHandle(file);
  return read && done == bytes->size();
}

bool ChangeDescription(const std::wstring& path) {
  std::string text;
  if (!ReadAll(path, &text)) return false;
  const std::string entry = "*PaperSize: DDF_STRUCT_PPER, \"";
  const std::size_t at = text.find(entry);
  if (at == std::string::npos) return false;
  char& letter = text[at + entry.size()];
  if (!std::isalpha(static_cast<unsigned char>(letter))) return false;
  letter = static_cast<char>(std::isupper(static_cast<unsigned char>(letter))
                                 ? std::tolower(static_cast<unsigned char>(letter))
                                 : std::toupper(static_cast<unsigned char>(letter)));
  const std::wstring temporary = path + L".changer.tmp";
  const HANDLE file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD done = 0;
  const BOOL written = WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &done, nullptr);
  CloseHandle(file);
  return written && done == text.size() &&
         MoveFileExW(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING);
}

bool ChangeDefaultRecord(HANDLE printer) {
  DWORD needed = 0;
  GetPrinterW(printer, 2, nullptr, 0, &needed);
  std::vector<BYTE> info(needed, 0);
  if (needed == 0 || !GetPrinterW(printer, 2, info.data(), needed, &needed)) return false;
  auto* printerInfo = reinterpret_cast<PRINTER_INFO_2W*>(info.data());
  DEVMODEW* record = printerInfo->pDevMode;
  if (record == nullptr) return false;
  record->dmFields |= DM_COPIES;
  record->dmCopies = static_cast<short>(record->dmCopies == 2 ? 1 : 2);
  printerInfo->pSecurityDescriptor = nullptr;
  return SetPrinterW(printer, 2, info.data(), 0) != 0;
}

bool ChangeStoredSettings(HANDLE printer) {
  BYTE nothing[8] = {'n', 'o', 't', 'h', 'i', 'n', 'g', 0};
  return SetPrinterDataW(printer, const_cast<LPWSTR>(L"TARNE NT"), REG_BINARY, nothing,
                         sizeof nothing) == ERROR_SUCCESS;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) return 2;
  const std::string what = argv[1];
  const std::wstring target = Widen(argv[2]);
  if (what == "description") return ChangeDescription(target) ? 0 : 2;
  PRINTER_DEFAULTSW access = {nullptr, nullptr, PRINTER_ALL_ACCESS};
  HANDLE printer = nullptr;
  if (!OpenPrinterW(const_cast<LPWSTR>(target.c_str()), &printer, &access)) return 2;
  bool done = false;
  if (what == "default") done = ChangeDefaultRecord(printer);
  if (what == "data") done = ChangeStoredSettings(printer);
  ClosePrinter(printer);
  return done ? 0 : 2;
}
