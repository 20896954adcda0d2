#include "render.h"

#include <algorithm>
#include <cstdio>

namespace tqr::art {
namespace {

Image RenderIcon(const IconArt& art, int size) {
  Canvas c(size, size, kIconDesign, kIconDesign);
  art.draw(c);
  return c.Resolve();
}

Image RenderBitmap(const BitmapArt& art) {
  Canvas c(art.width, art.height, art.width * kBitmapUnits, art.height * kBitmapUnits);
  if (art.backdrop == Backdrop::kButtonFace) c.Fill(kFace);
  art.draw(c);
  // Opaque either way: keyed pictures get magenta where nothing was drawn.
  return c.Flatten(kKey);
}

bool ShowsSomething(const Image& image, bool keyed, bool icon) {
  for (const Color& p : image.pixels) {
    if (icon ? p.a != 0 : (keyed ? p != kKey : p != kFace)) {
      // An icon needs something visible; a bitmap something besides its ground.
      return true;
    }
  }
  return false;
}

}  // namespace

std::vector<RenderedFile> RenderCatalog(const Catalog& catalog) {
  std::vector<RenderedFile> files;
  for (const IconArt& art : catalog.icons) {
    RenderedFile f;
    f.name = art.file;
    for (int size : kIconSizes) f.images.push_back(RenderIcon(art, size));
    f.bytes = EncodeIco(f.images);
    f.label = std::to_string(art.id);
    files.push_back(std::move(f));
  }
  for (const BitmapArt& art : catalog.bitmaps) {
    RenderedFile f;
    f.name = "bmp_" + std::to_string(art.id) + ".bmp";
    f.images.push_back(RenderBitmap(art));
    f.bytes = EncodeBmp(f.images[0]);
    f.label = std::to_string(art.id);
    f.keyed = art.backdrop == Backdrop::kKeyColor;
    files.push_back(std::move(f));
  }
  return files;
}

std::vector<std::string> CheckRendered(const std::vector<RenderedFile>& files) {
  std::vector<std::string> problems;
  for (std::size_t i = 0; i < files.size(); ++i) {
    const bool icon = files[i].images.size() > 1;
    for (const Image& image : files[i].images) {
      if (!ShowsSomething(image, files[i].keyed, icon)) {
        problems.push_back(files[i].name + " shows nothing at " + std::to_string(image.width) +
                           "x" + std::to_string(image.height));
      }
    }
    for (std::size_t j = 0; j < i; ++j) {
      if (files[i].name == files[j].name) {
        problems.push_back(files[i].name + " is named twice");
      } else if (files[i].bytes == files[j].bytes) {
        problems.push_back(files[i].name + " is the same picture as " + files[j].name);
      }
    }
  }
  return problems;
}

std::string ResourceList(const Catalog& catalog, const std::string& directory) {
  std::string out;
  char line[160];
  for (const IconArt& art : catalog.icons) {
    std::snprintf(line, sizeof line, "%-5d ICON   \"%s/%s\"\n", art.id, directory.c_str(),
                  art.file.c_str());
    out += line;
  }
  for (const BitmapArt& art : catalog.bitmaps) {
    std::snprintf(line, sizeof line, "%-5d BITMAP \"%s/bmp_%d.bmp\"\n", art.id, directory.c_str(),
                  art.id);
    out += line;
  }
  return out;
}

Image ContactSheet(const std::vector<RenderedFile>& files) {
  constexpr int kZoom = 3;
  constexpr int kCell = 168;
  constexpr int kColumns = 8;
  constexpr int kLabel = 18;
  const Color ground = Rgb(236, 233, 216);
  const int rows = static_cast<int>((files.size() + kColumns - 1) / kColumns);
  Canvas labels(kColumns * kCell, rows * (kCell + kLabel), kColumns * kCell,
                rows * (kCell + kLabel), 1);
  labels.Fill(ground);
  for (std::size_t k = 0; k < files.size(); ++k) {
    const int cx = static_cast<int>(k % kColumns) * kCell;
    const int cy = static_cast<int>(k / kColumns) * (kCell + kLabel);
    labels.Rect(cx + 1, cy + 1, cx + kCell - 1, cy + kCell + kLabel - 1, Rgb(212, 208, 200));
    labels.Text(cx + 6, cy + kCell + 2, 2, files[k].label.c_str(), Rgb(0, 0, 0));
  }
  Image sheet = labels.Resolve();
  for (std::size_t k = 0; k < files.size(); ++k) {
    const int cx = static_cast<int>(k % kColumns) * kCell;
    const int cy = static_cast<int>(k / kColumns) * (kCell + kLabel);
    int x = cx + 6;
    for (const Image& image : files[k].images) {
      const int zoom = std::min(kZoom, (kCell - 12) / std::max(image.width, image.height));
      const int y = cy + (kCell - image.height * zoom) / 2;
      for (int py = 0; py < image.height * zoom; ++py) {
        for (int px = 0; px < image.width * zoom; ++px) {
          const Color s = image.At(px / zoom, py / zoom);
          Color& d = sheet.At(x + px, y + py);
          if (files[k].keyed && s == kKey) continue;
          d.r = static_cast<std::uint8_t>((s.r * s.a + d.r * (255 - s.a)) / 255);
          d.g = static_cast<std::uint8_t>((s.g * s.a + d.g * (255 - s.a)) / 255);
          d.b = static_cast<std::uint8_t>((s.b * s.a + d.b * (255 - s.a)) / 255);
        }
      }
      x += image.width * zoom + 6;
    }
  }
  return sheet;
}

}  // namespace tqr::art
