#include "export/obj_files.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "anim/model_space.h"
#include "export/obj_numbers.h"
#include "export/parallel_tasks.h"
#include "export/png_encode.h"
#include "platform/file_set.h"
#include "platform/paths.h"

namespace puffel {

namespace {

// The longest line: "f" and three corners of three numbers.
constexpr size_t MaxLine = 2 + 3 * (3 * (MaxNumberChars + 2) + 1) + 1;

// OBJ text gathered in a chunk and appended to the part's text a chunk at a
// time, so that a line costs little more than its characters.
class Text {
 public:
  explicit Text(std::string& out) : out_(out) {}

  // Where the next line goes, with room for MaxLine characters.
  char* Room() {
    if (static_cast<size_t>(chunk_ + sizeof chunk_ - end_) < MaxLine) Flush();
    return end_;
  }
  // The line written from Room() on ends at end.
  void Took(char* end) { end_ = end; }
  void Words(const std::string& words) {
    Flush();
    out_ += words;
  }
  // Appends what the chunk holds; the text is whole only after this.
  void Flush() {
    out_.append(chunk_, end_);
    end_ = chunk_;
  }

 private:
  std::string& out_;
  char chunk_[1 << 16];
  char* end_ = chunk_;
};

// One line of OBJ text, written in place.
class Line {
 public:
  Line(Text& text, const char* kind)
      : text_(text), end_(std::copy_n(kind, std::strlen(kind), text.Room())) {}

  // A blank, then value rounded to decimals places.
  Line& Number(double value, int decimals) {
    *end_++ = ' ';
    end_ = WriteDecimal(end_, value, decimals);
    return *this;
  }
  Line& Point(const Point3& p, int decimals) {
    return Number(p.x, decimals).Number(p.y, decimals).Number(p.z, decimals);
  }
  // A blank, then a face corner that takes the vertex, texture position and
  // normal `back` places before the end of their lists.
  Line& Corner(size_t back) {
    *end_++ = ' ';
    for (int n = 0; n < 3; ++n) {
      if (n > 0) *end_++ = '/';
      *end_++ = '-';
      end_ = WriteIndex(end_, back);
    }
    return *this;
  }
  void End() {
    *end_++ = '\n';
    text_.Took(end_);
  }

