// The driver's pictures: every icon and bitmap id with the routine that draws
// it. Each group of pictures (print modes, Main page, Advanced pages,
// Maintenance page) adds its own to the catalog.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "canvas.h"

namespace tqr::art {

// Icons are drawn on a 64 x 64 design grid and shipped at 32 and 16 pixels.
constexpr int kIconDesign = 64;
const int kIconSizes[] = {32, 16};

// Bitmaps are drawn on a grid of two units per pixel.
constexpr int kBitmapUnits = 2;

// Pictures that the pages draw with magenta as the transparent colour.
constexpr Color kKey = Rgb(255, 0, 255);

// The classic 3-D greys: pictures of buttons use them so that they sit on
// the face colour of a plain button.
constexpr Color kFace = Rgb(192, 192, 192);
constexpr Color kShadow = Rgb(128, 128, 128);
constexpr Color kLight = Rgb(223, 223, 223);
constexpr Color kHighlight = Rgb(255, 255, 255);
constexpr Color kDarkShadow = Rgb(64, 64, 64);

enum class Backdrop {
  kKeyColor,  // starts transparent; uncovered pixels become magenta
  kButtonFace,  // starts as the button face colour
};

using Draw = std::function<void(Canvas&)>;

struct IconArt {
  int id;
  std::string file;
  std::string shows;
  Draw draw;
};

struct BitmapArt {
  int id;
  int width;
  int height;
  Backdrop backdrop;
  std::string shows;
  Draw draw;
};

struct Catalog {
  std::vector<IconArt> icons;
  std::vector<BitmapArt> bitmaps;
};

void AddPrintModeArt(Catalog& catalog);
void AddMainPageArt(Catalog& catalog);
void AddAdvancedPageArt(Catalog& catalog);
void AddMaintenanceArt(Catalog& catalog);

// A button's edge drawn into its picture: raised, or sunken while pressed.
// The rectangle is in design units.
void DrawButtonEdge(Canvas& c, int x0, int y0, int x1, int y1, bool pressed);

}  // namespace tqr::art
