// Whole winspool calls, timed under Wine: what an application pays per
// DeviceCapabilitiesW and DocumentPropertiesW on our printer, against a printer
// of Wine's own PostScript driver (wineps.drv) and one whose config module does
// nothing (tqrbenchstub.dll, beside this program); then the spooler and file
// calls our driver makes per call, timed alone from this process.
//
// Not a ctest test: `make bench-wine` runs it for both drivers, each tree's in
// its own prefix. By hand, from the repository root, after a win64 build:
//   scripts/wine-run build/win64/bin/tqrctl.exe install      # our printer, once
//   scripts/wine-run build/win64/bin/bench_spooler_calls.exe [printer]
// The win32 tree's program times the x86 driver, wineps and the stub in a
// 32-bit process (scripts/wine-run --default-dir build/wine32 ... with that
// tree's tqrctl.exe and bench_spooler_calls.exe).
// The printer is "Orlex TQ-R5400" unless named. The two comparison printers are
// made at the start of the run and deleted at its end; the PostScript printer's
// page sizes are made from ours (as many, names as long). Each row of repeated
// calls is the mean over an iteration count chosen so that the row takes about
// one second, its figure the median of three rounds interleaved over the
// printers (a sub-microsecond call varies by half under a busy machine). Calls that happen once are timed in processes of their own (this
// program started again): the first call in a fresh process (--cold, the
// median of seven, as a process's start under Wine varies by a tenth either
// way); the first call a second after the description file was written anew
// (--replaced, the median of three); the second call in a process, the first
// of a new question, the first after an 11 s pause and the CPU spent over 15
// idle seconds after it (--one-offs, about half a minute per printer). Last,
// 64 printers of our model and 64 PostScript ones, asked round-robin over 1 to
// 64 of them, and the memory and handles of 100,000 such calls.
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
// Rounds of the rows of repeated calls, interleaved over the printers.
constexpr int kRounds = 3;

// The PostScript printer's description: the fixed part; its page sizes are
// made from our printer's own list (PageSizesLike), so that both drivers
// answer the same number of sizes with names of the same lengths.
constexpr char kPpdHeader[] =
    "*PPD-Adobe: \"4.3\"\n"
    "*FormatVersion: \"4.3\"\n"
    "*LanguageVersion: English\n"
    "*LanguageLevel: \"2\"\n"
    "*ColorDevice: False\n"
    "*ModelName: \"TQR bench PostScript\"\n"
    "*NickName: \"TQR bench PostScript\"\n";

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

void RemovePrinter(const wchar_t* printer) {
  PRINTER_DEFAULTSW access = {nullptr, nullptr, PRINTER_ALL_ACCESS};
  HANDLE handle = nullptr;
  if (OpenPrinterW(const_cast<LPWSTR>(printer), &handle, &access)) {
    DeletePrinter(handle);
    ClosePrinter(handle);
  }
}

void Remove(const wchar_t* printer, const wchar_t* driver) {
  RemovePrinter(printer);
  DeletePrinterDriverExW(nullptr, nullptr, const_cast<LPWSTR>(driver), 0, 0);
}

bool MakePrinter(const wchar_t* printer, const wchar_t* driver) {
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
  return MakePrinter(printer, driver);
}

std::wstring Folder(const std::wstring& path) { return path.substr(0, path.find_last_of(L"\\/") + 1); }

struct Row {
  double papers, names, size, document, papersWithRecord, documentWithRecord, cold, replaced;
  // One-off calls in a process of their own (OneOffs): the second call, the
  // first of a new question, the first after a pause; then the process's
  // CPU milliseconds over the idle seconds after its last call.
  double second, newQuestion, afterPause, idleCpu;
  int paperCount, sizeAnswer;
  LONG documentAnswer;
};

