// The command line of puffel-export: a saved project or pictures, the build
// settings for the pictures, and the model or sprite sheet file to write.
#pragma once

#include <string>
#include <vector>

#include "builder/slider_settings.h"
#include "export/print_shells.h"
#include "export/sprite_sheet.h"

namespace puffel {

struct ExportArguments {
  std::string programFolder;
  std::string project;                // a ".dat" first file; empty with pictures
  std::vector<std::string> pictures;  // the files before the model's, without a project
  std::string model;
  SliderPositions sliders;               // the build settings of the pictures
  int printHeight = DefaultPrintHeight;  // millimetres, for STL and 3MF
  SheetSettings sheet;                   // for a model ending in ".png"
  int viewWidth = 0;                     // the part window's size for a sheet; 0 for the start size
  int viewHeight = 0;
  bool help = false;
};

// Reads args into parsed (programFolder set beforehand stays unless
// --program-dir names another). Returns why they ask for nothing that can be
// done, or "" when they are right: a first file ending in ".dat" (in any
// case) is a project, with the model file alone after it and no build
// setting; otherwise every file before the last is a picture, 32 at most.
// The model file ends in ".glb", ".obj", ".stl", ".3mf" or ".png" (a sprite
// sheet) in any case. A build setting outside its slider's range is refused,
// and so is a print height (--height, for STL and 3MF alone) outside 1..1000
// millimetres, directions other than those of SheetDirectionChoices, a view
// size below 1 or larger than the largest picture the program reads, and the
// sheet's options (--directions, --size, --frame-files) for a model that is
// no sheet.
std::string ParseExportArguments(const std::vector<std::string>& args, ExportArguments& parsed);

}  // namespace puffel
