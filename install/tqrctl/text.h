// Conversions between the spooler's UTF-16 text and the UTF-8 we print.
#pragma once

#include <string>
#include <string_view>

namespace tqrctl {

std::string Utf8(std::wstring_view text);
std::wstring Wide(std::string_view text);

}  // namespace tqrctl