// The printer's own default record, as an application keeps it to pass back.
std::vector<BYTE> DefaultRecord(HANDLE printer, const wchar_t* name) {
  const LONG needed = DocumentPropertiesW(nullptr, printer, const_cast<LPWSTR>(name), nullptr, nullptr, 0);
  std::vector<BYTE> out(std::max<LONG>(needed, sizeof(DEVMODEW)) + 64);
  auto* dm = reinterpret_cast<DEVMODEW*>(out.data());
  dm->dmSize = sizeof(DEVMODEW);
  dm->dmDriverExtra = static_cast<WORD>(std::max<LONG>(needed - LONG{sizeof(DEVMODEW)}, 0));
  DocumentPropertiesW(nullptr, printer, const_cast<LPWSTR>(name), dm, nullptr, DM_OUT_BUFFER);
  return out;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values.empty() ? 0.0 : values[values.size() / 2];
}

// Runs this program again with `arguments` and returns the figures it
// wrote to a file named after them, or its exit code when it wrote none.
std::vector<double> Child(const std::wstring& arguments) {
  wchar_t module[MAX_PATH];
  GetModuleFileNameW(nullptr, module, MAX_PATH);
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  const std::wstring figures = std::wstring(temp) + L"tqrbench.figures";
  DeleteFileW(figures.c_str());
  std::wstring command = L"\"" + std::wstring(module) + L"\" " + arguments + L" \"" + figures + L"\"";
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process)) {
    return {};
  }
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD code = 0;
  GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  std::vector<double> out;
  if (FILE* file = _wfopen(figures.c_str(), L"r")) {
    double value = 0;
    while (std::fscanf(file, "%lf", &value) == 1) out.push_back(value);
    std::fclose(file);
    DeleteFileW(figures.c_str());
  }
  if (out.empty()) out.push_back(code);
  return out;
}

void WriteFigures(const char* path, const std::vector<double>& figures) {
  if (FILE* file = std::fopen(path, "w")) {
    for (const double figure : figures) std::fprintf(file, "%.3f\n", figure);
    std::fclose(file);
  }
}

std::wstring Quoted(const std::wstring& text) { return L"\"" + text + L"\""; }

// The first DC_PAPERS of a fresh process, the driver's loading included:
// this program started again with --cold. The median of seven.
double ColdCall(const wchar_t* name) {
  std::vector<double> runs;
  for (int i = 0; i < 7; ++i) runs.push_back(Child(L"--cold " + Quoted(name)).front());
  return Median(runs);
}

std::wstring DataFile(HANDLE printer) {
  DWORD needed = 0;
  GetPrinterDriverW(printer, nullptr, 2, nullptr, 0, &needed);
  std::vector<BYTE> buffer(std::max<DWORD>(needed, sizeof(DRIVER_INFO_2W)));
  if (!GetPrinterDriverW(printer, nullptr, 2, buffer.data(), needed, &needed)) return L"";
  const wchar_t* file = reinterpret_cast<DRIVER_INFO_2W*>(buffer.data())->pDataFile;
  return file != nullptr ? file : L"";
}

// Writes the file anew with the same bytes: a new last-write time, as when
// an installer replaces it.
void Rewrite(const std::wstring& path) {
  std::vector<char> bytes;
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  bytes.resize(GetFileSize(file, nullptr));
  DWORD done = 0;
  ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &done, nullptr);
  CloseHandle(file);
  file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                     FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &done, nullptr);
  CloseHandle(file);
}

// The first DC_PAPERS after the printer's description file (our .DDF, the
// PostScript printer's PPD) was written anew, a little over a second later,
// in a process that had asked once before (so that no worker of ours runs,
// which would have read the new file during the pause): the median of three.
double CallAfterReplacing(const wchar_t* name, const std::wstring& descriptionFile) {
  std::vector<double> runs;
  for (int i = 0; i < 3; ++i) {
    runs.push_back(Child(L"--replaced " + Quoted(name) + L" " + Quoted(descriptionFile)).front());
  }
  return Median(runs);
}

