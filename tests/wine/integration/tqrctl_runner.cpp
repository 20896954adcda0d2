#include "tqrctl_runner.h"

#include <windows.h>

#include "support/processes.h"

namespace tqr::test {
namespace {

// One argument as CommandLineToArgvW reads it back: quoted, with the backslashes
// before a quote doubled and the quote escaped.
std::wstring Quote(const std::wstring& arg) {
  std::wstring out = L"\"";
  std::size_t backslashes = 0;
  for (const wchar_t c : arg) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    out.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
    backslashes = 0;
    out += c;
  }
  out.append(backslashes * 2, L'\\');
  return out + L"\"";
}

}  // namespace

std::wstring Widen(const std::string& text) {
  std::wstring wide(text.size() + 1, L'\0');
  const int written =
      MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, wide.data(), static_cast<int>(wide.size()));
  wide.resize(written > 0 ? static_cast<std::size_t>(written - 1) : 0);
  return wide;
}

std::string Narrow(const std::wstring& text) {
  const int bytes = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string narrow(bytes > 0 ? static_cast<std::size_t>(bytes) : 1, '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, narrow.data(), bytes, nullptr, nullptr);
  narrow.resize(narrow.size() - 1);
  return narrow;
}

std::wstring RunTag() {
  return std::to_wstring(GetCurrentProcessId()) + L"-" +
         std::to_wstring(GetTickCount64() % 1000000000);
}

std::wstring UnixFolderOf(const std::wstring& windowsFolder) {
  using ToUnix = char* (*)(const wchar_t*);
  const auto toUnix = reinterpret_cast<ToUnix>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
  if (toUnix == nullptr) return {};
  char* path = toUnix(windowsFolder.c_str());
  if (path == nullptr) return {};
  std::wstring unix = Widen(path);
  HeapFree(GetProcessHeap(), 0, path);
  if (!unix.empty() && unix.back() != L'/') unix += L'/';
  return unix;
}

TqrctlRun RunTqrctl(const std::vector<std::wstring>& args) {
  TqrctlRun run;
  const std::wstring program = Widen(SiblingProgram("tqrctl"));
  std::wstring line = Quote(program);
  for (const std::wstring& arg : args) line += L" " + Quote(arg);

  const std::string logPath = MakeScratchDirectory() + "tqrctl.log";
  SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
  const HANDLE log = CreateFileA(logPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit,
                                 CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (log == INVALID_HANDLE_VALUE) {
    run.output = "cannot create " + logPath;
    return run;
  }
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = log;
  startup.hStdError = log;
  PROCESS_INFORMATION process = {};
  const BOOL started = CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, TRUE, 0,
                                      nullptr, nullptr, &startup, &process);
  CloseHandle(log);
  if (!started) {
    run.output = "cannot start tqrctl.exe: error " + std::to_string(GetLastError());
    return run;
  }
  if (WaitForSingleObject(process.hProcess, 120000) == WAIT_OBJECT_0) {
    DWORD code = 0;
    GetExitCodeProcess(process.hProcess, &code);
    run.exitCode = static_cast<int>(code);
  } else {
    TerminateProcess(process.hProcess, 1);
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  ReadWholeFile(logPath, &run.output);
  // The C runtime writes text-mode line ends.
  std::erase(run.output, '\r');
  DeleteFileA(logPath.c_str());
  RemoveDirectoryA(logPath.substr(0, logPath.find_last_of('\\')).c_str());
  return run;
}

}  // namespace tqr::test
