#include "tqrctl/document_record.h"

#include <winspool.h>

#include <cstddef>
#include <cstring>

#include "platform/spooler_block.h"
#include "tqrctl/failure.h"
#include "tqrctl/record_report.h"

namespace tqrctl {
namespace {

bool ReadPrinterInfo(HANDLE printer, std::vector<BYTE>* block) {
  DWORD needed = 0;
  for (int attempt = 0; attempt < 3; ++attempt) {
    block->assign(needed, 0);
    if (GetPrinterW(printer, 2, block->empty() ? nullptr : block->data(), needed, &needed)) {
      return true;
    }
    if (GetLastError() != ERROR_INSUFFICIENT_BUFFER) break;
  }
  return FailLastError("cannot read the printer's information (GetPrinterW level 2)");
}

}  // namespace

bool AskDocumentRecord(HANDLE printer, const std::wstring& name, const tqr::DRVDEVMODE* input,
                       tqr::DRVDEVMODE* record) {
  LPWSTR device = const_cast<LPWSTR>(name.c_str());
  const LONG size = DocumentPropertiesW(nullptr, printer, device, nullptr, nullptr, 0);
  if (size != static_cast<LONG>(sizeof(tqr::DRVDEVMODE))) {
    return FailLastError("the driver gives no record of its own size for", name);
  }
  // Wine's spooler takes the output buffer's size from its dmSize word.
  std::vector<BYTE> output(sizeof(tqr::DRVDEVMODE), 0);
  const WORD publicSize = tqr::kPublicSize;
  std::memcpy(output.data() + offsetof(DEVMODEW, dmSize), &publicSize, sizeof publicSize);
  tqr::DRVDEVMODE in;
  if (input != nullptr) std::memcpy(static_cast<void*>(&in), input, sizeof in);
  const LONG answer = DocumentPropertiesW(
      nullptr, printer, device, reinterpret_cast<DEVMODEW*>(output.data()),
      input != nullptr ? reinterpret_cast<DEVMODEW*>(&in) : nullptr,
      DM_OUT_BUFFER | (input != nullptr ? DM_IN_BUFFER : 0));
  if (answer != IDOK) return FailLastError("DocumentPropertiesW failed for", name);
  std::string why;
  if (!HoldsDriverRecord(output, &why)) {
    return Fail(Phrase("the driver's record for", name) + " is not its own: " + why);
  }
  std::memcpy(static_cast<void*>(record), output.data(), sizeof *record);
  return true;
}

bool ReadDefaultRecord(HANDLE printer, std::vector<BYTE>* bytes) {
  std::vector<BYTE> block;
  if (!ReadPrinterInfo(printer, &block)) return false;
  const DEVMODEW* devmode = reinterpret_cast<const PRINTER_INFO_2W*>(block.data())->pDevMode;
  // Read only as far as the spooler's block reaches, whatever the record says.
  *bytes = devmode != nullptr ? tqr::CopyRecordInBlock(block.data(), block.size(), devmode)
                              : std::vector<BYTE>();
  return true;
}

bool StoreDefaultRecord(HANDLE printer, const tqr::DRVDEVMODE& record) {
  std::vector<BYTE> block;
  if (!ReadPrinterInfo(printer, &block)) return false;
  auto* info = reinterpret_cast<PRINTER_INFO_2W*>(block.data());
  tqr::DRVDEVMODE copy;
  std::memcpy(static_cast<void*>(&copy), &record, sizeof copy);
  info->pDevMode = reinterpret_cast<DEVMODEW*>(&copy);
  // The rest of the printer stays as it is; its security is not ours to rewrite.
  info->pSecurityDescriptor = nullptr;
  if (!SetPrinterW(printer, 2, block.data(), 0)) {
    return FailLastError("cannot store the printer's default settings (SetPrinterW level 2)");
  }
  return true;
}

}  // namespace tqrctl
