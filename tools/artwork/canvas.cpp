#include "canvas.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace tqr::art {
namespace {

long long FloorDiv(long long a, long long b) {
  long long q = a / b;
  if ((a % b != 0) && ((a < 0) != (b < 0))) --q;
  return q;
}

// 3 x 5 glyphs, one row a string of 3 cells ('#' lit).
struct Glyph {
  char ch;
  const char* rows[5];
};

constexpr Glyph kGlyphs[] = {
    {'0', {"###", "#.#", "#.#", "#.#", "###"}}, {'1', {".#.", "##.", ".#.", ".#.", "###"}},
    {'2', {"###", "..#", "###", "#..", "###"}}, {'3', {"###", "..#", ".##", "..#", "###"}},
    {'4', {"#.#", "#.#", "###", "..#", "..#"}}, {'5', {"###", "#..", "###", "..#", "###"}},
    {'6', {"###", "#..", "###", "#.#", "###"}}, {'7', {"###", "..#", ".#.", ".#.", ".#."}},
    {'8', {"###", "#.#", "###", "#.#", "###"}}, {'9', {"###", "#.#", "###", "..#", "###"}},
    {'A', {".#.", "#.#", "###", "#.#", "#.#"}}, {'B', {"##.", "#.#", "##.", "#.#", "##."}},
    {'C', {".##", "#..", "#..", "#..", ".##"}}, {'D', {"##.", "#.#", "#.#", "#.#", "##."}},
    {'E', {"###", "#..", "##.", "#..", "###"}}, {'F', {"###", "#..", "##.", "#..", "#.."}},
    {'I', {"###", ".#.", ".#.", ".#.", "###"}}, {'K', {"#.#", "#.#", "##.", "#.#", "#.#"}},
    {'L', {"#..", "#..", "#..", "#..", "###"}}, {'M', {"#.#", "###", "###", "#.#", "#.#"}},
    {'N', {"##.", "#.#", "#.#", "#.#", "#.#"}}, {'O', {".#.", "#.#", "#.#", "#.#", ".#."}},
    {'P', {"##.", "#.#", "##.", "#..", "#.."}}, {'R', {"##.", "#.#", "##.", "#.#", "#.#"}},
    {'S', {".##", "#..", ".#.", "..#", "##."}}, {'T', {"###", ".#.", ".#.", ".#.", ".#."}},
    {'U', {"#.#", "#.#", "#.#", "#.#", "###"}}, {'%', {"#.#", "..#", ".#.", "#..", "#.#"}},
    {'-', {"...", "...", "###", "...", "..."}}, {' ', {"...", "...", "...", "...", "..."}},
};

const Glyph* FindGlyph(char ch) {
  for (const Glyph& g : kGlyphs) {
    if (g.ch == ch) return &g;
  }
  return nullptr;
}

}  // namespace

Canvas::Canvas(int width, int height, int designWidth, int designHeight, int samples)
    : width_(width),
      height_(height),
      designWidth_(designWidth),
      designHeight_(designHeight),
      samples_(samples),
      scale_(width * samples / designWidth),
      sampleWidth_(width * samples),
      sampleHeight_(height * samples),
      grid_(static_cast<std::size_t>(width * samples) * static_cast<std::size_t>(height * samples),
            kClear) {
  // A design grid that does not divide into whole samples would make shapes
  // land between samples differently on each axis: a programming error.
  if (width <= 0 || height <= 0 || designWidth <= 0 || designHeight <= 0 || samples <= 0 ||
      scale_ * designWidth != width * samples || scale_ * designHeight != height * samples) {
    std::fprintf(stderr, "artwork: design grid %dx%d does not fit %dx%d pixels\n", designWidth,
                 designHeight, width, height);
    std::abort();
  }
}

void Canvas::Put(int i, int j, Color c) {
  Color& d = grid_[static_cast<std::size_t>(j) * static_cast<std::size_t>(sampleWidth_) +
                   static_cast<std::size_t>(i)];
  if (c.a == 255 || c.a == 0 || d.a == 0) {
    d = c;
    return;
  }
  // Source over destination, straight alpha.
  const int sa = c.a;
  const int da = d.a * (255 - sa) / 255;
  const int oa = sa + da;
  d.r = static_cast<std::uint8_t>((c.r * sa + d.r * da + oa / 2) / oa);
  d.g = static_cast<std::uint8_t>((c.g * sa + d.g * da + oa / 2) / oa);
  d.b = static_cast<std::uint8_t>((c.b * sa + d.b * da + oa / 2) / oa);
  d.a = static_cast<std::uint8_t>(oa);
}

