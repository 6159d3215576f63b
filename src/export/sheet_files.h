// The files of a sprite sheet export: the sheet, its atlas and, when asked
// for, every frame on its own.
#pragma once

#include <string>

#include "export/sprite_sheet.h"

namespace puffel {

// The path a sheet is written to: the chosen path when it ends in ".png" (any
// case), else the chosen path with ".png" appended.
std::string SheetFilePath(const std::string& chosen);

// The path of the atlas of the sheet at sheetPath (ending in ".png"): ".json"
// in place of its last four characters.
std::string SheetAtlasPath(const std::string& sheetPath);

// The path of the file of the frame named name (SheetFrameName) of the sheet
// at sheetPath: "_" and the name in place of the sheet's ".png", then ".png".
std::string SheetFramePath(const std::string& sheetPath, const std::string& name);

// Writes sheet to sheetPath (ending in ".png") as an RGBA PNG, its atlas
// (SheetAtlasJson, naming the sheet's file) to SheetAtlasPath and, with
// frameFiles, every frame as an RGBA PNG of the trimmed size to its
// SheetFramePath. Every file is written through a temporary file and all are
// put in place together; when one cannot be written (PlatformError) none of
// them is left.
void WriteSpriteSheet(const SpriteSheet& sheet, const std::string& sheetPath, bool frameFiles);

// RenderSpriteSheet of scene in settings.directions, then WriteSpriteSheet to
// sheetPath; nothing is written when the sheet is refused (ExportRefusal).
void ExportSpriteSheet(Scene& scene, const std::string& sheetPath, const SheetSettings& settings);

}  // namespace puffel
