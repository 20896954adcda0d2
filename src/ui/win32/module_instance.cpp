#include "ui/win32/module_instance.h"

namespace tqr {
namespace {

HINSTANCE module_instance = nullptr;

}  // namespace

HINSTANCE ModuleInstance() { return module_instance; }

void SetModuleInstance(HINSTANCE module) { module_instance = module; }

}  // namespace tqr
