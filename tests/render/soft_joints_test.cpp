#include "render/soft_joints.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <numbers>
#include <random>

#include "render/cell_triangles.h"
#include "render/cell_walk.h"
#include "render/plain_pass.h"
#include "render/render_scene.h"
#include "render/test_scenes.h"

namespace puffel {
namespace {

constexpr double Pi = std::numbers::pi;

// An arm: a dome whose pivot is near the top of its silhouette, hanging from
// part parent.
int addArm(Scene& scene, int parent, test::DomeShape shape) {
  const int k = test::AddDomePart(scene, shape);
  for (int i = 0; i <= shape.nx; ++i) {
    for (int j = 0; j <= shape.ny; ++j) {
      scene.FrontY[k][i][j] += (shape.ny / 2 - 1) * shape.step;
      scene.BackY[k][i][j] += (shape.ny / 2 - 1) * shape.step;
    }
  }
  scene.ParentMatrix[k + 1][parent + 1] = 1;
  scene.AncestorMatrix[k + 1][parent + 1] = 1;
  return k;
}

Scene bodyAndArm() {
  Scene scene;
  test::SetUpView(scene, 320, 320);
  test::AddDomePart(
      scene,
      {.nx = 20, .ny = 20, .step = 8, .height = 30, .pivotX = 160, .pivotY = 120, .seed = 2});
  addArm(scene, 0,
         {.nx = 8, .ny = 20, .step = 6, .height = 12, .pivotX = 150, .pivotY = 150, .seed = 3});
  return scene;
}

double distance(const Point3& p, const Point3& q) {
  return std::sqrt((p.x - q.x) * (p.x - q.x) + (p.y - q.y) * (p.y - q.y) +
                   (p.z - q.z) * (p.z - q.z));
}

// An arm turned by 90 degrees in the picture's plane: at the pivot (where a
// vertex of its rim lies) its vertices stay where the body's joint puts them, past the reach they
// turn with the arm, and between them no edge of a cell grows by more than 1 + 6 sqrt(2) * 4 / 27
// < 2.26 times: the blend's largest stretch, where the weight's slope 6 t (1 - t) / reach meets the
// turn's sqrt(2) d.
TEST(SoftJoints, ATurnedArmBendsNearItsPivotAndStaysWhole) {
  Scene scene = bodyAndArm();
  scene.SoftJoints = true;
  test::TurnFrame(scene.PartFrame[1], 0, 0, 1, Pi / 2);
  for (int reach = 1; reach <= JointReachChoices; ++reach) {
    scene.JointReach = reach;
    BuildRenderFrames(scene);
    const WalkPlan plan = PlanWalk(scene, 1);
    const SoftBinding& binding = plan.binding;
    ASSERT_EQ(binding.parent, 0);
    const PartMesh mesh(scene, 1);
    const auto posed = [&](GridVertex v, Side side) {
      const Point3 p = mesh.Point(v, side);
      return BlendedPoint(scene.RenderFrame[1], scene.RenderFrame[0], binding, p,
                          OwnJointWeight(p.x, p.y, binding.reach));
    };
    int atPivot = 0;
    int beyond = 0;
    for (int i = 1; i <= plan.nx; ++i) {
      for (int j = 1; j <= plan.ny; ++j) {
        for (const Side side : {Side::Front, Side::Back}) {
          const Point3 p = mesh.Point({i, j}, side);
          const double d = std::hypot(p.x, p.y);
          const Point3 own = ToView(scene.RenderFrame[1], p);
          const Point3 body = ToView(scene.RenderFrame[0], {p.x - 10, p.y + 30, p.z});
          if (d >= binding.reach) {
            const Point3 turned = posed({i, j}, side);
            EXPECT_EQ(std::memcmp(&own, &turned, sizeof own), 0);
            ++beyond;
          } else if (d == 0) {
            const Point3 bent = posed({i, j}, side);
            EXPECT_TRUE(bent.x == body.x && bent.y == body.y && bent.z == body.z);
            ++atPivot;
          }
        }
      }
    }
    EXPECT_GT(atPivot, 0);
    EXPECT_GT(beyond, 0);
    double stretch = 0;
    for (int i = 1; i < plan.nx; ++i) {
      for (int j = 1; j < plan.ny; ++j) {
        for (const CellTriangle& t : CellTriangles(i, j)) {
          for (const auto& [u, v] : {std::pair{t.a, t.b}, {t.b, t.c}, {t.c, t.a}}) {
            const double rest = distance(mesh.Point(u, Side::Front), mesh.Point(v, Side::Front));
            stretch =
                std::max(stretch, distance(posed(u, Side::Front), posed(v, Side::Front)) / rest);
          }
        }
      }
    }
    EXPECT_LT(stretch, 2.26) << reach;
    EXPECT_GT(stretch, 1.01) << reach;
  }
}

// Bending arms in several poses, reaches and modes, one of them hanging from
// the other: the view, its buffers and the outlines are the plain pass's.
TEST(SoftJoints, BentPartsMatchThePlainPass) {
  Scene scene = bodyAndArm();
  addArm(scene, 1,
         {.nx = 6,
          .ny = 12,
          .step = 5,
          .height = 8,
          .pivotX = 150,
          .pivotY = 240,
          .jitter = 0.4,
          .seed = 4});
  test::TurnFrame(scene.PartFrame[1], 0, 0, 1, 1.2);
  test::TurnFrame(scene.PartFrame[1], 1, 0, 0, 0.5);
  test::TurnFrame(scene.PartFrame[2], 0, 1, 0, -2.0);
  test::ScaleFrame(scene.PartFrame[2], 1.3);
  Scene rigid = scene;
  DrawScene3D(rigid, FillTriangle, 2);
  scene.SoftJoints = true;
  for (const bool outlines : {false, true}) {
    for (int reach = 1; reach <= JointReachChoices; ++reach) {
      scene.OutlineMode = outlines;
      scene.JointReach = reach;
      Scene plain = scene;
      test::PlainDrawScene3D(plain);
      for (const int threads : {1, 3}) {
        Scene fast = scene;
        DrawScene3D(fast, FillTriangle, threads);
        EXPECT_EQ(test::ViewDifference(fast, plain), "") << reach << outlines << threads;
      }
      if (!outlines) {
        EXPECT_NE(test::ViewDifference(rigid, plain), "");
      }
    }
  }
}

// The quick test for weight 1 agrees with the formula, points at the reach
// and at the quick test's bound, a few rounding steps either side, above all.
TEST(SoftJoints, TheQuickRigidTestGivesTheFormulasWeight) {
  std::mt19937_64 random(7);
  std::uniform_real_distribution<double> unit(0, 1);
  for (int n = 0; n < 200000; ++n) {
    const double reach = std::ldexp(0.5 + unit(random), static_cast<int>(random() % 40) - 10);
    SoftBinding binding;
    binding.reach = reach;
    const double margin = reach * (1 + 0x1p-40);
    binding.surelyRigid = margin * margin;
    const double angle = 2 * Pi * unit(random);
    const double near[] = {2 * unit(random), 1, 1 + 0x1p-40};
    double d = reach * near[n % 3];
    for (int step = static_cast<int>(random() % 9); step > 0; --step) {
      d = std::nextafter(d, n % 2 == 0 ? 0.0 : 1e300);
    }
    const double x = d * std::cos(angle);
    const double y = d * std::sin(angle);
    ASSERT_EQ(BoundWeight(x, y, binding), OwnJointWeight(x, y, reach)) << x << " " << y;
  }
}

}  // namespace
}  // namespace puffel
