// Random projected sides for comparing fills with the plain one.
#pragma once

#include <cmath>
#include <limits>
#include <random>

#include "render/triangle_side.h"

namespace puffel::test {

// Random triangle sides of part 0 in and around a 64 x 48 view, of every
// awkward kind by kind % 8: corners on pixel centres, ties, slivers, zero
// area, huge, tiny or underflowing, not finite, long and thin.
inline TriangleSide AwkwardTriangle(std::mt19937& random, int kind) {
  const auto real = [&](double low, double high) {
    return std::uniform_real_distribution<double>(low, high)(random);
  };
  const auto point = [&] { return Point3{real(-20, 84), real(-20, 68), real(-10, 10)}; };
  const auto texture = [&] { return Point2{real(-5, 45), real(-5, 35)}; };
  TriangleSide t{0,
                 random() % 2 ? Side::Front : Side::Back,
                 {point(), point(), point()},
                 {texture(), texture(), texture()},
                 {real(-1, 1), real(-1, 1), real(-1, 0)}};
  auto& [a, b, c] = t.view;
  switch (kind % 8) {
    case 0:
      for (Point3& p : t.view) p = {std::floor(p.x) + 0.5, std::floor(p.y) + 0.5, p.z};
      break;
    case 1:
      for (Point3& p : t.view) p = {std::floor(p.x), std::floor(p.y), 2};
      break;
    case 2: {
      const double s = real(-2, 3);
      const double off = std::pow(10.0, real(-17, -1));
      c = {a.x + s * (b.x - a.x) + off, a.y + s * (b.y - a.y) - off, c.z};
      break;
    }
    case 3:
      c = {2 * b.x - a.x, 2 * b.y - a.y, 1};
      if (random() % 3 == 0) b = a;
      break;
    case 4:
      for (Point3& p : t.view) {
        const double scale = std::pow(10.0, real(2, 18));
        p = {(p.x - 32) * scale, (p.y - 24) * scale, p.z};
      }
      break;
    case 5: {
      const bool nearOrigin = random() % 2;
      const double scale = std::pow(10.0, nearOrigin ? real(-320, -150) : real(-16, -1));
      const Point2 centre =
          nearOrigin ? Point2{0, 0}
                     : Point2{std::floor(real(0, 64)) + 0.5, std::floor(real(0, 48)) + 0.5};
      for (Point3& p : t.view) {
        p = {centre.x + (p.x - 32) * scale, centre.y + (p.y - 24) * scale, p.z};
      }
      break;
    }
    case 6:
      t.view[random() % 3].x = random() % 2 ? std::numeric_limits<double>::infinity()
                                            : std::numeric_limits<double>::quiet_NaN();
      break;
    default: {
      const double y = std::floor(real(0, 48)) + 0.5;
      t.view = {Point3{-10, y, 1}, Point3{80, y + real(-1e-9, 1e-9), 1},
                Point3{real(-10, 80), y + real(-2, 2), 1}};
      if (random() % 2) {
        for (Point3& p : t.view) std::swap(p.x, p.y);
      }
      break;
    }
  }
  return t;
}

}  // namespace puffel::test
