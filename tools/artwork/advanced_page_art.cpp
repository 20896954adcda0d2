// Pictures of the Advanced sheet: the icons at the ends of the print quality
// and intensity sliders, the sliders' own thumb and tick, and the arrow
// buttons that move a saved print mode earlier or later in its sideways list.
#include "pictures.h"

namespace tqr::art {
namespace {

constexpr Color kInk = Rgb(36, 36, 44);

// Quality slider, "Fast" end: a stopwatch in a hurry.
void Fast(Canvas& c) {
  const Color speed = Rgb(240, 120, 0);
  c.Rect(2, 26, 16, 30, speed);
  c.Rect(6, 36, 18, 40, speed);
  c.Rect(2, 46, 16, 50, speed);
  c.Rect(34, 4, 44, 10, kInk);
  c.Rect(37, 8, 41, 14, kInk);
  c.Circle(39, 38, 23, kInk);
  c.Circle(39, 38, 19, Rgb(255, 255, 255));
  c.Sector(39, 38, 17, {0, -1}, {1, 1}, Rgb(255, 200, 120));
  c.Line({39, 38}, {39, 23}, 3, kInk);
  c.Line({39, 38}, {50, 46}, 3, kInk);
  c.Circle(39, 38, 3, Rgb(220, 40, 40));
}

// Quality slider, "Fine" end: a magnifier over finely printed dots.
void Fine(Canvas& c) {
  const Color dots[] = {Rgb(0, 140, 210), Rgb(210, 0, 120), Rgb(40, 40, 48)};
  c.Circle(26, 26, 20, Rgb(255, 255, 255));
  for (int y = 10; y <= 42; y += 4) {
    for (int x = 10; x <= 42; x += 4) {
      const int dx = x - 26, dy = y - 26;
      if (dx * dx + dy * dy <= 16 * 16) c.Rect(x - 1, y - 1, x + 1, y + 1, dots[(x + y) / 4 % 3]);
    }
  }
  c.Ring(26, 26, 21, 5, kInk);
  c.Line({42, 42}, {58, 58}, 8, kInk);
  c.Line({44, 44}, {57, 57}, 4, Rgb(150, 100, 50));
}

// Ink drops: the intensity slider's lighter and darker ends.
void Drop(Canvas& c, int cx, int cy, int r, Color fill, Color edge) {
  c.Circle(cx, cy, r + 2, edge);
  c.Polygon({{cx - r - 1, cy - r / 4}, {cx, cy - 2 * r - 4}, {cx + r + 1, cy - r / 4}}, edge);
  c.Circle(cx, cy, r, fill);
  c.Polygon({{cx - r + 1, cy - r / 4}, {cx, cy - 2 * r - 1}, {cx + r - 1, cy - r / 4}}, fill);
}

void LessIntense(Canvas& c) {
  Drop(c, 32, 44, 11, Rgb(190, 210, 235), Rgb(120, 140, 170));
  c.Rect(10, 10, 22, 14, kInk);
}

void MoreIntense(Canvas& c) {
  Drop(c, 32, 40, 19, Rgb(20, 40, 120), Rgb(10, 20, 60));
  c.Rect(46, 10, 58, 14, kInk);
  c.Rect(50, 6, 54, 18, kInk);
  c.Ellipse(25, 40, 3, 7, Rgb(90, 120, 200));
}

// The slider thumb, 8 x 20 pixels: a raised pointer whose tip points down at
// the ticks. Drawn pixel by pixel (two units each) so its edges stay crisp.
void Thumb(Canvas& c) {
  const int u = kBitmapUnits;
  auto px = [&](int x, int y, Color col) { c.Rect(x * u, y * u, (x + 1) * u, (y + 1) * u, col); };
  for (int y = 0; y < 20; ++y) {
    // From row 16 the pointer narrows to its tip.
    const int inset = y < 16 ? 0 : y - 15;
    const int left = inset, right = 7 - inset;
    if (left > right) continue;
    for (int x = left; x <= right; ++x) px(x, y, kFace);
    px(left, y, kHighlight);
    if (y == 0) {
      for (int x = left; x <= right; ++x) px(x, y, kHighlight);
    }
    if (right > left) {
      px(right, y, kDarkShadow);
      if (right - 1 > left) px(right - 1, y, kShadow);
    }
  }
  // The pointer's left slope catches the light as its top does.
  for (int y = 16; y < 19; ++y) px(y - 15, y, kHighlight);
}

// Two 4 x 4 ticks side by side: normal (dark) and disabled (etched). The
// tick's line sits in the third column, where the slider position falls.
void Ticks(Canvas& c) {
  const int u = kBitmapUnits;
  c.Rect(2 * u, 0, 3 * u, 4 * u, Rgb(0, 0, 0));
  c.Rect(6 * u, 0, 7 * u, 4 * u, kShadow);
  c.Rect(7 * u, 0, 8 * u, 4 * u, kHighlight);
}

// A 20 x 20 arrow button: pointing left (earlier) or right (later),
// normal, pressed or disabled.
enum class Look { kNormal, kPressed, kDisabled };

void ArrowButton(Canvas& c, bool left, Look look) {
  const bool pressed = look == Look::kPressed;
  DrawButtonEdge(c, 0, 0, 40, 40, pressed);
  const int shift = pressed ? kBitmapUnits : 0;
  auto triangle = [&](int dx, int dy, Color col) {
    const int x = 14 + shift + dx, y = 10 + shift + dy;
    if (left) {
      c.Polygon({{x, y + 10}, {x + 10, y}, {x + 10, y + 20}}, col);
    } else {
      c.Polygon({{x + 10, y + 10}, {x, y}, {x, y + 20}}, col);
    }
  };
  if (look == Look::kDisabled) {
    triangle(kBitmapUnits, kBitmapUnits, kHighlight);
    triangle(0, 0, kShadow);
  } else {
    triangle(0, 0, Rgb(0, 0, 0));
  }
}

}  // namespace

void AddAdvancedPageArt(Catalog& catalog) {
  catalog.icons.push_back(
      {120, "icon_120.ico", "quality slider, Fast end: stopwatch with speed lines", Fast});
  catalog.icons.push_back(
      {119, "icon_119.ico", "quality slider, Fine end: magnifier over fine colour dots", Fine});
  catalog.icons.push_back(
      {122, "icon_122.ico", "intensity slider, lighter end: small pale ink drop and minus",
       LessIntense});
  catalog.icons.push_back(
      {121, "icon_121.ico", "intensity slider, darker end: large dark ink drop and plus",
       MoreIntense});

  catalog.bitmaps.push_back({9053, 8, 20, Backdrop::kButtonFace,
                             "slider thumb: raised pointer, tip down", Thumb});
  catalog.bitmaps.push_back({9054, 8, 4, Backdrop::kButtonFace,
                             "slider ticks: dark tick, then etched disabled tick", Ticks});

  struct ArrowArt {
    int id;
    bool left;
    Look look;
    const char* shows;
  };
  const ArrowArt arrows[] = {
      {4600, true, Look::kNormal, "move earlier: left arrow button"},
      {4601, true, Look::kPressed, "move earlier: left arrow button, pressed"},
      {4602, true, Look::kDisabled, "move earlier: left arrow button, disabled"},
      {4603, false, Look::kNormal, "move later: right arrow button"},
      {4604, false, Look::kPressed, "move later: right arrow button, pressed"},
      {4605, false, Look::kDisabled, "move later: right arrow button, disabled"},
  };
  for (const ArrowArt& a : arrows) {
    const bool left = a.left;
    const Look look = a.look;
    catalog.bitmaps.push_back({a.id, 20, 20, Backdrop::kButtonFace, a.shows,
                               [left, look](Canvas& c) { ArrowButton(c, left, look); }});
  }
}

}  // namespace tqr::art
