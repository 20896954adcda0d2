// Conversions between the spooler's UTF-16 text and the UTF-8 we print, and
// numbers as we print them in hexadecimal.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tqrctl {

std::string Utf8(std::wstring_view text);
std::wstring Wide(std::string_view text);

// The lines of a text, without their line ends (LF, or CR LF as the console
// writes them) and without empty lines.
std::vector<std::string> Lines(std::string_view text);
// The text with what a terminal would not show written out: control
// characters as \r, \n, \t or \xNN, and a backslash doubled.
std::string Visible(std::string_view text);

// "0x0000002a": a 32-bit word with all its digits.
std::string HexWord(std::uint32_t value);
// "0x2a": an address, a handle or a value the size of one.
std::string HexAddress(std::uintptr_t value);

}  // namespace tqrctl
