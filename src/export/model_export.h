// Exporting the posed figure as a 3D model: a rigged glTF 2.0 binary, OBJ
// files, or closed shells for a printer as binary STL or coloured 3MF; and
// the paths the exports' save dialogs lead to.
#pragma once

#include <string>

#include "export/print_shells.h"
#include "scene/scene.h"

namespace puffel {

enum class ModelFormat { Glb, Obj, Stl, ThreeMf };

// The format a path asks for: OBJ, STL or 3MF when it ends in ".obj", ".stl"
// or ".3mf" (any case), else glTF binary.
ModelFormat FormatOfPath(const std::string& path);

// The path a model is written to: the chosen path when it ends in ".glb",
// ".obj", ".stl" or ".3mf" (any case), else the chosen path with the
// extension of the save dialog's filter appended (filter 2: ".obj", 3:
// ".stl", 4: ".3mf", any other: ".glb").
std::string ModelFilePath(const std::string& chosen, int filterIndex);

// The path an animated GIF is written to: the chosen path when it ends in
// ".gif" (any case), else the chosen path with ".gif" appended.
std::string GifFilePath(const std::string& chosen);

// Whether the format is one for printers, whose figure has a height.
bool IsPrintFormat(ModelFormat format);

// Writes the figure of scene (with its view size) to path in the format
// FormatOfPath names; for OBJ the material library and the PNG pictures go
// beside it; STL and 3MF hold the closed shells of PrintShells, the figure
// printHeight millimetres tall. Every file is written through a temporary file renamed over it.
// Throws ExportRefusal (export_refusal.h) with the message to show, before
// anything is written, when the scene cannot be exported; PlatformError when a
// file cannot be written, leaving none of the export's files and no temporary
// file. The scene is unchanged. Large figures are worked on by several threads
// at once.
void ExportFigure(const Scene& scene, const std::string& path,
                  int printHeight = DefaultPrintHeight);

}  // namespace puffel
