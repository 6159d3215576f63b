// The onion skin of the 3D view: the selected key's neighbours drawn faintly
// behind the figure, to pose between them. It is the view's alone: drawn
// onto the window's picture, never into ViewBitmap, which exports use.
#pragma once

#include "scene/scene.h"

namespace puffel {

// With OnionSkin on and a key selected, draws the key before it and the key
// after it (in the loop) as outlines behind the figure onto shown, the last
// render pass's picture: the one before in a muted blue, the one after in a
// muted red.
void DrawOnionSkin(Scene& scene, Bitmap& shown);

}  // namespace puffel
