#include "scene/light_material.h"

#include <cmath>
#include <numbers>

#include "platform/canvas.h"

namespace puffel {

void UpdateMaterial(Scene& scene) {
  scene.DiffuseSharpness = static_cast<double>(scene.DiffuseMarkX) / 79;
  scene.DiffuseGain = static_cast<double>(79 - scene.DiffuseMarkY) / 78;
  scene.SpecularSharpness = static_cast<double>(78 - scene.SpecularMarkX) / 79;
  scene.SpecularGain = static_cast<double>(79 - scene.SpecularMarkY) / 78;
  if (scene.FadeMarkX - 39 > 0) {
    scene.FadeStart = std::pow(2500.0, static_cast<double>(scene.FadeMarkX - 39) / 39);
  } else {
    scene.FadeStart = -std::pow(2500.0, static_cast<double>(39 - scene.FadeMarkX) / 39);
  }
  scene.FadeRange =
      static_cast<int32_t>(std::pow(10000.0, static_cast<double>(79 - scene.FadeMarkY) / 78));
}

void UpdateLight(Scene& scene) {
  scene.LightDirX = static_cast<double>(scene.LightMarkX - 40) / 40;
  scene.LightDirY = static_cast<double>(scene.LightMarkY - 40) / 40;
  const double q = 1 - scene.LightDirX * scene.LightDirX - scene.LightDirY * scene.LightDirY;
  scene.LightDirZ = q > 0 ? -std::sqrt(q) : 0;
  if (scene.LightBehind) scene.LightDirZ = -scene.LightDirZ;
}

void UpdateLightColour(Scene& scene) {
  const uint32_t p =
      CanvasPixel(scene.LightPickerBitmap, scene.ColorMarkX + 14, scene.ColorMarkY + 14);
  scene.LightRed = p & 255;
  scene.LightGreen = (p >> 8) & 255;
  scene.LightBlue = (p >> 16) & 255;
}

namespace {

// The hue angle of wheel column i, row j, in 0 <= a < 2 pi.
double hueAngle(int i, int j) {
  constexpr double pi = std::numbers::pi;
  if (i == 40) return j < 40 ? pi / 2 : 3 * pi / 2;
  const double dx = i - 40;
  const double dy = j - 40;
  double a = std::atan(dy / dx);
  if (i < 40 && a < 0) a += 2 * pi;
  if (i > 40) a += pi;
  return a;
}

struct Rgb {
  double r, g, b;
};

// The fully saturated colour of hue angle a, by sextant.
Rgb pureColour(double a) {
  constexpr double pi = std::numbers::pi;
  double start;
  if (a < pi / 3) {
    start = 0;
  } else if (a < 2 * pi / 3) {
    start = pi / 3;
  } else if (a < pi) {
    start = 2 * pi / 3;
  } else if (a < 4 * pi / 3) {
    start = pi;
  } else if (a < 5 * pi / 3) {
    start = 4 * pi / 3;
  } else {
    start = 5 * pi / 3;
  }
  const double t = (a - start) / pi * 3;
  const double up = std::trunc(255 * t);
  const double down = std::trunc(255 - 255 * t);
  if (a < pi / 3) return {255, up, 0};
  if (a < 2 * pi / 3) return {down, 255, 0};
  if (a < pi) return {0, 255, up};
  if (a < 4 * pi / 3) return {0, down, 255};
  if (a < 5 * pi / 3) return {up, 0, 255};
  return {255, 0, down};
}

}  // namespace

void DrawLightWheel(Scene& scene) {
  Bitmap& wheel = scene.LightPickerBitmap;
  for (int i = 0; i <= 80; ++i) {
    for (int j = 0; j <= 80; ++j) {
      const int dx = i - 40;
      const int dy = j - 40;
      const int squared = dx * dx + dy * dy;
      if (squared >= 1670) continue;
      uint32_t colour = 0;
      if (squared < 1601) {
        const Rgb pure = pureColour(hueAngle(i, j));
        const double s = std::sqrt(static_cast<double>(squared)) / 80;
        const auto pale = [s](double c) {
          return static_cast<uint32_t>(std::trunc((1 - s) * 255 + s * c));
        };
        colour = pale(pure.r) + 256 * pale(pure.g) + 65536 * pale(pure.b);
      }
      SetCanvasPixel(wheel, i + 14, j + 14, colour);
    }
  }
  for (const IntPoint tick :
       {IntPoint{54, 14}, IntPoint{54, 94}, IntPoint{94, 54}, IntPoint{14, 54}}) {
    SetCanvasPixel(wheel, tick.x, tick.y, 0);
  }
}

}  // namespace puffel
