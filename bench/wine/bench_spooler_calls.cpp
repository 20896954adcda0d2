// Whole winspool calls, timed under Wine: what an application pays per
// DeviceCapabilitiesW and DocumentPropertiesW on our printer, against a printer
// of Wine's own PostScript driver (wineps.drv) and one whose config module does
// nothing (tqrbenchstub.dll, beside this program); then the spooler and file
// calls our driver makes per call, timed alone from this process.
//
// Run it by hand (not a ctest test), from the repository root, after a win64 build:
//   cmake -S . -B build/win64 -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-win64.cmake
//   cmake --build build/win64
//   scripts/wine-run build/win64/bin/tqrctl.exe install      # our printer, once
//   scripts/wine-run build/win64/bin/bench_spooler_calls.exe [printer]
// The printer is "Orlex TQ-R5400" unless named. The two comparison printers are
// made at the start of the run and deleted at its end. Each row is the mean over
// an iteration count chosen so that the row takes about one second.
#include <windows.h>
#include <winspool.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace {

constexpr wchar_t kWinepsDriver[] = L"TQR bench wineps driver";
constexpr wchar_t kWinepsPrinter[] = L"TQR bench wineps";
constexpr wchar_t kStubDriver[] = L"TQR bench stub driver";
constexpr wchar_t kStubPrinter[] = L"TQR bench stub";
constexpr DWORD kRecordSize = 1748;

constexpr char kPpd[] =
    "*PPD-Adobe: \"4.3\"\n"
    "*FormatVersion: \"4.3\"\n"
    "*LanguageVersion: English\n"
    "*LanguageLevel: \"2\"\n"
    "*ColorDevice: False\n"
    "*ModelName: \"TQR bench PostScript\"\n"
    "*NickName: \"TQR bench PostScript\"\n"
    "*OpenUI *PageSize: PickOne\n"
    "*OrderDependency: 10 AnySetup *PageSize\n"
    "*DefaultPageSize: A4\n"
    "*PageSize A4/A4: \"<</PageSize[595 842]>>setpagedevice\"\n"
    "*PageSize Letter/Letter: \"<</PageSize[612 792]>>setpagedevice\"\n"
    "*PageSize Legal/Legal: \"<</PageSize[612 1008]>>setpagedevice\"\n"
    "*CloseUI: *PageSize\n"
    "*DefaultImageableArea: A4\n"
    "*ImageableArea A4/A4: \"18 18 577 824\"\n"
    "*ImageableArea Letter/Letter: \"18 18 594 774\"\n"
    "*ImageableArea Legal/Legal: \"18 18 594 990\"\n"
    "*DefaultPaperDimension: A4\n"
    "*PaperDimension A4/A4: \"595 842\"\n"
    "*PaperDimension Letter/Letter: \"612 792\"\n"
    "*PaperDimension Legal/Legal: \"612 1008\"\n";

std::string Narrow(const std::wstring& text) {
  const int size = WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string out(size > 0 ? size : 1, '\0');
  WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, out.data(), size, nullptr, nullptr);
  out.resize(out.size() - 1);
  return out;
}

double Now() {
  static const double frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return static_cast<double>(f.QuadPart);
  }();
  LARGE_INTEGER t;
  QueryPerformanceCounter(&t);
  return static_cast<double>(t.QuadPart) / frequency;
}

// Mean microseconds per call: a short run to size the real one (about 1 s,
// 200 calls at least), after a few calls that warm caches the way an
// application's first call does.
double Measure(const std::function<void()>& call) {
  for (int i = 0; i < 5; ++i) call();
  int n = 20;
  double start = Now();
  for (int i = 0; i < n; ++i) call();
  const double probe = (Now() - start) / n;
  n = static_cast<int>(std::clamp(1.0 / std::max(probe, 1e-9), 200.0, 200000.0));
  start = Now();
  for (int i = 0; i < n; ++i) call();
  return (Now() - start) / n * 1e6;
}

