#include "export/export_arguments.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <initializer_list>

#include "platform/bmp_file.h"
#include "platform/paths.h"
#include "scene/scene.h"

namespace puffel {

namespace {

// Reads the slider positions that follow option args[a] into positions, each
// a whole number within range. Returns why they cannot be read, or "".
std::string readPositions(const std::vector<std::string>& args, size_t& a, const SliderRange& range,
                          std::initializer_list<int*> positions) {
  const std::string option = args[a];
  const std::string wanted =
      option + " takes " +
      (positions.size() == 1 ? std::string("a number")
                             : std::to_string(positions.size()) + " numbers") +
      " from " + std::to_string(range.min) + " to " + std::to_string(range.max);
  for (int* position : positions) {
    if (++a == args.size()) return wanted;
    const std::string& text = args[a];
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < range.min ||
        value > range.max) {
      return wanted + ": " + text;
    }
    *position = value;
  }
  return "";
}

// Reads the number after option args[a] into value. Returns why it cannot be
// read, or "".
std::string readNumber(const std::vector<std::string>& args, size_t& a, int& value) {
  const std::string& option = args[a];
  if (++a == args.size()) return option + " needs a number";
  const std::string& text = args[a];
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) {
    return option + " takes a whole number: " + text;
  }
  return "";
}

// Reads --directions N: one of SheetDirectionChoices.
std::string readDirections(const std::vector<std::string>& args, size_t& a, int& directions) {
  std::string wrong = readNumber(args, a, directions);
  if (wrong.empty() && std::find(std::begin(SheetDirectionChoices), std::end(SheetDirectionChoices),
                                 directions) == std::end(SheetDirectionChoices)) {
    wrong = "--directions takes 1, 4 or 8: " + args[a];
  }
  return wrong;
}

// Reads --size W H: a view no larger than the largest picture the program reads.
std::string readSize(const std::vector<std::string>& args, size_t& a, int& width, int& height) {
  std::string wrong = readNumber(args, a, width);
  if (wrong.empty()) wrong = readNumber(args, a, height);
  if (wrong.empty() && (width < 1 || height < 1 || width > kMaxBitmapSide ||
                        height > kMaxBitmapSide || int64_t{width} * height > kMaxBitmapPixels)) {
    wrong = "--size takes a width and a height from 1 to " + std::to_string(kMaxBitmapSide) +
            ", at most " + std::to_string(kMaxBitmapPixels) + " pixels together";
  }
  return wrong;
}

}  // namespace

std::string ParseExportArguments(const std::vector<std::string>& args, ExportArguments& parsed) {
  SliderPositions& sliders = parsed.sliders;
  bool buildSettings = false;
  bool heightGiven = false;
  bool sheetSettings = false;
  std::vector<std::string> files;
  for (size_t a = 0; a < args.size(); ++a) {
    const std::string& arg = args[a];
    if (arg == "--help" || arg == "-h") {
      parsed.help = true;
      continue;
    }
    if (arg == "--program-dir") {
      if (++a == args.size()) return "--program-dir needs a folder";
      parsed.programFolder = args[a];
      continue;
    }
    if (arg.size() < 2 || arg[0] != '-') {
      files.push_back(arg);
      continue;
    }
    std::string wrong;
    if (arg == "--height") {
      wrong = readPositions(args, a, {MinPrintHeight, MaxPrintHeight, DefaultPrintHeight},
                            {&parsed.printHeight});
      if (!wrong.empty()) return wrong;
      heightGiven = true;
      continue;
    }
    if (arg == "--directions") {
      wrong = readDirections(args, a, parsed.sheet.directions);
    } else if (arg == "--size") {
      wrong = readSize(args, a, parsed.viewWidth, parsed.viewHeight);
    } else if (arg == "--frame-files") {
      parsed.sheet.frameFiles = true;
    } else if (arg == "--polygon-size") {
      wrong = readPositions(args, a, PolygonSizeRange, {&sliders.polygonSize});
    } else if (arg == "--bulge") {
      wrong = readPositions(args, a, BulgeRange, {&sliders.frontBulge, &sliders.backBulge});
    } else if (arg == "--stretch") {
      wrong = readPositions(args, a, StretchRange, {&sliders.frontStretch, &sliders.backStretch});
    } else if (arg == "--ears") {
      wrong = readPositions(args, a, EarRange, {&sliders.earPosition});
    } else if (arg == "--square") {
      sliders.squareGrid = true;
    } else if (arg == "--colour-projection") {
      sliders.colourProjection = true;
    } else {
      return "unknown option " + arg;
    }
    if (!wrong.empty()) return wrong;
    const bool sheetOption = arg == "--directions" || arg == "--size" || arg == "--frame-files";
    (sheetOption ? sheetSettings : buildSettings) = true;
  }
  if (parsed.help) return "";
  if (files.size() < 2) return "needs a project file or pictures, and an output file";
  parsed.model = files.back();
  files.pop_back();
  if (LowerFileExt(files[0]) == ".dat") {
    if (files.size() != 1) return "needs a project file and an output file";
    if (buildSettings) return "the build options are for pictures, not for a project";
    parsed.project = files[0];
  } else if (files.size() > MaxParts) {
    return "takes at most " + std::to_string(MaxParts) + " pictures";
  } else {
    parsed.pictures = std::move(files);
  }
  const std::string extension = LowerFileExt(parsed.model);
  if (extension != ".glb" && extension != ".obj" && extension != ".stl" && extension != ".3mf" &&
      extension != ".png") {
    return "the output file must end in .glb, .obj, .stl, .3mf or .png: " + parsed.model;
  }
  if (heightGiven && extension != ".stl" && extension != ".3mf") {
    return "--height is for an .stl or .3mf output file";
  }
  if (sheetSettings && extension != ".png") {
    return "--directions, --size and --frame-files are for a sprite sheet (.png)";
  }
  return "";
}

}  // namespace puffel
