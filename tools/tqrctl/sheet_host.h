// A property sheet host of our own, which calls a printer driver's sheet entry
// points (DrvDocumentPropertySheets, DrvDevicePropertySheets) the way the common
// property sheet UI does: initialise, get the header, show the pages the driver
// added, hand the driver the result its pages report, destroy. Wine's host
// leaves out the result and the header, so tqrctl and the tests use this one to
// see the whole round trip.
#pragma once

#include <windows.h>
// After windows.h, which they need.
#include <commctrl.h>
#include <compstui.h>

#include <string>
#include <vector>

namespace tqrctl {

// A sheet entry point (DrvDocumentPropertySheets, DrvDevicePropertySheets, or
// a host's callback of the same shape). MinGW's PFNPROPSHEETUI leaves out the
// calling convention, which on x86 would call these stdcall functions as cdecl
// and unbalance the stack.
using SheetEntry = LONG(CALLBACK*)(PPROPSHEETUI_INFO info, LPARAM parameter);

// Values of the driver kit that MinGW's headers leave out.
constexpr WORD kReasonBeforeInit = 5;      // PROPSHEETUI_REASON_BEFORE_INIT
constexpr WORD kDeviceNoPermission = 1;    // DPS_NOPERMISSION
constexpr DWORD kModeNoPermission = 0x20;  // DM_NOPERMISSION

// The config module an installed printer names, loaded as the spooler loads it.
class ConfigModule {
 public:
  ConfigModule() = default;
  ~ConfigModule();
  ConfigModule(const ConfigModule&) = delete;
  ConfigModule& operator=(const ConfigModule&) = delete;

  // Reports and returns false when the printer names no module or it cannot be
  // loaded or lacks an entry point.
  bool Load(HANDLE printer);
  const std::wstring& path() const { return path_; }
  SheetEntry DocumentSheets() const { return document_; }
  SheetEntry DeviceSheets() const { return device_; }

 private:
  HMODULE module_ = nullptr;
  std::wstring path_;
  SheetEntry document_ = nullptr;
  SheetEntry device_ = nullptr;
};

// One sheet, hosted from INIT to DESTROY. The driver sees one PROPSHEETUI_INFO
// for the whole life of the sheet, as the platform's host gives it.
class SheetHost {
 public:
  // `header` is the DOCUMENTPROPERTYHEADER or DEVICEPROPERTYHEADER the driver
  // gets as lParamInit; it must outlive the host.
  SheetHost(SheetEntry entry, LPARAM header);
  // Destroys the pages never shown and, when INIT succeeded and DESTROY was
  // not sent yet, sends it.
  ~SheetHost();
  SheetHost(const SheetHost&) = delete;
  SheetHost& operator=(const SheetHost&) = delete;

  // PROPSHEETUI_REASON_INIT; the driver adds its pages through our callback.
  LONG Init();
  // PROPSHEETUI_REASON_GET_INFO_HEADER into header().
  LONG GetInfoHeader(HWND owner);
  // PropertySheetW, modal, with the pages added, captioned and iconed as the
  // header says. Its answer (> 0 for OK), or 0 without a window when the driver
  // added no page (ended() then stays false).
  INT_PTR Show(HWND owner);
  // PROPSHEETUI_REASON_SET_RESULT with a SETRESULT_INFO naming `from` (a page's
  // value, or the sheet's own handle when null).
  LONG SetResult(LRESULT result, HANDLE from = nullptr);
  // The sheet's outcome for a driver whose pages reported none while it was
  // up: SET_RESULT with `outcome`. Nothing is sent, and 0 returned, when a page
  // reported already.
  LONG DeliverOutcome(LRESULT outcome);
  // PROPSHEETUI_REASON_DESTROY: the parameter is nonzero when the user closed
  // the sheet with OK or Cancel.
  LONG Destroy();
  // Any reason, with the parameter as given: for the reasons the host never sends.
  LONG Call(WORD reason, LPARAM parameter);

  // After Show: whether the sheet ended with OK.
  bool confirmed() const { return confirmed_; }
  bool ended() const { return ended_; }
  const PROPSHEETUI_INFO& info() const { return info_; }
  const PROPSHEETUI_INFO_HEADER& header() const { return header_; }
  // The caption Show gives the sheet, from the header.
  std::wstring Caption() const;
  // The value our callback returned for each page the driver added.
  const std::vector<LONG_PTR>& pageValues() const { return pageValues_; }
  // Results the driver's pages reported through CPSFUNC_SET_RESULT, each
  // passed on to the driver at once, as the platform's host does.
  struct Report {
    HANDLE from;
    LRESULT result;
    LONG answer;  // the driver's answer to the SET_RESULT reason
  };
  const std::vector<Report>& reports() const { return reports_; }
  // What the driver asked of the host that it does not do or that was wrong,
  // one line each.
  const std::vector<std::string>& complaints() const { return complaints_; }
  // Whether the header's icon was found, and where.
  const std::string& iconSource() const { return iconSource_; }

 private:
  static LONG_PTR CALLBACK HostCallback(HANDLE sheet, UINT function, LPARAM one, LPARAM two);
  LONG_PTR AddPage(HPROPSHEETPAGE page);
  LONG_PTR PageReports(HANDLE from, LRESULT result);
  // The header's icon: the driver's resource, or the host's standard one.
  HICON LoadHeaderIcon();
  bool KnowsHandle(HANDLE handle) const;

  SheetEntry entry_;
  PROPSHEETUI_INFO info_{};
  PROPSHEETUI_INFO_HEADER header_{};
  std::vector<HPROPSHEETPAGE> pages_;
  std::vector<LONG_PTR> pageValues_;
  std::vector<Report> reports_;
  std::vector<std::string> complaints_;
  std::string iconSource_;
  HICON ownedIcon_ = nullptr;  // an icon Show loaded as a copy, destroyed after it
  bool initSent_ = false;
  bool destroyed_ = false;
  bool shown_ = false;
  bool ended_ = false;
  bool confirmed_ = false;
};

// CPSUI_OK / CPSUI_CANCEL as text, for reports.
std::string ResultName(LRESULT result);
// "INIT", "GET_INFO_HEADER", ... or the number.
std::string ReasonName(WORD reason);

}  // namespace tqrctl
