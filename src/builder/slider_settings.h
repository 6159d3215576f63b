// The build's sliders and check boxes as plain positions: their ranges and
// start positions, shared by the main window and the command line, and the
// mesh and shape settings they give.
#pragma once

#include "builder/part_mesh.h"

namespace puffel {

struct SliderRange {
  int min = 0;
  int max = 0;
  int start = 0;
};

constexpr SliderRange PolygonSizeRange{1, 32, 8};  // TrackBar1
constexpr SliderRange EarRange{0, 32, 0};          // TrackBar3
constexpr SliderRange BulgeRange{-10, 20, 10};     // TrackBar2 (front), TrackBar6 (back)
constexpr SliderRange StretchRange{0, 24, 10};     // TrackBar4 (front), TrackBar5 (back)

struct SliderPositions {
  int polygonSize = PolygonSizeRange.start;
  int earPosition = EarRange.start;
  int frontBulge = BulgeRange.start;
  int backBulge = BulgeRange.start;
  int frontStretch = StretchRange.start;
  int backStretch = StretchRange.start;
  bool squareGrid = false;        // CheckBox2
  bool colourProjection = false;  // CheckBox1
};

MeshSettings MeshSettingsOf(const SliderPositions& sliders);
ShapeSettings ShapeSettingsOf(const SliderPositions& sliders);

}  // namespace puffel
