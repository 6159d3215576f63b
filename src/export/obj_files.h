// The figure as OBJ files: the posed triangles (no skeleton), a material
// library and the pictures as PNG files.
#pragma once

#include <string>

#include "app/scene.h"
#include "export/figure_model.h"

namespace puffel {

// Writes model, a figure built from scene, as files beside objPath, each
// through a temporary file: the PNG pictures first, named after objPath
// without its extension, the part and the side ("<stem>_<part>_front.png",
// "..._back.png"; a picture that an earlier surface already shows is not
// written again), then the material library "<stem>.mtl" with a material per
// surface, then the OBJ file itself: per part an object with its posed front
// and back vertices, the texture positions of its grid vertices (v counted
// from the bottom, as OBJ does), the posed normals, and the faces of each
// surface after its material. Throws PlatformError when a file cannot be
// written; the files before it stay.
void WriteObjFiles(const Scene& scene, const FigureModel& model, const std::string& objPath);

}  // namespace puffel