 private:
  Text& text_;
  char* end_;
};

// The model-space normal n of a vertex of part with own-joint weight w, turned
// as glTF skinning turns it: by its joint, or within reach by the blend
// w s R + (1 - w) s' R' of its joint's and its parent's, normalised.
Point3 posedNormal(const FigureModel& model, const FigurePart& part, double w, const Point3& n) {
  const Point3 own = Rotate(part.pose.rotation, n);
  if (w == 1) return own;
  const JointPose& parent = model.parts[part.binding.parent].pose;
  const Point3 theirs = Rotate(parent.rotation, n);
  const double a = w * part.pose.scale;
  const double b = (1 - w) * parent.scale;
  const Point3 sum{a * own.x + b * theirs.x, a * own.y + b * theirs.y, a * own.z + b * theirs.z};
  const double length = std::sqrt(sum.x * sum.x + sum.y * sum.y + sum.z * sum.z);
  if (!(length > 0)) return own;
  return {sum.x / length, sum.y / length, sum.z / length};
}

std::string materialName(const FigurePart& part, Side side) {
  return part.name + (side == Side::Front ? "_front" : "_back");
}

// The object of part. Each surface lists its vertices column by column of
// the grid, every vertex as a position, a texture position and a normal, and
// after each column the faces it completes. So a face refers to vertices of
// its own and the previous column only, counted back from the end of the
// lists: short numbers however large the file.
void writePart(std::string& bytes, const Scene& scene, const FigureModel& model,
               const FigurePart& part) {
  const PartMesh grid(scene, part.slot);
  const Bitmap& picture = scene.PartPicture[part.slot];
  const int textureDecimals = TextureDecimals(std::max(picture.Width(), picture.Height()));
  const PartSurfaces surfaces = SurfacesOf(scene, part);
  const std::vector<GridVertex>& vertices = part.vertices;
  // About what the text takes, so that it seldom has to grow.
  bytes.reserve(2 * (vertices.size() * 80 + surfaces.triangles.size() * 48));
  Text out(bytes);
  out.Words("o " + part.name + "\n");
  for (int s = 0; s < 2; ++s) {
    const Side side = s == 0 ? Side::Front : Side::Back;
    out.Words("usemtl " + materialName(part, side) + "\n");
    const std::vector<std::array<float, 3>>& normals = surfaces.normals[s];
    size_t listed = 0;  // vertices listed so far
    size_t t = 0;       // the next face
    while (listed < vertices.size()) {
      const int column = vertices[listed].i;
      for (; listed < vertices.size() && vertices[listed].i == column; ++listed) {
        const GridVertex v = vertices[listed];
        const Point3 view = PosedPoint(model, part, grid, v, side);
        Line(out, "v")
            .Point(ModelPoint(view, model.viewWidth, model.viewHeight), PositionDecimals)
            .End();
        const Point2 uv = TextureCoordinate(grid, picture, v);
        Line(out, "vt").Number(uv.x, textureDecimals).Number(1 - uv.y, textureDecimals).End();
        const std::array<float, 3>& n = normals[listed];
        Line(out, "vn")
            .Point(posedNormal(model, part, OwnWeight(part, grid, v, side),
                               ModelDirection({n[0], n[1], n[2]})),
                   NormalDecimals)
            .End();
      }
      // Faces come in cell order, so those with every vertex listed come first.
      for (; t < surfaces.triangles.size(); ++t) {
        const std::array<uint32_t, 3> face = SurfaceTriangle(surfaces, side, t);
        if (std::max({face[0], face[1], face[2]}) >= listed) break;
        Line(out, "f")
            .Corner(listed - face[0])
            .Corner(listed - face[1])
            .Corner(listed - face[2])
            .End();
      }
    }
  }
  out.Flush();
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
  std::string library = "# Puffel figure\n";
  for (const FigurePart& part : model.parts) {
    if (part.vertices.empty()) continue;
    for (const Side side : {Side::Front, Side::Back}) {
      library += "\nnewmtl " + materialName(part, side) +
                 "\nKd 1 1 1\nKs 0 0 0\nNs 0\nPm 0\nPr 1\nd 1\nillum 1\nmap_Kd " +
                 pictureFiles[part.pictures[side == Side::Front ? 0 : 1]] + "\n";
    }
  }

  // The OBJ file is put in place first: it is the one whose name was chosen,
  // so the one most likely to be refused (a folder of that name, say).
  FileSet files;
  FileWriter& obj = files.Add(objPath);
  files.Add(stemPath + ".mtl").Write(library.data(), library.size());
  std::vector<FileWriter*> pngs;
  for (const std::string& file : pictureFiles) pngs.push_back(&files.Add(folder + file));

  // The parts' text, then the pictures, each written while the next is made,
  // so that encoding the pictures goes on while the text reaches the disk.
  const std::string head = "# Puffel figure\nmtllib " + stem + ".mtl\n";
  obj.Write(head.data(), head.size());
  const size_t parts = model.parts.size();
  size_t written = 0;
  RunTasksInOrder(
      parts + pngs.size(),
      [&](size_t n, std::string& bytes) {
        if (n >= parts) {
          bytes = EncodePng(*model.pictures[n - parts]);
        } else if (!model.parts[n].vertices.empty()) {
          writePart(bytes, scene, model, model.parts[n]);
        }
      },
      [&](const std::string& bytes) {
        FileWriter& file = written < parts ? obj : *pngs[written - parts];
        file.Write(bytes.data(), bytes.size());
        ++written;
      });
  files.Commit();
}

}  // namespace puffel
