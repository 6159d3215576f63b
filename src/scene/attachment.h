// The attachment step: a scaled part's frame moves so that its tree keeps
// hanging together, as the 3D view and the exported figure show it.
#pragma once

#include "scene/scene.h"

namespace puffel {

// The attachment step of part j: how far its PartFrame moves so that its
// origin lies where scaling its whole tree about the tree root's origin by the
// part's scale |TipZ - Origin| would put it.
Point3 AttachmentShift(const Scene& scene, int j);

// The root of part j's tree for the attachment step: its lowest ancestor, or
// j itself.
int AttachmentRoot(const Scene& scene, int j);

}  // namespace puffel
