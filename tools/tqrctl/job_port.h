// A printer port whose jobs land in a file that people and tests can read.
//
// Wine's spooler sends a job on a port named under HKCU\Software\Wine\Printing\Spooler
// (value: the port's name, data: a Unix path) to that file, replacing what the file
// held; the path must be absolute and its folder must exist, or EndDocPrinter fails.
// Windows' local port monitor writes a job to the file a local port is named after.
// Either way the port is also added to the local monitor, so that it is listed
// among the machine's ports.
#pragma once

#include <string>

namespace tqrctl {

// The port's name for `file`: under Wine `requested` (or kJobPort); on Windows the
// file itself, so `requested` must be empty there.
bool ChooseJobPort(const std::wstring& requested, const std::wstring& file, std::wstring* port);

bool SetUpJobPort(const std::wstring& port, const std::wstring& file);

// Takes away a port SetUpJobPort made under Wine (one mapped to a file) when no
// printer uses it any more; leaves every other port alone.
bool RemoveJobPortIfUnused(const std::wstring& port);

}  // namespace tqrctl
