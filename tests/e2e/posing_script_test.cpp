// The real puffel-batch program assembling and posing a figure with every kind
// of drag and the wheel: each stage's saved project holds what the drag's
// formula makes of the stage before, and the last snapshot shows the saved pose.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "app/part_window.h"
#include "interact/pose_geometry.h"
#include "platform/bmp_file.h"
#include "platform/paths.h"
#include "render/plain_pass.h"
#include "support/batch_process.h"
#include "support/scripted_app.h"
#include "support/temp_folder.h"
#include "support/test_pictures.h"

namespace puffel {
namespace {

constexpr double Half = 200;  // half the 400 x 400 view

// A project file read by its byte layout, positions back in view space.
struct Stored {
  std::vector<Frame> frames;
  std::vector<double> posX, posY, offsetX, offsetY;
  LinkMatrix parent{};
  LinkMatrix ancestor{};
};

Stored readProject(const std::string& path) {
  const std::string bytes = ReadFileBytes(path);
  const auto at = [&](size_t offset, auto value) {
    std::memcpy(&value, bytes.data() + offset, sizeof value);
    return value;
  };
  Stored stored;
  for (int r = 0; r < LinkSize; ++r) {
    for (int c = 0; c < LinkSize; ++c) {
      stored.parent[r][c] = bytes.at(8238 + 2 * (r * LinkSize + c));
      stored.ancestor[r][c] = bytes.at(8238 + 2 * (r * LinkSize + c) + 1);
    }
  }
  size_t record = 10416;
  for (int p = 0; p < at(0, int32_t{}); ++p) {
    Frame frame;
    for (int n = 0; n < 4; ++n) {
      Point3& point = *FramePoints(frame)[n];
      point = {at(record + 24 * n, 0.0) + Half, at(record + 24 * n + 8, 0.0) + Half,
               at(record + 24 * n + 16, 0.0)};
    }
    stored.frames.push_back(frame);
    stored.offsetX.push_back(at(record + 96, 0.0) + Half);
    stored.offsetY.push_back(at(record + 104, 0.0) + Half);
    stored.posX.push_back(at(record + 112, 0.0) + Half);
    stored.posY.push_back(at(record + 120, 0.0) + Half);
    record += 136 + 72 * size_t(at(record + 128, int32_t{})) * at(record + 132, int32_t{});
  }
  return stored;
}

bool same(const Point3& a, const Point3& b) { return a.x == b.x && a.y == b.y && a.z == b.z; }

Point3 minus(const Point3& a, const Point3& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }

double length(const Point3& v) { return std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z); }

// Expects point n of part k's frame in after to be f(k, n, that point in before).
template <class Turn>
void expectEachPoint(const Stored& before, const Stored& after, Turn f) {
  for (size_t k = 0; k < before.frames.size(); ++k) {
    for (int n = 0; n < 4; ++n) {
      const Point3 expected = f(k, n, *FramePoints(before.frames[k])[n]);
      EXPECT_TRUE(same(*FramePoints(after.frames[k])[n], expected))
          << "part " << k << " point " << n;
    }
  }
}

const char* const Script = R"(answer obj/body.bmp
click Button1
answer obj/arm.bmp
click Button1
# the arm's picture beside the body, its joint marker onto the body
press form2 210 200 left
move form2 340 200 left
release form2 340 200 none
press form2 330 200 left
move form2 280 200 left
release form2 280 200 none
answer save/flat.dat
click SpeedButton4
click Button4
# both buttons: ten pixels up scale the tree
press form2 150 200 left
press form2 150 200 left+right
move form2 150 190 left+right
release form2 150 190 left
release form2 150 190 none
answer save/scaled.dat
click SpeedButton4
# middle: move the tree
press form2 150 200 middle
move form2 170 220 middle
release form2 170 220 none
answer save/moved.dat
click SpeedButton4
# the background: turn the scene
press form2 20 380 left
move form2 30 370 left
release form2 30 370 none
answer save/turned.dat
click SpeedButton4
# the wheel over the body
move form2 180 230 none
wheel form2 down 180 230
answer save/tilted.dat
click SpeedButton4
# the trackball, left and then right, far beyond the sphere
press form2 180 230 left
move form2 200 210 left
move form2 60 40 left
release form2 60 40 none
answer save/left.dat
click SpeedButton4
press form2 180 230 right
move form2 190 260 right
move form2 390 390 right
release form2 390 390 none
answer save/right.dat
click SpeedButton4
snapshot form2 posed.bmp
print form2
)";

