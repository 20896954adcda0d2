// The shipped description, as text and compiled once per process; empty
// when it cannot be read or compiled.
#pragma once

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "devdesc/ddf_compiler.h"

namespace tqr::test {

inline const std::string& ShippedText() {
  static const std::string text = [] {
    std::ifstream file(TQR_SHIPPED_DDF, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  }();
  return text;
}

inline const std::vector<std::uint8_t>& ShippedImage() {
  static const std::vector<std::uint8_t> image = [] {
    const std::string& text = ShippedText();
    std::vector<std::uint8_t> compiled;
    if (text.empty() ||
        !ddf::CompileDescription(reinterpret_cast<const std::uint8_t*>(text.data()), text.size(),
                                 &compiled, nullptr)) {
      compiled.clear();
    }
    return compiled;
  }();
  return image;
}

}  // namespace tqr::test
