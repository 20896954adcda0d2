// What prefs and props share: the scripted user their options ask for, and the
// hosted round trip with each step printed.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "tqrctl/options.h"
#include "tqrctl/sheet_host.h"
#include "tqrctl/sheet_script.h"

namespace tqrctl {

// Whether a sheet shown for these options can end: someone presses a button
// (--press), or there is a display for a user to see it on. Reports how to get
// one when there is not, rather than leaving a sheet nobody can see waiting for
// ever.
bool CheckSheetCanEnd(const Options& options);

// The scripted user for --press and --screenshot, or null when neither is
// given. Pictures are named "<name>-...". Reports and returns null, with
// *failed set, when the picture folder cannot be made.
std::unique_ptr<ScriptedUser> StartScript(const Options& options, const std::wstring& name,
                                          bool* failed);
// What the scripted user saw and did, one line each.
void ReportScript(const ScriptedUser* user);
// Whether the scripted user pressed Cancel: the system's host may answer OK
// whatever was pressed, and the press is what the user did.
bool PressedCancel(const ScriptedUser* user, const Options& options);

// INIT, GET_INFO_HEADER, the sheet, SET_RESULT and DESTROY through our host,
// each step printed. Gives the result the driver was last told (CPSUI_OK or
// CPSUI_CANCEL), or -1 when the sheet could not be set up.
LONG_PTR RunHostedSheet(SheetEntry entry, LPARAM header, const Options& options,
                        const std::wstring& pictureName);

}  // namespace tqrctl
