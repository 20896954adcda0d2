// The module's own instance: the resource instance of every page and dialog.
#pragma once

#include <windows.h>

namespace tqr {

HINSTANCE ModuleInstance();

}  // namespace tqr
