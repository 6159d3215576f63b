// The figure as a glTF 2.0 binary (".glb"): one skinned mesh over a skeleton
// of one joint per part.
#pragma once

#include <string>

#include "export/figure_model.h"
#include "scene/scene.h"

namespace puffel {

// Writes the GLB file of model, a figure built from scene, to path (through a
// temporary file, as FileWriter does):
// - nodes 0..N-1 are the parts' joints, named after the parts, each at its
//   pivot, in the hierarchy of the parents; node N ("skeleton") holds the
//   roots, node N+1 ("figure") the mesh with its skin; the scene shows both;
// - the joints' translation, rotation and scale give the current pose; the
//   inverse bind matrices the rest pose, every part unturned at its pivot;
// - with animation keys, one animation "loop" moves every joint through them
//   (linear channels of translation, rotation and scale at the times of
//   SampleAnimation, the first key again at the loop's end);
// - the mesh has a primitive per surface, part by part, front before back,
//   its positions and normals those of the rest pose, every vertex bound to
//   its part's joint alone; its material shows the surface's picture as a
//   PNG texture magnified to the nearest texel, clamped at the edges, not
//   metallic, fully rough.
// tinygltf writes the document; the binary chunk is filled part by part on
// its way to the file, so that a large figure is never held in memory whole.
// Throws ExportRefusal, before path is touched, when the file would be too
// large for the format; PlatformError when it cannot be written.
void WriteGlbFile(const Scene& scene, const FigureModel& model, const std::string& path);

}  // namespace puffel
