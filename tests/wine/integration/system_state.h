// What tqrctl may change in the prefix, taken whole so that a test can say a
// refused command left it as it was: printers with their ports and drivers, the
// ports, the ports Wine's spooler maps to files, and tqrctl's list of its ports.
#pragma once

#include <string>
#include <vector>

namespace tqr::test {

struct SystemState {
  std::vector<std::wstring> printers;  // "name | port | driver"
  std::vector<std::wstring> ports;
  std::vector<std::wstring> mappings;  // "port = file"
  std::vector<std::wstring> ownPorts;  // "port = file"

  bool operator==(const SystemState&) const = default;
};

SystemState CaptureSystemState();
// One line per entry, for failure messages.
std::string Describe(const SystemState& state);

bool PrinterExists(const std::wstring& name);
bool PortListed(const std::wstring& name);
// The file Wine's spooler sends the port's jobs to; empty when it maps none.
std::wstring PortMapping(const std::wstring& port);
// The port a printer is on; empty when there is no such printer.
std::wstring PortOfPrinter(const std::wstring& printer);

}  // namespace tqr::test
