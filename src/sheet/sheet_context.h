// What one open property sheet keeps between the host's calls, and the
// window-free steps of opening, confirming and closing it.
#pragma once

#include <cstdint>

#include "devdesc/ddf.h"
#include "sheet/sheetstate.h"
#include "settings/devmode.h"
#include "settings/document_request.h"

namespace tqr {

// One open sheet. It owns the description and the sheet state from INIT to
// DESTROY and frees both on one path, whatever failed; the host's handles
// and the page bookkeeping live in the sheet state, where the pages read
// them.
struct SheetContext {
  PrinterHandle printer;
  DdfHandle description;
  // The working record: built at INIT, the saved values applied on OK.
  DRVDEVMODE record;
  SheetState* state;
  // Document sheet: the caller's buffer for the record on OK, or null, and
  // the caller's mode bits, which say whether it wants the record back.
  void* output;
  std::uint32_t mode;
  // Whether the caller's output holds the sheet's record, and whether a
  // host reported the final result at all.
  bool outputWritten;
  bool resultReported;
};

enum SheetKind : int { kDocumentSheet = 0, kDeviceSheet = 1 };

// The caller's permission bits.
constexpr std::uint32_t kDeviceNoPermission = 1;  // DPS_NOPERMISSION
constexpr std::int32_t kSheetResultOk = 1;        // CPSUI_OK

// The sheet is editable unless the caller asked for a read-only sheet.
void SetEditableFlag(SheetContext* context, std::uint32_t flags, int kind);

// Whether the user may write printer data: 1 when a test value could be
// written. The test value is removed again; the stored settings are never
// touched.
int ProbePermission(PrinterHandle printer);

// The fields of the caller's DOCUMENTPROPERTYHEADER a document sheet needs.
struct DocumentSheetRequest {
  PrinterHandle printer;
  const char16_t* deviceName;
  const void* input;
  void* output;
  std::uint32_t mode;
};

// Builds the context, its working record and sheet state of a document
// sheet, probes the permission and sets the edit flag. Null on failure,
// with everything built so far released.
SheetContext* OpenDocumentSheet(const DocumentSheetRequest& request);
// The user's OK or Apply, taken by a page after its snapshot: the saved
// values go into the record and, when the caller asked for the settings back
// (update or copy), the record to the caller's output at once. A host may
// never report the result (Wine's does not); the application then has what
// the user chose all the same. Nothing for a device sheet's state.
void ConfirmDocumentSheet(SheetState* state);
// The host's final result: on OK the same as ConfirmDocumentSheet, so the
// caller's output gets the same bytes again.
void FinishDocumentSheet(SheetContext* context, std::int32_t result);
// DESTROY of a document sheet. A sheet the user closed (`closed`: the host
// says it was shown and ended with a button), whose host reported no result,
// with nothing confirmed: the caller asked for a record and its host may tell
// it OK whatever was pressed (Wine's does), so its output gets the record the
// sheet was opened with, the settings it had, never bytes it did not write.
// Then as CloseDocumentSheet.
void EndDocumentSheet(SheetContext** context, bool closed);
// Frees the description, the sheet state and the context, and nulls the
// pointer; also what every failure of opening or assembling takes.
void CloseDocumentSheet(SheetContext** context);

// The one device sheet of the process: cleared and opened for `printer`;
// null when the description, the printer's settings or the sheet state
// cannot be had.
SheetContext* OpenDeviceSheet(PrinterHandle printer, const char16_t* printerName,
                              std::uint32_t flags);
// On OK the saved values become the printer's stored settings.
void FinishDeviceSheet(SheetContext* context, std::int32_t result);
// Frees the device sheet's description and sheet state (the context itself
// is the process's one).
void CloseDeviceSheet(SheetContext* context);

}  // namespace tqr
