// dialog: the Save page's Save as or Open dialog on its own, for a look at
// it or a picture of it. The dialog runs from tqrctl's copy of the driver's
// window code, with the installed module's templates and icons, on the
// first user preset (or a sample when there is none). Save as writes where
// the user tells it to; Open only reports the record it read.
#include <windows.h>

#include <cstring>
#include <memory>
#include <string_view>
#include <vector>

#include "platform/win32/win32_ports.h"
#include "presets/print_mode_file.h"
#include "tqrctl/commands.h"
#include "tqrctl/failure.h"
#include "tqrctl/printers.h"
#include "tqrctl/sheet_host.h"
#include "tqrctl/sheet_run.h"
#include "tqrctl/text.h"
#include "ui/win32/export_dialogs.h"
#include "ui/win32/module_instance.h"

namespace tqrctl {
namespace {

std::string TitleText(const tqr::PrintModeRecord& record) {
  const std::u16string_view title = tqr::TitleOf(record);
  return Utf8(std::wstring_view(reinterpret_cast<const wchar_t*>(title.data()), title.size()));
}

tqr::PrintModeRecord StartingRecord() {
  std::vector<tqr::PrintModeRecord> users;
  if (tqr::LoadUserPrintModeRecords(&users) && !users.empty()) return users.front();
  tqr::PrintModeRecord sample;
  std::memset(static_cast<void*>(&sample), 0, sizeof sample);
  std::memcpy(sample.Title, u"Sample", sizeof u"Sample");
  return sample;
}

}  // namespace

int RunDialog(const Options& options) {
  if (!CheckSheetCanEnd(options)) return kExitFailed;
  PrinterHandle printer;
  if (!printer.Open(options.printer, PRINTER_ACCESS_USE)) {
    FailOpenPrinter("cannot open the printer", options.printer);
    return kExitFailed;
  }
  ConfigModule module;
  if (!module.Load(printer.get())) return kExitFailed;
  tqr::SetModuleInstance(GetModuleHandleW(module.path().c_str()));
  const tqr::ScopedPorts ports(tqr::win32::Win32Ports());

  tqr::PrintModeRecord working = StartingRecord();
  const bool saveAs = options.dialog == PrintModeDialog::kSaveAs;
  Say(std::string(saveAs ? "Save as" : "Open") + " with the templates of " + Utf8(module.path()) +
      ", on \"" + TitleText(working) + "\"");
  bool failed = false;
  std::unique_ptr<ScriptedUser> user =
      StartScript(options, saveAs ? L"dialog-save-as" : L"dialog-open", &failed);
  if (failed) return kExitFailed;
  const INT_PTR result =
      saveAs ? tqr::RunSaveAsDialog(nullptr, &working) : tqr::RunOpenDialog(nullptr, &working);
  ReportScript(user.get());
  user.reset();
  if (result != 1) {
    Say("the dialog was cancelled");
    return kExitCancelled;
  }
  Say(saveAs ? "the record was written" : "read the record \"" + TitleText(working) + "\"");
  return kExitOk;
}

}  // namespace tqrctl