double TimeMicroseconds(const std::function<void()>& call) {
  const double start = Now();
  call();
  return (Now() - start) * 1e6;
}

double ProcessCpuMilliseconds() {
  FILETIME created, exited, kernel, user;
  GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
  const auto ticks = [](const FILETIME& t) {
    return (static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
  };
  return static_cast<double>(ticks(kernel) + ticks(user)) / 1e4;
}

constexpr DWORD kPauseMilliseconds = 11000;
constexpr DWORD kIdleMilliseconds = 15000;

// In a process of its own: the second DC_PAPERS, the first DC_PAPERNAMES
// right after it, the first DC_PAPERS after an 11 s pause, then the CPU the
// process spends over 15 idle seconds (a worker keeping printers warm).
std::vector<double> OneOffCalls(const wchar_t* name) {
  std::vector<WORD> papers(1024);
  std::vector<wchar_t> names(1024 * 64);
  const auto askPapers = [&] {
    DeviceCapabilitiesW(name, L"FILE:", DC_PAPERS, reinterpret_cast<LPWSTR>(papers.data()), nullptr);
  };
  askPapers();
  const double second = TimeMicroseconds(askPapers);
  const double newQuestion = TimeMicroseconds(
      [&] { DeviceCapabilitiesW(name, L"FILE:", DC_PAPERNAMES, names.data(), nullptr); });
  Sleep(kPauseMilliseconds);
  const double afterPause = TimeMicroseconds(askPapers);
  const double cpu = ProcessCpuMilliseconds();
  Sleep(kIdleMilliseconds);
  return {second, newQuestion, afterPause, ProcessCpuMilliseconds() - cpu};
}

double ReplacedCall(const wchar_t* name, const std::wstring& descriptionFile) {
  std::vector<WORD> papers(1024);
  const auto askPapers = [&] {
    DeviceCapabilitiesW(name, L"FILE:", DC_PAPERS, reinterpret_cast<LPWSTR>(papers.data()), nullptr);
  };
  askPapers();
  Rewrite(descriptionFile);
  Sleep(1100);
  return TimeMicroseconds(askPapers);
}

std::wstring OurDescription(HANDLE printer) {
  const std::wstring data = DataFile(printer);
  return Folder(data) + L"TQR54GFX.DDF";
}

// The calls that happen once, each in processes of their own, and the
// answers the repeated calls give.
Row MeasureOnce(const wchar_t* name, bool ours, bool oneOffs) {
  Row row = {};
  row.cold = ColdCall(name);
  if (oneOffs) {
    const std::vector<double> figures = Child(L"--one-offs " + Quoted(name));
    if (figures.size() == 4) {
      row.second = figures[0];
      row.newQuestion = figures[1];
      row.afterPause = figures[2];
      row.idleCpu = figures[3];
    }
  }
  HANDLE printer = nullptr;
  if (!OpenPrinterW(const_cast<LPWSTR>(name), &printer, nullptr)) {
    std::fprintf(stderr, "cannot open %s: error %lu\n", Narrow(name).c_str(), GetLastError());
    return row;
  }
  row.paperCount = DeviceCapabilitiesW(name, L"FILE:", DC_PAPERS, nullptr, nullptr);
  row.sizeAnswer = DeviceCapabilitiesW(name, L"FILE:", DC_SIZE, nullptr, nullptr);
  std::vector<BYTE> record = DefaultRecord(printer, name);
  row.documentAnswer = DocumentPropertiesW(nullptr, printer, const_cast<LPWSTR>(name),
                                           reinterpret_cast<DEVMODEW*>(record.data()), nullptr,
                                           DM_OUT_BUFFER);
  row.replaced = CallAfterReplacing(name, ours ? OurDescription(printer) : DataFile(printer));
  ClosePrinter(printer);
  return row;
}

// The repeated calls, into `row`.
void MeasureRepeated(const wchar_t* name, Row* row) {
  HANDLE printer = nullptr;
  if (!OpenPrinterW(const_cast<LPWSTR>(name), &printer, nullptr)) return;
  std::vector<WORD> papers(std::max(row->paperCount, 1) + 16);
  std::vector<wchar_t> names(papers.size() * 64);
  row->papers = Measure([&] { DeviceCapabilitiesW(name, L"FILE:", DC_PAPERS, reinterpret_cast<LPWSTR>(papers.data()), nullptr); });
  row->names = Measure([&] { DeviceCapabilitiesW(name, L"FILE:", DC_PAPERNAMES, names.data(), nullptr); });
  row->size = Measure([&] { DeviceCapabilitiesW(name, L"FILE:", DC_SIZE, nullptr, nullptr); });

  std::vector<BYTE> record = DefaultRecord(printer, name);
  auto* input = reinterpret_cast<DEVMODEW*>(record.data());
  row->papersWithRecord = Measure([&] {
    DeviceCapabilitiesW(name, L"FILE:", DC_PAPERS, reinterpret_cast<LPWSTR>(papers.data()), input);
  });
  std::vector<BYTE> out(record.size());
  auto* dm = reinterpret_cast<DEVMODEW*>(out.data());
  std::memcpy(out.data(), record.data(), record.size());
  row->document = Measure([&] {
    DocumentPropertiesW(nullptr, printer, const_cast<LPWSTR>(name), dm, nullptr, DM_OUT_BUFFER);
  });
  row->documentWithRecord = Measure([&] {
    DocumentPropertiesW(nullptr, printer, const_cast<LPWSTR>(name), dm, input,
                        DM_IN_BUFFER | DM_OUT_BUFFER);
  });
  ClosePrinter(printer);
}

// The PostScript page sizes made from our printer's paper list: one size per
// paper of ours, a keyword of its own and our name, so that both drivers
// answer as many sizes, with names as long.
std::string PageSizesLike(const wchar_t* ours) {
  const int count = DeviceCapabilitiesW(ours, L"FILE:", DC_PAPERS, nullptr, nullptr);
  if (count <= 0) return std::string();
  std::vector<wchar_t> names(64 * count);
  std::vector<POINT> sizes(count);
  DeviceCapabilitiesW(ours, L"FILE:", DC_PAPERNAMES, names.data(), nullptr);
  DeviceCapabilitiesW(ours, L"FILE:", DC_PAPERSIZE, reinterpret_cast<LPWSTR>(sizes.data()), nullptr);
  std::string ui = "*OpenUI *PageSize: PickOne\n*OrderDependency: 10 AnySetup *PageSize\n"
                   "*DefaultPageSize: S1\n";
  std::string areas = "*DefaultImageableArea: S1\n";
  std::string dimensions = "*DefaultPaperDimension: S1\n";
  for (int i = 0; i < count; ++i) {
    std::wstring wide(names.data() + 64 * i, wcsnlen(names.data() + 64 * i, 64));
    const std::string name = Narrow(wide);
    // 0.1 mm to PostScript points.
    const long width = sizes[i].x * 72 / 254;
    const long length = sizes[i].y * 72 / 254;
    char line[256];
    std::snprintf(line, sizeof line, "*PageSize S%d/%s: \"<</PageSize[%ld %ld]>>setpagedevice\"\n",
                  i + 1, name.c_str(), width, length);
    ui += line;
    std::snprintf(line, sizeof line, "*ImageableArea S%d/%s: \"18 18 %ld %ld\"\n", i + 1,
                  name.c_str(), width - 18, length - 18);
    areas += line;
    std::snprintf(line, sizeof line, "*PaperDimension S%d/%s: \"%ld %ld\"\n", i + 1, name.c_str(),
                  width, length);
    dimensions += line;
  }
  return ui + "*CloseUI: *PageSize\n" + areas + dimensions;
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

// The description's time, asked by name as the driver asks it.
void FileTimeByName(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data);
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
  line("GetFileAttributesExA, .DDF", Measure([&] { FileTimeByName(ddf); }));
  line("CreateFileA + GetFileTime + CloseHandle, .BDF", Measure([&] { FileTime(bdf); }));
  char label[80];
  std::snprintf(label, sizeof label, "read the .BDF whole (%lu bytes)", FileSize(bdf));
  line(label, Measure([&] { ReadWhole(bdf, bytes); }));
  std::vector<BYTE> record(kRecordSize);
  line("GetPrinterDataW \"TARNE NT\"", Measure([&] {
         DWORD type = 0, needed = 0;
         GetPrinterDataW(printer, const_cast<LPWSTR>(L"TARNE NT"), &type, record.data(), kRecordSize, &needed);
       }));
  line("GetPrinterW level 9, default record (size + fill)", Measure([&] {
         TwoCalls(buffer, [&](BYTE* b, DWORD s, DWORD* n) { GetPrinterW(printer, 9, b, s, n); });
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

// Many printers of one model, asked round-robin: N = 1 to 64 of ours
// against as many of Wine's PostScript driver, interleaved and repeated.
constexpr int kFleetSizes[] = {1, 4, 8, 16, 64};
constexpr int kFleetSize = 64;
constexpr int kFleetRounds = 3;

std::wstring DriverOf(const wchar_t* printer) {
  HANDLE handle = nullptr;
  if (!OpenPrinterW(const_cast<LPWSTR>(printer), &handle, nullptr)) return L"";
  std::vector<BYTE> buffer;
  TwoCalls(buffer, [&](BYTE* b, DWORD s, DWORD* n) { GetPrinterW(handle, 2, b, s, n); });
  ClosePrinter(handle);
  const wchar_t* driver =
      buffer.empty() ? nullptr : reinterpret_cast<PRINTER_INFO_2W*>(buffer.data())->pDriverName;
  return driver != nullptr ? driver : L"";
}

// `kFleetSize` printers of `driver` named "`prefix` 1" and on, opened.
struct Fleet {
  std::vector<std::wstring> names;
  std::vector<HANDLE> handles;

  bool Make(const std::wstring& prefix, const std::wstring& driver) {
    for (int i = 0; i < kFleetSize; ++i) {
      names.push_back(prefix + L" " + std::to_wstring(i + 1));
      RemovePrinter(names.back().c_str());
      HANDLE handle = nullptr;
      if (!MakePrinter(names.back().c_str(), driver.c_str()) ||
          !OpenPrinterW(names.back().data(), &handle, nullptr)) {
        return false;
      }
      handles.push_back(handle);
    }
    return true;
  }
  ~Fleet() {
    for (HANDLE handle : handles) ClosePrinter(handle);
    for (const std::wstring& name : names) RemovePrinter(name.c_str());
  }
};

struct FleetRow {
  double papers = 0;
  double document = 0;
};

// DC_PAPERS and DocumentPropertiesW round-robin over the first `count`
// printers, after two rounds that find every one of them asked before.
FleetRow RoundRobin(Fleet& fleet, int count) {
  std::vector<WORD> papers(1024);
  std::vector<BYTE> record(4096);
  auto* dm = reinterpret_cast<DEVMODEW*>(record.data());
  int next = 0;
  const auto askPapers = [&] {
    const std::wstring& name = fleet.names[next++ % count];
    DeviceCapabilitiesW(name.c_str(), L"FILE:", DC_PAPERS, reinterpret_cast<LPWSTR>(papers.data()),
                        nullptr);
  };
  const auto askDocument = [&] {
    const int i = next++ % count;
    DocumentPropertiesW(nullptr, fleet.handles[i], fleet.names[i].data(), dm, nullptr,
                        DM_OUT_BUFFER);
  };
  FleetRow row;
  for (int i = 0; i < 2 * count; ++i) askPapers();
  row.papers = Measure(askPapers);
  for (int i = 0; i < 2 * count; ++i) askDocument();
  row.document = Measure(askDocument);
  return row;
}

// The process's private memory committed, summed over its address space:
// Wine's process memory counters do not follow the heap.
double PrivateKb() {
  double total = 0;
  MEMORY_BASIC_INFORMATION region;
  for (const BYTE* at = nullptr; VirtualQuery(at, &region, sizeof region) == sizeof region;
       at = static_cast<const BYTE*>(region.BaseAddress) + region.RegionSize) {
    if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) total += region.RegionSize;
  }
  return total / 1024.0;
}

// The process's memory before and after 100,000 calls
// round-robin over the whole fleet, after 10,000 that warm it.
void MemoryOver(Fleet& fleet, const char* label) {
  std::vector<WORD> papers(1024);
  std::vector<BYTE> record(4096);
  auto* dm = reinterpret_cast<DEVMODEW*>(record.data());
  const auto calls = [&](int count) {
    for (int i = 0; i < count; ++i) {
      const int which = i % kFleetSize;
      if (i % 2 == 0) {
        DeviceCapabilitiesW(fleet.names[which].c_str(), L"FILE:", DC_PAPERS,
                            reinterpret_cast<LPWSTR>(papers.data()), nullptr);
      } else {
        DocumentPropertiesW(nullptr, fleet.handles[which], fleet.names[which].data(), dm, nullptr,
                            DM_OUT_BUFFER);
      }
    }
  };
  calls(10000);
  const double before = PrivateKb();
  calls(100000);
  const double after = PrivateKb();
  std::printf("  %-8s private memory %9.1f KB -> %9.1f KB (%+.1f KB)\n", label, before, after,
              after - before);
}

void MeasureFleets(const wchar_t* ours) {
  Fleet mine;
  Fleet theirs;
  if (!mine.Make(L"TQR bench ours", DriverOf(ours)) ||
      !theirs.Make(L"TQR bench ps", kWinepsDriver)) {
    std::fprintf(stderr, "cannot make the printers of the round-robin rows\n");
    return;
  }
  std::printf("\nMany printers round-robin, mean us/call (median of %d interleaved rounds;"
              " papers of the last: ours %d, wineps %d)\n",
              kFleetRounds,
              DeviceCapabilitiesW(mine.names.back().c_str(), L"FILE:", DC_PAPERS, nullptr, nullptr),
              DeviceCapabilitiesW(theirs.names.back().c_str(), L"FILE:", DC_PAPERS, nullptr, nullptr));
  std::printf("  %-34s %10s %10s %12s %12s\n", "call", "ours", "wineps", "ours/wineps",
              "min..max");
  for (const int count : kFleetSizes) {
    std::vector<double> papers[2], documents[2], paperRatios, documentRatios;
    for (int round = 0; round < kFleetRounds; ++round) {
      const FleetRow a = RoundRobin(mine, count);
      const FleetRow b = RoundRobin(theirs, count);
      papers[0].push_back(a.papers);
      papers[1].push_back(b.papers);
      documents[0].push_back(a.document);
      documents[1].push_back(b.document);
      paperRatios.push_back(a.papers / b.papers);
      documentRatios.push_back(a.document / b.document);
    }
    const auto line = [](const char* what, int n, std::vector<double>* values,
                         std::vector<double>& ratios) {
      char label[64];
      std::snprintf(label, sizeof label, "%s, N = %d", what, n);
      std::sort(ratios.begin(), ratios.end());
      std::printf("  %-34s %10.2f %10.2f %11.2fx %5.2f..%.2f\n", label, Median(values[0]),
                  Median(values[1]), Median(ratios), ratios.front(), ratios.back());
    };
    line("DC_PAPERS", count, papers, paperRatios);
    line("DocumentPropertiesW", count, documents, documentRatios);
  }
  std::printf("\nMemory over 100,000 calls across %d printers (DC_PAPERS and DocumentPropertiesW)\n",
              kFleetSize);
  MemoryOver(mine, "ours");
  MemoryOver(theirs, "wineps");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 2 && std::strcmp(argv[1], "--cold") == 0) {
    const std::wstring name(argv[2], argv[2] + std::strlen(argv[2]));
    std::vector<WORD> papers(256);
    const double start = Now();
    DeviceCapabilitiesW(name.c_str(), L"FILE:", DC_PAPERS, reinterpret_cast<LPWSTR>(papers.data()),
                        nullptr);
    return static_cast<int>((Now() - start) * 1e6);
  }
  if (argc > 3 && std::strcmp(argv[1], "--one-offs") == 0) {
    const std::wstring name(argv[2], argv[2] + std::strlen(argv[2]));
    WriteFigures(argv[3], OneOffCalls(name.c_str()));
    return 0;
  }
  if (argc > 4 && std::strcmp(argv[1], "--replaced") == 0) {
    const std::wstring name(argv[2], argv[2] + std::strlen(argv[2]));
    const std::wstring file(argv[3], argv[3] + std::strlen(argv[3]));
    WriteFigures(argv[4], {ReplacedCall(name.c_str(), file)});
    return 0;
  }
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
  const std::string ppdText = kPpdHeader + PageSizesLike(ours.c_str());
  const bool wrote = file != INVALID_HANDLE_VALUE &&
                     WriteFile(file, ppdText.data(), static_cast<DWORD>(ppdText.size()), &written,
                               nullptr);
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
    for (int i = 0; i < 3; ++i) rows[i] = MeasureOnce(printers[i], i == 0, i < 2);
    // The repeated rows: interleaved over the three printers, the median of
    // kRounds.
    std::vector<Row> rounds[3];
    for (int round = 0; round < kRounds; ++round) {
      for (int i = 0; i < 3; ++i) {
        rounds[i].push_back(rows[i]);
        MeasureRepeated(printers[i], &rounds[i].back());
      }
    }
    for (int i = 0; i < 3; ++i) {
      for (double Row::*field : {&Row::papers, &Row::names, &Row::size, &Row::document,
                                 &Row::papersWithRecord, &Row::documentWithRecord}) {
        std::vector<double> values;
        for (const Row& sample : rounds[i]) values.push_back(sample.*field);
        rows[i].*field = Median(values);
      }
    }

    std::printf("Whole calls through winspool, mean us/call, repeated rows the median of %d"
                " interleaved rounds (printer \"%s\")\n",
                kRounds, Narrow(ours).c_str());
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
    line("DC_PAPERS, the driver's own record", &Row::papersWithRecord);
    line("DocumentPropertiesW, own record in", &Row::documentWithRecord);
    line("DC_PAPERS, first in a fresh process", &Row::cold);
    line("DC_PAPERS, first after new description", &Row::replaced);
    line("DC_PAPERS, second in a process", &Row::second);
    line("DC_PAPERNAMES, first (new question)", &Row::newQuestion);
    line("DC_PAPERS, first after an 11 s pause", &Row::afterPause);
    line("CPU ms over 15 idle s after the last", &Row::idleCpu);
    std::printf("  answers (papers / DC_SIZE / DocumentPropertiesW):");
    for (int i = 0; i < 3; ++i) {
      std::printf("  %s %d/%d/%ld", labels[i], rows[i].paperCount, rows[i].sizeAnswer,
                  rows[i].documentAnswer);
    }
    std::printf("\n");
    Breakdown(ours.c_str());
    MeasureFleets(ours.c_str());
  } else {
    status = 1;
  }
  Remove(kWinepsPrinter, kWinepsDriver);
  Remove(kStubPrinter, kStubDriver);
  DeleteFileW(ppd.c_str());
  return status;
}
