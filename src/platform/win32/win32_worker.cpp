#include <windows.h>

#include <memory>

#include "platform/win32/win32_ports.h"

namespace tqr::win32 {
namespace {

struct Job {
  Worker::Step step;
  HMODULE module;
};

DWORD WINAPI RunJob(void* parameter) {
  std::unique_ptr<Job> job(static_cast<Job*>(parameter));
  std::uint32_t next = 0;
  while (job->step(&next)) Sleep(next);
  const HMODULE module = job->module;
  job.reset();
  EndRuntimeDataOfThisThread(module);
  // Frees the module and ends the thread in one call that does not return
  // into the module's code: this may be the last reference to it.
  FreeLibraryAndExitThread(module, 0);
}

}  // namespace

void EndRuntimeDataOfThisThread(void* module) {
  const auto* base = static_cast<const BYTE*>(module);
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  const IMAGE_DATA_DIRECTORY& entry = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_TLS];
  if (entry.VirtualAddress == 0) return;
  const auto* tls = reinterpret_cast<const IMAGE_TLS_DIRECTORY*>(base + entry.VirtualAddress);
  // The directory holds the callbacks' address itself, relocated like any
  // other; a thread detach the callbacks hear twice finds nothing the
  // second time.
  for (auto* callback = reinterpret_cast<const PIMAGE_TLS_CALLBACK*>(tls->AddressOfCallBacks);
       callback != nullptr && *callback != nullptr; ++callback) {
    (*callback)(module, DLL_THREAD_DETACH, nullptr);
  }
}

bool Win32Worker::Start(Step step) {
  HMODULE module = nullptr;
  if (!GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS,
                          reinterpret_cast<LPCWSTR>(&RunJob), &module)) {
    return false;
  }
  auto job = std::make_unique<Job>(Job{std::move(step), module});
  const HANDLE thread = CreateThread(nullptr, 0, RunJob, job.get(), 0, nullptr);
  if (thread == nullptr) {
    FreeLibrary(module);
    return false;
  }
  job.release();  // the thread's now
  CloseHandle(thread);
  return true;
}

}  // namespace tqr::win32
