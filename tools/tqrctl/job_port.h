// Printer ports: the one install makes for a printer whose jobs land in a file,
// the ports that are there already, and where a port's jobs go.
//
// Wine's spooler sends a job on a port named under HKCU\Software\Wine\Printing\Spooler
// (value: the port's name, data: a Unix path) to that file, replacing what the file
// held; the path must be absolute and its folder must exist, or EndDocPrinter fails.
// Windows' local port monitor writes a job to the file a local port is named after.
// Either way the port is also added to the local monitor, so that it is listed
// among the machine's ports.
//
// tqrctl keeps a list of the ports it made (HKLM\SOFTWARE\Orlex\tqrctl\Ports), and
// removes no port that is not on it: a port someone else made, or one of the
// system's own such as "FILE:", stays whatever printer used it.
#pragma once

#include <string>
#include <vector>

namespace tqrctl {

// The machine's ports, as EnumPortsW lists them.
bool ListPorts(std::vector<std::wstring>* ports);
bool PortListed(const std::vector<std::wstring>& ports, const std::wstring& port);

// The port install makes for `printer` whose jobs land in `file`: under Wine one
// named after the printer ("NAME:"), so that each printer has its own; on Windows
// the file itself, as the local port monitor names a port that writes to a file.
std::wstring OwnPortName(const std::wstring& printer, const std::wstring& file);

// Whether jobs can land in `file`: an absolute path (a Unix one under Wine) in a
// folder that exists. Reports why not.
bool CheckJobFile(const std::wstring& file);

// Whether `port` is on tqrctl's list of the ports it made.
bool IsOwnPort(const std::wstring& port);

// Makes `port` send its jobs to `file` (or points it there again) and puts it on
// tqrctl's list.
bool SetUpOwnPort(const std::wstring& port, const std::wstring& file);

// Removes a port tqrctl made once no printer uses it; every other port stays.
bool RemoveOwnPortIfUnused(const std::wstring& port);

// Where the jobs of a printer on `port` go, for the user: the port and, where
// it writes to a file, the file and that each job replaces it.
std::string DescribeJobDestination(const std::wstring& port);

}  // namespace tqrctl