bool Exists(const wchar_t* printer) {
  HANDLE handle = nullptr;
  if (!OpenPrinterW(const_cast<LPWSTR>(printer), &handle, nullptr)) return false;
  ClosePrinter(handle);
  return true;
}

void Remove(const wchar_t* printer, const wchar_t* driver) {
  PRINTER_DEFAULTSW access = {nullptr, nullptr, PRINTER_ALL_ACCESS};
  HANDLE handle = nullptr;
  if (OpenPrinterW(const_cast<LPWSTR>(printer), &handle, &access)) {
    DeletePrinter(handle);
    ClosePrinter(handle);
  }
  DeletePrinterDriverExW(nullptr, nullptr, const_cast<LPWSTR>(driver), 0, 0);
}

bool Add(const wchar_t* printer, const wchar_t* driver, const std::wstring& driverPath,
         const std::wstring& configPath, const std::wstring& dataPath) {
  Remove(printer, driver);
  DRIVER_INFO_3W info = {};
  info.cVersion = 3;
  info.pName = const_cast<LPWSTR>(driver);
  info.pDriverPath = const_cast<LPWSTR>(driverPath.c_str());
  info.pDataFile = const_cast<LPWSTR>(dataPath.c_str());
  info.pConfigFile = const_cast<LPWSTR>(configPath.c_str());
  info.pDefaultDataType = const_cast<LPWSTR>(L"RAW");
  // Without APD_COPY_FROM_DIRECTORY, Wine reports success and copies nothing.
  if (!AddPrinterDriverExW(nullptr, 3, reinterpret_cast<LPBYTE>(&info),
                           APD_COPY_ALL_FILES | APD_COPY_FROM_DIRECTORY)) {
    std::fprintf(stderr, "AddPrinterDriverExW %s: error %lu\n", Narrow(driver).c_str(),
                 GetLastError());
    return false;
  }
  PRINTER_INFO_2W p = {};
  p.pPrinterName = const_cast<LPWSTR>(printer);
  p.pPortName = const_cast<LPWSTR>(L"FILE:");
  p.pDriverName = const_cast<LPWSTR>(driver);
  p.pPrintProcessor = const_cast<LPWSTR>(L"winprint");
  p.pDatatype = const_cast<LPWSTR>(L"RAW");
  const HANDLE handle = AddPrinterW(nullptr, 2, reinterpret_cast<LPBYTE>(&p));
  if (handle == nullptr) {
    std::fprintf(stderr, "AddPrinterW %s: error %lu\n", Narrow(printer).c_str(), GetLastError());
    return false;
  }
  ClosePrinter(handle);
  return true;
}

std::wstring Folder(const std::wstring& path) { return path.substr(0, path.find_last_of(L"\\/") + 1); }

struct Row {
  double papers, names, size, document;
  int paperCount, sizeAnswer;
  LONG documentAnswer;
};

Row MeasurePrinter(const wchar_t* name) {
  Row row = {};
  HANDLE printer = nullptr;
  if (!OpenPrinterW(const_cast<LPWSTR>(name), &printer, nullptr)) {
    std::fprintf(stderr, "cannot open %s: error %lu\n", Narrow(name).c_str(), GetLastError());
    return row;
  }
  row.paperCount = DeviceCapabilitiesW(name, L"FILE:", DC_PAPERS, nullptr, nullptr);
  std::vector<WORD> papers(std::max(row.paperCount, 1));
  std::vector<wchar_t> names(papers.size() * 64);
  row.papers = Measure([&] { DeviceCapabilitiesW(name, L"FILE:", DC_PAPERS, reinterpret_cast<LPWSTR>(papers.data()), nullptr); });
  row.names = Measure([&] { DeviceCapabilitiesW(name, L"FILE:", DC_PAPERNAMES, names.data(), nullptr); });
  row.sizeAnswer = DeviceCapabilitiesW(name, L"FILE:", DC_SIZE, nullptr, nullptr);
  row.size = Measure([&] { DeviceCapabilitiesW(name, L"FILE:", DC_SIZE, nullptr, nullptr); });

  const LONG needed = DocumentPropertiesW(nullptr, printer, const_cast<LPWSTR>(name), nullptr, nullptr, 0);
  std::vector<BYTE> out(std::max<LONG>(needed, sizeof(DEVMODEW)) + 64);
  auto* dm = reinterpret_cast<DEVMODEW*>(out.data());
  dm->dmSize = sizeof(DEVMODEW);
  dm->dmDriverExtra = static_cast<WORD>(std::max<LONG>(needed - LONG{sizeof(DEVMODEW)}, 0));
  row.documentAnswer = DocumentPropertiesW(nullptr, printer, const_cast<LPWSTR>(name), dm, nullptr, DM_OUT_BUFFER);
  row.document = Measure([&] {
    DocumentPropertiesW(nullptr, printer, const_cast<LPWSTR>(name), dm, nullptr, DM_OUT_BUFFER);
  });
  ClosePrinter(printer);
  return row;
}

