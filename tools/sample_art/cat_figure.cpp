// The cat's parts are drawn in one coordinate system, the body picture's
// pixels, each through its own picture window (its corner and size in
// CatFigure), so the parts fit together exactly where the table puts them.
// The right arm and leg are the left ones mirrored about the body's middle.
#include "sample_art/cat_figure.h"

#include <cmath>

#include "sample_art/sheet.h"

namespace puffel::art {

namespace {

constexpr Rgb kBackground{176, 214, 240};
constexpr Rgb kFur{238, 148, 66};
constexpr Rgb kStripe{198, 102, 40};
constexpr Rgb kCream{248, 226, 190};
constexpr Rgb kOutline{96, 52, 30};
constexpr Rgb kPink{240, 156, 160};
constexpr Rgb kNose{222, 104, 118};
constexpr Rgb kBlush{244, 150, 128};
constexpr Rgb kEye{56, 38, 32};
constexpr Rgb kShine{255, 255, 255};
constexpr Rgb kLine{112, 62, 36};

constexpr double kOutlineWidth = 3.0;
constexpr double kBodyWidth = 140.0;  // the mirror line is half of it

// The tail's centre line: from its root inside the body out to the lower
// right and up to its tip.
constexpr Point kTailRoot{113, 132};
constexpr Point kTailBend{178, 220};
constexpr Point kTailTip{186, 80};

Sheet sheetFor(const FigurePart& part) {
  return NewSheet(part.width, part.height,
                  {static_cast<double>(part.cornerX), static_cast<double>(part.cornerY)},
                  kBackground);
}

// shape and its mirror image about the body's middle.
Shape bothSides(const std::function<Shape(double sign, double mid)>& make) {
  return Union({make(1.0, 0.0), make(-1.0, kBodyWidth)});
}

double side(double sign, double mid, double x) { return mid + sign * x; }

// A band of the given half-length and radius across the direction d, centred at c.
Shape band(Point c, double dx, double dy, double halfLength, double radius) {
  const double length = std::sqrt(dx * dx + dy * dy);
  const double nx = -dy / length * halfLength;
  const double ny = dx / length * halfLength;
  return Capsule({c.x - nx, c.y - ny}, {c.x + nx, c.y + ny}, radius);
}

// A band across the segment from a to b, the fraction t of the way along it.
Shape bandAcross(Point a, Point b, double t, double halfLength, double radius) {
  return band({a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t}, b.x - a.x, b.y - a.y, halfLength,
              radius);
}

Bitmap drawBody(const FigurePart& part) {
  Sheet sheet = sheetFor(part);
  AddSilhouette(sheet, Union({Ellipse(70, 106, 54, 62), Ellipse(70, 64, 40, 42)}));
  MeasureEdges(sheet);
  Fill(sheet, Everywhere(), kFur);
  Fill(sheet, bothSides([](double s, double m) {
         return Union({Capsule({side(s, m, 10), 84}, {side(s, m, 32), 89}, 4.0),
                       Capsule({side(s, m, 8), 104}, {side(s, m, 30), 107}, 4.0),
                       Capsule({side(s, m, 12), 124}, {side(s, m, 30), 125}, 3.5)});
       }),
       kStripe);
  Fill(sheet, Ellipse(70, 116, 34, 44), kCream);
  PuffShade(sheet, 40);
  Outline(sheet, kOutlineWidth, kOutline);
  return ToBitmap(sheet);
}

Bitmap drawHead(const FigurePart& part) {
  Sheet sheet = sheetFor(part);
  const Shape ears = bothSides([](double s, double m) {
    return Polygon({{side(s, m, 10), -40}, {side(s, m, 22), -100}, {side(s, m, 64), -62}});
  });
  AddSilhouette(sheet, Union({Ellipse(70, -14, 66, 52), Ellipse(70, 4, 72, 32), ears}));
  MeasureEdges(sheet);
  Fill(sheet, Everywhere(), kFur);
  Fill(sheet, bothSides([](double s, double m) {
         return Polygon({{side(s, m, 24), -52}, {side(s, m, 29), -88}, {side(s, m, 54), -63}});
       }),
       kPink);
  Fill(sheet,
       Union({Capsule({70, -72}, {70, -52}, 4.5), Capsule({54, -70}, {57, -55}, 3.5),
              Capsule({86, -70}, {83, -55}, 3.5)}),
       kStripe);
  Fill(sheet, Union({Ellipse(60, 16, 15, 11), Ellipse(80, 16, 15, 11), Ellipse(70, 26, 10, 7)}),
       kCream);
  PuffShade(sheet, 34);
  Fill(sheet, bothSides([](double s, double m) { return Ellipse(side(s, m, 28), 15, 9, 5); }),
       kBlush);
  Fill(sheet, bothSides([](double s, double m) { return Ellipse(side(s, m, 44), -8, 9, 12); }),
       kEye);
  Fill(
      sheet, bothSides([](double s, double m) {
        return Union({Ellipse(side(s, m, 41), -13, 3.5, 4), Ellipse(side(s, m, 47), -3, 1.6, 1.6)});
      }),
      kShine);
  Fill(sheet, Polygon({{63, 3}, {77, 3}, {70, 11}}), kNose);
  Fill(sheet,
       Union({Capsule({70, 10}, {70, 16}, 1.3), bothSides([](double s, double m) {
                return CurveStroke({side(s, m, 70), 16}, {side(s, m, 65), 24}, {side(s, m, 59), 17},
                                   1.3, 1.3, 8);
              }),
              bothSides([](double s, double m) {
                return Union({Capsule({side(s, m, 34), 9}, {side(s, m, 10), 3}, 1.2),
                              Capsule({side(s, m, 34), 15}, {side(s, m, 10), 17}, 1.2)});
              })}),
       kLine);
  Outline(sheet, kOutlineWidth, kOutline);
  return ToBitmap(sheet);
}

Bitmap drawLeftArm(const FigurePart& part) {
  Sheet sheet = sheetFor(part);
  const Point shoulder{40, 60};
  const Point wrist{-2, 110};
  const Shape paw = Ellipse(wrist.x - 3, wrist.y + 4, 19, 16);
  AddSilhouette(sheet, Union({Capsule(shoulder, wrist, 17), paw}));
  MeasureEdges(sheet);
  Fill(sheet, Everywhere(), kFur);
  Fill(sheet,
       Union(
           {bandAcross(shoulder, wrist, 0.3, 20, 3.5), bandAcross(shoulder, wrist, 0.55, 20, 3.5)}),
       kStripe);
  Fill(sheet, paw, kCream);
  PuffShade(sheet, 17);
  Fill(sheet,
       Union({Capsule({wrist.x - 9, wrist.y + 9}, {wrist.x - 8, wrist.y + 15}, 1.2),
              Capsule({wrist.x - 1, wrist.y + 10}, {wrist.x, wrist.y + 16}, 1.2)}),
       kLine);
  Outline(sheet, kOutlineWidth, kOutline);
  return ToBitmap(sheet);
}

Bitmap drawLeftLeg(const FigurePart& part) {
  Sheet sheet = sheetFor(part);
  const Shape foot = Ellipse(38, 204, 24, 13);
  AddSilhouette(sheet, Union({Capsule({50, 148}, {44, 194}, 19), foot}));
  MeasureEdges(sheet);
  Fill(sheet, Everywhere(), kFur);
  Fill(sheet, Union({Capsule({26, 168}, {68, 171}, 3.5), Capsule({24, 182}, {66, 185}, 3.5)}),
       kStripe);
  Fill(sheet, foot, kCream);
  PuffShade(sheet, 19);
  Fill(sheet, Union({Capsule({26, 206}, {26, 213}, 1.2), Capsule({36, 208}, {36, 215}, 1.2)}),
       kLine);
  Outline(sheet, kOutlineWidth, kOutline);
  return ToBitmap(sheet);
}

// A band across the tail at curve parameter t.
Shape tailBand(double t, double halfLength, double radius) {
  const double dx = 2 * (1 - t) * (kTailBend.x - kTailRoot.x) + 2 * t * (kTailTip.x - kTailBend.x);
  const double dy = 2 * (1 - t) * (kTailBend.y - kTailRoot.y) + 2 * t * (kTailTip.y - kTailBend.y);
  return band(CurvePoint(kTailRoot, kTailBend, kTailTip, t), dx, dy, halfLength, radius);
}

Bitmap drawTail(const FigurePart& part) {
  Sheet sheet = sheetFor(part);
  AddSilhouette(sheet, CurveStroke(kTailRoot, kTailBend, kTailTip, 11, 12.5, 24));
  MeasureEdges(sheet);
  Fill(sheet, Everywhere(), kFur);
  Fill(sheet,
       Union({tailBand(0.42, 16, 3.5), tailBand(0.56, 16, 3.5), tailBand(0.7, 16, 3.5),
              Ellipse(kTailTip.x, kTailTip.y, 14, 14)}),
       kStripe);
  PuffShade(sheet, 12);
  Outline(sheet, kOutlineWidth, kOutline);
  return ToBitmap(sheet);
}

}  // namespace

Bitmap DrawCatPart(int row) {
  const FigurePart& part = CatFigure[row];
  switch (row) {
    case 0:
      return drawBody(part);
    case 1:
      return drawHead(part);
    case 2:
      return drawLeftArm(part);
    case 3:
      return MirroredX(drawLeftArm(CatFigure[2]));
    case 4:
      return drawLeftLeg(part);
    case 5:
      return MirroredX(drawLeftLeg(CatFigure[4]));
    default:
      return drawTail(part);
  }
}

}  // namespace puffel::art
