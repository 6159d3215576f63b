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
    const double margin = 0x1p-40 * (std::abs(a) + std::abs(b) + std::abs(c)) + 0x1p-1000;
    return std::min({a, b, c}) - margin > -1 && std::max({a, b, c}) + margin < size;
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
  const Bitmap& picture =
      side.side == Side::Front ? scene.PartPicture[side.part] : scene.PartBackPicture[side.part];
  if (picture.Empty()) return;
  const auto [u0, u1] = std::minmax({side.texture[0].x, side.texture[1].x, side.texture[2].x});
  const auto [v0, v1] = std::minmax({side.texture[0].y, side.texture[1].y, side.texture[2].y});
  // Positions outside the picture read column or row 0, which the other
  // texels bring in soon enough.
  const auto clamped = [](double t, int size) {
    return t > 0 ? (t < size ? static_cast<int>(t) : size - 1) : 0;
  };
  const int x0 = clamped(u0, picture.Width());
  const int x1 = clamped(u1, picture.Width());
  const int y0 = clamped(v0, picture.Height());
  const int y1 = std::min(clamped(v1, picture.Height()), y0 + 63);
  for (int y = y0; y <= y1; ++y) {
    const uint32_t* row = picture.Row(y);
    __builtin_prefetch(row + x0);
    __builtin_prefetch(row + x1);
  }
}

}  // namespace puffel
