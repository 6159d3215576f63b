// Adding a picture as a new part: intake, mesh, picture copies and links.
// Errors of the files are the platform layer's (PlatformError).
#pragma once

#include <string>

#include "builder/build_progress.h"
#include "builder/part_mesh.h"
#include "scene/scene.h"

namespace puffel {

// Whether path fits a PartFileName slot with the zero that ends it.
bool FitsPartFileName(const std::string& path);

// Takes the picture at path as the front of part k: the path into
// PartFileName[k], the picture into PictureLoadBuffer, PartPicture[k],
// PartMask[k] and PartCutout[k]. Throws when the picture cannot be read.
void LoadPartPicture(Scene& scene, int k, const std::string& path);

// Part k's back picture: the front's again, from PictureLoadBuffer.
void TakeFrontAsBackPicture(Scene& scene, int k);

// Part k's back picture from the file at path, scaled to the front's size.
// Throws when the picture cannot be read.
void LoadPartBackPicture(Scene& scene, int k, const std::string& path);

// Builds part k (slot PartCount), its pictures in place: derives mask and
// cut-out from the colour of the front's top-left pixel, centres the part in
// the part window, counts it, builds its mesh, writes the four picture copies
// into saveFolder (a folder path ending in a separator) and relinks the
// skeleton. Out of memory the part is taken back, the grid maxima restored and
// std::bad_alloc rethrown. Every copy is tried; the first that cannot be
// written is thrown after the relink.
void BuildPartMesh(Scene& scene, int k, const MeshSettings& mesh, const ShapeSettings& shape,
                   const std::string& saveFolder, const BuildProgress& progress);

// The whole build of part k from the one picture at path, front and back
// (LoadPartPicture, TakeFrontAsBackPicture, BuildPartMesh).
void BuildPartFromPicture(Scene& scene, int k, const std::string& path, const MeshSettings& mesh,
                          const ShapeSettings& shape, const std::string& saveFolder,
                          const BuildProgress& progress);

}  // namespace puffel
