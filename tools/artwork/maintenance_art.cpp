// The Maintenance page's picture buttons, 48 x 48 pixels each with its own
// button edge: raised for the normal picture, sunken with the content moved
// one pixel down and right for the pressed one. Two of them (buttons 9009
// and 9012) are not on the page today; they show the other two maintenance
// tasks of a large-format printer, a deep cleaning and the paper feed.
#include "pictures.h"

namespace tqr::art {
namespace {

constexpr int kSide = 48;                  // pixels
constexpr int kDesign = kSide * kBitmapUnits;
constexpr Color kInk = Rgb(36, 36, 44);
constexpr Color kWhite = Rgb(255, 255, 255);
constexpr Color kCyan = Rgb(0, 170, 230);
constexpr Color kMagenta = Rgb(230, 0, 140);
constexpr Color kYellow = Rgb(250, 210, 0);
constexpr Color kBlack = Rgb(20, 20, 20);
constexpr Color kPhotoCyan = Rgb(120, 215, 245);
constexpr Color kPhotoMagenta = Rgb(250, 140, 200);

// The six inks in the order of the cleaning colour boxes.
const Color kInks[] = {kCyan, kMagenta, kYellow, kPhotoCyan, kPhotoMagenta, kBlack};

// A print head carriage seen from the front, its nozzle plate along the
// bottom edge at y = 46.
void PrintHead(Canvas& c) {
  c.RoundRect(18, 12, 78, 42, 4, kInk);
  c.RoundRect(20, 14, 76, 40, 3, Rgb(150, 156, 170));
  c.Rect(20, 14, 76, 20, Rgb(190, 196, 210));
  c.Rect(26, 26, 50, 32, Rgb(80, 140, 220));
  c.Rect(22, 40, 74, 46, Rgb(60, 62, 72));
  for (int k = 0; k < 6; ++k) c.Rect(26 + 8 * k, 42, 30 + 8 * k, 44, kInks[k]);
}

// A four-pointed glint.
void Sparkle(Canvas& c, int x, int y, int r, Color col) {
  c.Polygon({{x, y - r}, {x + r / 4, y - r / 4}, {x + r, y}, {x + r / 4, y + r / 4}, {x, y + r},
             {x - r / 4, y + r / 4}, {x - r, y}, {x - r / 4, y - r / 4}},
            col);
}

void DoubleArrow(Canvas& c, Point a, Point b, int width, Color col) {
  c.Line(a, b, width, col);
  const int dx = b.x - a.x, dy = b.y - a.y;
  const int len = dx != 0 ? (dx > 0 ? dx : -dx) : (dy > 0 ? dy : -dy);
  // Arrow heads of a horizontal or vertical shaft.
  const int ux = dx * 8 / len, uy = dy * 8 / len;
  c.Polygon({{b.x + ux / 2, b.y + uy / 2}, {b.x - ux - uy, b.y - uy + ux},
             {b.x - ux + uy, b.y - uy - ux}},
            col);
  c.Polygon({{a.x - ux / 2, a.y - uy / 2}, {a.x + ux - uy, a.y + uy + ux},
             {a.x + ux + uy, a.y + uy - ux}},
            col);
}

// Nozzle check: the check pattern, a staircase of short lines per ink, under
// a magnifier.
void NozzleCheck(Canvas& c) {
  c.Rect(14, 10, 76, 86, Rgb(110, 110, 120));
  c.Rect(16, 12, 74, 84, kWhite);
  for (int k = 0; k < 6; ++k) {
    for (int i = 0; i < 9; ++i) {
      const int x = 20 + 9 * k + (i % 3) * 2;
      c.Rect(x, 18 + 6 * i, x + 4, 20 + 6 * i, kInks[k]);
    }
  }
  c.Circle(62, 64, 14, WithAlpha(Rgb(200, 230, 255), 150));
  c.Ring(62, 64, 15, 4, kInk);
  c.Line({73, 75}, {84, 86}, 8, kInk);
  c.Line({75, 77}, {83, 85}, 4, Rgb(150, 100, 50));
}

// Print head cleaning: the head over a wiper blade sweeping to and fro, with
// glints on the clean nozzles.
void HeadCleaning(Canvas& c) {
  PrintHead(c);
  Sparkle(c, 16, 50, 8, Rgb(255, 230, 60));
  Sparkle(c, 82, 52, 6, Rgb(255, 230, 60));
  c.RoundRect(30, 54, 66, 62, 2, Rgb(30, 80, 180));
  c.Rect(32, 50, 64, 54, Rgb(60, 120, 220));
  DoubleArrow(c, {20, 74}, {76, 74}, 2, Rgb(220, 40, 40));
}

// Deep cleaning: ink of every colour drawn through the nozzles into the waste
// tray.
void DeepCleaning(Canvas& c) {
  PrintHead(c);
  for (int k = 0; k < 6; ++k) {
    const int x = 28 + 8 * k;
    const int y = 56 + (k % 2) * 6;
    c.Circle(x, y + 3, 3, kInks[k]);
    c.Polygon({{x - 3, y + 3}, {x, y - 3}, {x + 3, y + 3}}, kInks[k]);
  }
  c.Polygon({{14, 70}, {82, 70}, {76, 86}, {20, 86}}, kInk);
  c.Polygon({{17, 72}, {79, 72}, {74, 84}, {22, 84}}, Rgb(110, 112, 124));
  c.Rect(22, 76, 74, 80, Rgb(70, 50, 90));
}

// Print head alignment: two rows of ruled lines, the lower one out of line,
// with the arrow that brings them together.
void HeadAlignment(Canvas& c) {
  c.Rect(12, 12, 84, 84, Rgb(110, 110, 120));
  c.Rect(14, 14, 82, 82, kWhite);
  for (int k = 0; k < 5; ++k) {
    c.Rect(22 + 12 * k, 20, 26 + 12 * k, 40, kBlack);
    c.Rect(25 + 12 * k, 56, 29 + 12 * k, 76, kCyan);
  }
  DoubleArrow(c, {24, 48}, {72, 48}, 2, Rgb(220, 40, 40));
}

// Paper feed: roll media unwinding, with the feed direction and a scale.
void PaperFeed(Canvas& c) {
  c.Rect(22, 22, 66, 86, Rgb(110, 110, 120));
  c.Rect(24, 22, 64, 84, kWhite);
  for (int y = 32; y < 84; y += 8) c.Rect(24, y, y % 16 == 0 ? 34 : 30, y + 2, Rgb(90, 90, 100));
  c.RoundRect(14, 8, 74, 26, 9, kInk);
  c.RoundRect(16, 10, 72, 24, 7, Rgb(235, 235, 240));
  c.Rect(18, 12, 70, 15, kWhite);
  c.Ellipse(71, 17, 4, 6, Rgb(150, 150, 162));
  c.Ellipse(71, 17, 2, 2, kInk);
  DoubleArrow(c, {80, 36}, {80, 80}, 2, Rgb(30, 150, 60));
  c.Polygon({{40, 46}, {56, 46}, {48, 58}}, Rgb(30, 150, 60));
}

}  // namespace

void AddMaintenanceArt(Catalog& catalog) {
  struct ButtonArt {
    int normal;  // the pressed picture is the next id
    void (*draw)(Canvas&);
    const char* shows;
  };
  const ButtonArt buttons[] = {
      {8550, NozzleCheck, "nozzle check (9010): staircase check pattern in six inks, magnifier"},
      {8552, HeadCleaning,
       "print head cleaning (9008): print head over a blue wiper, glints, to-and-fro arrow"},
      {8554, DeepCleaning,
       "deep cleaning (9009): print head dropping all six inks into a waste tray"},
      {8556, HeadAlignment,
       "print head alignment (9011): black and cyan rulings out of line, red arrow"},
      {8558, PaperFeed, "paper feed (9012): roll media unwinding, scale and feed arrows"},
  };
  for (const ButtonArt& b : buttons) {
    for (const bool pressed : {false, true}) {
      void (*draw)(Canvas&) = b.draw;
      catalog.bitmaps.push_back(
          {b.normal + (pressed ? 1 : 0), kSide, kSide, Backdrop::kButtonFace,
           std::string(b.shows) + (pressed ? ", pressed" : ""), [draw, pressed](Canvas& c) {
             DrawButtonEdge(c, 0, 0, kDesign, kDesign, pressed);
             if (pressed) c.SetOrigin(kBitmapUnits, kBitmapUnits);
             draw(c);
           }});
    }
  }
}

}  // namespace tqr::art
