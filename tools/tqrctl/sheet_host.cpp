#include "tqrctl/sheet_host.h"

#include <algorithm>

#include "tqrctl/failure.h"
#include "tqrctl/printers.h"
#include "tqrctl/text.h"

namespace tqrctl {
namespace {

// Our values for the pages the driver adds: nonzero, and unlike any pointer, so
// that a page that hands back something else is seen.
constexpr LONG_PTR kPageValueBase = 0x50470000;

// The hosts alive in this process; the callback finds its host by the sheet
// handle, which is the host's address.
std::vector<SheetHost*>& LiveHosts() {
  static std::vector<SheetHost*> hosts;
  return hosts;
}

}  // namespace

std::string ResultName(LRESULT result) {
  switch (result) {
    case CPSUI_OK:
      return "CPSUI_OK";
    case CPSUI_CANCEL:
      return "CPSUI_CANCEL";
    case CPSUI_RESTARTWINDOWS:
      return "CPSUI_RESTARTWINDOWS";
    case CPSUI_REBOOTSYSTEM:
      return "CPSUI_REBOOTSYSTEM";
    default:
      return std::to_string(result);
  }
}

std::string ReasonName(WORD reason) {
  switch (reason) {
    case PROPSHEETUI_REASON_INIT:
      return "INIT";
    case PROPSHEETUI_REASON_GET_INFO_HEADER:
      return "GET_INFO_HEADER";
    case PROPSHEETUI_REASON_DESTROY:
      return "DESTROY";
    case PROPSHEETUI_REASON_SET_RESULT:
      return "SET_RESULT";
    case PROPSHEETUI_REASON_GET_ICON:
      return "GET_ICON";
    case kReasonBeforeInit:
      return "BEFORE_INIT";
    default:
      return std::to_string(reason);
  }
}

// --- the config module ------------------------------------------------------------

ConfigModule::~ConfigModule() {
  if (module_ != nullptr) FreeLibrary(module_);
  module_ = nullptr;
}

bool ConfigModule::Load(HANDLE printer) {
  if (!GetConfigFile(printer, &path_) || path_.empty()) {
    return FailLastError("the printer names no config module (GetPrinterDriverW level 2)");
  }
  module_ = LoadLibraryW(path_.c_str());
  if (module_ == nullptr) return FailLastError("cannot load the config module", path_);
  document_ = reinterpret_cast<SheetEntry>(
      reinterpret_cast<void*>(GetProcAddress(module_, "DrvDocumentPropertySheets")));
  device_ = reinterpret_cast<SheetEntry>(
      reinterpret_cast<void*>(GetProcAddress(module_, "DrvDevicePropertySheets")));
  if (document_ == nullptr || device_ == nullptr) {
    return Fail(Phrase("the config module lacks a property sheet entry point:", path_));
  }
  return true;
}

// --- the host -----------------------------------------------------------------------

SheetHost::SheetHost(SheetEntry entry, LPARAM header) : entry_(entry) {
  info_.cbSize = sizeof info_;
  info_.Version = PROPSHEETUI_INFO_VERSION;
  info_.Flags = PSUIINFO_UNICODE;
  info_.hComPropSheet = static_cast<HANDLE>(this);
  info_.pfnComPropSheet = HostCallback;
  info_.lParamInit = header;
  LiveHosts().push_back(this);
}

SheetHost::~SheetHost() {
  Destroy();
  auto& hosts = LiveHosts();
  hosts.erase(std::remove(hosts.begin(), hosts.end(), this), hosts.end());
}

LONG SheetHost::Call(WORD reason, LPARAM parameter) {
  info_.Reason = reason;
  return entry_(&info_, parameter);
}

LONG SheetHost::Init() {
  initSent_ = true;
  // The parameter of INIT is what the host was given to pass on, the same as
  // lParamInit.
  return Call(PROPSHEETUI_REASON_INIT, info_.lParamInit);
}

LONG SheetHost::GetInfoHeader(HWND owner) {
  header_ = PROPSHEETUI_INFO_HEADER{};
  header_.cbSize = sizeof header_;
  header_.hWndParent = owner;
  return Call(PROPSHEETUI_REASON_GET_INFO_HEADER, reinterpret_cast<LPARAM>(&header_));
}

std::wstring SheetHost::Caption() const {
  const auto* title = reinterpret_cast<const wchar_t*>(header_.pTitle);
  std::wstring caption = title != nullptr ? title : L"Options";
  const bool exact = (header_.Flags & PSUIHDRF_EXACT_PTITLE) != 0 && title != nullptr;
  if ((header_.Flags & PSUIHDRF_DEFTITLE) != 0 && !exact) caption += L" Default";
  if ((header_.Flags & PSUIHDRF_PROPTITLE) != 0 && !exact) caption += L" Properties";
  return caption;
}

HICON SheetHost::LoadHeaderIcon() {
  if ((header_.Flags & PSUIHDRF_USEHICON) != 0) {
    iconSource_ = "the header's icon handle";
    return header_.hIcon;
  }
  const ULONG_PTR id = header_.IconID;
  if (id == 0) {
    iconSource_ = "none asked for";
    return nullptr;
  }
  const std::string name = "icon " + std::to_string(id);
  if (header_.hInst != nullptr) {
    const auto icon = static_cast<HICON>(LoadImageW(header_.hInst, MAKEINTRESOURCEW(id), IMAGE_ICON,
                                                    0, 0, LR_DEFAULTSIZE | LR_SHARED));
    if (icon != nullptr) {
      iconSource_ = name + " from the driver's module";
      return icon;
    }
  }
  // Ids in this range name the host's own standard icons. The icon is a copy,
  // so compstui need not stay loaded for it.
  if (id >= IDI_CPSUI_ICONID_FIRST && id <= IDI_CPSUI_ICONID_LAST) {
    const HMODULE common = LoadLibraryExW(L"compstui.dll", nullptr, LOAD_LIBRARY_AS_DATAFILE);
    const auto icon = common != nullptr
                          ? static_cast<HICON>(LoadImageW(common, MAKEINTRESOURCEW(id), IMAGE_ICON,
                                                          0, 0, LR_DEFAULTSIZE))
                          : nullptr;
    if (common != nullptr) FreeLibrary(common);
    if (icon != nullptr) {
      ownedIcon_ = icon;
      iconSource_ = name + " from compstui.dll";
      return icon;
    }
  }
  iconSource_ = name + " is neither in the driver's module nor in compstui.dll";
  return nullptr;
}

INT_PTR SheetHost::Show(HWND owner) {
  if (pages_.empty()) return 0;
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);

