// The flat view: the pictures laid out as parts, with their joint markers.
#pragma once

#include "scene/scene.h"

namespace puffel {

// Whether the flat view shows the help text of an empty scene: no background
// picture and no part.
bool FlatViewIsEmpty(const Scene& scene);

// Paints the flat layout into ViewBitmap: background, masks (AND), cut-outs
// (XOR) and joint markers, or the help text of an empty scene.
void DrawFlatView(Scene& scene);

}  // namespace puffel
