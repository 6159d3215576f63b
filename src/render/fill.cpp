#include "render/fill.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "platform/numeric.h"
#include "render/row_span.h"
#include "render/shade.h"

namespace puffel {

Weights BarycentricWeights(Point2 a, Point2 b, Point2 c, Point2 p) {
  const Point2 e1{b.x - a.x, b.y - a.y};
  const Point2 e2{c.x - a.x, c.y - a.y};
  const Point2 d{p.x - a.x, p.y - a.y};
  const double det = e1.x * e2.y - e2.x * e1.y;
  if (det == 0) return {-1, -1};
  return {(d.x * e2.y - e2.x * d.y) / det, (e1.x * d.y - d.x * e1.y) / det};
}

namespace {

// The side's picture, read only inside its own size.
class Texture {
 public:
  Texture() = default;
  Texture(const Scene& scene, const TriangleSide& side) {
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

  // The texel at position (tu, tv), each truncated toward zero and falling
  // back to 0 outside the picture. trunc(t) lies in 0..size-1 exactly when
  // -1 < t < size; NaN, which truncates to 0, fails the test and gets 0 too.
  uint32_t At(double tu, double tv) const {
    const int x = tu > -1 && tu < width_ ? static_cast<int>(tu) : 0;
    const int y = tv > -1 && tv < height_ ? static_cast<int>(tv) : 0;
    return pixels_[static_cast<size_t>(y) * stride_ + x];
  }

 private:
  const uint32_t* pixels_;
  size_t stride_;
  double width_;
  double height_;
};

// How a side's pixels are coloured: its texture, texture coordinates and
// shading. Prepared when the side's first pixel is written, since pixels are
// their only use: a side that covers no centre or is hidden never pays for them.
class SidePaint {
 public:
  // Left unset until Prepare: it is made for every side, prepared for fewer.
  SidePaint() = default;

  void Prepare(const Scene& scene, const TriangleSide& side) {
    texture_ = Texture(scene, side);
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
  }

  // The pixel at weights (u, v) and depth z: the texel dimmed by the diffuse
  // light and the fade, capped by the light and lifted to the highlight,
  // channel by channel.
  uint32_t Colour(double u, double v, double z) const {
    const uint32_t texel = texture_.At(ua_ + ub_ * u + uc_ * v, va_ + vb_ * u + vc_ * v);
    const double shade =
        fadeStart_ >= z ? diffuse_ : diffuse_ / ((z - fadeStart_) / fadeRange_ + 1);
    const double blue = std::max(std::min((texel & 255) * shade, lightBlue_), highBlue_);
    const double green = std::max(std::min(((texel >> 8) & 255) * shade, lightGreen_), highGreen_);
    const double red = std::max(std::min(((texel >> 16) & 255) * shade, lightRed_), highRed_);
    if (inRange_) {
      return static_cast<uint32_t>(static_cast<int>(blue)) +
             (static_cast<uint32_t>(static_cast<int>(green)) << 8) +
             (static_cast<uint32_t>(static_cast<int>(red)) << 16);
    }
    return static_cast<uint32_t>(TruncInt(blue)) + (static_cast<uint32_t>(TruncInt(green)) << 8) +
           (static_cast<uint32_t>(TruncInt(red)) << 16);
  }

