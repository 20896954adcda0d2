#include <cstring>

#include "ddfcheck.h"
#include "devdesc/ddf.h"
#include "devdesc/ddf_reader.h"

namespace ddfcheck {
namespace {

using tqr::ddf::FeatureInfo;
using tqr::ddf::OptionInfo;

const char* KindName(std::uint32_t type) {
  switch (type) {
    case tqr::ddf::kTypeItem:
      return "item";
    case tqr::ddf::kTypeRange:
      return "range";
    case tqr::ddf::kTypePaper:
      return "paper";
    default:
      return "unknown";
  }
}

void DumpOption(const FeatureInfo& feature, const OptionInfo& option, std::ostream& out) {
  out << "  " << option.index << " \"" << std::string(option.name, option.nameLength) << "\" "
      << static_cast<std::int32_t>(option.value);
  if (feature.type == tqr::ddf::kTypePaper) {
    out << " size " << option.size[0] << " x " << option.size[1] << " extras " << option.extras[0]
        << ' ' << option.extras[1] << ' ' << option.extras[2] << ' ' << option.extras[3];
  }
  out << '\n';
}

}  // namespace

int Dump(const std::string& path, std::ostream& out) {
  tqr::DdfHandle handle = tqr::DdfLoad(path.c_str());
  if (handle == nullptr) {
    out << path << ": error: the driver could not load the description\n";
    return kExitFailed;
  }
  tqr::ddf::ImageHeader header;
  std::memcpy(&header, handle, sizeof header);
  out << "printer \"" << header.printerId << "\", version 0x" << std::hex << header.version
      << std::dec << ", " << header.totalSize << " bytes, " << header.furtherCount
      << " further feature slots\n";
  const tqr::ddf::DescriptionReader reader(handle);
  reader.ForEachFeature([&](const FeatureInfo& feature) {
    out << "feature \"" << feature.name << "\" " << KindName(feature.type) << ", "
        << feature.optionCount << " options, default " << feature.defaultIndex;
    if (feature.type == tqr::ddf::kTypeRange) {
      out << ", minimum #" << feature.minimumIndex << ", maximum #" << feature.maximumIndex
          << ", level #" << feature.levelIndex;
    }
    out << '\n';
    reader.ForEachOption(feature, [&](const OptionInfo& option) {
      DumpOption(feature, option, out);
    });
  });
  tqr::DdfFree(&handle);
  return kExitOk;
}

}  // namespace ddfcheck
