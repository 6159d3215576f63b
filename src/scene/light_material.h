// The light and material values derived from the picker marks, and the
// colour wheel of the light picker.
#pragma once

#include "scene/scene.h"

namespace puffel {

// The six material values from the diffuse, specular and fade marks.
void UpdateMaterial(Scene& scene);

// The light direction from the light mark and LightBehind.
void UpdateLight(Scene& scene);

// The light colour: the wheel pixel under the colour mark.
void UpdateLightColour(Scene& scene);

// Paints the colour wheel into LightPickerBitmap (its background already filled).
void DrawLightWheel(Scene& scene);

}  // namespace puffel
