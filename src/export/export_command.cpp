#include "export/export_command.h"

#include <memory>
#include <new>
#include <ostream>

#include "builder/build_part.h"
#include "export/export_arguments.h"
#include "export/export_refusal.h"
#include "export/model_export.h"
#include "export/sheet_files.h"
#include "platform/paths.h"
#include "platform/picture_file.h"
#include "platform/platform_error.h"
#include "project/project_load.h"
#include "scene/start_scene.h"

namespace puffel {

namespace {

constexpr const char* ProjectUsage =
    "puffel-export [--program-dir DIR] [--height MM] PROJECT.dat "
    "OUT.glb|OUT.obj|OUT.stl|OUT.3mf|OUT.png [SHEET OPTION...]";
constexpr const char* PicturesUsage =
    "puffel-export [--program-dir DIR] [--height MM] [BUILD OPTION...] PICTURE... "
    "OUT.glb|OUT.obj|OUT.stl|OUT.3mf|OUT.png [SHEET OPTION...]";

constexpr const char* Help =
    "\n"
    "Loads the project PROJECT.dat as the program's load button does, its pictures\n"
    "read from the copies in DIR/save (DIR: the program folder unless given), or\n"
    "adds each PICTURE as a part as the add-picture button does, with the sliders\n"
    "set by the build options and its picture copies written into DIR/save; then\n"
    "writes the figure as a glTF binary (.glb), as OBJ (.obj, with its .mtl and\n"
    "PNG pictures beside it), as a sprite sheet of its animation (.png, with its\n"
    "atlas OUT.json beside it; the pose shown when the project has no keys), or\n"
    "for printing as closed shells in binary STL (.stl) or coloured 3MF (.3mf),\n"
    "standing on z = 0, --height MM millimetres tall (1 to 1000; 100).\n"
    "Build options (the sliders' start positions unless given; a number outside\n"
    "the slider's range is refused):\n"
    "  --polygon-size N   polygon size, 1 to 32 (8)\n"
    "  --bulge F B        bulge of the front and of the back, -10 to 20 (10 10)\n"
    "  --stretch F B      depth stretch of the front and of the back in tenths,\n"
    "                     0 to 24 (10 10)\n"
    "  --ears N           ear shaping, 0 (none) to 32 (0)\n"
    "  --square           square polygons instead of triangles\n"
    "  --colour-projection  colours projected straight onto the front\n"
    "Sheet options:\n"
    "  --directions N     1, 4 or 8 rows, the figure turned by 360/N degrees from\n"
    "                     row to row about the vertical axis (1)\n"
    "  --size W H         the part window's size the frames are drawn at (400 400)\n"
    "  --frame-files      also every frame as OUT_dD_fF.png\n"
    "Exit status: 0 when the model is written; 1 when the project cannot be loaded,\n"
    "a picture cannot be read (then nothing is written) or its copies written, or\n"
    "the model cannot be written, with no model written; 2 for wrong arguments.\n";

// The scene of a freshly started program, its part window at the start size.
std::unique_ptr<Scene> startScene(const std::string& programFolder) {
  SetProgramFolder(programFolder);
  auto scene = std::make_unique<Scene>();
  SetStartDefaults(*scene);
  ResizeView(*scene, InitialViewWidth, InitialViewHeight);
  return scene;
}

// Adds the pictures in order as the add-picture button adds them. Every
// picture is read once first, so that one that cannot be read is named (as
// PlatformError) before anything is written.
void buildPictures(Scene& scene, const ExportArguments& parsed) {
  for (const std::string& picture : parsed.pictures) {
    if (!FitsPartFileName(picture)) throw PlatformError(picture + ": ファイル名が長すぎます！");
    LoadPictureFile(picture, scene.PictureLoadBuffer);
  }
  const MeshSettings mesh = MeshSettingsOf(parsed.sliders);
  const ShapeSettings shape = ShapeSettingsOf(parsed.sliders);
  for (const std::string& picture : parsed.pictures) {
    BuildPartFromPicture(scene, scene.PartCount, picture, mesh, shape, ProgramFolder() + "save/",
                         {});
  }
}

}  // namespace

int RunExportCommand(const std::vector<std::string>& args, const std::string& programFolder,
                     std::ostream& out, std::ostream& err) {
  ExportArguments parsed;
  parsed.programFolder = programFolder;
  const std::string wrong = ParseExportArguments(args, parsed);
  if (!wrong.empty()) {
    err << "puffel-export: " << wrong << "; usage: " << ProjectUsage << ", or " << PicturesUsage
        << '\n';
    return ExportUsage;
  }
  if (parsed.help) {
    out << "usage: " << ProjectUsage << "\n       " << PicturesUsage << '\n' << Help;
    return ExportWritten;
  }
  // An export refused names what the figure came from.
  const std::string& source = parsed.project.empty() ? parsed.model : parsed.project;
  try {
    const std::unique_ptr<Scene> scene = startScene(parsed.programFolder);
    if (parsed.project.empty()) {
      buildPictures(*scene, parsed);
    } else {
      LoadProjectFile(*scene, parsed.project, ProgramFolder());
    }
    if (LowerFileExt(parsed.model) == ".png") {
      if (parsed.viewWidth > 0) ResizeView(*scene, parsed.viewWidth, parsed.viewHeight);
      ExportSpriteSheet(*scene, parsed.model, parsed.sheet);
    } else {
      ExportFigure(*scene, parsed.model, parsed.printHeight);
    }
    return ExportWritten;
  } catch (const DamagedProject&) {
    err << "puffel-export: " << parsed.project << ": データファイルが壊れています！\n";
  } catch (const ExportRefusal& refusal) {
    err << "puffel-export: " << source << ": " << refusal.what() << '\n';
  } catch (const PlatformError& error) {
    err << "puffel-export: " << error.what() << '\n';
  } catch (const std::bad_alloc&) {
    err << "puffel-export: メモリが不足しています。\n";
  }
  return ExportFailed;
}

}  // namespace puffel
