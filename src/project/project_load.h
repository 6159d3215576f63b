// Loading a project file (".dat") back into the scene: the file and the
// picture copies are read and checked in full into a staging scene first, and
// the scene is replaced only when all of it has been read, so a failed load
// leaves the scene exactly as it was.
#pragma once

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

#include "platform/bitmap.h"
#include "project/byte_fields.h"
#include "scene/scene.h"

namespace puffel {

// Decodes project bytes for a view of viewWidth x viewHeight (stored positions
// are relative to its centre) into a fresh scene that holds only what a
// project holds: PartCount, View3D, the ten marks, LightBehind, all 32
// PartFileName slots, ParentMatrix and AncestorMatrix, and for every part its
// PartFrame, PartOffsetX/Y, PartPosX/Y, GridColumns, GridRows and mesh cells,
// with MaxGridColumns, MaxGridRows and the nine mesh tables sized for the
// parts; every cell the file does not hold is 0. The pictures are left empty.
// Throws DamagedProject, before allocating the mesh, for a file shorter than
// its counts require, a part count outside 0..32, a grid size outside
// 1..65536 or over 2^25 cells, grids that at the largest width and the
// largest height among them come to over 2^25 cells for all parts together
// (the mesh tables' shape), a flag or skeleton cell other than 0 or 1, a
// light or colour mark at 40 or more from the wheel centre (40, 40), or a
// material mark outside X 0..78, Y 1..79. Bytes after the last record are
// ignored; nothing is read past the end of bytes. Throws std::bad_alloc when
// the mesh does not fit in memory.
std::unique_ptr<Scene> DecodeProject(std::string_view bytes, int viewWidth, int viewHeight);

// Reads the picture copy called name (the file name of a part's picture with
// "1" to "4" appended) into picture; throws PlatformError when it cannot.
using PictureCopyReader = std::function<void(const std::string& name, Bitmap& picture)>;

// Reads the four picture copies of every part of loaded, named after the
// file-name part of its PartFileName slot (cut after the last '/', '\' or
// ':'): "1" into PartCutout, "2" PartMask, "3" PartPicture, "4"
// PartBackPicture. Copies 1, 2 and 4 of another size than copy 3 are scaled to
// its size. Throws what read throws.
void ReadPictureCopies(Scene& loaded, const PictureCopyReader& read);

// Replaces the project's tables in scene (see DecodeProject) with those of
// loaded, parts 0..loaded.PartCount-1 and their pictures included; the
// canvas state of scene's pictures is kept. Nothing else of scene changes
// but LoadedProjects, which counts one more, and nothing can fail. loaded is left with the scene's
// old tables.
void CommitProject(Scene& scene, Scene& loaded) noexcept;

// Loads the project file at path into scene, for scene's view size, with the
// picture copies from programFolder + "save/", the animation from the
// animation file beside it (AnimationFilePath; none when there is no such
// file: no keys, one second between keys) and the soft joints from the joint
// settings file beside it (JointSettingsFilePath; none: off, reach 2), then
// derives the material,
// the light direction and the light colour (from LightPickerBitmap, which
// must hold the colour wheel). Throws DamagedProject or PlatformError (or
// std::bad_alloc), leaving scene unchanged.
void LoadProjectFile(Scene& scene, const std::string& path, const std::string& programFolder);

}  // namespace puffel
