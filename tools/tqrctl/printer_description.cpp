#include "tqrctl/printer_description.h"

#include <cstdlib>
#include <cstring>
#include <string_view>

#include "platform/win32/win32_ports.h"
#include "tqrctl/failure.h"
#include "tqrctl/text.h"

namespace tqrctl {
namespace {

// The room of an option name in the description, terminator included.
constexpr std::uint16_t kNameRoom = 64;

std::string Lower(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
  }
  return text;
}

// A decimal number with an optional sign, nothing else.
bool ReadNumber(const std::string& text, int* value) {
  if (text.empty() || text.size() > 7) return false;
  char* end = nullptr;
  const long number = std::strtol(text.c_str(), &end, 10);
  if (end != text.c_str() + text.size() || (text[0] != '-' && (text[0] < '0' || text[0] > '9'))) {
    return false;
  }
  *value = static_cast<int>(number);
  return true;
}

// An option's name without the note in parentheses after it: "A3" of
// "A3 (297 x 420 mm)". Empty when the name has no such note.
std::string ShortForm(const std::string& name) {
  const std::size_t note = name.find(" (");
  if (note == std::string::npos || note == 0 || name.back() != ')') return {};
  return name.substr(0, note);
}

// The short form of choices[i] when it names that option alone, else empty.
std::string UniqueShortForm(const std::vector<Choice>& choices, std::size_t i) {
  const std::string mine = Lower(ShortForm(choices[i].name));
  if (mine.empty()) return {};
  for (std::size_t j = 0; j < choices.size(); ++j) {
    if (j != i && Lower(ShortForm(choices[j].name)) == mine) return {};
  }
  return ShortForm(choices[i].name);
}

}  // namespace

PrinterDescription::PrinterDescription(HANDLE printer) : ports_(tqr::win32::Win32Ports()) {
  ddf_ = tqr::DdfLoadForPrinter(printer);
  if (ddf_ == nullptr) Fail("cannot read the printer's device description");
}

PrinterDescription::~PrinterDescription() { tqr::DdfFree(&ddf_); }

Allowed PrinterDescription::AllowedFor(const char* feature) const {
  Allowed allowed;
  const std::uint32_t count = tqr::DdfQuery(ddf_, feature, tqr::DDFQ_COUNT, nullptr, 0, 0);
  if (count == 0) return allowed;
  // Only item and paper features have names to list.
  std::vector<char> names(static_cast<std::size_t>(count) * kNameRoom, '\0');
  if (tqr::DdfQuery(ddf_, feature, tqr::DDFQ_NAMES, names.data(), 0, kNameRoom) == 0) {
    allowed.isRange = true;
    allowed.minimum = static_cast<std::int32_t>(
        tqr::DdfQuery(ddf_, feature, tqr::DDFQ_RANGE_MIN, nullptr, 0, 0));
    allowed.maximum = static_cast<std::int32_t>(
        tqr::DdfQuery(ddf_, feature, tqr::DDFQ_RANGE_MAX, nullptr, 0, 0));
    return allowed;
  }
  for (std::uint32_t i = 0; i < count; ++i) {
    const char* slot = names.data() + i * kNameRoom;
    const std::string ansi(slot, strnlen(slot, kNameRoom));
    const int value = static_cast<std::int32_t>(tqr::DdfQuery(
        ddf_, feature, tqr::DDFQ_VALUE, nullptr, static_cast<std::uint16_t>(i), 0));
    const std::u16string wide = tqr::CurrentPorts().machine->AnsiToWide(ansi);
    allowed.choices.push_back(
        {value, Utf8(std::wstring_view(reinterpret_cast<const wchar_t*>(wide.data()), wide.size()))});
  }
  return allowed;
}

bool SameValue(int a, int b) {
  return static_cast<std::uint16_t>(a) == static_cast<std::uint16_t>(b);
}

std::string ShowValue(const Allowed& allowed, int value) {
  for (const Choice& choice : allowed.choices) {
    if (SameValue(choice.value, value) && !choice.name.empty()) return choice.name;
  }
  if (allowed.isRange && allowed.minimum < 0) {
    return std::to_string(static_cast<std::int16_t>(value));
  }
  return std::to_string(value);
}

bool ReadValue(const Allowed& allowed, const std::string& text, int* value, std::string* why) {
  int number = 0;
  const bool isNumber = ReadNumber(text, &number);
  if (allowed.isRange) {
    if (isNumber && number >= allowed.minimum && number <= allowed.maximum) {
      *value = number;
      return true;
    }
    *why = "a whole number from " + std::to_string(allowed.minimum) + " to " +
           std::to_string(allowed.maximum);
    return false;
  }
  const std::vector<Choice>& choices = allowed.choices;
  for (const Choice& choice : choices) {
    if ((!choice.name.empty() && Lower(choice.name) == Lower(text)) ||
        (isNumber && choice.value == number)) {
      *value = choice.value;
      return true;
    }
  }
  for (std::size_t i = 0; i < choices.size(); ++i) {
    const std::string shortForm = UniqueShortForm(choices, i);
    if (!shortForm.empty() && Lower(shortForm) == Lower(text)) {
      *value = choices[i].value;
      return true;
    }
  }
  if (choices.empty()) {
    *why = "nothing: the description offers no value for it";
    return false;
  }
  *why = "one of";
  for (std::size_t i = 0; i < choices.size(); ++i) {
    const std::string shortForm = UniqueShortForm(choices, i);
    *why += (i == 0 ? " \"" : ", \"") + choices[i].name + "\"" +
            (shortForm.empty() ? "" : " or \"" + shortForm + "\"") + " (" +
            std::to_string(choices[i].value) + ")";
  }
  return false;
}

}  // namespace tqrctl
