// install and uninstall: the driver package and the printer, through the spooler.
#include <windows.h>
#include <winspool.h>
// After windows.h, which it needs: the printer event codes.
#include <winddiui.h>

#include <cwchar>
#include <vector>

#include "tqrctl/commands.h"
#include "tqrctl/failure.h"
#include "tqrctl/job_port.h"
#include "tqrctl/package.h"
#include "tqrctl/printers.h"
#include "tqrctl/text.h"

namespace tqrctl {
namespace {

// Windows' spooler calls the configuration module's DrvPrinterEvent in its own process
// when a printer is made and before one is deleted; Wine's never does, so under Wine
// tqrctl calls it from its process, with the same arguments.
bool SendPrinterEvent(const std::wstring& name, HANDLE printer, int event) {
  std::wstring config;
  if (!GetConfigFile(printer, &config)) return FailLastError("cannot find the driver of", name);
  const HMODULE module = LoadLibraryExW(config.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
  if (module == nullptr) return FailLastError("cannot load the driver's module", config);
  using PrinterEventCall = BOOL(WINAPI*)(LPWSTR, INT, DWORD, LPARAM);
  const auto call = reinterpret_cast<PrinterEventCall>(
      reinterpret_cast<void*>(GetProcAddress(module, "DrvPrinterEvent")));
  bool done = true;
  if (call != nullptr) {
    std::wstring argument = name;
    if (!call(argument.data(), event, PRINTER_EVENT_FLAG_NO_UI, 0)) {
      done = FailLastError(event == PRINTER_EVENT_INITIALIZE
                               ? "DrvPrinterEvent(PRINTER_EVENT_INITIALIZE) failed for"
                               : "DrvPrinterEvent(PRINTER_EVENT_DELETE) failed for",
                           name);
    }
  }
  FreeLibrary(module);
  return done;
}

// Deletes a printer, telling its driver first; *port is the port it was on.
bool RemovePrinter(const std::wstring& name, std::wstring* port) {
  PrinterHandle printer;
  if (!printer.Open(name, PRINTER_ALL_ACCESS)) {
    return FailLastError("cannot open the printer", name);
  }
  if (!GetPrinterPort(printer.get(), port)) port->clear();
  // Windows deletes the printer whatever the driver answers.
  if (RunningUnderWine()) SendPrinterEvent(name, printer.get(), PRINTER_EVENT_DELETE);
  if (!DeletePrinter(printer.get())) return FailLastError("cannot delete the printer", name);
  return true;
}

bool AddDriver(const std::wstring& name, const Package& package) {
  std::wstring dependentFiles = MultiString(package.dependentFiles);
  DRIVER_INFO_3W info = {};
  info.cVersion = 3;
  info.pName = const_cast<LPWSTR>(name.c_str());
  info.pDriverPath = const_cast<LPWSTR>(package.driverFile.c_str());
  info.pDataFile = const_cast<LPWSTR>(package.dataFile.c_str());
  info.pConfigFile = const_cast<LPWSTR>(package.configFile.c_str());
  info.pHelpFile =
      package.helpFile.empty() ? nullptr : const_cast<LPWSTR>(package.helpFile.c_str());
  info.pDependentFiles = dependentFiles.data();
  info.pDefaultDataType = const_cast<LPWSTR>(L"RAW");
  // Without APD_COPY_FROM_DIRECTORY Wine 8 copies nothing and still reports success.
  if (!AddPrinterDriverExW(nullptr, 3, reinterpret_cast<BYTE*>(&info),
                           APD_COPY_ALL_FILES | APD_COPY_FROM_DIRECTORY)) {
    return FailLastError("cannot add the driver", name);
  }
  return true;
}

bool AddPrinterOnPort(const std::wstring& name, const std::wstring& driver,
                      const std::wstring& port) {
  PRINTER_INFO_2W info = {};
  info.pPrinterName = const_cast<LPWSTR>(name.c_str());
  info.pPortName = const_cast<LPWSTR>(port.c_str());
  info.pDriverName = const_cast<LPWSTR>(driver.c_str());
  info.pPrintProcessor = const_cast<LPWSTR>(L"winprint");
  info.pDatatype = const_cast<LPWSTR>(L"RAW");
  const HANDLE printer = AddPrinterW(nullptr, 2, reinterpret_cast<BYTE*>(&info));
  if (printer == nullptr) return FailLastError("cannot add the printer", name);

  const bool ready =
      !RunningUnderWine() || SendPrinterEvent(name, printer, PRINTER_EVENT_INITIALIZE);
  // As on Windows, a printer its driver could not take is not left behind.
  if (!ready) DeletePrinter(printer);
  ClosePrinter(printer);
  return ready;
}

// Everything install needs, found and checked before anything is changed, so that
// a refused install leaves the printer, its port and its driver as they were.
struct InstallPlan {
  Package package;
  std::wstring port;
  bool ownPort = false;  // made for the printer, with its jobs going to --port-file
  bool replacing = false;
  // Applications open their print dialogs on the default printer, and some
  // refuse to print without one: the printer becomes the default when asked,
  // when there is none, and again when it was the default before a reinstall.
  bool makeDefault = false;
};

std::string ListOf(const std::vector<std::wstring>& items) {
  std::string text;
  for (const std::wstring& item : items) text += (text.empty() ? "" : ", ") + Utf8(item);
  return text;
}

bool PlanInstall(const Options& options, InstallPlan* plan) {
  if (!FindPackage(options.dir, &plan->package)) return false;
  std::vector<std::wstring> ports;
  if (!ListPorts(&ports)) return false;
  if (!options.portFile.empty()) {
    if (!CheckJobFile(options.portFile)) return false;
    plan->port = OwnPortName(options.printer, options.portFile);
    plan->ownPort = true;
    if (PortListed(ports, plan->port) && !IsOwnPort(plan->port)) {
      return Fail(Phrase("there is a port", plan->port) +
                  " that tqrctl did not make; it stays as it is: remove it, or name the "
                  "printer otherwise");
    }
  } else {
    plan->port = options.port.empty() ? L"FILE:" : options.port;
    if (!PortListed(ports, plan->port)) {
      return Fail(Phrase("there is no port", plan->port) + "; the ports are " + ListOf(ports) +
                  ", or give --port-file for one of the printer's own");
    }
  }
  plan->replacing = PrinterExists(options.printer);
  std::wstring current;
  plan->makeDefault = options.makeDefault || !GetDefaultPrinterName(&current) ||
                      !PrinterExists(current) ||
                      (plan->replacing && _wcsicmp(current.c_str(), options.printer.c_str()) == 0);
  return true;
}

}  // namespace

int RunInstall(const Options& options) {
  InstallPlan plan;
  if (!PlanInstall(options, &plan)) return kExitFailed;
  // The driver first: the spooler may refuse it, and the printer being replaced
  // is still there then.
  if (!AddDriver(options.driver, plan.package) ||
      !CheckSpoolerCopies(options.driver, plan.package)) {
    return kExitFailed;
  }
  Say("Installed driver \"" + Utf8(options.driver) + "\" from " + Utf8(plan.package.folder));

  // Windows refuses to add a printer of a name that exists (Wine does not); a
  // reinstall starts from a new printer, with the driver's defaults.
  if (plan.replacing) {
    std::wstring oldPort;
    if (!RemovePrinter(options.printer, &oldPort)) return kExitFailed;
    Say("Removed the existing printer \"" + Utf8(options.printer) + "\"");
    if (_wcsicmp(oldPort.c_str(), plan.port.c_str()) != 0 && !RemoveOwnPortIfUnused(oldPort)) {
      return kExitFailed;
    }
  }
  if (plan.ownPort && !SetUpOwnPort(plan.port, options.portFile)) return kExitFailed;
  if (!AddPrinterOnPort(options.printer, options.driver, plan.port)) return kExitFailed;
  Say("Added printer \"" + Utf8(options.printer) + "\" on " + DescribeJobDestination(plan.port));
  if (plan.makeDefault) {
    if (!MakeDefaultPrinter(options.printer)) return kExitFailed;
    Say("\"" + Utf8(options.printer) + "\" is the default printer");
  }
  return kExitOk;
}

int RunUninstall(const Options& options) {
  // Nothing is removed for a printer that is not there: the name may be mistyped.
  if (!PrinterExists(options.printer)) {
    Fail(Phrase("there is no printer", options.printer) + "; nothing was removed");
    return kExitFailed;
  }
  std::wstring port;
  if (!RemovePrinter(options.printer, &port)) return kExitFailed;
  Say("Removed printer \"" + Utf8(options.printer) + "\"");
  if (!RemoveOwnPortIfUnused(port)) return kExitFailed;

  if (!DriverExists(options.driver)) {
    Say("No driver \"" + Utf8(options.driver) + "\"");
    return kExitOk;
  }
  // Windows refuses to delete a driver that a printer still uses; Wine deletes it and
  // leaves the printer without one. Keep to Windows' rule everywhere.
  std::vector<PrinterEntry> printers;
  if (!ListPrinters(&printers)) {
    FailLastError("cannot list the printers");
    return kExitFailed;
  }
  for (const PrinterEntry& printer : printers) {
    if (_wcsicmp(printer.driver.c_str(), options.driver.c_str()) == 0) {
      Say("Driver \"" + Utf8(options.driver) + "\" stays: printer \"" + Utf8(printer.printer) +
          "\" uses it");
      return kExitOk;
    }
  }
  LPWSTR driver = const_cast<LPWSTR>(options.driver.c_str());
  // Windows also deletes the files no other driver uses; Wine 8 takes no flags here
  // (ERROR_INVALID_PARAMETER) and keeps every file.
  if (!DeletePrinterDriverExW(nullptr, nullptr, driver, DPD_DELETE_UNUSED_FILES, 0) &&
      (GetLastError() != ERROR_INVALID_PARAMETER ||
       !DeletePrinterDriverExW(nullptr, nullptr, driver, 0, 0))) {
    FailLastError("cannot delete the driver", options.driver);
    return kExitFailed;
  }
  Say("Removed driver \"" + Utf8(options.driver) + "\"");
  return kExitOk;
}

}  // namespace tqrctl
