#include "sample_art/objects.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <vector>

#include "sample_art/sheet.h"

namespace puffel::art {

namespace {

// A leaf-shaped lens from a to b, halfWidth wide at its middle: the overlap
// of two equal discs.
Shape lens(Point a, Point b, double halfWidth) {
  const double dx = b.x - a.x;
  const double dy = b.y - a.y;
  const double length = std::sqrt(dx * dx + dy * dy);
  const double half = length / 2;
  const double radius = (half * half + halfWidth * halfWidth) / (2 * halfWidth);
  const double shift = radius - halfWidth;
  const Point mid{(a.x + b.x) / 2, (a.y + b.y) / 2};
  const Point across{-dy / length * shift, dx / length * shift};
  return Intersection(Ellipse(mid.x + across.x, mid.y + across.y, radius, radius),
                      Ellipse(mid.x - across.x, mid.y - across.y, radius, radius));
}

}  // namespace

Bitmap DrawFish() {
  constexpr Rgb kPeach{252, 232, 200};
  constexpr Rgb kBack{38, 92, 194};
  constexpr Rgb kBelly{128, 198, 236};
  constexpr Rgb kBand{22, 50, 132};
  constexpr Rgb kFin{252, 202, 46};
  constexpr Rgb kOutline{22, 36, 80};
  Sheet sheet = NewSheet(200, 124, {0, 0}, kPeach);
  const Shape body = Ellipse(92, 62, 68, 40);
  const Shape tail = Polygon({{148, 62}, {190, 24}, {178, 62}, {190, 100}});
  const Shape topFin = Polygon({{58, 32}, {100, 8}, {132, 32}});
  const Shape lowFin = Polygon({{84, 96}, {108, 116}, {118, 94}});
  AddSilhouette(sheet, Union({body, tail, topFin, lowFin}));
  MeasureEdges(sheet);
  Fill(sheet, Everywhere(), kFin);
  Fill(sheet, body, [&](Point p) { return Mixed(kBack, kBelly, (p.y - 30) / 60); });
  Fill(sheet,
       Union({CurveStroke({102, 22}, {112, 62}, {102, 102}, 5, 5, 12),
              CurveStroke({128, 28}, {136, 62}, {128, 96}, 4, 4, 12)}),
       kBand);
  PuffShade(sheet, 30);
  Fill(sheet, CurveStroke({70, 38}, {82, 62}, {70, 86}, 1.6, 1.6, 12), kBand);
  Fill(sheet, Ellipse(50, 54, 11, 11), Rgb{234, 242, 252});
  Fill(sheet, Ellipse(48, 54, 7, 7), Rgb{24, 24, 44});
  Fill(sheet, Ellipse(46, 51, 2.2, 2.2), Rgb{255, 255, 255});
  Fill(sheet, Capsule({28, 70}, {38, 68}, 1.5), kOutline);
  Outline(sheet, 3.0, kOutline);
  return ToBitmap(sheet);
}

Bitmap DrawStar() {
  constexpr Rgb kNavy{36, 50, 104};
  constexpr Rgb kGold{252, 198, 42};
  constexpr Rgb kOutline{150, 78, 14};
  constexpr Point kCentre{88, 90};
  constexpr double kOuter = 80;
  constexpr double kInner = 36;
  constexpr double kPeak = 30;  // height of the raised centre for the facets' shading
  // Directions of the ten corners, clockwise from the top: every 36 degrees.
  constexpr double c54 = 0.5877852522924731, s54 = 0.8090169943749474;
  constexpr double c18 = 0.9510565162951535, s18 = 0.3090169943749474;
  constexpr std::array<Point, 10> kDirection = {{{0, -1},
                                                 {c54, -s54},
                                                 {c18, -s18},
                                                 {c18, s18},
                                                 {c54, s54},
                                                 {0, 1},
                                                 {-c54, s54},
                                                 {-c18, s18},
                                                 {-c18, -s18},
                                                 {-c54, -s54}}};
  std::vector<Point> corners;
  for (int k = 0; k < 10; ++k) {
    const double radius = k % 2 == 0 ? kOuter : kInner;
    corners.push_back({kCentre.x + radius * kDirection[k].x, kCentre.y + radius * kDirection[k].y});
  }
  // Each facet is the triangle from the raised centre to two neighbouring
  // corners; its brightness is the light falling on its plane.
  std::array<double, 10> brightness{};
  for (int k = 0; k < 10; ++k) {
    const Point& a = corners[k];
    const Point& b = corners[(k + 1) % 10];
    const double ax = a.x - kCentre.x, ay = a.y - kCentre.y, az = -kPeak;
    const double bx = b.x - kCentre.x, by = b.y - kCentre.y, bz = -kPeak;
    double nx = ay * bz - az * by;
    double ny = az * bx - ax * bz;
    double nz = ax * by - ay * bx;
    if (nz < 0) nx = -nx, ny = -ny, nz = -nz;
    brightness[k] = 0.55 + 0.6 * LightOn(nx, ny, nz);
  }
  Sheet sheet = NewSheet(176, 164, {0, 0}, kNavy);
  AddSilhouette(sheet, Polygon(corners));
  MeasureEdges(sheet);
  Fill(sheet, Everywhere(), [&](Point p) {
    const double px = p.x - kCentre.x;
    const double py = p.y - kCentre.y;
    for (int k = 0; k < 10; ++k) {
      const Point& d0 = kDirection[k];
      const Point& d1 = kDirection[(k + 1) % 10];
      if (d0.x * py - d0.y * px >= 0 && px * d1.y - py * d1.x > 0) {
        return Scaled(kGold, brightness[k]);
      }
    }
    return kGold;
  });
  Outline(sheet, 3.0, kOutline);
  return ToBitmap(sheet);
}

Bitmap DrawApple() {
  constexpr Rgb kWhite{255, 255, 255};
  constexpr Rgb kRed{208, 34, 44};
  constexpr Rgb kBlush{238, 92, 60};
  constexpr Rgb kLeaf{98, 172, 62};
  constexpr Rgb kVein{58, 116, 40};
  constexpr Rgb kStem{118, 74, 42};
  constexpr Rgb kOutline{92, 24, 26};
  Sheet sheet = NewSheet(148, 164, {0, 0}, kWhite);
  const Shape fruit = Union({Ellipse(54, 100, 44, 52), Ellipse(94, 100, 44, 52)});
  const Shape stem = Capsule({74, 58}, {80, 22}, 4.5);
  const Point leafBase{82, 34};
  const Point leafTip{124, 16};
  const Shape leaf = lens(leafBase, leafTip, 10);
  AddSilhouette(sheet, Union({fruit, stem, leaf}));
  MeasureEdges(sheet);
  Fill(sheet, stem, kStem);
  Fill(sheet, leaf, kLeaf);
  Fill(sheet, fruit, [&](Point p) {
    const double u = (p.x - 40) / 90;
    const double v = (p.y - 60) / 90;
    return Mixed(kBlush, kRed, std::sqrt(u * u + v * v));
  });
  // Light speckles, scattered by a fixed sequence of pseudo-random numbers.
  uint32_t seed = 12345;
  const auto next = [&seed] {
    seed = seed * 1103515245u + 12345u;
    return static_cast<double>((seed >> 16) & 0x7FFF) / 32768.0;
  };
  std::vector<Shape> speckles;
  for (int n = 0; n < 40; ++n) {
    const double x = 24 + 100 * next();
    const double y = 64 + 80 * next();
    speckles.push_back(Ellipse(x, y, 1.3, 1.8));
  }
  Fill(sheet, Intersection(fruit, Union(std::move(speckles))), Rgb{240, 136, 104});
  PuffShade(sheet, 36);
  Fill(sheet, Intersection(fruit, Ellipse(44, 78, 9, 15)), Rgb{255, 200, 188});
  Fill(sheet, Capsule({leafBase.x + 6, leafBase.y - 2}, {leafTip.x - 8, leafTip.y + 3}, 1.1),
       kVein);
  Outline(sheet, 3.0, kOutline);
  return ToBitmap(sheet);
}

}  // namespace puffel::art
