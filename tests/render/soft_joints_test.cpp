#include "render/soft_joints.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "render/cell_triangles.h"
#include "render/cell_walk.h"
#include "render/plain_pass.h"
#include "render/render_scene.h"
#include "render/test_scenes.h"

namespace puffel {
namespace {

// A body with an arm hanging from it, pivot at the top of the arm's rim.
Scene bodyAndArm() {
  Scene scene;
  test::SetUpView(scene, 320, 320);
  test::AddDomePart(
      scene,
      {.nx = 20, .ny = 20, .step = 8, .height = 30, .pivotX = 160, .pivotY = 120, .seed = 2});
  const test::DomeShape arm{
      .nx = 8, .ny = 20, .step = 6, .height = 12, .pivotX = 150, .pivotY = 150, .seed = 3};
  test::AddDomePart(scene, arm);
  for (auto* y : {&scene.FrontY, &scene.BackY}) {
    for (int i = 0; i <= arm.nx; ++i) {
      for (int j = 0; j <= arm.ny; ++j) (*y)[1][i][j] += 9 * arm.step;
    }
  }
  scene.ParentMatrix[2][1] = scene.AncestorMatrix[2][1] = 1;
  scene.SoftJoints = true;
  return scene;
}

// The arm turned by 90 degrees: at the pivot its vertices are where the
// body's joint puts them, past the reach where its own does, and no edge grows
// by more than 1 + 6 sqrt(2) 4/27 < 2.26 times (the weight's steepest slope,
// 6 t (1 - t) / reach, times the turn's sqrt(2) d).
TEST(SoftJoints, AnArmTurnedByAQuarterBendsNearItsPivotAndStaysWhole) {
  Scene scene = bodyAndArm();
  test::TurnFrame(scene.PartFrame[1], 0, 0, 1, std::numbers::pi / 2);
  BuildRenderFrames(scene);
  for (scene.JointReach = 1; scene.JointReach <= JointReachChoices; ++scene.JointReach) {
    const WalkPlan plan = PlanWalk(scene, 1);
    ASSERT_EQ(plan.binding.parent, 0);
    const PartMesh mesh(scene, 1);
    const auto posed = [&](GridVertex v) {
      const Point3 p = mesh.Point(v, Side::Front);
      return BlendedPoint(scene.RenderFrame[1], scene.RenderFrame[0], plan.binding, p,
                          OwnJointWeight(p.x, p.y, plan.binding.reach));
    };
    const auto length = [](const Point3& p, const Point3& q) {
      return std::hypot(p.x - q.x, p.y - q.y, p.z - q.z);
    };
    int pivots = 0, beyond = 0;
    double stretch = 0;
    for (int i = 1; i < plan.nx; ++i) {
      for (int j = 1; j < plan.ny; ++j) {
        const Point3 p = mesh.Point({i, j}, Side::Front);
        const double d = std::sqrt(p.x * p.x + p.y * p.y);
        const Point3 bent = posed({i, j});
        const Point3 own = ToView(scene.RenderFrame[1], p);
        const Point3 body = ToView(scene.RenderFrame[0], {p.x - 10, p.y + 30, p.z});
        if (d == 0) {
          ++pivots;
          EXPECT_TRUE(bent.x == body.x && bent.y == body.y && bent.z == body.z);
        }
        if (d >= plan.binding.reach) {
          ++beyond;
          EXPECT_TRUE(bent.x == own.x && bent.y == own.y && bent.z == own.z);
        }
        for (const CellTriangle& t : CellTriangles(i, j)) {
          for (const auto& [u, v] : {std::pair{t.a, t.b}, {t.b, t.c}, {t.c, t.a}}) {
            stretch =
                std::max(stretch, length(posed(u), posed(v)) / length(mesh.Point(u, Side::Front),
                                                                      mesh.Point(v, Side::Front)));
          }
        }
      }
    }
    EXPECT_EQ(pivots, 1);
    EXPECT_GT(beyond, 0);
    EXPECT_TRUE(stretch > 1.01 && stretch < 2.26) << stretch;
  }
}

// Bent parts in both modes, at every reach, one hanging from another: the
// view and its buffers are the plain pass's, on one thread or several.
TEST(SoftJoints, BentPartsMatchThePlainPass) {
  Scene scene = bodyAndArm();
  test::AddDomePart(scene, {.nx = 6,
                            .ny = 12,
                            .step = 5,
                            .height = 8,
                            .pivotX = 150,
                            .pivotY = 240,
                            .jitter = 0.4,
                            .seed = 4});
  scene.ParentMatrix[3][2] = scene.AncestorMatrix[3][2] = 1;
  test::TurnFrame(scene.PartFrame[1], 0, 0, 1, 1.2);
  test::TurnFrame(scene.PartFrame[1], 1, 0, 0, 0.5);
  test::TurnFrame(scene.PartFrame[2], 0, 1, 0, -2.0);
  test::ScaleFrame(scene.PartFrame[2], 1.3);
  Scene rigid = scene;
  rigid.SoftJoints = false;
  test::PlainDrawScene3D(rigid);
  for (const bool outlines : {false, true}) {
    for (scene.JointReach = 1; scene.JointReach <= JointReachChoices; ++scene.JointReach) {
      scene.OutlineMode = outlines;
      Scene plain = scene;
      test::PlainDrawScene3D(plain);
      if (!outlines) {
        EXPECT_NE(test::ViewDifference(rigid, plain), "");
      }
      for (const int threads : {1, 3}) {
        Scene fast = scene;
        DrawScene3D(fast, FillTriangle, threads);
        EXPECT_EQ(test::ViewDifference(fast, plain), "") << scene.JointReach << outlines;
      }
    }
  }
}

}  // namespace
}  // namespace puffel
