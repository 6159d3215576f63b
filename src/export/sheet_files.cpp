#include "export/sheet_files.h"

#include "export/parallel_tasks.h"
#include "export/png_encode.h"
#include "export/sheet_atlas.h"
#include "platform/file_set.h"
#include "platform/paths.h"

namespace puffel {

namespace {

constexpr size_t PngLength = 4;  // ".png"

std::string withoutPng(const std::string& sheetPath) {
  return sheetPath.substr(0, sheetPath.size() - PngLength);
}

}  // namespace

std::string SheetFilePath(const std::string& chosen) {
  return LowerFileExt(chosen) == ".png" ? chosen : chosen + ".png";
}

std::string SheetAtlasPath(const std::string& sheetPath) { return withoutPng(sheetPath) + ".json"; }

std::string SheetFramePath(const std::string& sheetPath, const std::string& name) {
  return withoutPng(sheetPath) + "_" + name + ".png";
}

void WriteSpriteSheet(const SpriteSheet& sheet, const std::string& sheetPath, bool frameFiles) {
  // The sheet is put in place first: its name was chosen, so it is the one
  // most likely to be refused (a folder of that name, say).
  FileSet files;
  FileWriter& sheetFile = files.Add(sheetPath);
  const std::string atlas = SheetAtlasJson(sheet, ExtractFileName(sheetPath));
  files.Add(SheetAtlasPath(sheetPath)).Write(atlas.data(), atlas.size());
  // The sheet's pieces are compressed side by side, then the frames; each
  // frame's file is closed once written, since a sheet may have more frames
  // than a process may hold files open.
  const std::string png = EncodeRgbaPngInParallel(sheet.picture);
  sheetFile.Write(png.data(), png.size());
  const int frames = frameFiles ? sheet.directions * sheet.Frames() : 0;
  int written = 0;
  RunTasksInOrder(
      frames,
      [&](size_t n, std::string& bytes) {
        const int frame = static_cast<int>(n);
        bytes = EncodeRgbaPng(SheetFrame(sheet, frame / sheet.Frames(), frame % sheet.Frames()));
      },
      [&](const std::string& bytes) {
        const std::string name =
            SheetFrameName(sheet, written / sheet.Frames(), written % sheet.Frames());
        FileWriter& file = files.Add(SheetFramePath(sheetPath, name));
        file.Write(bytes.data(), bytes.size());
        file.Close();
        ++written;
      });
  files.Commit();
}

void ExportSpriteSheet(Scene& scene, const std::string& sheetPath, const SheetSettings& settings) {
  WriteSpriteSheet(RenderSpriteSheet(scene, settings.directions), sheetPath, settings.frameFiles);
}

}  // namespace puffel
