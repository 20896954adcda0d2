// How tqrctl reports what went wrong: one line on stderr naming the step and what it
// was about, with the system's error number and text when a call failed. Each returns
// false, so that a step reads
//   if (!OpenPrinterW(...)) return FailLastError("cannot open the printer", name);
#pragma once

#include <string>
#include <string_view>

namespace tqrctl {

// What scripts can rely on; `tqrctl --help` says what each means (options.cpp).
enum ExitCode : int { kExitOk = 0, kExitFailed = 1, kExitUsage = 2, kExitCancelled = 3 };

// A call failed and set the last error. The error is read before anything else
// runs, so building the message cannot replace it.
bool FailLastError(const char* what, std::wstring_view subject = {});
// A call that returns its error instead of setting the last error.
bool FailWithError(const char* what, std::wstring_view subject, unsigned long error);
// OpenPrinterW failed: as FailLastError, and where no printer has the name,
// how to get one.
bool FailOpenPrinter(const char* what, std::wstring_view printer);
// Something we checked ourselves.
bool Fail(const std::string& what);

// `what "subject"`, or `what` alone.
std::string Phrase(const char* what, std::wstring_view subject);
// "error 5 (Access is denied.)"
std::string DescribeError(unsigned long error);

// Progress for the user, on stdout.
void Say(const std::string& text);

}  // namespace tqrctl