// The two-call pattern of the spooler's Get/Enum calls: size, then fill.
template <typename Call>
void TwoCalls(std::vector<BYTE>& buffer, Call call) {
  DWORD needed = 0;
  call(nullptr, 0, &needed);
  if (buffer.size() < needed) buffer.resize(needed);
  call(buffer.data(), needed, &needed);
}

void FileTime(const std::string& path) {
  const HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  FILETIME written;
  GetFileTime(file, nullptr, nullptr, &written);
  CloseHandle(file);
}

void ReadWhole(const std::string& path, std::vector<char>& bytes) {
  const HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  const DWORD size = GetFileSize(file, nullptr);
  bytes.resize(size);
  DWORD read = 0;
  ReadFile(file, bytes.data(), size, &read, nullptr);
  CloseHandle(file);
}

DWORD FileSize(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return 0;
  return data.nFileSizeLow;
}

void Breakdown(const wchar_t* name) {
  HANDLE printer = nullptr;
  if (!OpenPrinterW(const_cast<LPWSTR>(name), &printer, nullptr)) return;
  std::vector<BYTE> buffer;
  TwoCalls(buffer, [&](BYTE* b, DWORD s, DWORD* n) { GetPrinterDriverW(printer, nullptr, 2, b, s, n); });
  const std::string ddf = Narrow(reinterpret_cast<DRIVER_INFO_2W*>(buffer.data())->pDataFile);
  const std::string bdf = ddf.substr(0, ddf.find_last_of('.')) + ".BDF";
  std::vector<char> bytes;

  std::printf("\nWhere our time goes: the pieces, one at a time (us/call)\n");
  const auto line = [](const char* what, double us) { std::printf("  %-52s %10.1f\n", what, us); };
  line("OpenPrinterW + ClosePrinter (by name)", Measure([&] {
         HANDLE h = nullptr;
         if (OpenPrinterW(const_cast<LPWSTR>(name), &h, nullptr)) ClosePrinter(h);
       }));
  line("GetPrinterDriverW level 2 (size + fill)", Measure([&] {
         TwoCalls(buffer, [&](BYTE* b, DWORD s, DWORD* n) { GetPrinterDriverW(printer, nullptr, 2, b, s, n); });
       }));
  line("CreateFileA + GetFileTime + CloseHandle, .DDF", Measure([&] { FileTime(ddf); }));
  line("CreateFileA + GetFileTime + CloseHandle, .BDF", Measure([&] { FileTime(bdf); }));
  char label[80];
  std::snprintf(label, sizeof label, "read the .BDF whole (%lu bytes)", FileSize(bdf));
  line(label, Measure([&] { ReadWhole(bdf, bytes); }));
  std::vector<BYTE> record(kRecordSize);
  line("GetPrinterDataW \"TARNE NT\"", Measure([&] {
         DWORD type = 0, needed = 0;
         GetPrinterDataW(printer, const_cast<LPWSTR>(L"TARNE NT"), &type, record.data(), kRecordSize, &needed);
       }));
  line("GetPrinterW level 2 (size + fill)", Measure([&] {
         TwoCalls(buffer, [&](BYTE* b, DWORD s, DWORD* n) { GetPrinterW(printer, 2, b, s, n); });
       }));
  DWORD forms = 0;
  line("EnumFormsW level 1 (size + fill)", Measure([&] {
         DWORD needed = 0;
         EnumFormsW(printer, 1, nullptr, 0, &needed, &forms);
         if (buffer.size() < needed) buffer.resize(needed);
         EnumFormsW(printer, 1, buffer.data(), needed, &needed, &forms);
       }));
  std::printf("  (.DDF %s %s; .BDF %s; %lu forms)\n", ddf.c_str(),
              GetFileAttributesA(ddf.c_str()) == INVALID_FILE_ATTRIBUTES ? "missing" : "present",
              GetFileAttributesA(bdf.c_str()) == INVALID_FILE_ATTRIBUTES ? "missing" : "present",
              forms);
  ClosePrinter(printer);
}

}  // namespace

