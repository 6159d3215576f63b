#include "export/obj_files.h"

#include <charconv>

#include "export/model_space.h"
#include "export/png_encode.h"
#include "platform/paths.h"

namespace puffel {

namespace {

// Appends numbers and words to an OBJ or MTL text.
class Text {
 public:
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
  Text& operator<<(int value) { return number(value); }

  void Reserve(size_t size) { text_.reserve(size); }
  std::string Take() { return std::move(text_); }

 private:
  template <class T>
  Text& number(T value) {
    char digits[32];
    const auto result = std::to_chars(digits, digits + sizeof digits, value);
    text_.append(digits, result.ptr);
    return *this;
  }

  std::string text_;
};

void point(Text& out, const char* kind, const Point3& p) {
  out << kind << " " << static_cast<float>(p.x) << " " << static_cast<float>(p.y) << " "
      << static_cast<float>(p.z) << "\n";
}

std::string materialName(const FigurePart& part, const FigureSurface& surface) {
  return part.name + (surface.side == Side::Front ? "_front" : "_back");
}

std::string objText(const Scene& scene, const FigureModel& model, const std::string& library) {
  size_t vertices = 0;
  size_t triangles = 0;
  for (const FigurePart& part : model.parts) {
    vertices += part.vertices.size();
    for (const FigureSurface& surface : part.surfaces) triangles += surface.triangles.size();
  }
  Text out;
  out.Reserve(vertices * 140 + triangles * 50 + 4096);
  out << "# Puffel figure\nmtllib " << library << "\n";
  size_t base = 1;  // the OBJ number of the part's first vertex (and normal)
  size_t textureBase = 1;
  for (const FigurePart& part : model.parts) {
    if (part.vertices.empty()) continue;
    const PartMesh grid(scene, part.slot);
    const size_t count = part.vertices.size();
    out << "o " << part.name << "\n";
    for (const FigureSurface& surface : part.surfaces) {
      for (const GridVertex v : part.vertices) {
        point(out, "v",
              ModelPoint(ToView(part.frame, grid.Point(v, surface.side)), model.viewWidth,
                         model.viewHeight));
      }
    }
    for (const GridVertex v : part.vertices) {
      const Point2 t = TextureCoordinate(grid, scene.PartPicture[part.slot], v);
      out << "vt " << static_cast<float>(t.x) << " " << static_cast<float>(1 - t.y) << "\n";
    }
    for (const FigureSurface& surface : part.surfaces) {
      for (const Point3& n : surface.normals) {
        point(out, "vn", Rotate(part.pose.rotation, ModelDirection(n)));
      }
    }
    for (size_t s = 0; s < part.surfaces.size(); ++s) {
      const FigureSurface& surface = part.surfaces[s];
      out << "usemtl " << materialName(part, surface) << "\n";
      const size_t first = base + s * count;
      for (const std::array<uint32_t, 3>& triangle : surface.triangles) {
        out << "f";
        for (const uint32_t n : triangle) {
          out << " " << first + n << "/" << textureBase + n << "/" << first + n;
        }
        out << "\n";
      }
    }
    base += 2 * count;
    textureBase += count;
  }
  return out.Take();
}

}  // namespace

std::vector<ExportFile> EncodeObj(const Scene& scene, const FigureModel& model,
                                  const std::string& objPath) {
  const std::string stemPath = objPath.substr(0, objPath.size() - ExtractFileExt(objPath).size());
  const std::string stem = ExtractFileName(stemPath);
  const std::string folder = objPath.substr(0, objPath.size() - ExtractFileName(objPath).size());

  std::vector<ExportFile> files;
  std::vector<std::string> pictureFiles(model.pictures.size());
  Text library;
  library << "# Puffel figure\n";
  for (const FigurePart& part : model.parts) {
    if (part.vertices.empty()) continue;
    for (const FigureSurface& surface : part.surfaces) {
      std::string& file = pictureFiles[surface.picture];
      if (file.empty()) {
        file = stem + "_" + materialName(part, surface) + ".png";
        files.push_back({folder + file, EncodePng(*model.pictures[surface.picture])});
      }
      library << "\nnewmtl " << materialName(part, surface)
              << "\nKd 1 1 1\nKs 0 0 0\nNs 0\nPm 0\nPr 1\nd 1\nillum 1\nmap_Kd " << file << "\n";
    }
  }
  files.push_back({stemPath + ".mtl", library.Take()});
  files.push_back({objPath, objText(scene, model, stem + ".mtl")});
  return files;
}

}  // namespace puffel