TEST(PosingScript, EveryDragGivesWhatItsFormulaMakesOfTheStageBefore) {
  test::ProgramFolderFixture folder;
  const Bitmap body = test::DiscPicture(200, 200, 100, 100, 98, 0x3080F0, 0xFFFFFF);
  const Bitmap arm = test::DiscPicture(60, 60, 30, 30, 28, 0xF04010, 0xFFFFFF);
  SaveBitmapFile(folder / "obj/body.bmp", body);
  SaveBitmapFile(folder / "obj/arm.bmp", arm);
  const test::BatchRun run = test::RunBatch(folder.Path(), Script);
  ASSERT_EQ(run.status, 0) << run.out;
  EXPECT_EQ(run.out, "form2: Parts No.0\n");

  const Stored flat = readProject(folder / "save/flat.dat");
  EXPECT_EQ(flat.offsetX[1], 300);
  EXPECT_EQ(flat.posX[1], 280);
  EXPECT_EQ(flat.frames[1].Origin.x, 280);
  EXPECT_EQ(flat.parent[2][1], 1);
  EXPECT_EQ(flat.ancestor[2][0], 1);

  const Stored scaled = readProject(folder / "save/scaled.dat");
  // Worked out at run time, as the program does: the compiler folds a constant
  // pow to the correctly rounded value, which Windows' pow may miss by a bit.
  volatile double steps = 10;
  const double k = std::pow(1.01, steps);
  expectEachPoint(flat, scaled, [&](size_t p, int n, const Point3& q) {
    const Point3& o = flat.frames[p].Origin;
    if (n == 0) return q;
    return Point3{(1 - k) * o.x + k * q.x, (1 - k) * o.y + k * q.y, (1 - k) * o.z + k * q.z};
  });

  const Stored moved = readProject(folder / "save/moved.dat");
  expectEachPoint(scaled, moved, [](size_t, int, const Point3& q) {
    return Point3{q.x + 20, q.y + 20, q.z};
  });
  EXPECT_EQ(moved.posY[1], flat.posY[1] + 20);
  EXPECT_EQ(moved.offsetX[0], flat.offsetX[0] + 20);

  const Stored turned = readProject(folder / "save/turned.dat");
  const double w = (370 - 400 / 2.0) / 400, u = (400 / 2.0 - 30) / 400;
  const double bx = -10, by = 10;
  const double a = (bx / 50) * (0.5 - std::abs(w)), c = (-by / 50) * (0.5 - std::abs(u)),
               d = (by / 50) * u + (bx / 50) * w;
  expectEachPoint(moved, turned, [&](size_t, int, const Point3& q) {
    return RotateViewEuler(q, {200, 200, 0}, a, c, d);
  });

  // The body is a root, so its render frame is its frame.
  const Stored tilted = readProject(folder / "save/tilted.dat");
  Scene bodyOnly;
  bodyOnly.PartCount = 1;
  bodyOnly.RenderFrame[0] = turned.frames[0];
  const Point3 axis = WheelTiltAxis(bodyOnly, 0, 180, 230);
  expectEachPoint(turned, tilted, [&](size_t, int, const Point3& q) {
    return RotateAboutAxis(q, turned.frames[0].Origin, axis, 0.1);
  });

  // The trackball turns the tree about the body's pivot; the right button keeps
  // the arm's axes.
  const Stored left = readProject(folder / "save/left.dat");
  const Stored right = readProject(folder / "save/right.dat");
  for (const Stored* after : {&left, &right}) {
    EXPECT_TRUE(same(after->frames[0].Origin, tilted.frames[0].Origin));
    EXPECT_NEAR(length(minus(after->frames[0].TipX, after->frames[0].Origin)), k, 1e-9);
    EXPECT_NEAR(length(minus(after->frames[1].Origin, after->frames[0].Origin)),
                length(minus(tilted.frames[1].Origin, tilted.frames[0].Origin)), 1e-9);
  }
  EXPECT_GT(length(minus(left.frames[0].TipZ, tilted.frames[0].TipZ)), 0.1);
  EXPECT_GT(length(minus(right.frames[0].TipZ, left.frames[0].TipZ)), 0.1);
  for (const auto tip : {&Frame::TipX, &Frame::TipY, &Frame::TipZ}) {
    const Point3 before = minus(left.frames[1].*tip, left.frames[1].Origin);
    const Point3 after = minus(right.frames[1].*tip, right.frames[1].Origin);
    EXPECT_NEAR(length(minus(after, before)), 0, 1e-9);
  }

  // The snapshot shows the last saved pose, as the plain render pass draws it.
  test::ScriptedApp program;
  program.AddPicture(body, "body.bmp");
  program.AddPicture(arm, "arm.bmp");
  program.form1().Button4.Click();
  Scene& scene = program.scene();
  for (int p = 0; p < 2; ++p) scene.PartFrame[p] = right.frames[p];
  scene.AncestorMatrix = right.ancestor;
  test::PlainDrawScene3D(scene);
  Bitmap snapshot;
  LoadBitmapFile(folder / "posed.bmp", snapshot);
  EXPECT_EQ(snapshot, scene.ViewBitmap);
}

}  // namespace
}  // namespace puffel
