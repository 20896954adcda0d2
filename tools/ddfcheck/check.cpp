#include <fstream>
#include <iterator>

#include "ddfcheck.h"
#include "devdesc/ddf.h"
#include "devdesc/ddf_compiler.h"
#include "devdesc/ddf_needed.h"

namespace ddfcheck {
namespace {

void Print(std::ostream& out, const std::string& path, const char* severity,
           const tqr::ddf::CompileIssue& issue) {
  out << path;
  if (issue.line != 0) out << ':' << issue.line;
  out << ": " << severity << ": " << issue.message << '\n';
}

}  // namespace

int Check(const std::string& path, std::ostream& out) {
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    out << path << ": error: cannot open the description\n";
    return kExitFailed;
  }
  const std::vector<std::uint8_t> text((std::istreambuf_iterator<char>(file)),
                                       std::istreambuf_iterator<char>());
  std::vector<std::uint8_t> image;
  tqr::ddf::CompileReport report;
  const bool compiled = tqr::ddf::CompileDescription(text.data(), text.size(), &image, &report);
  for (const auto& warning : report.warnings) Print(out, path, "warning", warning);
  if (!compiled) {
    Print(out, path, "error", report.error);
    return kExitFailed;
  }
  if (const char* missing = tqr::MissingNeededFeature(image.data())) {
    out << path << ": error: the description lacks the feature \"" << missing
        << "\" the driver needs\n";
    return kExitFailed;
  }
  tqr::DdfHandle handle = tqr::DdfLoad(path.c_str());
  if (handle == nullptr) {
    out << path << ": error: the driver could not load the description\n";
    return kExitFailed;
  }
  tqr::DdfFree(&handle);
  out << path << ": ok, " << image.size() << " bytes compiled, " << report.warnings.size()
      << " warning(s)\n";
  return kExitOk;
}

}  // namespace ddfcheck
