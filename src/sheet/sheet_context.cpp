#include "sheet/sheet_context.h"

#include <cstdlib>
#include <cstring>

#include "settings/document_request.h"
#include "settings/settings.h"

namespace tqr {
namespace {

// Ours alone, so the probe can remove it without touching anything else.
constexpr char16_t kProbeValueName[] = u"TQR54 Permission Probe";

SheetContext* NewContext() {
  return static_cast<SheetContext*>(std::calloc(1, sizeof(SheetContext)));
}

// The device sheet's single context: one device sheet per process.
SheetContext& DeviceContext() {
  static SheetContext context;
  return context;
}

// What a sheet owns, freed on the one path that closing and every failed
// opening take.
void ReleaseSheet(SheetContext* context) {
  DdfFree(&context->description);
  FreeSheetState(&context->state);
}

void WriteCallerOutput(SheetContext* context) {
  if (context->output == nullptr) return;
  std::memcpy(context->output, &context->record, sizeof context->record);
  context->outputWritten = true;
}

}  // namespace

void SetEditableFlag(SheetContext* context, std::uint32_t flags, int kind) {
  const std::uint32_t readOnlyBit = kind == kDocumentSheet ? kModeNoPermission
                                                           : kDeviceNoPermission;
  if (context->state != nullptr) context->state->editable = (flags & readOnlyBit) != 0 ? 0 : 1;
}

int ProbePermission(PrinterHandle printer) {
  Spooler* spooler = CurrentPorts().spooler;
  if (spooler == nullptr) return 0;
  char16_t text[16] = {};  // 32 bytes, zero-filled
  std::memcpy(text, u"ChkPermission", sizeof u"ChkPermission");
  if (spooler->SetPrinterData(printer, kProbeValueName, kRegSz, text, sizeof text) !=
      kErrorSuccess) {
    return 0;
  }
  spooler->DeletePrinterData(printer, kProbeValueName);
  return 1;
}

SheetContext* OpenDocumentSheet(const DocumentSheetRequest& caller) {
  SheetContext* context = NewContext();
  if (context == nullptr) return nullptr;
  context->printer = caller.printer;
  context->output = caller.output;
  context->mode = caller.mode;
  context->description = DdfLoadForPrinter(caller.printer);
  if (context->description == nullptr ||
      !BuildDocumentSettings(context->description, caller.printer, caller.deviceName,
                             caller.input, false, &context->record) ||
      !BuildSheetState(context->description, &context->state, &context->record,
                       kDescriptionBaseName, caller.printer)) {
    CloseDocumentSheet(&context);
    return nullptr;
  }
  context->state->mayWritePrinterData = static_cast<std::uint32_t>(ProbePermission(caller.printer));
  context->state->callerFlags = caller.mode;
  context->state->context = context;
  SetEditableFlag(context, caller.mode, kDocumentSheet);
  return context;
}

void ConfirmDocumentSheet(SheetState* state) {
  SheetContext* context = state != nullptr ? state->context : nullptr;
  if (context == nullptr || (context->mode & (kModeUpdate | kModeCopy)) == 0) return;
  ApplySheetState(context->state, &context->record);
  WriteCallerOutput(context);
}

void FinishDocumentSheet(SheetContext* context, std::int32_t result) {
  if (context == nullptr) return;
  context->resultReported = true;
  if (result == kSheetResultOk) ConfirmDocumentSheet(context->state);
}

void EndDocumentSheet(SheetContext** context, bool closed) {
  if (context == nullptr || *context == nullptr) return;
  SheetContext* sheet = *context;
  if (closed && !sheet->resultReported && !sheet->outputWritten &&
      (sheet->mode & (kModeUpdate | kModeCopy)) != 0) {
    WriteCallerOutput(sheet);
  }
  CloseDocumentSheet(context);
}

void CloseDocumentSheet(SheetContext** context) {
  if (context == nullptr || *context == nullptr) return;
  ReleaseSheet(*context);
  std::free(*context);
  *context = nullptr;
}

SheetContext* OpenDeviceSheet(PrinterHandle printer, const char16_t* printerName,
                              std::uint32_t flags) {
  SheetContext* context = &DeviceContext();
  // A host that never destroyed the previous device sheet must not cost
  // its description and state.
  ReleaseSheet(context);
  std::memset(static_cast<void*>(context), 0, sizeof *context);
  context->printer = printer;
  context->mode = flags;
  context->description = DdfLoadForPrinter(printer);
  if (context->description == nullptr) return nullptr;
  // The sheet's OK stores its record over the printer's settings: a sheet
  // opened on defaults that stand in for settings the spooler failed to
  // hand over would overwrite them.
  if (LoadStoredSettings(printer, &context->record, printerName, context->description) ==
          StoredSettings::kNotStored ||
      !BuildSheetState(context->description, &context->state, &context->record,
                       kDescriptionBaseName, printer)) {
    ReleaseSheet(context);
    return nullptr;
  }
  context->state->callerFlags = flags;
  SetEditableFlag(context, flags, kDeviceSheet);
  return context;
}

void FinishDeviceSheet(SheetContext* context, std::int32_t result) {
  if (context == nullptr || result != kSheetResultOk) return;
  ApplySheetState(context->state, &context->record);
  WritePrinterData(context->printer, kStoredSettingsName, kRegBinary, &context->record,
                   sizeof context->record);
}

void CloseDeviceSheet(SheetContext* context) {
  if (context != nullptr) ReleaseSheet(context);
}

}  // namespace tqr
