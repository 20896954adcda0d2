// The shipped description compiled once per process; empty when it cannot
// be read or compiled.
#pragma once

#include <cstdint>
#include <fstream>
#include <iterator>
#include <vector>

#include "devdesc/ddf_compiler.h"

namespace tqr::test {

inline const std::vector<std::uint8_t>& ShippedImage() {
  static const std::vector<std::uint8_t> image = [] {
    std::ifstream file(TQR_SHIPPED_DDF, std::ios::binary);
    const std::vector<std::uint8_t> text((std::istreambuf_iterator<char>(file)),
                                         std::istreambuf_iterator<char>());
    std::vector<std::uint8_t> compiled;
    if (text.empty() || !ddf::CompileDescription(text.data(), text.size(), &compiled, nullptr)) {
      compiled.clear();
    }
    return compiled;
  }();
  return image;
}

}  // namespace tqr::test
