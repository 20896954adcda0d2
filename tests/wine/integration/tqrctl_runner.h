// tqrctl.exe as the tests run it: built beside the test program, in a process of
// its own, with what it prints kept for the failure messages.
#pragma once

#include <string>
#include <vector>

namespace tqr::test {

struct TqrctlRun {
  int exitCode = -1;   // -1: it could not start or did not end in time
  std::string output;  // stdout and stderr, with "\n" line ends
};

TqrctlRun RunTqrctl(const std::vector<std::wstring>& args);

// Unique among the test runs that can meet in one prefix: process id and tick count.
std::wstring RunTag();

// The Unix path of a folder, the way Wine's spooler wants a port's file.
std::wstring UnixFolderOf(const std::wstring& windowsFolder);

std::wstring Widen(const std::string& text);
std::string Narrow(const std::wstring& text);

}  // namespace tqr::test
