// Process attach and detach.
#include "platform/win32/driver_kit.h"
#include "platform/win32/win32_ports.h"
#include "cache/cached_calls.h"
#include "cache/facts_machine.h"
#include "cache/invalidating_spooler.h"
#include "ui/win32/module_instance.h"

namespace tqr {
namespace {

// Created with the process as the platform's drivers do; no path enters it.
CRITICAL_SECTION process_lock;

}  // namespace
}  // namespace tqr

BOOL WINAPI DllInitialize(HINSTANCE module, DWORD reason, LPVOID reserved) {
  if (reason == DLL_PROCESS_ATTACH) {
    tqr::SetModuleInstance(module);
    InitializeCriticalSection(&tqr::process_lock);
    tqr::Ports ports = tqr::win32::Win32Ports();
    // Writes through this module must reach the kept answers at once.
    static tqr::cache::InvalidatingSpooler spooler(*ports.spooler,
                                                   tqr::cache::ProcessPrinterCache());
    ports.spooler = &spooler;
    static tqr::cache::FactsMachine machine(*ports.machine);
    // A call asks the region with the printer's facts and not again.
    ports.machine = &machine;
    tqr::CurrentPorts() = ports;
  } else if (reason == DLL_PROCESS_DETACH) {
    // Freed by FreeLibrary: no worker runs (each holds the module), and
    // what is kept goes now. At process exit the other threads are gone,
    // perhaps holding the cache's lock; the process's end frees it all.
    if (reserved == nullptr) tqr::cache::ProcessPrinterCache().Clear();
    DeleteCriticalSection(&tqr::process_lock);
    // The loader tells the runtime's thread callbacks of every thread that
    // ends while the module is loaded, but not of the one unloading it.
    if (reserved == nullptr) tqr::win32::EndRuntimeDataOfThisThread(module);
  }
  return TRUE;
}

// MinGW's start-up code runs the C++ runtime's constructors and then calls
// DllMain, so the entry point of the platform's loader stays the runtime's.
extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID reserved) {
  return DllInitialize(module, reason, reserved);
}
