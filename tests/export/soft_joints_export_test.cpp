// Exports of a figure with soft joints: the .glb skins every vertex, by the
// joints and weights it writes, onto the point where the 3D view bends it, and
// the OBJ files hold those points.
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>

#include "app/main_window.h"
#include "export/figure_model.h"
#include "export/glb_reading.h"
#include "export/model_export.h"
#include "export/posed_figures.h"
#include "platform/paths.h"

namespace puffel {
namespace {

Point3 viewOf(double x, double y, double z, const Scene& scene) {
  return {x * 1000 + scene.ViewWidth / 2.0, scene.ViewHeight / 2.0 - y * 1000, -z * 1000};
}

double farthest(const Point3& a, const Point3& b) {
  return std::max({std::abs(a.x - b.x), std::abs(a.y - b.y), std::abs(a.z - b.z)});
}

TEST(SoftJointsExport, GlbAndObjHoldThePointsWhereTheViewBendsThem) {
  auto program = test::FigureProgram();
  test::PoseFigure(*program);
  test::TurnPartAlone(program->scene(), 3, {0, 0, 1}, 1.2);
  program->Dispatch([&] { program->form2().Animation.SoftJoints.Click(); });
  const Scene& scene = program->scene();
  const std::string glb = program->folder() / "pic_hozon/soft.glb";
  const std::string obj = program->folder() / "pic_hozon/soft.obj";
  ExportFigure(scene, glb);
  ExportFigure(scene, obj);
  const tinygltf::Model gltf = test::ReadGlb(glb);
  std::istringstream objLines(ReadFileBytes(obj));

  const std::vector<test::Matrix4> world = test::WorldMatrices(gltf);
  const auto inverseBind = test::ReadAccessor(gltf, gltf.skins.at(0).inverseBindMatrices);
  const FigureModel model = BuildFigureModel(scene);
  double worstGlb = 0, worstObj = 0;
  int bent = 0;
  size_t primitive = 0;
  for (const FigurePart& part : model.parts) {
    const PartMesh mesh(scene, part.slot);
    for (const Side side : {Side::Front, Side::Back}) {
      const auto& attributes = gltf.meshes.at(0).primitives.at(primitive++).attributes;
      const auto positions = test::ReadAccessor(gltf, attributes.at("POSITION"));
      const auto joints = test::ReadAccessor(gltf, attributes.at("JOINTS_0"));
      const auto weights = test::ReadAccessor(gltf, attributes.at("WEIGHTS_0"));
      for (size_t n = 0; n < part.vertices.size(); ++n) {
        // v' = sum of w_j World_j InverseBind_j v.
        Point3 skinned{};
        double sum = 0;
        for (int c = 0; c < 4 && weights[4 * n + c] > 0; ++c) {
          const int j = static_cast<int>(joints[4 * n + c]);
          test::Matrix4 ibm;
          std::copy_n(inverseBind.begin() + 16 * j, 16, ibm.begin());
          const auto m = test::Transform(test::Multiply(world[j], ibm), &positions[3 * n]);
          const double w = weights[4 * n + c];
          skinned = {skinned.x + w * m[0], skinned.y + w * m[1], skinned.z + w * m[2]};
          sum += w;
        }
        EXPECT_NEAR(sum, 1, 1e-6);
        bent += weights[4 * n] < 1;
        const Point3 expected = PosedPoint(model, part, mesh, part.vertices[n], side);
        worstGlb =
            std::max(worstGlb, farthest(viewOf(skinned.x, skinned.y, skinned.z, scene), expected));
        std::string line;  // the vertex's "v" line, the objects listing them in the same order
        while (std::getline(objLines, line) && line.rfind("v ", 0) != 0) {
        }
        double x, y, z;
        std::istringstream(line.substr(2)) >> x >> y >> z;
        worstObj = std::max(worstObj, farthest(viewOf(x, y, z, scene), expected));
      }
    }
  }
  EXPECT_GT(bent, 10);
  EXPECT_LT(worstGlb, 1e-3) << "pixels off the bent view";
  EXPECT_LE(worstObj, 0.5e-3 + 1e-9);  // six decimals of a metre
}

}  // namespace
}  // namespace puffel
