#include "export/obj_files.h"

#include <charconv>
#include <cstdio>
#include <string_view>
#include <vector>

#include "export/model_space.h"
#include "export/parallel_tasks.h"
#include "export/png_encode.h"
#include "platform/paths.h"

namespace puffel {

namespace {

// Appends numbers and words to an OBJ or MTL text.
class Text {
 public:
  explicit Text(std::string& text) : text_(text) {}

  Text& operator<<(const std::string& word) {
    text_ += word;
    return *this;
  }
  Text& operator<<(const char* word) {
    text_ += word;
    return *this;
  }
  // The shortest digits that read back as the same 32-bit float.
  Text& operator<<(float value) { return number(value); }
  Text& operator<<(size_t value) { return number(value); }

 private:
  template <class T>
  Text& number(T value) {
    char digits[32];
    const auto result = std::to_chars(digits, digits + sizeof digits, value);
    text_.append(digits, result.ptr);
    return *this;
  }

  std::string& text_;
};

void point(Text& out, const char* kind, const Point3& p) {
  out << kind << " " << static_cast<float>(p.x) << " " << static_cast<float>(p.y) << " "
      << static_cast<float>(p.z) << "\n";
}

std::string materialName(const FigurePart& part, Side side) {
  return part.name + (side == Side::Front ? "_front" : "_back");
}

// The object of part, whose first vertex (and normal) is number base and
// whose first texture position is number textureBase.
void writePart(Text& out, const Scene& scene, const FigureModel& model, const FigurePart& part,
               size_t base, size_t textureBase) {
  const PartMesh grid(scene, part.slot);
  const size_t count = part.vertices.size();
  out << "o " << part.name << "\n";
  for (const Side side : {Side::Front, Side::Back}) {
    for (const GridVertex v : part.vertices) {
      point(out, "v",
            ModelPoint(ToView(part.frame, grid.Point(v, side)), model.viewWidth, model.viewHeight));
    }
  }
  for (const GridVertex v : part.vertices) {
    const Point2 t = TextureCoordinate(grid, scene.PartPicture[part.slot], v);
    out << "vt " << static_cast<float>(t.x) << " " << static_cast<float>(1 - t.y) << "\n";
  }
  const PartSurfaces surfaces = SurfacesOf(scene, part);
  for (const auto& normals : surfaces.normals) {
    for (const std::array<float, 3>& n : normals) {
      point(out, "vn", Rotate(part.pose.rotation, ModelDirection({n[0], n[1], n[2]})));
    }
  }
  for (int s = 0; s < 2; ++s) {
    const Side side = s == 0 ? Side::Front : Side::Back;
    out << "usemtl " << materialName(part, side) << "\n";
    const size_t first = base + s * count;
    for (size_t t = 0; t < surfaces.triangles.size(); ++t) {
      out << "f";
      for (const uint32_t n : SurfaceTriangle(surfaces, side, t)) {
        out << " " << first + n << "/" << textureBase + n << "/" << first + n;
      }
      out << "\n";
    }
  }
}

}  // namespace

void WriteObjFiles(const Scene& scene, const FigureModel& model, const std::string& objPath) {
  const std::string stemPath = objPath.substr(0, objPath.size() - ExtractFileExt(objPath).size());
  const std::string stem = ExtractFileName(stemPath);
  const std::string folder = objPath.substr(0, objPath.size() - ExtractFileName(objPath).size());

  // Each picture is named after the first surface it shows on.
  std::vector<std::string> pictureFiles(model.pictures.size());
  for (const FigurePart& part : model.parts) {
    if (part.vertices.empty()) continue;
    for (const Side side : {Side::Front, Side::Back}) {
      std::string& file = pictureFiles[part.pictures[side == Side::Front ? 0 : 1]];
      if (file.empty()) file = stem + "_" + materialName(part, side) + ".png";
    }
  }
  std::vector<std::string> pngs(model.pictures.size());
  RunTasks(pngs.size(), [&](size_t n) { pngs[n] = EncodePng(*model.pictures[n]); });
  for (size_t n = 0; n < pngs.size(); ++n) WriteFileBytes(folder + pictureFiles[n], pngs[n]);

  std::string library;
  Text out(library);
  out << "# Puffel figure\n";
  for (const FigurePart& part : model.parts) {
    if (part.vertices.empty()) continue;
    for (const Side side : {Side::Front, Side::Back}) {
      out << "\nnewmtl " << materialName(part, side)
          << "\nKd 1 1 1\nKs 0 0 0\nNs 0\nPm 0\nPr 1\nd 1\nillum 1\nmap_Kd "
          << pictureFiles[part.pictures[side == Side::Front ? 0 : 1]] << "\n";
    }
  }
  WriteFileBytes(stemPath + ".mtl", library);

  // Where each part's numbering starts: OBJ counts vertices, texture positions
  // and normals through the whole file.
  std::vector<size_t> bases(model.parts.size() + 1, 1);
  for (size_t n = 0; n < model.parts.size(); ++n) {
    bases[n + 1] = bases[n] + model.parts[n].vertices.size();
  }
  const std::string head = "# Puffel figure\nmtllib " + stem + ".mtl\n";
  FileWriter file(objPath);
  const auto write = [&](const std::string& bytes) { file.Write(bytes.data(), bytes.size()); };
  write(head);
  RunTasksInOrder(
      model.parts.size(),
      [&](size_t n, std::string& bytes) {
        if (model.parts[n].vertices.empty()) return;
        Text text(bytes);
        writePart(text, scene, model, model.parts[n], 2 * bases[n] - 1, bases[n]);
      },
      write);
  file.Commit();
}

}  // namespace puffel
