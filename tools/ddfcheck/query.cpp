#include <array>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "ddfcheck.h"
#include "devdesc/ddf.h"

namespace ddfcheck {
namespace {

constexpr std::array<const char*, 19> kKindNames = {
    "DDFQ_COUNT",          "DDFQ_NAMES",          "DDFQ_NAME",
    "DDFQ_DEFAULT_NAME",   "DDFQ_VALUES",         "DDFQ_VALUE",
    "DDFQ_DEFAULT_VALUE",  "DDFQ_RANGE_MIN",      "DDFQ_RANGE_MAX",
    "DDFQ_RANGE_LEVEL",    "DDFQ_RANGE_MIN_NAME", "DDFQ_RANGE_MAX_NAME",
    "DDFQ_RANGE_LEVEL_NAME", "DDFQ_PAPER_SIZES",  "DDFQ_PAPER_SIZE",
    "DDFQ_DEFAULT_PAPER_SIZE", "DDFQ_PAPER_EXTRAS", "DDFQ_PAPER_EXTRA",
    "DDFQ_DEFAULT_PAPER_EXTRA"};

// A number 0..65535, or a request kind by name.
bool ParseWord(const std::string& text, bool kindNames, std::uint16_t* value) {
  if (kindNames) {
    for (std::size_t i = 0; i < kKindNames.size(); ++i) {
      if (text == kKindNames[i]) {
        *value = static_cast<std::uint16_t>(i + 1);
        return true;
      }
    }
  }
  char* end = nullptr;
  const unsigned long number = std::strtoul(text.c_str(), &end, 0);
  if (text.empty() || *end != '\0' || number > 0xffff) return false;
  *value = static_cast<std::uint16_t>(number);
  return true;
}

// Runs the query into a buffer prefilled with `fill`.
std::uint32_t Run(tqr::DdfHandle handle, const std::string& feature, std::uint16_t kind,
                  std::uint16_t index, std::uint16_t size, std::uint8_t fill,
                  std::vector<std::uint8_t>* buffer) {
  buffer->assign(buffer->size(), fill);
  return tqr::DdfQuery(handle, feature.c_str(), kind, buffer->data(), index, size);
}

void PrintBytes(const std::vector<std::uint8_t>& bytes, std::size_t count, std::ostream& out) {
  char text[24];
  for (std::size_t i = 0; i < count; ++i) {
    if (i % 16 == 0) {
      std::snprintf(text, sizeof text, "%06x:", static_cast<unsigned>(i));
      out << (i == 0 ? "" : "\n") << text;
    }
    std::snprintf(text, sizeof text, " %02x", bytes[i]);
    out << text;
  }
  if (count != 0) out << '\n';
}

}  // namespace

std::string QueryKinds() {
  std::string kinds;
  for (std::size_t i = 0; i < kKindNames.size(); ++i) {
    kinds += (i == 0 ? "" : ", ") + std::to_string(i + 1) + " " + kKindNames[i];
  }
  return kinds;
}

int Query(const std::string& path, const std::vector<std::string>& arguments, std::ostream& out) {
  std::uint16_t kind = 0;
  std::uint16_t index = 0;
  std::uint16_t size = 64;
  if (!ParseWord(arguments[1], true, &kind) || kind < tqr::DDFQ_COUNT ||
      kind > tqr::DDFQ_DEFAULT_PAPER_EXTRA ||
      (arguments.size() > 2 && !ParseWord(arguments[2], false, &index)) ||
      (arguments.size() > 3 && !ParseWord(arguments[3], false, &size))) {
    out << "error: KIND is one of " << QueryKinds() << "; INDEX and SIZE are 0 to 65535\n";
    return kExitUsage;
  }
  tqr::DdfHandle handle = tqr::DdfLoad(path.c_str());
  if (handle == nullptr) {
    out << path << ": error: the driver could not load the description\n";
    return kExitFailed;
  }
  // Every feature has at least the entry that made it.
  if (tqr::DdfQuery(handle, arguments[0].c_str(), tqr::DDFQ_COUNT, nullptr, 0, 0) == 0) {
    tqr::DdfFree(&handle);
    out << path << ": error: the description has no feature \"" << arguments[0]
        << "\" (ddfcheck --dump lists them)\n";
    return kExitFailed;
  }
  // Two runs over different fillers tell written bytes from untouched ones.
  std::vector<std::uint8_t> first(1u << 20);
  std::vector<std::uint8_t> second(first.size());
  const std::uint32_t result = Run(handle, arguments[0], kind, index, size, 0xcd, &first);
  Run(handle, arguments[0], kind, index, size, 0x5a, &second);
  tqr::DdfFree(&handle);
  std::size_t written = first.size();
  while (written > 0 && first[written - 1] == 0xcd && second[written - 1] == 0x5a) --written;
  out << "result " << result << " (0x" << std::hex << result << std::dec << "), " << written
      << " bytes written\n";
  PrintBytes(first, written, out);
  return kExitOk;
}

}  // namespace ddfcheck
