// Exporting the posed figure as a 3D model: a rigged glTF 2.0 binary or OBJ
// files; and the paths the exports' save dialogs lead to.
#pragma once

#include <string>

#include "scene/scene.h"

namespace puffel {

enum class ModelFormat { Glb, Obj };

// The format a path asks for: OBJ when it ends in ".obj" (any case), else glTF
// binary.
ModelFormat FormatOfPath(const std::string& path);

// The path a model is written to: the chosen path when it ends in ".glb" or
// ".obj" (any case), else the chosen path with the extension of the save
// dialog's filter appended (filter 2: ".obj", any other: ".glb").
std::string ModelFilePath(const std::string& chosen, int filterIndex);

// The path an animated GIF is written to: the chosen path when it ends in
// ".gif" (any case), else the chosen path with ".gif" appended.
std::string GifFilePath(const std::string& chosen);

// Writes the figure of scene (with its view size) to path in the format
// FormatOfPath names; for OBJ the material library and the PNG pictures go
// beside it. Every file is written through a temporary file renamed over it.
// Throws ExportRefusal (export_refusal.h) with the message to show, before
// anything is written, when the scene cannot be exported; PlatformError when a
// file cannot be written, leaving none of the export's files and no temporary
// file. The scene is unchanged. Large figures are worked on by several threads
// at once.
void ExportFigure(const Scene& scene, const std::string& path);

}  // namespace puffel
