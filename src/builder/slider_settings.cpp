#include "builder/slider_settings.h"

#include "builder/inflate.h"

namespace puffel {

MeshSettings MeshSettingsOf(const SliderPositions& sliders) {
  return {.polygonSize = sliders.polygonSize,
          .triangularGrid = !sliders.squareGrid,
          .colourProjection = sliders.colourProjection,
          .frontBulge = BulgeExponent(sliders.frontBulge),
          .backBulge = BulgeExponent(sliders.backBulge)};
}

ShapeSettings ShapeSettingsOf(const SliderPositions& sliders) {
  return {.earPosition = sliders.earPosition,
          .frontStretch = sliders.frontStretch,
          .backStretch = sliders.backStretch};
}

}  // namespace puffel
