// Exports of a figure with soft joints: the .glb skins every vertex, by the
// two joints and weights it writes, onto the point where the 3D view bends it,
// and the OBJ files hold those points.
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>

#include "app/main_window.h"
#include "app/part_window.h"
#include "export/figure_model.h"
#include "export/glb_reading.h"
#include "export/model_export.h"
#include "export/posed_figures.h"
#include "platform/paths.h"

namespace puffel {
namespace {

Point3 toView(const std::array<double, 3>& m, const Scene& scene) {
  return {m[0] * 1000 + scene.ViewWidth / 2.0, scene.ViewHeight / 2.0 - m[1] * 1000, -m[2] * 1000};
}

double farthest(const Point3& a, const Point3& b) {
  return std::max({std::abs(a.x - b.x), std::abs(a.y - b.y), std::abs(a.z - b.z)});
}

std::unique_ptr<test::ScriptedApp> softFigure() {
  auto program = test::FigureProgram();
  test::PoseFigure(*program);
  test::TurnPartAlone(program->scene(), 3, {0, 0, 1}, 1.2);
  program->Dispatch([&] { program->form1().SoftJoints.Click(); });
  return program;
}

TEST(SoftJointsExport, GlbSkinsEveryVertexWhereTheViewBendsIt) {
  auto program = softFigure();
  const Scene& scene = program->scene();
  const std::string path = program->folder() / "pic_hozon/soft.glb";
  ExportFigure(scene, path);
  const tinygltf::Model gltf = test::ReadGlb(path);
  const FigureModel model = BuildFigureModel(scene);

  const std::vector<test::Matrix4> world = test::WorldMatrices(gltf);
  const std::vector<double> inverseBind =
      test::ReadAccessor(gltf, gltf.skins.at(0).inverseBindMatrices);
  std::vector<test::Matrix4> skinning(scene.PartCount);
  for (int k = 0; k < scene.PartCount; ++k) {
    test::Matrix4 ibm;
    std::copy_n(inverseBind.begin() + 16 * k, 16, ibm.begin());
    skinning[k] = test::Multiply(world[k], ibm);
  }
  double worst = 0;
  int bent = 0;
  size_t next = 0;
  for (const FigurePart& part : model.parts) {
    const PartMesh mesh(scene, part.slot);
    for (const Side side : {Side::Front, Side::Back}) {
      const tinygltf::Primitive& primitive = gltf.meshes.at(0).primitives.at(next++);
      const auto positions = test::ReadAccessor(gltf, primitive.attributes.at("POSITION"));
      const auto joints = test::ReadAccessor(gltf, primitive.attributes.at("JOINTS_0"));
      const auto weights = test::ReadAccessor(gltf, primitive.attributes.at("WEIGHTS_0"));
      for (size_t n = 0; n < part.vertices.size(); ++n) {
        Point3 skinned{};
        double sum = 0;
        for (int c = 0; c < 4; ++c) {
          const double w = weights[4 * n + c];
          if (w == 0) continue;
          const auto p = toView(
              test::Transform(skinning[static_cast<int>(joints[4 * n + c])], &positions[3 * n]),
              scene);
          skinned = {skinned.x + w * p.x, skinned.y + w * p.y, skinned.z + w * p.z};
          sum += w;
        }
        EXPECT_NEAR(sum, 1, 1e-6);
        bent += weights[4 * n] < 1;
        worst = std::max(worst,
                         farthest(skinned, PosedPoint(model, part, mesh, part.vertices[n], side)));
      }
    }
  }
  EXPECT_GT(bent, 10);
  EXPECT_LT(worst, 1e-3) << "pixels off the bent view";
}

TEST(SoftJointsExport, ObjFilesHoldTheBentPoints) {
  auto program = softFigure();
  const Scene& scene = program->scene();
  const std::string folder = program->folder() / "pic_hozon/";
  ExportFigure(scene, folder + "soft.obj");
  const FigureModel model = BuildFigureModel(scene);
  std::istringstream lines(ReadFileBytes(folder + "soft.obj"));
  std::vector<Point3> written;
  for (std::string line; std::getline(lines, line);) {
    std::istringstream words(line);
    std::string kind;
    Point3 m;
    if (words >> kind >> m.x >> m.y >> m.z && kind == "v")
      written.push_back(toView({m.x, m.y, m.z}, scene));
  }
  size_t next = 0;
  double worst = 0;
  for (const FigurePart& part : model.parts) {
    const PartMesh mesh(scene, part.slot);
    for (const Side side : {Side::Front, Side::Back}) {
      for (const GridVertex v : part.vertices) {
        ASSERT_LT(next, written.size());
        worst = std::max(worst, farthest(written[next++], PosedPoint(model, part, mesh, v, side)));
      }
    }
  }
  EXPECT_EQ(next, written.size());
  EXPECT_LE(worst, 0.5e-3 + 1e-9);  // six decimals of a metre
}

}  // namespace
}  // namespace puffel
