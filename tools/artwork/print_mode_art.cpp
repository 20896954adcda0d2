// The print-mode icons 4700 to 4746. The first five stand for the built-in
// modes (general documents, photos, graphics, shop posters, test prints); the
// rest are pictures a user can give a preset of their own, each of a
// different subject and colour so that presets tell apart at a glance.
// Designed on the 64 x 64 icon grid: two units are one pixel at 32 x 32.
#include "pictures.h"

namespace tqr::art {
namespace {

constexpr Color kInk = Rgb(36, 36, 44);  // outlines
constexpr Color kWhite = Rgb(255, 255, 255);
constexpr Color kCyan = Rgb(0, 170, 230);
constexpr Color kMagenta = Rgb(230, 0, 140);
constexpr Color kYellow = Rgb(255, 215, 0);
constexpr Color kBlack = Rgb(30, 30, 30);

// A sheet of paper with a folded corner, as documents are shown.
void Sheet(Canvas& c) {
  c.Polygon({{10, 2}, {42, 2}, {54, 14}, {54, 62}, {10, 62}}, Rgb(96, 96, 104));
  c.Polygon({{12, 4}, {41, 4}, {52, 15}, {52, 60}, {12, 60}}, kWhite);
  c.Polygon({{42, 2}, {42, 14}, {54, 14}}, Rgb(200, 200, 208));
  c.Polyline({{42, 2}, {42, 14}, {54, 14}}, 1, Rgb(96, 96, 104));
}

void GeneralDocuments(Canvas& c) {
  Sheet(c);
  c.Rect(18, 10, 36, 14, Rgb(40, 80, 200));
  const int ends[] = {46, 46, 38, 46, 46, 30, 46, 40};
  for (int k = 0; k < 8; ++k) c.Rect(18, 20 + 5 * k, ends[k], 22 + 5 * k, Rgb(110, 110, 120));
}

void Photo(Canvas& c) {
  c.Rect(2, 8, 62, 56, Rgb(90, 90, 100));
  c.Rect(4, 10, 60, 54, kWhite);
  c.Rect(8, 14, 56, 50, Rgb(120, 190, 245));
  c.Circle(44, 24, 6, Rgb(255, 200, 40));
  c.Polygon({{8, 50}, {8, 38}, {22, 26}, {36, 40}, {44, 34}, {56, 44}, {56, 50}}, Rgb(70, 160, 60));
  c.Polygon({{8, 50}, {20, 42}, {34, 46}, {48, 40}, {56, 46}, {56, 50}}, Rgb(40, 120, 45));
}

void Graphics(Canvas& c) {
  c.Rect(6, 30, 32, 56, Rgb(40, 80, 200));
  c.Frame(6, 30, 32, 56, 2, kInk);
  c.Circle(42, 40, 15, Rgb(225, 40, 50));
  c.Ring(42, 40, 14, 2, kInk);
  c.Polygon({{30, 4}, {52, 38}, {8, 38}}, kYellow);
  c.Outline({{30, 4}, {52, 38}, {8, 38}}, 2, kInk);
}

void PosterAds(Canvas& c) {
  // A starburst price sign.
  const Point outer[] = {{32, 2},  {40, 12}, {53, 9},  {52, 22}, {62, 32}, {52, 42},
                         {53, 55}, {40, 52}, {32, 62}, {24, 52}, {11, 55}, {12, 42},
                         {2, 32},  {12, 22}, {11, 9},  {24, 12}};
  c.Polygon(std::vector<Point>(std::begin(outer), std::end(outer)), Rgb(220, 30, 40));
  std::vector<Point> inner;
  for (const Point& p : outer) inner.push_back({32 + (p.x - 32) * 7 / 8, 32 + (p.y - 32) * 7 / 8});
  c.Polygon(inner, Rgb(255, 220, 0));
  c.Text(18, 22, 2, "SALE", Rgb(200, 0, 30));
  c.Text(22, 34, 2, "50%", Rgb(30, 30, 30));
}

void TestPrint(Canvas& c) {
  Sheet(c);
  const Color swatches[] = {kCyan, kMagenta, kYellow, kBlack};
  for (int k = 0; k < 4; ++k) c.Rect(16 + 8 * k, 10, 22 + 8 * k, 20, swatches[k]);
  for (int k = 0; k < 4; ++k) {
    const int g = 60 + 50 * k;
    c.Rect(16 + 8 * k, 22, 22 + 8 * k, 28, Rgb(g, g, g));
  }
  c.Text(18, 36, 2, "TEST", Rgb(200, 30, 30));
  c.Polyline({{22, 50}, {28, 56}, {44, 42}}, 3, Rgb(30, 160, 60));
}

void House(Canvas& c) {
  c.Rect(40, 10, 48, 24, Rgb(150, 40, 30));
  c.Rect(12, 30, 52, 60, kInk);
  c.Rect(14, 32, 50, 58, Rgb(245, 215, 150));
  c.Polygon({{4, 34}, {32, 6}, {60, 34}}, kInk);
  c.Polygon({{9, 32}, {32, 10}, {55, 32}}, Rgb(210, 50, 40));
  c.Rect(26, 42, 36, 58, Rgb(130, 80, 40));
  c.Rect(40, 38, 48, 46, Rgb(90, 170, 240));
  c.Rect(16, 38, 24, 46, Rgb(90, 170, 240));
}

void Tree(Canvas& c) {
  c.Rect(27, 38, 37, 60, Rgb(120, 78, 40));
  c.Rect(14, 58, 50, 62, Rgb(90, 150, 60));
  c.Circle(32, 22, 18, Rgb(40, 120, 40));
  c.Circle(18, 32, 12, Rgb(40, 120, 40));
  c.Circle(46, 32, 12, Rgb(40, 120, 40));
  c.Circle(32, 21, 16, Rgb(70, 165, 55));
  c.Circle(19, 31, 10, Rgb(70, 165, 55));
  c.Circle(45, 31, 10, Rgb(70, 165, 55));
  c.Circle(26, 16, 5, Rgb(120, 200, 90));
}

void Flower(Canvas& c) {
  c.Line({32, 34}, {32, 62}, 4, Rgb(50, 140, 50));
  c.Polygon({{32, 54}, {44, 42}, {52, 44}, {44, 52}}, Rgb(60, 160, 60));
  c.Polygon({{32, 50}, {20, 40}, {12, 42}, {20, 50}}, Rgb(60, 160, 60));
  const Point petals[] = {{32, 10}, {43, 18}, {39, 31}, {25, 31}, {21, 18}};
  for (const Point& p : petals) c.Circle(p.x, p.y, 9, Rgb(200, 50, 120));
  for (const Point& p : petals) c.Circle(p.x, p.y, 7, Rgb(245, 110, 170));
  c.Circle(32, 22, 7, Rgb(255, 200, 30));
}

void Sun(Canvas& c) {
  const Point rays[] = {{0, -1}, {1, -1}, {1, 0}, {1, 1}, {0, 1}, {-1, 1}, {-1, 0}, {-1, -1}};
  for (const Point& r : rays) {
    const int len = (r.x != 0 && r.y != 0) ? 20 : 28;
    c.Line({32 + r.x * 19 * 7 / 10, 32 + r.y * 19 * 7 / 10}, {32 + r.x * len, 32 + r.y * len}, 4,
           Rgb(255, 150, 0));
  }
  c.Circle(32, 32, 16, Rgb(255, 150, 0));
  c.Circle(32, 32, 14, Rgb(255, 215, 30));
}

void Moon(Canvas& c) {
  const Color night = Rgb(25, 35, 90);
  c.RoundRect(2, 2, 62, 62, 10, night);
  c.Circle(28, 34, 20, Rgb(250, 235, 140));
  c.Circle(38, 26, 18, night);
  const Point stars[] = {{48, 44}, {50, 14}, {14, 12}};
  for (const Point& s : stars) {
    c.Polygon({{s.x, s.y - 5}, {s.x + 1, s.y - 1}, {s.x + 5, s.y}, {s.x + 1, s.y + 1},
               {s.x, s.y + 5}, {s.x - 1, s.y + 1}, {s.x - 5, s.y}, {s.x - 1, s.y - 1}},
              kWhite);
  }
}

void RainCloud(Canvas& c) {
  const Color drop = Rgb(40, 120, 225);
  const Point drops[] = {{18, 50}, {32, 56}, {46, 50}};
  for (const Point& d : drops) {
    c.Circle(d.x, d.y, 4, drop);
    c.Polygon({{d.x - 4, d.y}, {d.x, d.y - 9}, {d.x + 4, d.y}}, drop);
  }
  const Color dark = Rgb(110, 120, 140);
  c.Circle(20, 28, 11, dark);
  c.Circle(34, 21, 14, dark);
  c.Circle(47, 29, 10, dark);
  c.RoundRect(8, 26, 58, 40, 7, dark);
  const Color cloud = Rgb(190, 198, 212);
  c.Circle(20, 28, 9, cloud);
  c.Circle(34, 21, 12, cloud);
  c.Circle(47, 29, 8, cloud);
  c.RoundRect(10, 28, 56, 38, 5, cloud);
}

void Snowflake(Canvas& c) {
  const Color ice = Rgb(50, 140, 220);
  // Six arms, each with a pair of twigs near its end.
  const Point arms[] = {{0, -26}, {22, -13}, {22, 13}, {0, 26}, {-22, 13}, {-22, -13}};
  for (const Point& a : arms) {
    c.Line({32, 32}, {32 + a.x, 32 + a.y}, 4, ice);
    const Point mid{32 + a.x * 3 / 5, 32 + a.y * 3 / 5};
    // Twigs: the arm's direction turned by 60 degrees either way, shortened.
    const Point left{(a.x - a.y * 17 / 10) / 4, (a.y + a.x * 17 / 10) / 4};
    const Point right{(a.x + a.y * 17 / 10) / 4, (a.y - a.x * 17 / 10) / 4};
    c.Line(mid, {mid.x + (left.x + a.x / 4) / 2, mid.y + (left.y + a.y / 4) / 2}, 3, ice);
    c.Line(mid, {mid.x + (right.x + a.x / 4) / 2, mid.y + (right.y + a.y / 4) / 2}, 3, ice);
  }
  c.Circle(32, 32, 5, Rgb(150, 210, 250));
}

void Lightning(Canvas& c) {
  c.Circle(32, 32, 30, Rgb(100, 50, 160));
  c.Polygon({{38, 4}, {16, 36}, {30, 36}, {24, 60}, {48, 26}, {34, 26}, {44, 4}}, kInk);
  c.Polygon({{39, 7}, {20, 34}, {33, 34}, {28, 53}, {44, 28}, {31, 28}, {41, 7}},
            Rgb(255, 225, 0));
}

void Heart(Canvas& c) {
  const Color red = Rgb(215, 25, 55);
  c.Circle(21, 24, 15, red);
  c.Circle(43, 24, 15, red);
  c.Polygon({{7, 30}, {32, 58}, {57, 30}, {32, 22}}, red);
  c.Ellipse(18, 20, 5, 4, Rgb(250, 140, 160));
}

void Star(Canvas& c) {
  const Color edge = Rgb(200, 120, 0);
  c.Polygon({{32, 3}, {39, 24}, {61, 24}, {43, 37}, {50, 59}, {32, 45}, {14, 59}, {21, 37},
             {3, 24}, {25, 24}},
            edge);
  c.Polygon({{32, 9}, {37, 26}, {55, 26}, {41, 36}, {46, 53}, {32, 42}, {18, 53}, {23, 36},
             {9, 26}, {27, 26}},
            Rgb(255, 205, 30));
}

void Car(Canvas& c) {
  const Color body = Rgb(35, 90, 200);
  c.Polygon({{14, 34}, {20, 18}, {44, 18}, {52, 34}}, body);
  c.RoundRect(4, 30, 60, 48, 6, body);
  c.Polygon({{19, 32}, {23, 21}, {31, 21}, {31, 32}}, Rgb(180, 220, 250));
  c.Polygon({{34, 32}, {34, 21}, {42, 21}, {47, 32}}, Rgb(180, 220, 250));
  c.Rect(54, 34, 60, 38, Rgb(255, 220, 80));
  c.Circle(18, 48, 8, kInk);
  c.Circle(46, 48, 8, kInk);
  c.Circle(18, 48, 3, Rgb(180, 180, 190));
  c.Circle(46, 48, 3, Rgb(180, 180, 190));
}

void Rocket(Canvas& c) {
  const Color red = Rgb(215, 40, 40);
  c.Polygon({{22, 46}, {32, 62}, {42, 46}}, Rgb(255, 140, 0));
  c.Polygon({{26, 46}, {32, 56}, {38, 46}}, Rgb(255, 225, 60));
  c.Polygon({{22, 30}, {10, 50}, {22, 46}}, red);
  c.Polygon({{42, 30}, {54, 50}, {42, 46}}, red);
  c.Polygon({{32, 2}, {43, 18}, {43, 46}, {21, 46}, {21, 18}}, Rgb(90, 95, 110));
  c.Polygon({{32, 5}, {41, 19}, {41, 44}, {23, 44}, {23, 19}}, Rgb(235, 236, 242));
  c.Polygon({{32, 5}, {41, 19}, {23, 19}}, red);
  c.Circle(32, 28, 6, Rgb(90, 95, 110));
  c.Circle(32, 28, 4, Rgb(80, 170, 240));
}

void Sailboat(Canvas& c) {
  c.Rect(2, 50, 62, 62, Rgb(30, 100, 200));
  c.Polyline({{2, 52}, {10, 50}, {18, 52}, {26, 50}, {34, 52}, {42, 50}, {50, 52}, {62, 50}}, 2,
             Rgb(150, 200, 250));
  c.Polygon({{8, 44}, {56, 44}, {48, 54}, {16, 54}}, Rgb(150, 80, 40));
  c.Rect(31, 6, 34, 44, kInk);
  c.Polygon({{36, 8}, {36, 40}, {56, 40}}, kWhite);
  c.Outline({{36, 8}, {36, 40}, {56, 40}}, 1, Rgb(120, 120, 130));
  c.Polygon({{29, 14}, {29, 40}, {12, 40}}, Rgb(255, 240, 200));
  c.Outline({{29, 14}, {29, 40}, {12, 40}}, 1, Rgb(120, 120, 130));
  c.Polygon({{34, 6}, {44, 9}, {34, 12}}, Rgb(230, 30, 40));
}

void Airplane(Canvas& c) {
  c.Circle(32, 32, 30, Rgb(200, 230, 250));
  const Color hull = Rgb(225, 228, 236);
  const Color wing = Rgb(120, 135, 165);
  c.Polygon({{30, 34}, {40, 34}, {26, 54}, {20, 54}}, wing);
  c.Polygon({{8, 30}, {6, 16}, {12, 16}, {20, 30}}, Rgb(220, 50, 50));
  c.RoundRect(6, 28, 58, 38, 5, Rgb(90, 100, 120));
  c.RoundRect(8, 29, 56, 37, 4, hull);
  for (int x = 22; x <= 46; x += 6) c.Rect(x, 31, x + 3, 33, Rgb(50, 120, 210));
  c.Polygon({{28, 32}, {38, 32}, {30, 16}, {24, 16}}, wing);
}

void Fish(Canvas& c) {
  const Color body = Rgb(250, 130, 20);
  c.Polygon({{42, 32}, {60, 18}, {56, 32}, {60, 46}}, Rgb(220, 90, 10));
  c.Polygon({{22, 22}, {30, 12}, {40, 22}}, Rgb(220, 90, 10));
  c.Ellipse(26, 32, 22, 14, body);
  c.Polygon({{28, 20}, {32, 32}, {28, 44}, {26, 32}}, Rgb(255, 200, 120));
  c.Circle(14, 28, 4, kWhite);
  c.Circle(13, 28, 2, kInk);
  c.Ring(52, 8, 3, 1, Rgb(60, 160, 230));
  c.Ring(58, 2, 2, 1, Rgb(60, 160, 230));
}

void Apple(Canvas& c) {
  const Color red = Rgb(205, 25, 35);
  c.Line({32, 20}, {35, 6}, 3, Rgb(110, 70, 30));
  c.Polygon({{35, 14}, {44, 6}, {54, 6}, {46, 14}}, Rgb(70, 160, 50));
  c.Circle(23, 37, 17, red);
  c.Circle(41, 37, 17, red);
  c.Circle(32, 44, 16, red);
  c.Ellipse(20, 30, 4, 6, Rgb(250, 120, 120));
}

void Coffee(Canvas& c) {
  const Color cup = Rgb(230, 120, 50);
  c.Ellipse(30, 58, 26, 4, Rgb(170, 80, 30));
  c.Ring(48, 38, 8, 4, cup);
  c.Polygon({{10, 24}, {50, 24}, {46, 56}, {14, 56}}, cup);
  c.Ellipse(30, 24, 20, 5, Rgb(110, 60, 25));
  c.Ellipse(30, 25, 16, 3, Rgb(80, 40, 15));
  c.Polyline({{22, 18}, {20, 12}, {24, 7}, {22, 2}}, 2, Rgb(150, 150, 160));
  c.Polyline({{34, 18}, {32, 12}, {36, 7}, {34, 2}}, 2, Rgb(150, 150, 160));
}

void MusicNote(Canvas& c) {
  const Color ink = Rgb(60, 30, 120);
  c.Polygon({{22, 12}, {54, 4}, {54, 14}, {22, 22}}, ink);
  c.Rect(20, 14, 25, 50, ink);
  c.Rect(50, 6, 55, 42, ink);
  c.Ellipse(16, 50, 9, 7, ink);
  c.Ellipse(46, 42, 9, 7, ink);
}

void Camera(Canvas& c) {
  const Color body = Rgb(60, 62, 72);
  c.Rect(18, 10, 34, 18, body);
  c.RoundRect(4, 16, 60, 54, 6, body);
  c.Rect(4, 24, 60, 28, Rgb(100, 104, 116));
  c.Circle(32, 36, 15, Rgb(170, 172, 182));
  c.Circle(32, 36, 11, Rgb(30, 50, 90));
  c.Circle(32, 36, 6, Rgb(60, 100, 170));
  c.Circle(28, 32, 2, kWhite);
  c.Rect(48, 19, 56, 23, Rgb(255, 250, 200));
  c.Rect(8, 12, 14, 16, Rgb(220, 40, 40));
}

void Globe(Canvas& c) {
  const Color land = Rgb(70, 170, 70);
  c.Circle(32, 32, 29, Rgb(20, 70, 150));
  c.Circle(32, 32, 27, Rgb(50, 130, 220));
  c.Polygon({{12, 18}, {22, 10}, {30, 14}, {28, 24}, {20, 30}, {22, 40}, {16, 44}, {8, 32}}, land);
  c.Polygon({{36, 12}, {48, 12}, {54, 22}, {46, 26}, {40, 22}}, land);
  c.Polygon({{36, 32}, {46, 30}, {52, 38}, {44, 54}, {38, 48}}, land);
  c.Ring(32, 32, 27, 1, Rgb(180, 220, 250));
}

void Clock(Canvas& c) {
  c.Circle(32, 32, 29, Rgb(50, 55, 70));
  c.Circle(32, 32, 25, kWhite);
  c.Rect(31, 9, 33, 15, kInk);
  c.Rect(31, 49, 33, 55, kInk);
  c.Rect(9, 31, 15, 33, kInk);
  c.Rect(49, 31, 55, 33, kInk);
  c.Line({32, 32}, {32, 14}, 3, kInk);
  c.Line({32, 32}, {44, 40}, 3, kInk);
  c.Circle(32, 32, 3, Rgb(220, 40, 40));
}

void LightBulb(Canvas& c) {
  const Color glass = Rgb(255, 225, 70);
  c.Circle(32, 24, 20, Rgb(210, 160, 0));
  c.Circle(32, 24, 18, glass);
  c.Polygon({{21, 36}, {43, 36}, {40, 46}, {24, 46}}, glass);
  c.Polyline({{26, 36}, {28, 26}, {32, 30}, {36, 26}, {38, 36}}, 2, Rgb(230, 110, 0));
  c.Rect(23, 46, 41, 56, Rgb(140, 140, 150));
  c.Rect(23, 49, 41, 51, Rgb(200, 200, 210));
  c.Rect(23, 53, 41, 55, Rgb(200, 200, 210));
  c.Rect(28, 56, 36, 61, Rgb(80, 80, 90));
  c.Ellipse(25, 17, 4, 6, Rgb(255, 250, 210));
}

void Key(Canvas& c) {
  const Color gold = Rgb(215, 165, 20);
  c.Ring(18, 32, 11, 7, gold);
  c.Rect(28, 28, 60, 36, gold);
  c.Rect(46, 36, 51, 46, gold);
  c.Rect(54, 36, 60, 43, gold);
  c.Ring(18, 32, 11, 2, Rgb(250, 215, 90));
}

void Gift(Canvas& c) {
  const Color ribbon = Rgb(255, 205, 30);
  c.Polygon({{32, 20}, {14, 6}, {12, 16}, {22, 20}}, ribbon);
  c.Polygon({{32, 20}, {50, 6}, {52, 16}, {42, 20}}, ribbon);
  c.Rect(10, 30, 54, 60, Rgb(200, 30, 50));
  c.Rect(6, 20, 58, 31, Rgb(160, 20, 40));
  c.Rect(28, 20, 36, 60, ribbon);
}

void Umbrella(Canvas& c) {
  const Color colours[] = {Rgb(230, 40, 40), Rgb(255, 200, 0), Rgb(40, 170, 70),
                           Rgb(40, 100, 220)};
  const Point edges[] = {{-1, 0}, {-1, -1}, {0, -1}, {1, -1}, {1, 0}};
  for (int k = 0; k < 4; ++k) c.Sector(32, 32, 28, edges[k], edges[k + 1], colours[k]);
  for (int x = 11; x <= 53; x += 14) c.Circle(x, 33, 7, kClear);
  c.Rect(31, 2, 33, 6, kInk);
  c.Line({32, 30}, {32, 54}, 3, kInk);
  c.Polyline({{32, 54}, {31, 59}, {26, 60}, {24, 55}}, 3, kInk);
}

void Leaf(Canvas& c) {
  c.Polygon({{8, 58}, {10, 36}, {20, 20}, {36, 10}, {58, 6}, {54, 28}, {44, 44}, {28, 54}},
            Rgb(50, 130, 40));
  c.Polygon({{11, 54}, {13, 37}, {22, 23}, {37, 13}, {55, 9}, {51, 28}, {42, 42}, {27, 51}},
            Rgb(110, 190, 60));
  c.Line({6, 60}, {48, 16}, 2, Rgb(50, 130, 40));
  c.Line({22, 44}, {20, 30}, 2, Rgb(50, 130, 40));
  c.Line({32, 34}, {32, 20}, 2, Rgb(50, 130, 40));
  c.Line({24, 42}, {38, 44}, 2, Rgb(50, 130, 40));
  c.Line({34, 32}, {46, 32}, 2, Rgb(50, 130, 40));
}

void Flame(Canvas& c) {
  const Color outer = Rgb(235, 70, 20);
  c.Circle(32, 44, 17, outer);
  c.Polygon({{15, 42}, {20, 22}, {26, 30}, {32, 2}, {42, 20}, {46, 16}, {49, 42}}, outer);
  const Color inner = Rgb(255, 200, 30);
  c.Circle(32, 49, 10, inner);
  c.Polygon({{22, 48}, {28, 28}, {33, 36}, {38, 26}, {42, 48}}, inner);
}

void WaterDrop(Canvas& c) {
  const Color water = Rgb(30, 130, 230);
  c.Circle(32, 42, 19, Rgb(20, 80, 170));
  c.Polygon({{14, 37}, {32, 2}, {50, 37}}, Rgb(20, 80, 170));
  c.Circle(32, 42, 17, water);
  c.Polygon({{16, 38}, {32, 6}, {48, 38}}, water);
  c.Ellipse(25, 42, 4, 8, Rgb(170, 220, 255));
}

void Gem(Canvas& c) {
  c.Polygon({{18, 10}, {46, 10}, {60, 24}, {4, 24}}, Rgb(160, 235, 250));
  c.Polygon({{4, 24}, {60, 24}, {32, 60}}, Rgb(30, 170, 215));
  c.Polygon({{20, 24}, {44, 24}, {32, 60}}, Rgb(80, 205, 240));
  c.Polygon({{24, 10}, {40, 10}, {44, 24}, {20, 24}}, Rgb(220, 250, 255));
  c.Outline({{18, 10}, {46, 10}, {60, 24}, {32, 60}, {4, 24}}, 2, Rgb(20, 110, 160));
}

void Crown(Canvas& c) {
  const Color gold = Rgb(240, 185, 20);
  c.Polygon({{6, 48}, {6, 18}, {20, 34}, {32, 12}, {44, 34}, {58, 18}, {58, 48}}, gold);
  c.Rect(6, 44, 58, 56, Rgb(200, 140, 10));
  c.Circle(6, 16, 4, gold);
  c.Circle(32, 10, 4, gold);
  c.Circle(58, 16, 4, gold);
  c.Circle(32, 50, 4, Rgb(220, 30, 40));
  c.Circle(17, 50, 3, Rgb(40, 90, 220));
  c.Circle(47, 50, 3, Rgb(30, 160, 70));
}

void Flag(Canvas& c) {
  c.Rect(10, 4, 14, 62, Rgb(110, 90, 70));
  c.Circle(12, 4, 3, Rgb(240, 200, 40));
  c.Polygon({{14, 8}, {26, 12}, {40, 6}, {58, 10}, {58, 36}, {40, 32}, {26, 38}, {14, 34}},
            Rgb(30, 150, 80));
  c.Polygon({{36, 12}, {39, 19}, {46, 19}, {40, 24}, {42, 31}, {36, 27}, {30, 31}, {32, 24},
             {26, 19}, {33, 19}},
            kWhite);
}

void Target(Canvas& c) {
  const Color red = Rgb(220, 30, 40);
  c.Circle(30, 34, 28, red);
  c.Circle(30, 34, 22, kWhite);
  c.Circle(30, 34, 16, red);
  c.Circle(30, 34, 10, kWhite);
  c.Circle(30, 34, 5, red);
  c.Line({30, 34}, {56, 8}, 3, kInk);
  c.Polygon({{52, 6}, {60, 2}, {58, 10}, {54, 12}}, Rgb(40, 120, 220));
}

void Smiley(Canvas& c) {
  c.Circle(32, 32, 29, Rgb(220, 150, 0));
  c.Circle(32, 32, 27, Rgb(255, 215, 40));
  c.Ellipse(23, 25, 4, 6, kInk);
  c.Ellipse(41, 25, 4, 6, kInk);
  c.Polyline({{16, 38}, {22, 45}, {32, 48}, {42, 45}, {48, 38}}, 4, kInk);
}

void Blueprint(Canvas& c) {
  const Color paper = Rgb(25, 80, 165);
  const Color line = Rgb(235, 245, 255);
  c.Rect(2, 6, 62, 58, paper);
  for (int x = 10; x < 62; x += 8) c.Rect(x, 6, x + 1, 58, Rgb(55, 110, 190));
  for (int y = 14; y < 58; y += 8) c.Rect(2, y, 62, y + 1, Rgb(55, 110, 190));
  c.Outline({{14, 24}, {32, 12}, {50, 24}, {50, 46}, {14, 46}}, 2, line);
  c.Frame(28, 32, 37, 47, 2, line);
  c.Line({10, 52}, {54, 52}, 1, line);
  c.Line({10, 49}, {10, 55}, 1, line);
  c.Line({54, 49}, {54, 55}, 1, line);
}

void Map(Canvas& c) {
  c.Polygon({{4, 14}, {22, 8}, {22, 56}, {4, 60}}, Rgb(235, 225, 190));
  c.Polygon({{22, 8}, {42, 14}, {42, 60}, {22, 56}}, Rgb(215, 205, 165));
  c.Polygon({{42, 14}, {60, 8}, {60, 54}, {42, 60}}, Rgb(235, 225, 190));
  c.Polyline({{6, 44}, {16, 38}, {28, 42}, {40, 30}, {58, 34}}, 2, Rgb(230, 120, 30));
  c.Polyline({{12, 20}, {18, 30}, {34, 24}, {50, 46}}, 2, Rgb(70, 140, 210));
  c.Circle(40, 20, 9, Rgb(200, 20, 30));
  c.Polygon({{32, 23}, {40, 40}, {48, 23}}, Rgb(200, 20, 30));
  c.Circle(40, 20, 3, kWhite);
}

void Banner(Canvas& c) {
  const Color stripes[] = {Rgb(230, 40, 40), Rgb(250, 150, 20), Rgb(250, 220, 20),
                           Rgb(50, 170, 70), Rgb(40, 110, 220), Rgb(130, 60, 180)};
  c.Rect(10, 20, 54, 44, kWhite);
  for (int k = 0; k < 6; ++k) c.Rect(12 + 7 * k, 24, 19 + 7 * k, 40, stripes[k]);
  c.RoundRect(2, 16, 12, 48, 4, Rgb(120, 120, 132));
  c.RoundRect(4, 18, 10, 46, 3, Rgb(220, 220, 228));
  c.RoundRect(52, 16, 62, 48, 4, Rgb(120, 120, 132));
  c.RoundRect(54, 18, 60, 46, 3, Rgb(220, 220, 228));
}

void Palette(Canvas& c) {
  c.Ellipse(32, 34, 29, 25, Rgb(160, 110, 60));
  c.Ellipse(32, 34, 27, 23, Rgb(225, 185, 125));
  c.Circle(42, 46, 6, kClear);
  c.Circle(18, 26, 5, Rgb(225, 30, 40));
  c.Circle(30, 18, 5, Rgb(255, 210, 20));
  c.Circle(44, 22, 5, Rgb(40, 170, 70));
  c.Circle(52, 34, 5, Rgb(40, 100, 220));
  c.Circle(18, 42, 5, Rgb(140, 60, 190));
}

void Pencil(Canvas& c) {
  c.Polygon({{14, 40}, {42, 12}, {52, 22}, {24, 50}}, Rgb(250, 195, 20));
  c.Polygon({{14, 40}, {33, 21}, {38, 26}, {19, 45}}, Rgb(255, 225, 90));
  c.Polygon({{14, 40}, {24, 50}, {6, 58}}, Rgb(240, 205, 150));
  c.Polygon({{9, 51}, {13, 55}, {6, 58}}, kInk);
  c.Polygon({{42, 12}, {46, 8}, {56, 18}, {52, 22}}, Rgb(160, 160, 170));
  c.Polygon({{46, 8}, {50, 4}, {60, 14}, {56, 18}}, Rgb(240, 130, 150));
}

void Book(Canvas& c) {
  c.Rect(16, 10, 54, 60, Rgb(245, 245, 235));
  c.Rect(16, 56, 54, 58, Rgb(200, 200, 190));
  c.Rect(10, 4, 50, 56, Rgb(30, 120, 70));
  c.Rect(10, 4, 16, 56, Rgb(20, 85, 50));
  c.Rect(22, 14, 44, 24, Rgb(245, 240, 210));
  c.Rect(24, 18, 42, 20, Rgb(30, 120, 70));
  c.Polygon({{38, 56}, {44, 56}, {44, 64}, {41, 61}, {38, 64}}, Rgb(210, 30, 40));
}

void Mountain(Canvas& c) {
  c.Polygon({{0, 58}, {22, 14}, {34, 36}, {44, 22}, {64, 58}}, Rgb(90, 100, 135));
  c.Polygon({{22, 14}, {30, 30}, {26, 28}, {22, 32}, {18, 28}, {15, 28}}, kWhite);
  c.Polygon({{44, 22}, {50, 33}, {46, 31}, {42, 34}, {39, 30}}, kWhite);
  c.Rect(0, 56, 64, 62, Rgb(80, 150, 70));
}

void City(Canvas& c) {
  struct Tower {
    int x0, y0, x1;
    Color colour;
  };
  const Tower towers[] = {{4, 28, 18, Rgb(70, 90, 140)},
                          {18, 10, 32, Rgb(50, 70, 120)},
                          {32, 22, 46, Rgb(90, 110, 160)},
                          {46, 34, 60, Rgb(60, 80, 130)}};
  for (const Tower& t : towers) {
    c.Rect(t.x0, t.y0, t.x1, 60, t.colour);
    for (int y = t.y0 + 4; y + 3 <= 56; y += 6) {
      for (int x = t.x0 + 3; x + 3 <= t.x1 - 2; x += 5) c.Rect(x, y, x + 3, y + 3, kYellow);
    }
  }
  c.Rect(24, 4, 26, 10, Rgb(50, 70, 120));
  c.Rect(2, 60, 62, 62, kInk);
}

void Envelope(Canvas& c) {
  c.Rect(4, 14, 60, 52, Rgb(110, 110, 120));
  c.Rect(6, 16, 58, 50, Rgb(250, 248, 240));
  c.Polyline({{6, 17}, {32, 38}, {58, 17}}, 2, Rgb(110, 110, 120));
  c.Rect(46, 20, 54, 30, Rgb(220, 40, 50));
  c.Frame(46, 20, 54, 30, 1, kWhite);
  c.Rect(10, 40, 26, 42, Rgb(40, 90, 200));
  c.Rect(10, 44, 22, 46, Rgb(40, 90, 200));
}

struct ModeArt {
  void (*draw)(Canvas&);
  const char* shows;
};

const ModeArt kModes[] = {
    {GeneralDocuments, "general documents: a sheet with a blue heading and lines of text"},
    {Photo, "photo: a framed landscape with hills and sun"},
    {Graphics, "graphics: a blue square, red circle and yellow triangle"},
    {PosterAds, "POP ads: a red and yellow starburst sign reading SALE 50%"},
    {TestPrint, "test printing: a sheet with CMYK and grey patches, TEST and a tick"},
    {House, "house with a red roof"},
    {Tree, "green tree"},
    {Flower, "pink flower"},
    {Sun, "sun"},
    {Moon, "crescent moon and stars at night"},
    {RainCloud, "rain cloud"},
    {Snowflake, "snowflake"},
    {Lightning, "lightning bolt on purple"},
    {Heart, "red heart"},
    {Star, "gold star"},
    {Car, "blue car"},
    {Rocket, "rocket"},
    {Sailboat, "sailboat on the sea"},
    {Airplane, "aeroplane in the sky"},
    {Fish, "orange fish"},
    {Apple, "red apple"},
    {Coffee, "cup of coffee"},
    {MusicNote, "musical notes"},
    {Camera, "camera"},
    {Globe, "globe"},
    {Clock, "clock"},
    {LightBulb, "light bulb"},
    {Key, "gold key"},
    {Gift, "gift box"},
    {Umbrella, "colourful umbrella"},
    {Leaf, "green leaf"},
    {Flame, "flame"},
    {WaterDrop, "water drop"},
    {Gem, "diamond"},
    {Crown, "crown"},
    {Flag, "green flag with a star"},
    {Target, "target with an arrow"},
    {Smiley, "smiling face"},
    {Blueprint, "blueprint of a house"},
    {Map, "folded map with a pin"},
    {Banner, "banner in rainbow stripes between two rolls"},
    {Palette, "painter's palette"},
    {Pencil, "pencil"},
    {Book, "green book"},
    {Mountain, "snow-capped mountains"},
    {City, "city skyline with lit windows"},
    {Envelope, "envelope with a stamp"},
};

static_assert(sizeof kModes / sizeof kModes[0] == 47, "icons 4700 to 4746");

}  // namespace

void AddPrintModeArt(Catalog& catalog) {
  int id = 4700;
  for (const ModeArt& m : kModes) {
    catalog.icons.push_back({id, "mode_" + std::to_string(id) + ".ico", m.shows, m.draw});
    ++id;
  }
}

}  // namespace tqr::art
