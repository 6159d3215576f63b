// Backgrounds are painted in layers, back to front. Each layer is a shape with
// a paint; a pixel takes the paint in proportion to the share of its 4 x 4
// sample points inside the shape, which softens the edges.
#include "sample_art/backgrounds.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <vector>

#include "sample_art/sheet.h"

namespace puffel::art {

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 480;
constexpr int kSamples = 4;  // per axis and pixel

struct Canvas {
  std::vector<Rgb> pixels = std::vector<Rgb>(static_cast<size_t>(kWidth) * kHeight);
};

struct Box {
  int x0, y0, x1, y1;  // pixels x0..x1-1, y0..y1-1
};

constexpr Box kWhole{0, 0, kWidth, kHeight};

void paintLayer(Canvas& canvas, const Shape& shape, const Paint& paint, Box box) {
  box.x0 = std::max(box.x0, 0);
  box.y0 = std::max(box.y0, 0);
  box.x1 = std::min(box.x1, kWidth);
  box.y1 = std::min(box.y1, kHeight);
  for (int y = box.y0; y < box.y1; ++y) {
    for (int x = box.x0; x < box.x1; ++x) {
      int covered = 0;
      for (int sy = 0; sy < kSamples; ++sy) {
        for (int sx = 0; sx < kSamples; ++sx) {
          covered += shape({x + (sx + 0.5) / kSamples, y + (sy + 0.5) / kSamples}) ? 1 : 0;
        }
      }
      if (covered == 0) continue;
      Rgb& pixel = canvas.pixels[static_cast<size_t>(y) * kWidth + x];
      pixel = Mixed(pixel, paint({x + 0.5, y + 0.5}), covered / double(kSamples * kSamples));
    }
  }
}

Bitmap toBitmap(const Canvas& canvas) {
  Bitmap picture(kWidth, kHeight);
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      picture.Row(y)[x] = RowPixel(canvas.pixels[static_cast<size_t>(y) * kWidth + x]);
    }
  }
  return picture;
}

// A smooth hump: 1 at t = 0, falling to 0 at |t| = 1 and staying there.
double bump(double t) {
  if (t <= -1 || t >= 1) return 0;
  const double s = 1 - t * t;
  return s * s;
}

// A well-mixed 32-bit hash of a pixel position, for texture.
uint32_t pixelHash(int x, int y, uint32_t salt) {
  uint32_t h = static_cast<uint32_t>(x) * 374761393u + static_cast<uint32_t>(y) * 668265263u + salt;
  h = (h ^ (h >> 13)) * 1274126177u;
  return h ^ (h >> 16);
}

// Pseudo-random numbers 0..1 from a fixed seed.
struct Dice {
  uint32_t state;
  double roll() {
    state = state * 1664525u + 1013904223u;
    return (state >> 8) / 16777216.0;
  }
};

void paintSky(Canvas& canvas, double horizon, Rgb top, Rgb bottom) {
  paintLayer(
      canvas, Everywhere(),
      [=](Point p) { return Mixed(top, bottom, std::min(p.y / horizon, 1.0)); }, kWhole);
}

void paintSun(Canvas& canvas, Point centre, double radius) {
  // The glow around the sun fades with the distance from its centre.
  constexpr Rgb kGlow{255, 244, 210};
  const double glow = radius * 5;
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      const double dx = x + 0.5 - centre.x;
      const double dy = y + 0.5 - centre.y;
      const double distance = std::sqrt(dx * dx + dy * dy);
      if (distance >= glow) continue;
      const double t = 1 - distance / glow;
      Rgb& pixel = canvas.pixels[static_cast<size_t>(y) * kWidth + x];
      pixel = Mixed(pixel, kGlow, 0.8 * t * t);
    }
  }
  paintLayer(canvas, Ellipse(centre.x, centre.y, radius, radius),
             [](Point) {
               return Rgb{255, 251, 230};
             },
             {int(centre.x - radius), int(centre.y - radius), int(centre.x + radius) + 1,
              int(centre.y + radius) + 1});
}

// A cloud of overlapping puffs with a flat base, white on top and shaded
// blue-grey underneath; scale is about its half-height.
void paintCloud(Canvas& canvas, Point at, double scale) {
  constexpr std::array<std::array<double, 3>, 6> kPuffs = {{{-1.05, 0.1, 0.5},
                                                            {-0.5, -0.3, 0.68},
                                                            {0.15, -0.55, 0.8},
                                                            {0.8, -0.25, 0.62},
                                                            {1.3, 0.1, 0.45},
                                                            {0.1, 0.05, 0.6}}};
  std::vector<Shape> puffs;
  for (const auto& puff : kPuffs) {
    puffs.push_back(Ellipse(at.x + puff[0] * scale * 1.6, at.y + puff[1] * scale,
                            puff[2] * scale * 1.6, puff[2] * scale * 1.25));
  }
  const double base = at.y + 0.35 * scale;
  const Shape cloud =
      Intersection(Union(std::move(puffs)), [base](Point p) { return p.y <= base; });
  const double top = at.y - 1.55 * scale;
  paintLayer(canvas, cloud,
             [=](Point p) {
               return Mixed(Rgb{255, 255, 255}, Rgb{206, 218, 240},
                            std::clamp((p.y - top) / (base - top), 0.0, 1.0));
             },
             {int(at.x - 3.2 * scale), int(top) - 1, int(at.x + 3.2 * scale) + 1, int(base) + 1});
}

}  // namespace

