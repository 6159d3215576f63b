// Onion skin: a figure's pose drawn faintly behind the figure the view shows,
// as the edges of its sides that face the viewer.
#pragma once

#include <array>
#include <cstdint>

#include "scene/scene.h"

namespace puffel {

// Draws the figure posed by frames as the outlines of its sides that face
// the viewer, in colour (a canvas colour), onto target (of the view's size)
// only where the last render pass drew no part (OwnerBuffer -1), so that it
// lies behind the figure. PartFrame and RenderFrame are as they were after.
void DrawOnionOutline(Scene& scene, const std::array<Frame, MaxParts>& frames, uint32_t colour,
                      Bitmap& target);

}  // namespace puffel
