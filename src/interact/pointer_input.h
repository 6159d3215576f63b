// What the part window's pointer does to the scene: a press picks what the
// pointer holds, every move runs one drag operation, a release ends the drag.
// Positions are client pixels and may lie outside the view during a drag.
#pragma once

#include "platform/mouse_buttons.h"
#include "scene/scene.h"

namespace puffel {

// A press at (x, y): records the pointer, clamped to the view, and picks a
// part, a joint marker or the background; in the 3D view from the buffers of
// the last redraw. Returns CurrentPart: when 0 or more, the part whose number
// the part window's caption now shows.
int PressPointer(Scene& scene, int x, int y);

// A move to (x, y) with held buttons: one drag step, measured from the last
// position. Does not redraw; the view is redrawn after every move.
void MovePointer(Scene& scene, ShiftState held, int x, int y);

// A release: ends the drag, and in the flat view relinks the skeleton.
void ReleasePointer(Scene& scene);

// One wheel notch, down or up, at client point (x, y) in the 3D view: tilts
// the part under the pointer (WheelTilt). Does not redraw.
void TurnWheel(Scene& scene, bool down, int x, int y);

}  // namespace puffel
