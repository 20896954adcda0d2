// Draws the driver's icons and bitmaps into a folder, so that the resource
// script can take them in. The pictures are drawn by code rather than kept as
// hand-edited files, so that they can be changed and reviewed as text.
//
//   artwork OUTDIR [--rc FILE] [--sheet FILE.bmp]
//
// --rc writes the resource script lines that name every picture (paths
// relative to OUTDIR's parent); --sheet writes all pictures on one bitmap.
#include <cstdio>
#include <fstream>
#include <string>

#include "pictures.h"
#include "render.h"

namespace {

bool WriteFile(const std::string& path, const void* data, std::size_t size) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(static_cast<const char*>(data), static_cast<std::streamsize>(size));
  out.close();
  if (!out) {
    std::fprintf(stderr, "artwork: cannot write %s\n", path.c_str());
    return false;
  }
  return true;
}

std::string BaseName(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  const std::size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

int main(int argc, char** argv) {
  std::string outDir, rcPath, sheetPath;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--rc" && i + 1 < argc) {
      rcPath = argv[++i];
    } else if (arg == "--sheet" && i + 1 < argc) {
      sheetPath = argv[++i];
    } else if (outDir.empty() && !arg.empty() && arg[0] != '-') {
      outDir = arg;
    } else {
      outDir.clear();
      break;
    }
  }
  if (outDir.empty()) {
    std::fprintf(stderr, "usage: artwork OUTDIR [--rc FILE] [--sheet FILE.bmp]\n");
    return 2;
  }

  tqr::art::Catalog catalog;
  tqr::art::AddMainPageArt(catalog);
  tqr::art::AddPrintModeArt(catalog);
  tqr::art::AddAdvancedPageArt(catalog);
  tqr::art::AddMaintenanceArt(catalog);

  const std::vector<tqr::art::RenderedFile> files = tqr::art::RenderCatalog(catalog);
  const std::vector<std::string> problems = tqr::art::CheckRendered(files);
  for (const std::string& p : problems) std::fprintf(stderr, "artwork: %s\n", p.c_str());
  if (!problems.empty()) return 1;

  for (const tqr::art::RenderedFile& f : files) {
    if (!WriteFile(outDir + "/" + f.name, f.bytes.data(), f.bytes.size())) return 1;
  }
  if (!rcPath.empty()) {
    const std::string text =
        "// The driver's icons and bitmaps, drawn by tools/artwork: regenerate with\n"
        "// `make artwork` rather than editing.\n" +
        tqr::art::ResourceList(catalog, BaseName(outDir));
    if (!WriteFile(rcPath, text.data(), text.size())) return 1;
  }
  if (!sheetPath.empty()) {
    const tqr::art::Bytes sheet = tqr::art::EncodeBmp(tqr::art::ContactSheet(files));
    if (!WriteFile(sheetPath, sheet.data(), sheet.size())) return 1;
  }
  return 0;
}
