// Compiles description text into the image, in two passes: the first counts
// records to size the image exactly, the second fills it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tqr::ddf {

struct CompileIssue {
  unsigned line = 0;  // 0 when the issue concerns the whole file
  std::string message;
};

// What a compile found beyond its result, for the description checker.
struct CompileReport {
  CompileIssue error;
  // Things the driver silently passes over.
  std::vector<CompileIssue> warnings;
};

// Fills `image` and returns true, or returns false with the reason in
// `report` (which may be null).
bool CompileDescription(const std::uint8_t* text, std::size_t size,
                        std::vector<std::uint8_t>* image, CompileReport* report);

}  // namespace tqr::ddf