int main(int argc, char** argv) {
  std::wstring ours = L"Orlex TQ-R5400";
  if (argc > 1) {
    ours.assign(argv[1], argv[1] + std::strlen(argv[1]));
  }
  if (!Exists(ours.c_str())) {
    std::fprintf(stderr, "no printer \"%s\": run tqrctl.exe install first\n", Narrow(ours).c_str());
    return 2;
  }

  wchar_t module[MAX_PATH];
  GetModuleFileNameW(nullptr, module, MAX_PATH);
  const std::wstring stub = Folder(module) + L"tqrbenchstub.dll";
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  const std::wstring ppd = std::wstring(temp) + L"tqrbench.ppd";
  const HANDLE file = CreateFileW(ppd.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  const bool wrote = file != INVALID_HANDLE_VALUE &&
                     WriteFile(file, kPpd, sizeof kPpd - 1, &written, nullptr);
  if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
  if (!wrote) {
    std::fprintf(stderr, "cannot write %s\n", Narrow(ppd).c_str());
    return 1;
  }
  int status = 0;
  if (Add(kWinepsPrinter, kWinepsDriver, L"wineps.drv", L"wineps.drv", ppd) &&
      Add(kStubPrinter, kStubDriver, stub, stub, ppd)) {
    const wchar_t* printers[] = {ours.c_str(), kWinepsPrinter, kStubPrinter};
    const char* labels[] = {"ours", "wineps", "stub"};
    Row rows[3];
    for (int i = 0; i < 3; ++i) rows[i] = MeasurePrinter(printers[i]);

    std::printf("Whole calls through winspool, mean us/call (printer \"%s\")\n",
                Narrow(ours).c_str());
    std::printf("  %-34s %10s %10s %10s %12s %12s\n", "call", labels[0], labels[1], labels[2],
                "ours/wineps", "ours/stub");
    const auto line = [&](const char* what, double Row::*field) {
      const double a = rows[0].*field, b = rows[1].*field, c = rows[2].*field;
      std::printf("  %-34s %10.1f %10.1f %10.1f %11.1fx %11.1fx\n", what, a, b, c,
                  b > 0 ? a / b : 0.0, c > 0 ? a / c : 0.0);
    };
    line("DeviceCapabilitiesW DC_PAPERS", &Row::papers);
    line("DeviceCapabilitiesW DC_PAPERNAMES", &Row::names);
    line("DeviceCapabilitiesW DC_SIZE", &Row::size);
    line("DocumentPropertiesW DM_OUT_BUFFER", &Row::document);
    std::printf("  answers (papers / DC_SIZE / DocumentPropertiesW):");
    for (int i = 0; i < 3; ++i) {
      std::printf("  %s %d/%d/%ld", labels[i], rows[i].paperCount, rows[i].sizeAnswer,
                  rows[i].documentAnswer);
    }
    std::printf("\n");
    Breakdown(ours.c_str());
  } else {
    status = 1;
  }
  Remove(kWinepsPrinter, kWinepsDriver);
  Remove(kStubPrinter, kStubDriver);
  DeleteFileW(ppd.c_str());
  return status;
}
