// The Main page's pictures: the printer icon of the property sheet, the
// document page and the printer paper in their four shapes, and the arrow
// between them. The two page pictures stand for a size whose width is at most
// its length (a tall sheet) or a wider one, with the document upright
// (portrait) or turned a quarter (landscape) on it.
#include <vector>

#include "pictures.h"

namespace tqr::art {
namespace {

constexpr int kPageSide = 40;  // pixels; the page pictures are square
constexpr Color kPaper = Rgb(255, 255, 255);
constexpr Color kPaperEdge = Rgb(96, 96, 96);
constexpr Color kFold = Rgb(208, 208, 208);

// Maps points of the document's reading frame onto the sheet: upright, or
// turned a quarter anticlockwise as a landscape page lies on the paper.
struct Sheet {
  int x0, y0, x1, y1;
  bool turned;

  int ReadWidth() const { return turned ? y1 - y0 : x1 - x0; }
  int ReadHeight() const { return turned ? x1 - x0 : y1 - y0; }
  Point Map(int u, int v) const {
    if (!turned) return {x0 + u, y0 + v};
    return {x0 + v, y1 - u};
  }
  std::vector<Point> MapAll(std::initializer_list<Point> points) const {
    std::vector<Point> out;
    for (const Point& p : points) out.push_back(Map(p.x, p.y));
    return out;
  }
  void Bar(Canvas& c, int u0, int v0, int u1, int v1, Color color) const {
    c.Polygon(MapAll({{u0, v0}, {u1, v0}, {u1, v1}, {u0, v1}}), color);
  }
};

// A large letter A over lines of text, laid out in the reading frame.
void DrawDocument(Canvas& c, const Sheet& s, Color letter, Color bar, Color lines) {
  const int w = s.ReadWidth();
  const int h = s.ReadHeight();
  const int size = (h / 2 < w * 3 / 5) ? h / 2 : w * 3 / 5;  // height of the letter
  const int cx = w / 2;
  // Rules on whole pixels (two units) stay sharp.
  const int top = h / 8 / 2 * 2;
  const int half = size * 9 / 20;
  const int stroke = size / 4;
  // The letter: an outer triangle with the counter cut out, and its bar.
  c.Polygon(s.MapAll({{cx - stroke / 2, top},
                      {cx + stroke / 2, top},
                      {cx + half, top + size},
                      {cx + half - stroke, top + size},
                      {cx, top + stroke},
                      {cx - half + stroke, top + size},
                      {cx - half, top + size}}),
            letter);
  s.Bar(c, cx - half / 2, top + size * 5 / 8, cx + half / 2, top + size * 5 / 8 + stroke * 2 / 3,
        letter);
  // A coloured rule and the text lines under it.
  const int margin = w / 6 / 2 * 2;
  int v = (top + size + 5) / 2 * 2;
  s.Bar(c, margin, v, w - margin, v + 2, bar);
  v += 6;
  for (int k = 0; v + 2 <= h - 4; ++k, v += 6) {
    const int end = (k % 3 == 2) ? w / 2 : w - margin;
    s.Bar(c, margin, v, end, v + 2, lines);
  }
}

Sheet SheetFor(bool tall, bool turned) {
  // Design units: two per pixel, 80 x 80 for the 40-pixel picture.
  if (tall) return {16, 4, 64, 76, turned};
  return {4, 16, 76, 64, turned};
}

// The document as the application lays it out: a white sheet with a folded
// corner and black writing.
void DrawPage(Canvas& c, bool tall, bool turned) {
  const Sheet s = SheetFor(tall, turned);
  const int fold = 12;
  c.Polygon({{s.x0, s.y0}, {s.x1 - fold, s.y0}, {s.x1, s.y0 + fold}, {s.x1, s.y1}, {s.x0, s.y1}},
            kPaperEdge);
  c.Polygon({{s.x0 + 2, s.y0 + 2},
             {s.x1 - fold - 1, s.y0 + 2},
             {s.x1 - 2, s.y0 + fold + 1},
             {s.x1 - 2, s.y1 - 2},
             {s.x0 + 2, s.y1 - 2}},
            kPaper);
  c.Polygon({{s.x1 - fold, s.y0}, {s.x1 - fold, s.y0 + fold}, {s.x1, s.y0 + fold}}, kFold);
  c.Outline({{s.x1 - fold, s.y0}, {s.x1 - fold, s.y0 + fold}, {s.x1, s.y0 + fold}}, 1,
            kPaperEdge);
  const Sheet inner{s.x0 + 2, s.y0 + 2, s.x1 - 2, s.y1 - 2, turned};
  DrawDocument(c, inner, Rgb(24, 24, 24), Rgb(40, 80, 200), Rgb(128, 128, 128));
}

// The printer paper: a sheet cut from the roll across its top, with the
// document printed in colour.
void DrawPaper(Canvas& c, bool tall, bool turned) {
  Sheet s = SheetFor(tall, turned);
  s.y0 += 6;
  c.Rect(s.x0, s.y0, s.x1, s.y1, kPaperEdge);
  c.Rect(s.x0 + 2, s.y0, s.x1 - 2, s.y1 - 2, kPaper);
  // The roll: a shaded cylinder a little wider than the paper, with its core.
  const int ry = 6;
  const int top = s.y0 - ry;
  c.RoundRect(s.x0 - 4, top - ry, s.x1 + 4, top + ry, ry, Rgb(80, 80, 88));
  c.RoundRect(s.x0 - 2, top - ry + 2, s.x1 + 2, top + ry - 2, ry - 2, Rgb(236, 236, 240));
  c.Rect(s.x0, top - 2, s.x1, top, Rgb(255, 255, 255));
  c.Rect(s.x0, top + 1, s.x1, top + 3, Rgb(190, 190, 200));
  c.Ellipse(s.x1 + 1, top, 3, ry - 2, Rgb(150, 150, 160));
  c.Ellipse(s.x1 + 1, top, 1, 2, Rgb(60, 60, 70));
  const Sheet inner{s.x0 + 2, s.y0 + 2, s.x1 - 2, s.y1 - 2, turned};
  DrawDocument(c, inner, Rgb(0, 150, 210), Rgb(230, 0, 130), Rgb(150, 150, 150));
}

// A thick arrow pointing from the document to the printer paper.
void DrawArrow(Canvas& c) {
  // 24 x 16 pixels: 48 x 32 design units.
  const Color dark = Rgb(0, 60, 150);
  const Color body = Rgb(40, 110, 210);
  c.Polygon({{4, 10}, {26, 10}, {26, 3}, {45, 16}, {26, 29}, {26, 22}, {4, 22}}, dark);
  c.Polygon({{6, 12}, {28, 12}, {28, 7}, {41, 16}, {28, 25}, {28, 20}, {6, 20}}, body);
  c.Rect(6, 12, 27, 14, Rgb(120, 170, 240));
}

// A large-format printer on its stand, roll media on top and a printed sheet
// coming out of the front.
void DrawPrinter(Canvas& c) {
  const Color edge = Rgb(50, 54, 64);
  const Color body = Rgb(206, 210, 218);
  const Color shade = Rgb(160, 166, 178);
  // Stand: two legs with feet and a cross bar.
  c.Rect(11, 36, 16, 58, edge);
  c.Rect(48, 36, 53, 58, edge);
  c.RoundRect(5, 56, 22, 61, 2, edge);
  c.RoundRect(42, 56, 59, 61, 2, edge);
  c.Rect(16, 46, 48, 49, Rgb(90, 94, 104));
  // Roll cover.
  c.RoundRect(8, 8, 56, 22, 7, edge);
  c.RoundRect(10, 10, 54, 20, 5, shade);
  c.Rect(12, 12, 52, 14, Rgb(200, 204, 214));
  // Body.
  c.RoundRect(2, 16, 62, 38, 4, edge);
  c.RoundRect(4, 18, 60, 36, 3, body);
  c.Rect(4, 30, 60, 36, shade);
  // Paper slot with the printed sheet leaving it.
  c.Rect(12, 30, 52, 33, Rgb(30, 30, 36));
  c.Polygon({{14, 32}, {50, 32}, {52, 50}, {12, 50}}, Rgb(120, 120, 128));
  c.Polygon({{15, 32}, {49, 32}, {50, 49}, {14, 49}}, Rgb(255, 255, 255));
  c.Rect(19, 37, 27, 45, Rgb(0, 170, 230));
  c.Rect(29, 37, 37, 45, Rgb(230, 0, 140));
  c.Rect(39, 37, 46, 45, Rgb(250, 210, 0));
  // Control panel: display and a lamp.
  c.Rect(44, 21, 56, 27, edge);
  c.Rect(45, 22, 55, 26, Rgb(90, 170, 240));
  c.Circle(9, 24, 2, Rgb(40, 200, 80));
}

}  // namespace

void AddMainPageArt(Catalog& catalog) {
  catalog.icons.push_back({64062, "icon_64062.ico",
                           "the printer: a large-format printer on its stand with roll media "
                           "and a printed sheet (property sheet header)",
                           DrawPrinter});

  struct PageArt {
    int id;
    bool paper;  // printer paper (else the document page)
    bool tall;
    bool turned;
    const char* shows;
  };
  const PageArt pages[] = {
      {101, false, true, false, "document page: tall sheet, portrait (upright letter A)"},
      {103, false, true, true, "document page: tall sheet, landscape (letter A turned)"},
      {9056, false, false, false, "document page: wide sheet, portrait (upright letter A)"},
      {9055, false, false, true, "document page: wide sheet, landscape (letter A turned)"},
      {104, true, true, false, "printer paper from the roll: tall sheet, portrait"},
      {105, true, true, true, "printer paper from the roll: tall sheet, landscape"},
      {9058, true, false, false, "printer paper from the roll: wide sheet, portrait"},
      {9057, true, false, true, "printer paper from the roll: wide sheet, landscape"},
  };
  for (const PageArt& p : pages) {
    const bool paper = p.paper, tall = p.tall, turned = p.turned;
    catalog.bitmaps.push_back({p.id, kPageSide, kPageSide, Backdrop::kKeyColor, p.shows,
                               [paper, tall, turned](Canvas& c) {
                                 if (paper) {
                                   DrawPaper(c, tall, turned);
                                 } else {
                                   DrawPage(c, tall, turned);
                                 }
                               }});
  }
  catalog.bitmaps.push_back(
      {9046, 24, 16, Backdrop::kKeyColor, "blue arrow pointing right, page to paper", DrawArrow});
}

}  // namespace tqr::art
