// Turns the catalog into files: the pictures, the resource list that names
// them, and a contact sheet for looking at them all at once.
#pragma once

#include <string>
#include <vector>

#include "encode.h"
#include "pictures.h"

namespace tqr::art {

struct RenderedFile {
  std::string name;
  Bytes bytes;
  std::vector<Image> images;  // the icon's sizes, or the one bitmap, for the sheet
  std::string label;          // the resource id
  bool keyed = false;
};

std::vector<RenderedFile> RenderCatalog(const Catalog& catalog);

// Problems that make a picture useless: one that shows nothing but its
// background, or two ids that show the same picture. Empty when all is well.
std::vector<std::string> CheckRendered(const std::vector<RenderedFile>& files);

// The resource script lines: "id ICON|BITMAP "dir/file"".
std::string ResourceList(const Catalog& catalog, const std::string& directory);

// Every picture enlarged on the button face colour with its id, as a bitmap.
Image ContactSheet(const std::vector<RenderedFile>& files);

}  // namespace tqr::art
