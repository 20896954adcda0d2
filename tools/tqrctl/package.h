// The driver package: which files the spooler copies, found in one folder.
#pragma once

#include <string>
#include <vector>

namespace tqrctl {

// The same names as in tqr54.inf.
constexpr wchar_t kUiModule[] = L"tqr54ui.dll";
constexpr wchar_t kDescriptionFile[] = L"TQR54GFX.DDF";
// Not in the INF: what Wine's PostScript renderer, which renders every printer
// there, reads as the printer's data file.
constexpr wchar_t kRendererDescriptionFile[] = L"TQR54GFX.PPD";
constexpr wchar_t kHelpFile[] = L"TQR54GFX.HLP";
constexpr const wchar_t* kIniFiles[] = {L"TQR54GFX.ini", L"tqr54bas.ini", L"tqr54wrk.ini"};

// Full paths of the package's files in one folder.
struct Package {
  std::wstring folder;
  // The rendering module is not ours; as in the INF, the interface module stands in
  // for it, because the spooler wants a driver file.
  std::wstring driverFile;
  std::wstring configFile;
  // The description, as in the INF; under Wine the renderer's page description,
  // with the driver's description beside it among the dependent files (the
  // driver finds it in the data file's folder).
  std::wstring dataFile;
  std::wstring helpFile;  // empty when the folder has no help file
  std::vector<std::wstring> dependentFiles;
};

// The package in `folder` (relative to the current folder, or empty for the folder
// of tqrctl.exe). Reports and returns false when a file the driver needs is missing.
bool FindPackage(const std::wstring& folder, Package* package);

// After AddPrinterDriverExW: every file of the package is in the spooler's driver
// folder as it is in the package. Wine's spooler keeps a file that a process has
// loaded and still reports success; this says which file and why.
bool CheckSpoolerCopies(const std::wstring& driver, const Package& package);

// "a\0b\0\0", the form of DRIVER_INFO_3W's pDependentFiles.
std::wstring MultiString(const std::vector<std::wstring>& items);

}  // namespace tqrctl
