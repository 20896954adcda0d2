// Settings records as they come back from the driver: checked, then shown field
// by field.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace tqrctl {

// The value under which the driver keeps the printer's settings.
constexpr wchar_t kStoredRecordValue[] = L"TARNE NT";

// Whether `bytes` are one whole record of this driver: the header's sizes are
// this driver's and add up to the bytes given, and the private marker is there.
// Otherwise `why` says what is wrong.
bool HoldsDriverRecord(const std::vector<BYTE>& bytes, std::string* why);
// Prints a record that HoldsDriverRecord accepts, one field a line.
void PrintRecord(const std::vector<BYTE>& bytes);
// The fields in which two accepted records differ, "name: before -> after",
// or a line saying there are none. Gives how many fields differ.
int PrintChanges(const std::vector<BYTE>& before, const std::vector<BYTE>& after);
// The printer's stored settings as the driver wrote them. False, reported
// unless `quiet`, when the value cannot be read (a printer may have none yet).
bool ReadStoredRecord(HANDLE printer, std::vector<BYTE>* bytes, bool quiet = false);

}  // namespace tqrctl
