// The installed printer's device description, read the way the driver reads it,
// and what it allows for each setting: named options, or a range.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "devdesc/ddf.h"
#include "platform/ports.h"

namespace tqrctl {

struct Choice {
  int value;
  std::string name;
};

struct Allowed {
  bool isRange = false;
  int minimum = 0;
  int maximum = 0;
  std::vector<Choice> choices;  // empty for a range, and for a feature not described
};

class PrinterDescription {
 public:
  // Loads the description of the printer's driver; reports when it cannot.
  explicit PrinterDescription(HANDLE printer);
  ~PrinterDescription();
  PrinterDescription(const PrinterDescription&) = delete;
  PrinterDescription& operator=(const PrinterDescription&) = delete;

  bool loaded() const { return ddf_ != nullptr; }
  tqr::DdfHandle handle() const { return ddf_; }

  Allowed AllowedFor(const char* feature) const;

 private:
  tqr::ScopedPorts ports_;
  tqr::DdfHandle ddf_ = nullptr;
};

// Whether two values are the same as the sheets keep them: 16 bits, however wide
// the record's field or signed the description's number.
bool SameValue(int a, int b);
// The option's name where the value is one, else the number (negative where the
// range goes below zero).
std::string ShowValue(const Allowed& allowed, int value);
// An option's name (any case) or value, its name's short form (the name
// without its note in parentheses, "A3" of "A3 (297 x 420 mm)") where that
// names one option alone, or a number within the range. False, with the
// values that are allowed in *why, for any other text.
bool ReadValue(const Allowed& allowed, const std::string& text, int* value, std::string* why);

}  // namespace tqrctl
