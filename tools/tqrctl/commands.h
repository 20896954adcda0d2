// tqrctl's commands; each returns the process's exit code (failure.h).
#pragma once

#include "tqrctl/options.h"

namespace tqrctl {

int RunInstall(const Options& options);
int RunUninstall(const Options& options);
int RunDefaults(const Options& options);
int RunGet(const Options& options);
int RunSet(const Options& options);
int RunCaps(const Options& options);
int RunPrefs(const Options& options);
int RunProps(const Options& options);
// clean, nozzle-check, align, test-pattern and align-values.
int RunMaintenance(const Options& options);
int RunStatus(const Options& options);
int RunReply(const Options& options);
// A print mode dialog of the Save page, opened alone.
int RunDialog(const Options& options);

}  // namespace tqrctl
