// Points and frames of view space.
#pragma once

#include <array>

namespace puffel {

struct Point3 {
  double x = 0;
  double y = 0;
  double z = 0;
};

// A part's pose: its pivot and the tips of its three local axes, in view space.
struct Frame {
  Point3 Origin;
  Point3 TipX;
  Point3 TipY;
  Point3 TipZ;
};

// The four points of a frame in their order: Origin, TipX, TipY, TipZ.
inline std::array<Point3*, 4> FramePoints(Frame& frame) {
  return {&frame.Origin, &frame.TipX, &frame.TipY, &frame.TipZ};
}
inline std::array<const Point3*, 4> FramePoints(const Frame& frame) {
  return {&frame.Origin, &frame.TipX, &frame.TipY, &frame.TipZ};
}

}  // namespace puffel
