#include "tqrctl/sheet_run.h"

#include <cwchar>

#include "tqrctl/failure.h"
#include "tqrctl/printers.h"
#include "tqrctl/sheet_host.h"
#include "tqrctl/text.h"

namespace tqrctl {
namespace {

// Under Wine, whether the prefix's graphics driver is the null one, which creates
// windows that no one sees (scripts/wine-run without --display); elsewhere,
// whether the process's window station is the one shown on the screen.
bool HasDisplay() {
  if (RunningUnderWine()) {
    wchar_t driver[64] = {};
    DWORD size = sizeof driver - sizeof(wchar_t);
    if (RegGetValueW(HKEY_CURRENT_USER, L"Software\\Wine\\Drivers", L"Graphics", RRF_RT_REG_SZ,
                     nullptr, driver, &size) == ERROR_SUCCESS &&
        _wcsicmp(driver, L"null") == 0) {
      return false;
    }
    return true;
  }
  USEROBJECTFLAGS flags = {};
  if (!GetUserObjectInformationW(GetProcessWindowStation(), UOI_FLAGS, &flags, sizeof flags,
                                 nullptr)) {
    return true;
  }
  return (flags.dwFlags & WSF_VISIBLE) != 0;
}

std::string ModuleName(HINSTANCE module) {
  if (module == nullptr) return "no module";
  wchar_t path[MAX_PATH] = {};
  if (GetModuleFileNameW(module, path, MAX_PATH) == 0)
    return "module " + HexAddress(reinterpret_cast<ULONG_PTR>(module));
  return Utf8(path);
}

void ReportHeader(const SheetHost& host, LONG answer) {
  const PROPSHEETUI_INFO_HEADER& header = host.header();
  std::string line = "GET_INFO_HEADER answered " + std::to_string(answer);
  if (answer > 0) {
    const auto* title = reinterpret_cast<const wchar_t*>(header.pTitle);
    line += ": title \"" + (title != nullptr ? Utf8(title) : std::string("(none)")) + "\", flags " +
            HexAddress(header.Flags) + ", ";
    line += (header.Flags & PSUIHDRF_USEHICON) != 0
                ? "icon handle " + HexAddress(reinterpret_cast<ULONG_PTR>(header.hIcon))
                : "icon " + std::to_string(header.IconID);
    line += ", resources of " + ModuleName(header.hInst);
  }
  Say(line);
}

}  // namespace

bool CheckSheetCanEnd(const Options& options) {
  if (options.press != Press::kNobody || HasDisplay()) return true;
  return Fail(
      "no display to show the sheet on, and no one would press its buttons: run under "
      "scripts/wine-run --display (or on a desktop), or give --press ok|cancel");
}

std::unique_ptr<ScriptedUser> StartScript(const Options& options, const std::wstring& name,
                                          bool* failed) {
  *failed = false;
  if (options.press == Press::kNobody && options.screenshotDir.empty()) return nullptr;
  SheetScript script;
  script.press = options.press;
  script.pressAfterMs = options.pressAfterMs;
  script.screenshotName = name;
  script.loneDialog = options.command == Command::kDialog;
  if (!options.screenshotDir.empty()) {
    wchar_t full[MAX_PATH] = {};
    const DWORD length = GetFullPathNameW(options.screenshotDir.c_str(), MAX_PATH, full, nullptr);
    if (length == 0 || length >= MAX_PATH) {
      *failed = true;
      FailLastError("cannot make a full path of", options.screenshotDir);
      return nullptr;
    }
    if (!CreateDirectoryW(full, nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) {
      *failed = true;
      FailLastError("cannot create the picture folder", full);
      return nullptr;
    }
    script.screenshotDir = full;
  }
  return std::make_unique<ScriptedUser>(script);
}

bool PressedCancel(const ScriptedUser* user, const Options& options) {
  return user != nullptr && user->pressed() && options.press == Press::kCancel;
}

void ReportScript(const ScriptedUser* user) {
  if (user == nullptr) return;
  if (user->sawSheet() && user->pages().empty()) {
    Say("script: the dialog \"" + Utf8(user->caption()) + "\" appeared");
  } else if (user->sawSheet()) {
    std::string pages;
    for (const std::wstring& page : user->pages()) {
      pages += (pages.empty() ? "" : ", ") + Utf8(page);
    }
    Say("script: the sheet \"" + Utf8(user->caption()) + "\" showed " +
        std::to_string(user->pages().size()) + " page(s): " + pages);
  }
  for (const std::wstring& picture : user->pictures()) Say("script: wrote " + Utf8(picture));
  if (user->pressed()) Say("script: pressed the button");
  for (const std::string& note : user->notes()) Say("script: " + note);
}

LONG_PTR RunHostedSheet(SheetEntry entry, LPARAM header, const Options& options,
                        const std::wstring& pictureName) {
  bool failed = false;
  // Before INIT: a driver may ask the user something before its sheet is up.
  std::unique_ptr<ScriptedUser> user = StartScript(options, pictureName, &failed);
  if (failed) return -1;

  SheetHost host(entry, header);
  LONG_PTR told = -1;
  const LONG init = host.Init();
  Say("INIT answered " + std::to_string(init) + ", " + std::to_string(host.pageValues().size()) +
      " page(s) added, the driver's Result " + std::to_string(host.info().Result));
  const LONG headerAnswer = init > 0 ? host.GetInfoHeader(nullptr) : 0;
  if (init > 0) ReportHeader(host, headerAnswer);

  if (init > 0 && headerAnswer > 0) {
    const INT_PTR shown = host.Show(nullptr);
    if (host.pageValues().empty()) {
      Say("the driver added no page: there is no sheet to show");
    } else if (!host.ended()) {
      FailLastError("PropertySheetW failed");
    } else {
      Say("the sheet \"" + Utf8(host.Caption()) + "\" (" + host.iconSource() + ") ended with " +
          (host.confirmed() ? "OK" : "Cancel") + ", PropertySheetW answered " +
          std::to_string(shown));
    }
    for (const SheetHost::Report& report : host.reports()) {
      Say("a page reported " + ResultName(report.result) + " through CPSFUNC_SET_RESULT (as " +
          HexAddress(reinterpret_cast<ULONG_PTR>(report.from)) + "), SET_RESULT answered " +
          std::to_string(report.answer));
      told = report.result;
    }
    if (host.reports().empty()) {
      // A sheet with no page was confirmed by nobody, unless the script says OK.
      const bool confirmed =
          host.pageValues().empty() ? options.press == Press::kOk : host.confirmed();
      const LRESULT outcome = confirmed ? CPSUI_OK : CPSUI_CANCEL;
      const LONG answer = host.DeliverOutcome(outcome);
      Say("no page reported a result: the host tells the driver " + ResultName(outcome) +
          " itself, SET_RESULT answered " + std::to_string(answer));
      told = outcome;
    }
    Say("the driver's Result: " + ResultName(static_cast<LRESULT>(host.info().Result)));
  }
  ReportScript(user.get());
  user.reset();
  for (const std::string& complaint : host.complaints()) Say("host: " + complaint);
  Say("DESTROY answered " + std::to_string(host.Destroy()));
  return told;
}

}  // namespace tqrctl
