// The module whose resources every page, dialog, icon and bitmap comes from:
// the driver's DLL, or a test program that links the pages in.
#pragma once

#include <windows.h>

namespace tqr {

HINSTANCE ModuleInstance();
// Kept at process attach.
void SetModuleInstance(HINSTANCE module);

}  // namespace tqr
