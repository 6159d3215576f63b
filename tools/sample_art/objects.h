// The single-part sample objects: each a hard-edged picture on its own plain
// background colour.
#pragma once

#include "platform/bitmap.h"

namespace puffel::art {

// A blue reef fish with yellow fins, facing left; 200 x 124 on peach.
Bitmap DrawFish();
// A bevelled golden five-pointed star; 176 x 164 on navy blue.
Bitmap DrawStar();
// A red apple with its stem and a leaf; 148 x 164 on white.
Bitmap DrawApple();

}  // namespace puffel::art
