// The figure as OBJ files: the posed triangles (no skeleton), a material
// library and the pictures as PNG files.
#pragma once

#include <string>

#include "scene/scene.h"
#include "export/figure_model.h"

namespace puffel {

// Writes model, a figure built from scene, as files beside objPath, all put
// in place together (FileSet): the OBJ file itself, with an object per part
// and in it, per surface, its material and then, column by column of the
// grid, the posed position, the texture position (v counted from the bottom,
// as OBJ does) and the posed normal of every vertex, each column followed by
// the faces it completes, their corners counted back from the end of the
// lists (negative indices) so that they stay short; the material library
// "<stem>.mtl" with a material per surface; and the pictures as PNG files
// named after objPath without its extension, the part and the side
// ("<stem>_<part>_front.png", "..._back.png"; a picture that an earlier
// surface already shows is not written again). Numbers are written as
// obj_numbers.h says. Throws PlatformError when a file cannot be written,
// leaving none of them.
void WriteObjFiles(const Scene& scene, const FigureModel& model, const std::string& objPath);

}  // namespace puffel
