// A small raster canvas for the driver's icons and bitmaps. Pictures are
// described on a design grid of whole units; the canvas samples every output
// pixel on a finer grid and averages the samples, which smooths edges. All
// arithmetic is integer, so the same program writes the same bytes on every
// machine and compiler, and the checked-in files can be compared byte for byte.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <vector>

namespace tqr::art {

// A colour with straight (not premultiplied) alpha; alpha 0 erases.
struct Color {
  std::uint8_t r = 0;
  std::uint8_t g = 0;
  std::uint8_t b = 0;
  std::uint8_t a = 255;

  bool operator==(const Color& o) const {
    return r == o.r && g == o.g && b == o.b && a == o.a;
  }
  bool operator!=(const Color& o) const { return !(*this == o); }
};

constexpr Color Rgb(int r, int g, int b) {
  return Color{static_cast<std::uint8_t>(r), static_cast<std::uint8_t>(g),
               static_cast<std::uint8_t>(b), 255};
}
constexpr Color kClear{0, 0, 0, 0};

// A colour's own alpha replaced (for translucent shading).
constexpr Color WithAlpha(Color c, int alpha) {
  return Color{c.r, c.g, c.b, static_cast<std::uint8_t>(alpha)};
}

// A finished picture, rows top-down.
struct Image {
  int width = 0;
  int height = 0;
  std::vector<Color> pixels;

  Color& At(int x, int y) { return pixels[static_cast<std::size_t>(y * width + x)]; }
  const Color& At(int x, int y) const {
    return pixels[static_cast<std::size_t>(y * width + x)];
  }
};

struct Point {
  int x;
  int y;
};

class Canvas {
 public:
  // width x height output pixels showing a design grid of designWidth x
  // designHeight units, sampled samples x samples times per pixel. The
  // samples per design unit must come out whole on both axes.
  Canvas(int width, int height, int designWidth, int designHeight, int samples = 8);

  int DesignWidth() const { return designWidth_; }
  int DesignHeight() const { return designHeight_; }

  // Moves the design origin (in design units); later shapes are drawn
  // relative to it.
  void SetOrigin(int x, int y) {
    originX_ = x;
    originY_ = y;
  }

  void Fill(Color c);
  // Covers [x0, x1) x [y0, y1).
  void Rect(int x0, int y0, int x1, int y1, Color c);
  void RoundRect(int x0, int y0, int x1, int y1, int radius, Color c);
  // A frame of the given width inside [x0, x1) x [y0, y1).
  void Frame(int x0, int y0, int x1, int y1, int width, Color c);
  void Ellipse(int cx, int cy, int rx, int ry, Color c);
  void Circle(int cx, int cy, int r, Color c) { Ellipse(cx, cy, r, r, c); }
  // A circle's outline, the given width centred on radius r.
  void Ring(int cx, int cy, int r, int width, Color c);
  // A stroke with round ends.
  void Line(Point a, Point b, int width, Color c);
  void Polyline(std::initializer_list<Point> points, int width, Color c);
  // Filled with the non-zero winding rule.
  void Polygon(std::initializer_list<Point> points, Color c);
  void Polygon(const std::vector<Point>& points, Color c);
  // The closed outline of a polygon.
  void Outline(std::initializer_list<Point> points, int width, Color c);
  // The part of a disc swept clockwise (on screen) from direction `from` to
  // direction `to`; directions are vectors from the centre.
  void Sector(int cx, int cy, int r, Point from, Point to, Color c);
  // Capital letters, digits and a few signs of a 3 x 5 pixel font, each font
  // pixel `dot` design units square, glyphs one dot apart.
  void Text(int x, int y, int dot, const char* text, Color c);
  static int TextWidth(const char* text, int dot);

  // Averages the samples: partly covered pixels get partial alpha.
  Image Resolve() const;

  // The opaque-background variant for pictures drawn with a transparent key
  // colour: pixels covered at least half become opaque, the rest the key.
  Image Flatten(Color key) const;

 private:
  // Shapes are tested at sample centres in "double" coordinates: a design
  // unit is 2 * scale_ of them, so sample (i, j) sits at (2i + 1, 2j + 1).
  long long X(int designX) const { return 2LL * scale_ * (designX + originX_); }
  long long Y(int designY) const { return 2LL * scale_ * (designY + originY_); }

  // Calls put(i, j) for the samples of the clipped box; the box is given in
  // double coordinates.
  template <typename Inside>
  void Cover(long long x0, long long y0, long long x1, long long y1, Color c, Inside inside);
  void Put(int i, int j, Color c);

  int width_;
  int height_;
  int designWidth_;
  int designHeight_;
  int samples_;
  int scale_;  // samples per design unit
  int sampleWidth_;
  int sampleHeight_;
  int originX_ = 0;
  int originY_ = 0;
  std::vector<Color> grid_;
};

}  // namespace tqr::art
