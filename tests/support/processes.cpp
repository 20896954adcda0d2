#include "support/processes.h"

#include <fstream>
#include <iterator>
#include <sstream>

#ifdef _WIN32
#include <windows.h>
#else
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>
extern char** environ;
#endif

namespace tqr::test {

#ifdef _WIN32

std::vector<int> RunTogether(const std::vector<std::vector<std::string>>& commands) {
  std::vector<PROCESS_INFORMATION> started;
  std::vector<int> codes(commands.size(), -1);
  for (const auto& command : commands) {
    std::string line;
    for (const auto& word : command) line += "\"" + word + "\" ";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
      process.hProcess = nullptr;
    }
    started.push_back(process);
  }
  for (std::size_t i = 0; i < started.size(); ++i) {
    if (started[i].hProcess == nullptr) continue;
    WaitForSingleObject(started[i].hProcess, INFINITE);
    DWORD code = 0;
    GetExitCodeProcess(started[i].hProcess, &code);
    codes[i] = static_cast<int>(code);
    CloseHandle(started[i].hProcess);
    CloseHandle(started[i].hThread);
  }
  return codes;
}

std::string SiblingProgram(const std::string& name) {
  char self[MAX_PATH];
  const DWORD length = GetModuleFileNameA(nullptr, self, MAX_PATH);
  std::string path(self, length);
  return path.substr(0, path.find_last_of("\\/") + 1) + name + ".exe";
}

std::string MakeScratchDirectory() {
  char base[MAX_PATH];
  GetTempPathA(MAX_PATH, base);
  for (unsigned attempt = GetTickCount();; ++attempt) {
    const std::string path = std::string(base) + "tqr" + std::to_string(GetCurrentProcessId()) +
                             "_" + std::to_string(attempt);
    if (CreateDirectoryA(path.c_str(), nullptr)) return path + "\\";
  }
}

#else

std::vector<int> RunTogether(const std::vector<std::vector<std::string>>& commands) {
  std::vector<pid_t> started;
  std::vector<int> codes(commands.size(), -1);
  for (const auto& command : commands) {
    std::vector<char*> argv;
    for (const auto& word : command) argv.push_back(const_cast<char*>(word.c_str()));
    argv.push_back(nullptr);
    pid_t pid = -1;
    if (posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) pid = -1;
    started.push_back(pid);
  }
  for (std::size_t i = 0; i < started.size(); ++i) {
    int status = 0;
    if (started[i] > 0 && waitpid(started[i], &status, 0) == started[i] && WIFEXITED(status)) {
      codes[i] = WEXITSTATUS(status);
    }
  }
  return codes;
}

std::string SiblingProgram(const std::string& name) {
  char self[4096];
  const ssize_t length = readlink("/proc/self/exe", self, sizeof self - 1);
  const std::string path(self, length > 0 ? static_cast<std::size_t>(length) : 0);
  return path.substr(0, path.rfind('/') + 1) + name;
}

std::string MakeScratchDirectory() {
  char pattern[] = "/tmp/tqrXXXXXX";
  const char* made = mkdtemp(pattern);
  return made == nullptr ? std::string() : std::string(made) + "/";
}

#endif

bool WriteWholeFile(const std::string& path, const std::string& bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file << bytes;
  return static_cast<bool>(file);
}

bool ReadWholeFile(const std::string& path, std::string* bytes) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return false;
  bytes->assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
  return true;
}

}  // namespace tqr::test
