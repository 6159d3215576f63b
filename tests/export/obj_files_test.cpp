// Exported OBJ files read back: the posed triangles where the 3D view
// projects them, a material per part side, the pictures beside them.
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "app/part_window.h"
#include "export/grid_oracle.h"
#include "export/model_export.h"
#include "export/posed_figures.h"
#include "platform/paths.h"

namespace puffel {
namespace {

struct ObjContents {
  std::vector<std::string> header;  // mtllib and the other lines before the first object
  std::vector<std::string> objects;
  std::vector<Point3> v, vn;
  std::vector<Point2> vt;
  std::vector<std::string> materials;  // usemtl in order
  // Per usemtl, its faces as (v, vt, vn) indices, 1-based from the start.
  std::vector<std::vector<std::array<std::array<size_t, 3>, 3>>> faces;
};

ObjContents readObj(const std::string& text) {
  ObjContents obj;
  std::istringstream lines(text);
  std::string line;
  while (std::getline(lines, line)) {
    std::istringstream words(line);
    std::string kind;
    words >> kind;
    if (kind == "v" || kind == "vn") {
      Point3 p;
      words >> p.x >> p.y >> p.z;
      (kind == "v" ? obj.v : obj.vn).push_back(p);
    } else if (kind == "vt") {
      Point2 t;
      words >> t.x >> t.y;
      obj.vt.push_back(t);
    } else if (kind == "o") {
      obj.objects.push_back(line.substr(2));
    } else if (kind == "usemtl") {
      obj.materials.push_back(line.substr(7));
      obj.faces.emplace_back();
    } else if (kind == "f") {
      // A negative index counts back from the end of its list as it is now.
      const size_t sizes[3] = {obj.v.size(), obj.vt.size(), obj.vn.size()};
      std::array<std::array<size_t, 3>, 3> face;
      for (auto& corner : face) {
        for (int n = 0; n < 3; ++n) {
          long long index = 0;
          if (n > 0 && words.get() != '/') ADD_FAILURE() << line;
          words >> index;
          corner[n] = index < 0 ? sizes[n] + 1 + index : index;
        }
      }
      obj.faces.back().push_back(face);
    } else if (obj.objects.empty()) {
      obj.header.push_back(line);
    }
  }
  return obj;
}

TEST(ObjFiles, HoldThePosedTrianglesWhereTheViewProjectsThem) {
  auto program = test::FigureProgram();
  test::PoseFigure(*program);
  Scene& scene = program->scene();
  program->Dispatch([&] { program->form2().FormPaint(); });
  const std::string folder = program->folder() / "pic_hozon/";
  ExportFigure(scene, folder + "figure.OBJ");

  const ObjContents obj = readObj(ReadFileBytes(folder + "figure.OBJ"));
  EXPECT_EQ(obj.header, (std::vector<std::string>{"# Puffel figure", "mtllib figure.mtl"}));
  EXPECT_EQ(obj.objects, (std::vector<std::string>{"body", "head", "arm", "arm_2", "hand"}));
  size_t vertexBase = 0;
  double worst = 0;
  double worstTexel = 0;
  for (int k = 0; k < scene.PartCount; ++k) {
    SCOPED_TRACE(testing::Message() << "part " << k);
    const test::OracleSurface oracle = test::VisibleTriangles(scene, k);
    const size_t count = oracle.vertices.size();
    const PartMesh mesh(scene, k);
    for (int s = 0; s < 2; ++s) {
      const Side side = s == 0 ? Side::Front : Side::Back;
      ASSERT_EQ(obj.materials.at(2 * k + s), obj.objects[k] + (s == 0 ? "_front" : "_back"));
      const auto& faces = obj.faces.at(2 * k + s);
      ASSERT_EQ(faces.size(), oracle.triangles.size());
      for (size_t t = 0; t < faces.size(); ++t) {
        for (int c = 0; c < 3; ++c) {
          const auto& [v, vt, vn] = faces[t][c];
          const size_t n = v - 1 - vertexBase - s * count;
          ASSERT_LT(n, count);
          EXPECT_EQ(vt, v);
          EXPECT_EQ(vn, v);
          const GridVertex g = oracle.vertices[n];
          const Point3 expected = ToView(scene.RenderFrame[k], mesh.Point(g, side));
          const Point3& m = obj.v.at(v - 1);
          const Point3 view{m.x * 1000 + scene.ViewWidth / 2.0, scene.ViewHeight / 2.0 - m.y * 1000,
                            -m.z * 1000};
          worst = std::max({worst, std::abs(view.x - expected.x), std::abs(view.y - expected.y),
                            std::abs(view.z - expected.z)});
          // The texel position, in texels from the picture's top-left corner.
          const Point2& uv = obj.vt.at(vt - 1);
          const Point2 texel{uv.x * scene.PartPicture[k].Width(),
                             (1 - uv.y) * scene.PartPicture[k].Height()};
          const Point2 exact = mesh.Texture(g);
          worstTexel =
              std::max({worstTexel, std::abs(texel.x - exact.x), std::abs(texel.y - exact.y)});
          for (const auto& [written, wanted] : {std::pair{texel.x, exact.x}, {texel.y, exact.y}}) {
            if (std::abs(wanted - std::round(wanted)) > 1e-3) {
              EXPECT_EQ(std::floor(written), std::floor(wanted)) << "another texel";
            }
          }
          const Point3& normal = obj.vn.at(vn - 1);
          EXPECT_NEAR(std::sqrt(normal.x * normal.x + normal.y * normal.y + normal.z * normal.z), 1,
                      1e-5);
        }
      }
    }
    vertexBase += 2 * count;
  }
  EXPECT_EQ(obj.v.size(), vertexBase);
  EXPECT_EQ(obj.vn.size(), vertexBase);
  EXPECT_EQ(obj.vt.size(), vertexBase);
  // Six decimals of a metre: half a micrometre, half a thousandth of a pixel.
  EXPECT_LE(worst, 0.5e-3 + 1e-9) << "pixels off the view's projection";
  EXPECT_GT(worst, 1e-5) << "positions rounded to micrometres";
  EXPECT_LE(worstTexel, 1e-3) << "texels off the picture's";
}

TEST(ObjFiles, MaterialLibraryNamesThePicturesWrittenBesideIt) {
  auto program = test::FigureProgram();
  const std::string folder = program->folder() / "pic_hozon/";
  ExportFigure(program->scene(), folder + "doll.obj");
  const std::string library = ReadFileBytes(folder + "doll.mtl");
  EXPECT_NE(library.find("newmtl head_front\nKd 1 1 1\nKs 0 0 0\nNs 0\nPm 0\nPr 1\nd 1\nillum 1\n"
                         "map_Kd doll_head_front.png\n"),
            std::string::npos);
  // A back picture equal to the front one is the front's file.
  EXPECT_NE(library.find("newmtl head_back\nKd 1 1 1\nKs 0 0 0\nNs 0\nPm 0\nPr 1\nd 1\nillum 1\n"
                         "map_Kd doll_head_front.png\n"),
            std::string::npos);
  for (const char* name : {"body", "head", "arm", "arm_2", "hand"}) {
    const std::string png = folder + "doll_" + name + "_front.png";
    EXPECT_TRUE(FileExists(png)) << png;
    EXPECT_EQ(ReadFileBytes(png, 8), "\x89PNG\r\n\x1a\n");
    EXPECT_FALSE(FileExists(folder + "doll_" + name + "_back.png"));
  }
}

}  // namespace
}  // namespace puffel
