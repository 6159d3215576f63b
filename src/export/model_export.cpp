#include "export/model_export.h"

#include <algorithm>
#include <cctype>

#include "export/figure_model.h"
#include "export/glb_file.h"
#include "export/obj_files.h"
#include "platform/paths.h"

namespace puffel {

ModelFormat FormatOfPath(const std::string& path) {
  return LowerFileExt(path) == ".obj" ? ModelFormat::Obj : ModelFormat::Glb;
}

std::string ModelFilePath(const std::string& chosen, int filterIndex) {
  const std::string extension = LowerFileExt(chosen);
  if (extension == ".glb" || extension == ".obj") return chosen;
  return chosen + (filterIndex == 2 ? ".obj" : ".glb");
}

std::string GifFilePath(const std::string& chosen) {
  return LowerFileExt(chosen) == ".gif" ? chosen : chosen + ".gif";
}

void ExportFigure(const Scene& scene, const std::string& path) {
  const FigureModel model = BuildFigureModel(scene);
  if (FormatOfPath(path) == ModelFormat::Glb) {
    WriteGlbFile(scene, model, path);
  } else {
    WriteObjFiles(scene, model, path);
  }
}

}  // namespace puffel
