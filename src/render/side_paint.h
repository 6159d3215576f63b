// How the pixels of one projected side are coloured: its texel at the pixel's
// weights, dimmed by the flat diffuse light and the depth fade, capped by the
// light colour and lifted to the specular highlight.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>

#include "scene/scene.h"
#include "platform/numeric.h"
#include "render/triangle_side.h"

namespace puffel {

// The side's picture, read only inside its own size.
class SideTexture {
 public:
  SideTexture() = default;
  SideTexture(const Scene& scene, const TriangleSide& side);

  // The texel at position (tu, tv), each truncated toward zero and falling
  // back to 0 outside the picture. trunc(t) lies in 0..size-1 exactly when
  // -1 < t < size; NaN, which truncates to 0, fails the test and gets 0 too.
  uint32_t At(double tu, double tv) const {
    const int x = tu > -1 && tu < width_ ? static_cast<int>(tu) : 0;
    const int y = tv > -1 && tv < height_ ? static_cast<int>(tv) : 0;
    return pixels_[static_cast<size_t>(y) * stride_ + x];
  }

  // True when every position that a side with these corner positions gives
  // at weights inside it truncates to a texel inside the picture: such a
  // position mixes the corners' positions, off by far less than 2^-40 of
  // their size. False for corners that are not finite.
  bool HoldsAll(const std::array<Point2, 3>& corners) const;
  // The texel at (tu, tv), which must truncate to one inside the picture.
  uint32_t AtInside(double tu, double tv) const {
    return pixels_[static_cast<size_t>(static_cast<int>(tv)) * stride_ + static_cast<int>(tu)];
  }

 private:
  const uint32_t* pixels_ = nullptr;
  size_t stride_ = 0;
  double width_ = 0;
  double height_ = 0;
};

// A side's texture, texture coordinates and shading. Prepared only for sides
// that write a pixel, since pixels are their only use: a side that covers no
// centre or is hidden never pays for the lighting.
class SidePaint {
 public:
  // Left unset until Prepare: it is made for every side, prepared for fewer.
  SidePaint() = default;

  // Takes the side's texture and shades it (ShadeTriangle of its normal).
  void Prepare(const Scene& scene, const TriangleSide& side);

  // The pixel at weights (u, v) and depth z, channel by channel. The last
  // texel and shade are kept with their colour: pictures have large areas of
  // one colour, and neighbouring pixels mostly share the shade.
  uint32_t Colour(double u, double v, double z) {
    const double tu = ua_ + ub_ * u + uc_ * v;
    const double tv = va_ + vb_ * u + vc_ * v;
    const uint32_t texel = texelsInside_ ? texture_.AtInside(tu, tv) : texture_.At(tu, tv);
    const double shade =
        fadeStart_ >= z ? diffuse_ : diffuse_ / ((z - fadeStart_) / fadeRange_ + 1);
    if (texel != lastTexel_ || shade != lastShade_) {
      lastTexel_ = texel;
      lastShade_ = shade;
      lastColour_ = colour(texel, shade);
    }
    return lastColour_;
  }

 private:
  uint32_t colour(uint32_t texel, double shade) const {
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

  SideTexture texture_;
  double ua_, ub_, uc_, va_, vb_, vc_;  // texture position at a, and its steps to b and c
  double diffuse_, fadeStart_, fadeRange_;
  double lightBlue_, lightGreen_, lightRed_;  // the cap of each channel
  double highBlue_, highGreen_, highRed_;     // the specular highlight in each channel
  bool texelsInside_;                         // every texel the side reads lies inside its picture
  // Every channel level is finite and within 0..2^31 - 1, so that truncating
  // it needs no guard.
  bool inRange_;
  // The last colour and what it was made of; Prepare sets a shade of NaN,
  // which no shade equals.
  uint32_t lastTexel_;
  double lastShade_;
  uint32_t lastColour_;
};

// Asks the cache for the lines of the side's picture that its texture
// positions span, so that filling it later does not wait for them.
void PrefetchTexels(const Scene& scene, const TriangleSide& side);

}  // namespace puffel
