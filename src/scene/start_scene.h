// The scene as the program starts, before its part window reports a size.
#pragma once

#include "scene/scene.h"

namespace puffel {

// The part window's client size when the program starts.
constexpr int InitialViewWidth = 400;
constexpr int InitialViewHeight = 400;

// The start of every scene: no parts, nothing selected, white light, the
// picker marks at their start places with the light and material derived
// from them, empty pictures, the view and its buffers at the present view
// size and the light picker's colour wheel on the button face.
void SetStartDefaults(Scene& scene);

}  // namespace puffel
