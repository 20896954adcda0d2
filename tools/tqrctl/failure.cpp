#include "tqrctl/failure.h"

#include <windows.h>

#include <cstdio>

#include "tqrctl/text.h"

namespace tqrctl {

std::string Phrase(const char* what, std::wstring_view subject) {
  std::string out = what;
  if (!subject.empty()) out += " \"" + Utf8(subject) + "\"";
  return out;
}

std::string DescribeError(unsigned long error) {
  wchar_t* text = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::wstring message(text != nullptr ? text : L"", text != nullptr ? length : 0);
  if (text != nullptr) LocalFree(text);
  while (!message.empty() && (message.back() == L'\n' || message.back() == L'\r' ||
                              message.back() == L' ' || message.back() == L'.')) {
    message.pop_back();
  }
  std::string out = "error " + std::to_string(error);
  if (!message.empty()) out += " (" + Utf8(message) + ")";
  return out;
}

bool FailLastError(const char* what, std::wstring_view subject) {
  const DWORD error = GetLastError();
  return FailWithError(what, subject, error);
}

bool FailWithError(const char* what, std::wstring_view subject, unsigned long error) {
  return Fail(Phrase(what, subject) + ": " + DescribeError(error));
}

bool FailOpenPrinter(const char* what, std::wstring_view printer) {
  const DWORD error = GetLastError();
  std::string message = Phrase(what, printer) + ": " + DescribeError(error);
  if (error == ERROR_INVALID_PRINTER_NAME) {
    message += "; no printer has that name: install it with tqrctl install";
  }
  return Fail(message);
}

bool Fail(const std::string& what) {
  std::fflush(stdout);
  std::fprintf(stderr, "tqrctl: %s\n", what.c_str());
  std::fflush(stderr);
  return false;
}

void Say(const std::string& text) {
  std::fputs(text.c_str(), stdout);
  std::fputc('\n', stdout);
  std::fflush(stdout);
}

}  // namespace tqrctl
