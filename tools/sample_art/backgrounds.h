// The sample background pictures for the part window, 640 x 480 each. Unlike
// the part pictures they have soft edges: they are never cut out.
#pragma once

#include "platform/bitmap.h"

namespace puffel::art {

// A blue sky, lighter toward the horizon, with the sun and a few clouds.
Bitmap DrawSky();
// A meadow with flowers under a summer sky, with hills in the distance.
Bitmap DrawMeadow();

}  // namespace puffel::art