 private:
  Texture texture_;
  double ua_, ub_, uc_, va_, vb_, vc_;  // texture position at a, and its steps to b and c
  double diffuse_, fadeStart_, fadeRange_;
  double lightBlue_, lightGreen_, lightRed_;  // the cap of each channel
  double highBlue_, highGreen_, highRed_;     // the specular highlight in each channel
  // Every channel level is finite and within 0..2^31 - 1, so that truncating
  // it needs no guard.
  bool inRange_;
};

// Boxes this narrow are searched whole: solving for the span would cost more.
constexpr int NarrowBox = 4;

bool spanSolvable(const TriangleSide& side) {
  for (const Point3& p : side.view) {
    if (!(std::abs(p.x) <= RowSpans::SpanLimit && std::abs(p.y) <= RowSpans::SpanLimit)) {
      return false;
    }
  }
  return true;
}

}  // namespace

void FillTriangle(Scene& scene, const TriangleSide& side, RowBand rows) {
  const Point3& a = side.view[0];
  const Point3& b = side.view[1];
  const Point3& c = side.view[2];
  const int width = std::min({scene.ViewWidth, scene.ViewBitmap.Width(), scene.DepthBuffer.Width(),
                              scene.OwnerBuffer.Width()});
  const int height = std::min({scene.ViewHeight, scene.ViewBitmap.Height(),
                               scene.DepthBuffer.Height(), scene.OwnerBuffer.Height()});

  // The bounding box, clipped to the band and the view.
  const int y0 = std::max({TruncInt(std::min({a.y, b.y, c.y})), 0, rows.first});
  const int y1 = std::min({TruncInt(std::max({a.y, b.y, c.y})), height - 1, rows.last});
  if (y0 > y1) return;
  const int x0 = std::max(TruncInt(std::min({a.x, b.x, c.x})), 0);
  const int x1 = std::min(TruncInt(std::max({a.x, b.x, c.x})), width - 1);
  if (x0 > x1) return;

  // The weights' per-triangle terms, exactly as BarycentricWeights forms them.
  const double e1x = b.x - a.x;
  const double e1y = b.y - a.y;
  const double e2x = c.x - a.x;
  const double e2y = c.y - a.y;
  const double det = e1x * e2y - e2x * e1y;
  if (det == 0 || std::isnan(det)) return;  // no centre has weights inside

  const int32_t part = side.part;
  SidePaint paint;
  bool painted = false;
  // The pixels of rows top..bottom that lie in the spans given by spanOfRow.
  const auto fillRows = [&](int top, int bottom, const auto& spanOfRow) {
    for (int y = top; y <= bottom; ++y) {
      const double dy = (y + 0.5) - a.y;
      const double k1 = e2x * dy;
      const double k2 = e1x * dy;
      const Span span = spanOfRow(y);
      double* depth = scene.DepthBuffer.Row(y);
      int32_t* owner = scene.OwnerBuffer.Row(y);
      uint32_t* pixels = scene.ViewBitmap.Row(y);
      for (int x = span.first; x <= span.last; ++x) {
        const double dx = (x + 0.5) - a.x;
        const double u = (dx * e2y - k1) / det;
        const double v = (k2 - dx * e1y) / det;
        if (!(u >= 0 && v >= 0 && u + v <= 1)) continue;

        const double z = u * b.z + v * c.z + (1 - u - v) * a.z;
        if (z >= depth[x]) continue;  // strictly nearer wins
        depth[x] = z;
        owner[x] = part;

        if (!painted) {
          paint.Prepare(scene, side);
          painted = true;
        }
        pixels[x] = paint.Colour(u, v, z);
      }
    }
  };

  if (x1 - x0 >= NarrowBox && spanSolvable(side)) {
    const RowSpans spans({a.x, a.y, e1x, e1y, e2x, e2y, det, x0, x1, y0, y1});
    // Solved a batch of rows at a time: each solve is a long chain of
    // dependent steps, and independent solves overlap.
    constexpr int Batch = 32;
    Span batch[Batch];
    for (int top = y0; top <= y1; top += Batch) {
      const int bottom = std::min(top + Batch - 1, y1);
      for (int y = top; y <= bottom; ++y) {
        const double dy = (y + 0.5) - a.y;
        batch[y - top] = spans.Row(e2x * dy, e1x * dy);
      }
      fillRows(top, bottom, [&](int y) { return batch[y - top]; });
    }
  } else {
    fillRows(y0, y1, [&](int) { return Span{x0, x1}; });
  }
}

}  // namespace puffel
