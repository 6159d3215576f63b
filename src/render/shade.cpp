#include "render/shade.h"

#include <algorithm>
#include <cmath>

namespace puffel {

namespace {

// The sharpness values come from the picker, which keeps them at most 78/79;
// any other source (a damaged project) must not reach 1 and divide by zero.
constexpr double MaxSharpness = 78.0 / 79.0;

// x^y with x^0 = 1 for every x and 0^y = 0 otherwise.
double power(double x, double y) {
  if (y == 0) return 1;
  if (x == 0) return 0;
  return std::pow(x, y);
}

}  // namespace

double ReflectedLightZ(const Point3& light, const Point3& n) {
  const double a = n.x * n.x + n.y * n.y + n.z * n.z;
  const double b = n.x * light.x + n.y * light.y + n.z * light.z;
  const double c = light.x * light.x + light.y * light.y + light.z * light.z - 1;
  const double d = b * b - a * c;
  const double t = d > 0 && a > 0 ? (b + std::sqrt(d)) / a : 0;
  return t * n.z - light.z;
}

TriangleShade ShadeTriangle(const Scene& scene, const Point3& n) {
  const Point3 light{scene.LightDirX, scene.LightDirY, scene.LightDirZ};

  double cosine = -1;
  if (n.x != 0 || n.y != 0 || n.z != 0) {
    cosine = (n.x * light.x + n.y * light.y + n.z * light.z) /
             std::sqrt(n.x * n.x + n.y * n.y + n.z * n.z);
  }
  // Rounding can put the cosine a hair above 1, which would give the power a
  // negative base.
  cosine = std::min(cosine, 1.0);

  TriangleShade shade;
  if (!(cosine < 0)) {
    const double m1 = std::min(scene.DiffuseSharpness, MaxSharpness);
    shade.diffuse = 1 - power(1 - cosine, m1 / (1 - m1));
  }
  shade.diffuse = shade.diffuse * scene.DiffuseGain;

  double rz = ReflectedLightZ(light, n);
  if (rz > 0) rz = 0;
  const double m2 = std::min(scene.SpecularSharpness, MaxSharpness);
  shade.specular = scene.SpecularGain * power(-rz, m2 / (1 - m2));
  return shade;
}

}  // namespace puffel