template <typename Inside>
void Canvas::Cover(long long x0, long long y0, long long x1, long long y1, Color c,
                   Inside inside) {
  // Sample i sits at 2i + 1: the first at or after x0 and the last at or before x1.
  const long long iFirst = std::max(0LL, FloorDiv(x0, 2));
  const long long iLast = std::min<long long>(sampleWidth_ - 1, FloorDiv(x1 - 1, 2));
  const long long jFirst = std::max(0LL, FloorDiv(y0, 2));
  const long long jLast = std::min<long long>(sampleHeight_ - 1, FloorDiv(y1 - 1, 2));
  for (long long j = jFirst; j <= jLast; ++j) {
    for (long long i = iFirst; i <= iLast; ++i) {
      if (inside(2 * i + 1, 2 * j + 1)) Put(static_cast<int>(i), static_cast<int>(j), c);
    }
  }
}

void Canvas::Fill(Color c) { std::fill(grid_.begin(), grid_.end(), c); }

void Canvas::Rect(int x0, int y0, int x1, int y1, Color c) {
  const long long X0 = X(x0), X1 = X(x1), Y0 = Y(y0), Y1 = Y(y1);
  Cover(X0, Y0, X1, Y1, c, [&](long long x, long long y) {
    return x >= X0 && x < X1 && y >= Y0 && y < Y1;
  });
}

void Canvas::RoundRect(int x0, int y0, int x1, int y1, int radius, Color c) {
  const long long X0 = X(x0), X1 = X(x1), Y0 = Y(y0), Y1 = Y(y1);
  const long long R = 2LL * scale_ * radius;
  Cover(X0, Y0, X1, Y1, c, [&](long long x, long long y) {
    if (x < X0 || x >= X1 || y < Y0 || y >= Y1) return false;
    // Distance to the inner rectangle whose corners are the arc centres.
    const long long dx = x < X0 + R ? X0 + R - x : (x > X1 - R ? x - (X1 - R) : 0);
    const long long dy = y < Y0 + R ? Y0 + R - y : (y > Y1 - R ? y - (Y1 - R) : 0);
    return dx * dx + dy * dy <= R * R;
  });
}

void Canvas::Frame(int x0, int y0, int x1, int y1, int width, Color c) {
  Rect(x0, y0, x1, y0 + width, c);
  Rect(x0, y1 - width, x1, y1, c);
  Rect(x0, y0 + width, x0 + width, y1 - width, c);
  Rect(x1 - width, y0 + width, x1, y1 - width, c);
}

void Canvas::Ellipse(int cx, int cy, int rx, int ry, Color c) {
  const long long CX = X(cx), CY = Y(cy);
  const long long RX = 2LL * scale_ * rx, RY = 2LL * scale_ * ry;
  Cover(CX - RX, CY - RY, CX + RX + 1, CY + RY + 1, c, [&](long long x, long long y) {
    const long long dx = x - CX, dy = y - CY;
    return dx * dx * RY * RY + dy * dy * RX * RX <= RX * RX * RY * RY;
  });
}

void Canvas::Ring(int cx, int cy, int r, int width, Color c) {
  const long long CX = X(cx), CY = Y(cy);
  const long long R = 2LL * scale_ * r, W = 1LL * scale_ * width;
  const long long outer = (R + W) * (R + W);
  const long long inner = R > W ? (R - W) * (R - W) : 0;
  Cover(CX - R - W, CY - R - W, CX + R + W + 1, CY + R + W + 1, c, [&](long long x, long long y) {
    const long long d = (x - CX) * (x - CX) + (y - CY) * (y - CY);
    return d <= outer && d >= inner;
  });
}

void Canvas::Line(Point a, Point b, int width, Color c) {
  const long long AX = X(a.x), AY = Y(a.y), BX = X(b.x), BY = Y(b.y);
  const long long W = 1LL * scale_ * width;  // half the width, in double coordinates
  const long long ux = BX - AX, uy = BY - AY;
  const long long len2 = ux * ux + uy * uy;
  Cover(std::min(AX, BX) - W, std::min(AY, BY) - W, std::max(AX, BX) + W + 1,
        std::max(AY, BY) + W + 1, c, [&](long long x, long long y) {
          const long long px = x - AX, py = y - AY;
          const long long t = px * ux + py * uy;
          if (t <= 0) return px * px + py * py <= W * W;
          if (t >= len2) return (x - BX) * (x - BX) + (y - BY) * (y - BY) <= W * W;
          const long long cross = px * uy - py * ux;
          return cross * cross <= W * W * len2;
        });
}

void Canvas::Polyline(std::initializer_list<Point> points, int width, Color c) {
  const Point* prev = nullptr;
  for (const Point& p : points) {
    if (prev) Line(*prev, p, width, c);
    prev = &p;
  }
}

void Canvas::Outline(std::initializer_list<Point> points, int width, Color c) {
  if (points.size() < 2) return;
  const Point* prev = points.end() - 1;
  for (const Point& p : points) {
    Line(*prev, p, width, c);
    prev = &p;
  }
}

void Canvas::Polygon(std::initializer_list<Point> points, Color c) {
  Polygon(std::vector<Point>(points), c);
}

