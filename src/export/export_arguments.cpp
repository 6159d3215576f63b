#include "export/export_arguments.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <initializer_list>

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

}  // namespace

std::string ParseExportArguments(const std::vector<std::string>& args, ExportArguments& parsed) {
  SliderPositions& sliders = parsed.sliders;
  bool buildSettings = false;
  bool heightGiven = false;
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
    if (arg == "--polygon-size") {
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
    buildSettings = true;
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
  if (extension != ".glb" && extension != ".obj" && extension != ".stl" && extension != ".3mf") {
    return "the output file must end in .glb, .obj, .stl or .3mf: " + parsed.model;
  }
  if (heightGiven && extension != ".stl" && extension != ".3mf") {
    return "--height is for an .stl or .3mf output file";
  }
  return "";
}

}  // namespace puffel