Bitmap DrawSky() {
  Canvas canvas;
  paintSky(canvas, kHeight, {52, 110, 200}, {198, 226, 250});
  paintSun(canvas, {536, 92}, 34);
  paintCloud(canvas, {150, 120}, 34);
  paintCloud(canvas, {420, 220}, 44);
  paintCloud(canvas, {590, 330}, 26);
  paintCloud(canvas, {90, 380}, 30);
  return toBitmap(canvas);
}

Bitmap DrawMeadow() {
  Canvas canvas;
  paintSky(canvas, 270, {70, 132, 214}, {206, 232, 250});
  paintCloud(canvas, {130, 90}, 26);
  paintCloud(canvas, {470, 60}, 20);

  const auto farHills = [](double x) {
    return 262 - 40 * bump((x - 150) / 190) - 30 * bump((x - 480) / 210) -
           16 * bump((x - 660) / 120);
  };
  paintLayer(
      canvas, [&](Point p) { return p.y >= farHills(p.x); },
      [&](Point p) {
        return Mixed(Rgb{128, 176, 150}, Rgb{104, 160, 112}, (p.y - 222) / 60);
      },
      {0, 210, kWidth, 300});

  // A round tree on the far hill.
  constexpr Point kTree{486, 206};
  paintLayer(canvas, Capsule({kTree.x, kTree.y}, {kTree.x, kTree.y + 30}, 4),
             [](Point) {
               return Rgb{96, 70, 50};
             },
             {470, 200, 500, 240});
  paintLayer(canvas,
             Union({Ellipse(kTree.x, kTree.y - 14, 22, 20), Ellipse(kTree.x - 14, kTree.y, 16, 14),
                    Ellipse(kTree.x + 14, kTree.y - 2, 17, 15)}),
             [&](Point p) {
               return Mixed(Rgb{92, 150, 76}, Rgb{48, 104, 52}, (p.y - (kTree.y - 34)) / 50);
             },
             {440, 160, 530, 220});

  const auto nearField = [](double x) {
    return 300 - 24 * bump((x - 60) / 280) - 32 * bump((x - 540) / 300);
  };
  paintLayer(
      canvas, [&](Point p) { return p.y >= nearField(p.x); },
      [&](Point p) {
        const int x = int(p.x);
        const int y = int(p.y);
        // Grass: short vertical strokes, lighter and darker than the field.
        const uint32_t blade = pixelHash(x, y / 4 + (pixelHash(x, 0, 7) & 3), 1);
        const double shade = 0.9 + 0.2 * ((blade & 0xFF) / 255.0);
        const Rgb field = Mixed(Rgb{146, 204, 88}, Rgb{70, 146, 52}, (p.y - 268) / 212);
        return Scaled(field, shade);
      },
      {0, 260, kWidth, kHeight});

  // Flowers, growing with their nearness to the viewer.
  constexpr std::array<Rgb, 4> kPetals = {
      {{255, 255, 255}, {255, 236, 96}, {250, 170, 200}, {255, 255, 255}}};
  constexpr double c72 = 0.3090169943749474, s72 = 0.9510565162951535;
  constexpr double c36 = 0.8090169943749474, s36 = 0.5877852522924731;
  constexpr std::array<Point, 5> kPetalDirection = {
      {{0, -1}, {s72, -c72}, {s36, c36}, {-s36, c36}, {-s72, -c72}}};
  Dice dice{20240601u};
  for (int n = 0; n < 260; ++n) {
    const double x = dice.roll() * kWidth;
    const double depth = dice.roll();
    const double y = nearField(x) + 8 + depth * depth * (kHeight - nearField(x));
    const double size = 1.2 + 4.2 * (y - 280) / 200;
    const Rgb petal = kPetals[static_cast<int>(dice.roll() * kPetals.size()) % kPetals.size()];
    std::vector<Shape> petals;
    for (const Point& d : kPetalDirection) {
      petals.push_back(Ellipse(x + d.x * size, y + d.y * size, size * 0.75, size * 0.75));
    }
    const Box box{int(x - 3 * size) - 1, int(y - 3 * size) - 1, int(x + 3 * size) + 2,
                  int(y + 3 * size) + 2};
    paintLayer(
        canvas, Union(std::move(petals)), [=](Point) { return petal; }, box);
    paintLayer(
        canvas, Ellipse(x, y, size * 0.55, size * 0.55),
        [](Point) {
          return Rgb{250, 176, 40};
        },
        box);
  }
  return toBitmap(canvas);
}

}  // namespace puffel::art