  const std::wstring caption = Caption();
  PROPSHEETHEADERW sheet{};
  sheet.dwSize = sizeof sheet;
  if ((header_.Flags & PSUIHDRF_NOAPPLYNOW) != 0) sheet.dwFlags |= PSH_NOAPPLYNOW;
  sheet.hwndParent = owner;
  sheet.hInstance = header_.hInst;
  sheet.pszCaption = caption.c_str();
  if (const HICON icon = LoadHeaderIcon(); icon != nullptr) {
    sheet.dwFlags |= PSH_USEHICON;
    sheet.hIcon = icon;
  }
  sheet.nPages = static_cast<UINT>(pages_.size());
  sheet.phpage = pages_.data();
  // PropertySheetW owns the pages from here, whatever it answers.
  shown_ = true;
  const INT_PTR answer = PropertySheetW(&sheet);
  if (ownedIcon_ != nullptr) DestroyIcon(ownedIcon_);
  ownedIcon_ = nullptr;
  ended_ = answer >= 0;
  confirmed_ = answer > 0;
  return answer;
}

LONG SheetHost::SetResult(LRESULT result, HANDLE from) {
  SETRESULT_INFO setResult{};
  setResult.cbSize = sizeof setResult;
  setResult.hSetResult = from != nullptr ? from : static_cast<HANDLE>(this);
  setResult.Result = result;
  return Call(PROPSHEETUI_REASON_SET_RESULT, reinterpret_cast<LPARAM>(&setResult));
}

LONG SheetHost::DeliverOutcome(LRESULT outcome) {
  if (!reports_.empty()) return 0;
  return SetResult(outcome);
}

LONG SheetHost::Destroy() {
  if (!initSent_ || destroyed_) return 0;
  destroyed_ = true;
  // Pages the driver made for a sheet that never opened are the host's to free.
  if (!shown_) {
    for (HPROPSHEETPAGE page : pages_) DestroyPropertySheetPage(page);
  }
  pages_.clear();
  // Sent even after a failed INIT, as the platform's host does: the driver must
  // cope with a sheet it never set up.
  return Call(PROPSHEETUI_REASON_DESTROY, ended_ ? 1 : 0);
}

bool SheetHost::KnowsHandle(HANDLE handle) const {
  if (handle == static_cast<const void*>(this)) return true;
  const auto value = reinterpret_cast<LONG_PTR>(handle);
  return std::find(pageValues_.begin(), pageValues_.end(), value) != pageValues_.end();
}

LONG_PTR SheetHost::AddPage(HPROPSHEETPAGE page) {
  if (page == nullptr) {
    complaints_.push_back("CPSFUNC_ADD_HPROPSHEETPAGE without a page");
    return 0;
  }
  if (shown_ || destroyed_) {
    complaints_.push_back("CPSFUNC_ADD_HPROPSHEETPAGE after the sheet opened");
    return 0;
  }
  pages_.push_back(page);
  pageValues_.push_back(kPageValueBase + static_cast<LONG_PTR>(pages_.size()));
  return pageValues_.back();
}

LONG_PTR SheetHost::PageReports(HANDLE from, LRESULT result) {
  if (!KnowsHandle(from)) {
    complaints_.push_back("CPSFUNC_SET_RESULT from " +
                          HexAddress(reinterpret_cast<ULONG_PTR>(from)) +
                          ", which is neither a page's value nor the sheet");
    return 0;
  }
  // Passed on at once, while the page is still applying, as the platform's host
  // does.
  const LONG answer = SetResult(result, from);
  reports_.push_back({from, result, answer});
  return 1;
}

LONG_PTR CALLBACK SheetHost::HostCallback(HANDLE sheet, UINT function, LPARAM one, LPARAM two) {
  SheetHost* host = nullptr;
  for (SheetHost* live : LiveHosts()) {
    if (static_cast<HANDLE>(live) == sheet) host = live;
  }
  if (host == nullptr) {
    Fail("host callback " + std::to_string(function) + " for an unknown sheet handle " +
         HexAddress(reinterpret_cast<ULONG_PTR>(sheet)));
    return 0;
  }
  switch (function) {
    case CPSFUNC_ADD_HPROPSHEETPAGE:
      return host->AddPage(reinterpret_cast<HPROPSHEETPAGE>(one));
    case CPSFUNC_SET_RESULT:
      return host->PageReports(reinterpret_cast<HANDLE>(one), two);
    case CPSFUNC_GET_PAGECOUNT:
      return static_cast<LONG_PTR>(host->pageValues_.size());
    default:
      host->complaints_.push_back("host function " + std::to_string(function) +
                                  " asked for; this host does only adding pages by handle, "
                                  "the page count and setting the result");
      return 0;
  }
}

}  // namespace tqrctl
