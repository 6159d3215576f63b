#include "export/model_export.h"

#include <algorithm>
#include <cctype>

#include "export/figure_model.h"
#include "export/glb_file.h"
#include "export/obj_files.h"
#include "export/stl_file.h"
#include "export/three_mf_file.h"
#include "platform/paths.h"

namespace puffel {

ModelFormat FormatOfPath(const std::string& path) {
  const std::string extension = LowerFileExt(path);
  if (extension == ".obj") return ModelFormat::Obj;
  if (extension == ".stl") return ModelFormat::Stl;
  if (extension == ".3mf") return ModelFormat::ThreeMf;
  return ModelFormat::Glb;
}

std::string ModelFilePath(const std::string& chosen, int filterIndex) {
  const std::string extension = LowerFileExt(chosen);
  if (extension == ".glb" || extension == ".obj" || extension == ".stl" || extension == ".3mf") {
    return chosen;
  }
  switch (filterIndex) {
    case 2:
      return chosen + ".obj";
    case 3:
      return chosen + ".stl";
    case 4:
      return chosen + ".3mf";
    default:
      return chosen + ".glb";
  }
}

std::string GifFilePath(const std::string& chosen) {
  return LowerFileExt(chosen) == ".gif" ? chosen : chosen + ".gif";
}

bool IsPrintFormat(ModelFormat format) {
  return format == ModelFormat::Stl || format == ModelFormat::ThreeMf;
}

void ExportFigure(const Scene& scene, const std::string& path, int printHeight) {
  const FigureModel model = BuildFigureModel(scene);
  switch (FormatOfPath(path)) {
    case ModelFormat::Glb:
      WriteGlbFile(scene, model, path);
      break;
    case ModelFormat::Obj:
      WriteObjFiles(scene, model, path);
      break;
    case ModelFormat::Stl:
      WriteStlFile(PrintShells(scene, model, printHeight), path);
      break;
    case ModelFormat::ThreeMf:
      WriteThreeMfFile(PrintShells(scene, model, printHeight), path);
      break;
  }
}

}  // namespace puffel
