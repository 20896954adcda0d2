// tqrctl's commands; each returns the process's exit code (failure.h).
#pragma once

#include "tqrctl/options.h"

namespace tqrctl {

int RunInstall(const Options& options);
int RunUninstall(const Options& options);
int RunDefaults(const Options& options);
int RunCaps(const Options& options);

}  // namespace tqrctl
