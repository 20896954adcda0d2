// Real processes and scratch directories for tests that need more than one
// process, on Linux and under Wine alike.
#pragma once

#include <string>
#include <vector>

namespace tqr::test {

// Starts every command at once, waits for all, and returns their exit codes
// (-1 for a command that could not start).
std::vector<int> RunTogether(const std::vector<std::vector<std::string>>& commands);

// Path of a program built beside the running test executable.
std::string SiblingProgram(const std::string& name);

// A new empty directory under the system's temporary folder, with the
// separator at its end.
std::string MakeScratchDirectory();

// Writes a whole file; false on failure.
bool WriteWholeFile(const std::string& path, const std::string& bytes);
bool ReadWholeFile(const std::string& path, std::string* bytes);

}  // namespace tqr::test
