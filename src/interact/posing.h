// Posing in the 3D view. Every operation changes only PartFrame (and, for a
// move, the flat-view positions), never the mesh; parts are visited in
// ascending order and each frame's points in the order Origin, TipX, TipY,
// TipZ. A held, current or hovered part that no longer exists poses nothing.
#pragma once

#include "scene/scene.h"

namespace puffel {

// Scales every axis of each part in the tree of Selection (every part for
// Selection -1) by 1.01^by about the part's own origin; by > 0 when the
// pointer moved up.
void ScaleTree(Scene& scene, double by);

// Moves the tree of Selection (every part for Selection -1) back by (bx, by)
// in the view plane, flat-view pictures and pivots included.
void TranslateTree(Scene& scene, double bx, double by);

// One trackball step of the held part Selection: turns it and its subtree
// about its pivot by the turn from GrabVector to the pointer's point on the
// grab sphere (wrapped onto the far half beyond the sphere's outline), then
// advances GrabVector. With keepChildren (the right button) each direct
// child's subtree only follows its pivot and keeps its orientation. A step
// that has no axis, or a grab sphere of radius 0, turns nothing.
void TrackballRotate(Scene& scene, bool keepChildren);

// Sets the frames of part c's subtree (c included) to their SavedFrame moved by delta.
void CarrySubtree(Scene& scene, int c, Point3 delta);

// Turns every part about the view centre (at depth 0) by the angles a
// background drag by (bx, by) gives at the pointer's position. Nothing in an
// empty view.
void RotateScene(Scene& scene, double bx, double by);

// One wheel notch (angle +0.1 down, -0.1 up) at client point (x, y) in the 3D
// view: the part under the pointer at the last move becomes CurrentPart and
// tilts with its subtree about the line from its pivot toward the pointer.
// Does not redraw.
void WheelTilt(Scene& scene, double angle, int x, int y);

}  // namespace puffel
