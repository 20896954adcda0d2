// Process attach and detach.
#include "interface/win32/driver_kit.h"
#include "interface/win32/module.h"
#include "platform/win32/win32_ports.h"

namespace tqr {
namespace {

HINSTANCE module_instance = nullptr;
// Created with the process as the platform's drivers do; no path enters it.
CRITICAL_SECTION process_lock;

}  // namespace

HINSTANCE ModuleInstance() { return module_instance; }

}  // namespace tqr

BOOL WINAPI DllInitialize(HINSTANCE module, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    tqr::module_instance = module;
    InitializeCriticalSection(&tqr::process_lock);
    tqr::CurrentPorts() = tqr::win32::Win32Ports();
  } else if (reason == DLL_PROCESS_DETACH) {
    DeleteCriticalSection(&tqr::process_lock);
  }
  return TRUE;
}

// MinGW's start-up code runs the C++ runtime's constructors and then calls
// DllMain, so the entry point of the platform's loader stays the runtime's.
extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID reserved) {
  return DllInitialize(module, reason, reserved);
}