void Canvas::Polygon(const std::vector<Point>& points, Color c) {
  if (points.size() < 3) return;
  struct Edge {
    long long x0, y0, x1, y1;
  };
  std::vector<Edge> edges;
  long long minX = X(points[0].x), maxX = minX, minY = Y(points[0].y), maxY = minY;
  for (std::size_t k = 0; k < points.size(); ++k) {
    const Point& p = points[k];
    const Point& q = points[(k + 1) % points.size()];
    edges.push_back({X(p.x), Y(p.y), X(q.x), Y(q.y)});
    minX = std::min(minX, X(p.x));
    maxX = std::max(maxX, X(p.x));
    minY = std::min(minY, Y(p.y));
    maxY = std::max(maxY, Y(p.y));
  }
  // Per row: where each edge crosses the row's sample centres, as a fraction
  // num / den with den > 0, and which way it goes.
  struct Crossing {
    long long num, den;
    int dir;
  };
  std::vector<Crossing> crossings;
  long long row = -1;
  Cover(minX, minY, maxX + 1, maxY + 1, c, [&](long long x, long long y) {
    if (y != row) {
      row = y;
      crossings.clear();
      for (const Edge& e : edges) {
        const bool down = e.y0 <= y && e.y1 > y;
        const bool up = e.y1 <= y && e.y0 > y;
        if (!down && !up) continue;
        long long num = e.x0 * (e.y1 - e.y0) + (y - e.y0) * (e.x1 - e.x0);
        long long den = e.y1 - e.y0;
        if (den < 0) {
          num = -num;
          den = -den;
        }
        crossings.push_back({num, den, down ? 1 : -1});
      }
    }
    int winding = 0;
    for (const Crossing& k : crossings) {
      if (x * k.den < k.num) winding += k.dir;
    }
    return winding != 0;
  });
}

void Canvas::Sector(int cx, int cy, int r, Point from, Point to, Color c) {
  const long long CX = X(cx), CY = Y(cy);
  const long long R = 2LL * scale_ * r;
  const long long fromTo = 1LL * from.x * to.y - 1LL * from.y * to.x;
  Cover(CX - R, CY - R, CX + R + 1, CY + R + 1, c, [&](long long x, long long y) {
    const long long dx = x - CX, dy = y - CY;
    if (dx * dx + dy * dy > R * R) return false;
    const long long a = from.x * dy - from.y * dx;  // >= 0: clockwise of `from`
    const long long b = dx * to.y - dy * to.x;      // >= 0: before `to`
    if (fromTo >= 0) return a >= 0 && b >= 0;
    return a >= 0 || b >= 0;
  });
}

int Canvas::TextWidth(const char* text, int dot) {
  const int n = static_cast<int>(std::strlen(text));
  return n == 0 ? 0 : (4 * n - 1) * dot;
}

void Canvas::Text(int x, int y, int dot, const char* text, Color c) {
  for (const char* p = text; *p; ++p, x += 4 * dot) {
    const Glyph* g = FindGlyph(*p);
    if (!g) continue;
    for (int row = 0; row < 5; ++row) {
      for (int col = 0; col < 3; ++col) {
        if (g->rows[row][col] == '#') {
          Rect(x + col * dot, y + row * dot, x + (col + 1) * dot, y + (row + 1) * dot, c);
        }
      }
    }
  }
}

Image Canvas::Resolve() const {
  Image image;
  image.width = width_;
  image.height = height_;
  image.pixels.resize(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_));
  const int count = samples_ * samples_;
  for (int y = 0; y < height_; ++y) {
    for (int x = 0; x < width_; ++x) {
      long long a = 0, r = 0, g = 0, b = 0;
      for (int j = 0; j < samples_; ++j) {
        for (int i = 0; i < samples_; ++i) {
          const Color& s = grid_[static_cast<std::size_t>(y * samples_ + j) *
                                     static_cast<std::size_t>(sampleWidth_) +
                                 static_cast<std::size_t>(x * samples_ + i)];
          a += s.a;
          r += s.r * s.a;
          g += s.g * s.a;
          b += s.b * s.a;
        }
      }
      Color& out = image.At(x, y);
      if (a == 0) {
        out = kClear;
        continue;
      }
      out.r = static_cast<std::uint8_t>((r + a / 2) / a);
      out.g = static_cast<std::uint8_t>((g + a / 2) / a);
      out.b = static_cast<std::uint8_t>((b + a / 2) / a);
      out.a = static_cast<std::uint8_t>((a + count / 2) / count);
    }
  }
  return image;
}

Image Canvas::Flatten(Color key) const {
  Image image = Resolve();
  for (Color& p : image.pixels) {
    if (p.a >= 128) {
      p.a = 255;
    } else {
      p = key;
    }
  }
  return image;
}

}  // namespace tqr::art
