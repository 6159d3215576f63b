// The drags of the flat view. Both take the pointer's backward step (bx, by)
// (last position minus new position), so positions follow the pointer when
// the step is subtracted.
#pragma once

#include "scene/scene.h"

namespace puffel {

// Selection k: moves part k's picture, pivot and frame alone (its children
// stay until the release relinks). Selection 1000 + k: moves only part k's
// pivot and frame, and shifts its pivot-relative mesh the other way so that
// the body stays where it is. Anything else: nothing.
void DragFlatPart(Scene& scene, double bx, double by);

// Moves the picture, pivot and frame of every part in the tree of
// CurrentPart, from its root down; CurrentPart -1 moves every part.
void DragFlatTree(Scene& scene, double bx, double by);

// Moves part i's picture corner, pivot and the x and y of its frame's four
// points back by (bx, by); the frame's depths stay.
void MovePartBack(Scene& scene, int i, double bx, double by);

}  // namespace puffel
