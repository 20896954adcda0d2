// A config module that does nothing but answer: the cost of winspool's own path
// to a driver, for bench_spooler_calls. Same record size as ours (1748 bytes),
// a fixed record copied out, constant capability answers.
#include "platform/win32/driver_kit.h"

#include <cstring>
#include <cwchar>

namespace {

constexpr DWORD kRecordSize = 1748;

const BYTE* Record() {
  static BYTE record[kRecordSize];
  static const bool made = [] {
    auto* dm = reinterpret_cast<DEVMODEW*>(record);
    std::wcscpy(dm->dmDeviceName, L"TQR bench stub");
    dm->dmSize = sizeof(DEVMODEW);
    dm->dmDriverExtra = static_cast<WORD>(kRecordSize - sizeof(DEVMODEW));
    dm->dmFields = DM_ORIENTATION | DM_PAPERSIZE | DM_COPIES;
    dm->dmOrientation = DMORIENT_PORTRAIT;
    dm->dmPaperSize = DMPAPER_A4;
    dm->dmCopies = 1;
    return true;
  }();
  (void)made;
  return record;
}

constexpr WORD kPapers[] = {DMPAPER_A4, DMPAPER_LETTER, DMPAPER_LEGAL};
constexpr const wchar_t* kPaperNames[] = {L"A4", L"Letter", L"Legal"};
constexpr DWORD kPaperCount = 3;

}  // namespace

LONG WINAPI DrvDocumentPropertySheets(PPROPSHEETUI_INFO info, LPARAM lParam) {
  if (info != nullptr || lParam == 0) return -1;
  auto* header = reinterpret_cast<DOCUMENTPROPERTYHEADER*>(lParam);
  if (header->fMode == 0 || header->pdmOut == nullptr) {
    header->cbOut = kRecordSize;
    return static_cast<LONG>(kRecordSize);
  }
  if (header->fMode & DM_OUT_BUFFER) std::memcpy(header->pdmOut, Record(), kRecordSize);
  return IDOK;
}

DWORD WINAPI DrvDeviceCapabilities(HANDLE, PWSTR, WORD capability, PVOID output,
                                              PDEVMODEW) {
  switch (capability) {
    case DC_PAPERS:
      if (output != nullptr) std::memcpy(output, kPapers, sizeof(kPapers));
      return kPaperCount;
    case DC_PAPERNAMES:
      if (output != nullptr) {
        auto* names = static_cast<wchar_t*>(output);
        std::memset(names, 0, kPaperCount * 64 * sizeof(wchar_t));
        for (DWORD i = 0; i < kPaperCount; ++i) std::wcscpy(names + i * 64, kPaperNames[i]);
      }
      return kPaperCount;
    case DC_SIZE:
      return sizeof(DEVMODEW);
    case DC_EXTRA:
      return kRecordSize - sizeof(DEVMODEW);
    default:
      return 0;
  }
}
