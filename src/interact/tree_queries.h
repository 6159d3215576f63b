// Questions about the skeleton that every drag asks: the root of a part's tree
// and whether a part moves with a tree or subtree.
#pragma once

#include "scene/scene.h"

namespace puffel {

// The root of part p's tree: its lowest-numbered ancestor, or p itself when it
// has none. -1 stays -1 (the background), and so does any p below 0.
// Requires p < PartCount.
int TreeRoot(const Scene& scene, int p);

// Whether part q moves with r: r is q itself or one of its ancestors. r = -1
// (the background) takes every part along, and no part moves with r below -1.
// Requires 0 <= q < PartCount and r < PartCount.
bool MovesWith(const Scene& scene, int q, int r);

// Whether p names a part in use.
inline bool IsPart(const Scene& scene, int p) { return p >= 0 && p < scene.PartCount; }

}  // namespace puffel
