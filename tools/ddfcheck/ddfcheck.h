// The description checker: what driver authors run on a description before
// they ship it. Each command writes its report to `out` and returns the
// process exit code.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace ddfcheck {

constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

// Compiles the text with every warning, then loads it as the driver does.
int Check(const std::string& path, std::ostream& out);
// Every feature with its kind, default and options.
int Dump(const std::string& path, std::ostream& out);
// One query; `arguments` are FEATURE KIND [INDEX [SIZE]].
// A feature the description lacks fails.
int Query(const std::string& path, const std::vector<std::string>& arguments, std::ostream& out);
// The request kinds KIND takes, "1 DDFQ_COUNT, 2 DDFQ_NAMES, ...".
std::string QueryKinds();

}  // namespace ddfcheck
