#include "render/side_paint.h"

#include <cmath>
#include <limits>

#include "render/shade.h"

namespace puffel {

SideTexture::SideTexture(const Scene& scene, const TriangleSide& side) {
  static constexpr uint32_t BlackTexel = 0;
  const Bitmap& front = scene.PartPicture[side.part];
  const Bitmap& picture = side.side == Side::Front ? front : scene.PartBackPicture[side.part];
  // Positions fall back by the front picture's size; the back picture has the
  // same size unless its copy was damaged, and is never read outside its own.
  const int width = std::min(front.Width(), picture.Width());
  const int height = std::min(front.Height(), picture.Height());
  const bool empty = width <= 0 || height <= 0;
  pixels_ = empty ? &BlackTexel : picture.Pixels();
  stride_ = empty ? 0 : picture.Width();
  width_ = empty ? 1 : width;
  height_ = empty ? 1 : height;
}

bool SideTexture::HoldsAll(const std::array<Point2, 3>& corners) const {
  const auto holds = [](double a, double b, double c, double size) {
    // The sum is not finite when a corner is not, or when it overflows.
    if (!std::isfinite(a + b + c)) return false;
    const double low = std::min({a, b, c});
    const double high = std::max({a, b, c});
    // 2^-38 of the largest magnitude covers 2^-40 of the sum of all three.
    const double margin = 0x1p-38 * std::max(-low, high);
    return low - margin > -1 && high + margin < size;
  };
  return holds(corners[0].x, corners[1].x, corners[2].x, width_) &&
         holds(corners[0].y, corners[1].y, corners[2].y, height_);
}

void SidePaint::Prepare(const Scene& scene, const TriangleSide& side) {
  texture_ = SideTexture(scene, side);
  texelsInside_ = texture_.HoldsAll(side.texture);
  const Point2& a = side.texture[0];
  ua_ = a.x;
  ub_ = side.texture[1].x - ua_;
  uc_ = side.texture[2].x - ua_;
  va_ = a.y;
  vb_ = side.texture[1].y - va_;
  vc_ = side.texture[2].y - va_;

  const TriangleShade shade = ShadeTriangle(scene, side.normal);
  diffuse_ = shade.diffuse;
  fadeStart_ = scene.FadeStart;
  // The picker keeps the range at 1 or more; a damaged project must not divide by zero.
  fadeRange_ = std::max(scene.FadeRange, 1);
  lightBlue_ = scene.LightBlue;
  lightGreen_ = scene.LightGreen;
  lightRed_ = scene.LightRed;
  highBlue_ = 255 * shade.specular * (lightBlue_ / 255);
  highGreen_ = 255 * shade.specular * (lightGreen_ / 255);
  highRed_ = 255 * shade.specular * (lightRed_ / 255);
  // Depths of at most 2^1000 interpolate to finite depths (u, v in 0..1); a
  // finite depth and diffuse intensity give a finite shade, and a finite
  // level lies between the highlight and the larger of highlight and light.
  const auto highInRange = [](double high) { return high >= 0 && high < 2147483648.0; };
  const auto depthInRange = [](const Point3& v) { return std::abs(v.z) <= 0x1p1000; };
  inRange_ = std::isfinite(diffuse_) && std::isfinite(fadeStart_) && highInRange(highBlue_) &&
             highInRange(highGreen_) && highInRange(highRed_) && depthInRange(side.view[0]) &&
             depthInRange(side.view[1]) && depthInRange(side.view[2]);
  lastTexel_ = 0;
  lastShade_ = std::numeric_limits<double>::quiet_NaN();
  lastColour_ = 0;
}

void PrefetchTexels(const Scene& scene, const TriangleSide& side) {
  const std::array<Point2, 3>& t = side.texture;
  const double top = std::min({t[0].y, t[1].y, t[2].y});
  const double bottom = std::max({t[0].y, t[1].y, t[2].y});
  // A side that reads a row or two of texels finds them brought in by the
  // sides before it along the walk.
  if (!(bottom - top >= 2)) return;
  const double left = std::min({t[0].x, t[1].x, t[2].x});
  const double right = std::max({t[0].x, t[1].x, t[2].x});
  const Bitmap& picture =
      side.side == Side::Front ? scene.PartPicture[side.part] : scene.PartBackPicture[side.part];
  // Positions outside the picture read column or row 0, which other texels
  // bring in soon enough.
  if (!(top >= 0 && left >= 0 && bottom < picture.Height() && right < picture.Width())) return;
  const int x0 = static_cast<int>(left);
  const int x1 = static_cast<int>(right);
  const int y0 = static_cast<int>(top);
  const int y1 = std::min(static_cast<int>(bottom), y0 + 63);
  for (int y = y0; y <= y1; ++y) {
    const uint32_t* row = picture.Row(y);
    __builtin_prefetch(row + x0);
    __builtin_prefetch(row + x1);
  }
}

}  // namespace puffel
