// The sample cat assembled and posed with every kind of drag by the real
// puffel-batch, exported with "click Export3D" and saved: each drag moved what
// it should, the GLB passes the glTF validator, the STL's parts are closed
// shells, and puffel-export makes the very same files from the saved project.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "export/closed_shells.h"
#include "export/glb_reading.h"
#include "figure_picture/posed_cat.h"
#include "platform/bmp_file.h"
#include "platform/paths.h"
#include "project/project_load.h"
#include "sample_art/cat_figure.h"
#include "support/batch_process.h"
#include "support/run_command.h"
#include "support/temp_folder.h"

namespace puffel {
namespace {

using art::CatFigure;

constexpr int PartCount = static_cast<int>(CatFigure.size());

Point3 minus(const Point3& a, const Point3& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }

double length(const Point3& v) { return std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z); }

bool same(const Point3& a, const Point3& b, double tolerance = 0) {
  return length(minus(a, b)) <= tolerance;
}

// The axes of a frame: its tips less its origin.
std::array<Point3, 3> axes(const Frame& f) {
  return {minus(f.TipX, f.Origin), minus(f.TipY, f.Origin), minus(f.TipZ, f.Origin)};
}

bool sameAxes(const Frame& a, const Frame& b) {
  const auto u = axes(a);
  const auto v = axes(b);
  for (int n = 0; n < 3; ++n) {
    if (!same(u[n], v[n], 1e-9)) return false;
  }
  return true;
}

bool sameFrame(const Frame& a, const Frame& b) {
  return same(a.Origin, b.Origin) && same(a.TipX, b.TipX) && same(a.TipY, b.TipY) &&
         same(a.TipZ, b.TipZ);
}

class PosedCat : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    folder_ = new test::ProgramFolderFixture;
    for (int row = 0; row < PartCount; ++row) {
      SaveBitmapFile(*folder_ / (std::string("obj/") + CatFigure[row].file), art::DrawCatPart(row));
    }
    std::string script;
    for (const art::ScriptStage& stage : art::PosedCatScript()) {
      script += stage.lines + "answer save/" + stage.name + ".dat\nclick SpeedButton4\n";
    }
    script +=
        "answer pic_hozon/cat.glb\nclick Export3D\n"
        "answer pic_hozon/cat.obj\nclick Export3D\n"
        "answer pic_hozon/cat.stl\nclick Export3D\n"
        "answer pic_hozon/cat.3mf\nclick Export3D\n"
        "answer save/cat.dat\nclick SpeedButton4\n"
        "click SoftJoints\nset JointReach 3\nanswer save/cat_soft.stl\nclick Export3D\n"
        "click SoftJoints\n";
    run_ = new test::BatchRun(test::RunBatch(folder_->Path(), script));
  }

  static void TearDownTestSuite() {
    delete run_;
    delete folder_;
  }

  void SetUp() override {
    ASSERT_EQ(run_->status, 0) << run_->out;
    ASSERT_EQ(run_->out, "");
  }

  // The frames the project saved after the stage holds, in the start view.
  static std::vector<Frame> frames(const std::string& stage) {
    const std::unique_ptr<Scene> scene =
        DecodeProject(ReadFileBytes(*folder_ / ("save/" + stage + ".dat")), 400, 400);
    EXPECT_EQ(scene->PartCount, PartCount);
    return {scene->PartFrame.begin(), scene->PartFrame.begin() + scene->PartCount};
  }

  static test::ProgramFolderFixture* folder_;
  static test::BatchRun* run_;
};

test::ProgramFolderFixture* PosedCat::folder_ = nullptr;
test::BatchRun* PosedCat::run_ = nullptr;

TEST_F(PosedCat, AssemblesAsItsTableSays) {
  const std::unique_ptr<Scene> scene =
      DecodeProject(ReadFileBytes(*folder_ / "save/assembled.dat"), 400, 400);
  ASSERT_EQ(scene->PartCount, PartCount);
  for (int k = 0; k < PartCount; ++k) {
    int parent = -2;
    for (int c = LinkSize - 1; c >= 0; --c) {
      if (scene->ParentMatrix[k + 1][c]) parent = c - 1;
    }
    EXPECT_EQ(parent, CatFigure[k].parent) << CatFigure[k].file;
  }
}

TEST_F(PosedCat, EveryDragMovesWhatItsKindMoves) {
  const std::vector<Frame> start = frames("3d");
  const std::vector<Frame> head = frames("head");
  for (int k = 0; k < PartCount; ++k) EXPECT_EQ(sameFrame(head[k], start[k]), k != 1) << k;
  EXPECT_TRUE(same(head[1].Origin, start[1].Origin));

  // The right button turns the body; its children only follow their pivots.
  const std::vector<Frame> bodyRight = frames("body-right");
  EXPECT_FALSE(sameAxes(bodyRight[0], head[0]));
  EXPECT_TRUE(same(bodyRight[0].Origin, head[0].Origin));
  for (int k = 1; k < PartCount; ++k) {
    EXPECT_TRUE(sameAxes(bodyRight[k], head[k])) << k;
    EXPECT_FALSE(same(bodyRight[k].Origin, head[k].Origin)) << k;
  }

  // The left button turns them all, far beyond the sphere as well.
  const std::vector<Frame> bodyLeft = frames("body-left");
  EXPECT_TRUE(same(bodyLeft[0].Origin, bodyRight[0].Origin));
  for (int k = 0; k < PartCount; ++k) EXPECT_FALSE(sameAxes(bodyLeft[k], bodyRight[k])) << k;

  // Eight pixels up with both buttons: the whole tree 1.01^8 times as large.
  const std::vector<Frame> scaled = frames("scaled");
  for (int k = 0; k < PartCount; ++k) {
    for (int n = 0; n < 3; ++n) {
      EXPECT_NEAR(length(axes(scaled[k])[n]) / length(axes(bodyLeft[k])[n]), std::pow(1.01, 8),
                  1e-12);
    }
  }

  // The middle button moves every point of the tree alike, across the view.
  const std::vector<Frame> moved = frames("moved");
  const Point3 shift = minus(moved[0].Origin, scaled[0].Origin);
  EXPECT_GT(length(shift), 1);
  EXPECT_EQ(shift.z, 0);
  for (int k = 0; k < PartCount; ++k) {
    for (int n = 0; n < 4; ++n) {
      EXPECT_TRUE(same(minus(*FramePoints(moved[k])[n], *FramePoints(scaled[k])[n]), shift, 1e-9));
    }
  }

  // The background turns the whole scene rigidly.
  const std::vector<Frame> scene = frames("scene");
  for (int k = 0; k < PartCount; ++k) {
    EXPECT_FALSE(sameFrame(scene[k], moved[k])) << k;
    for (int q = 0; q < k; ++q) {
      EXPECT_NEAR(length(minus(scene[k].Origin, scene[q].Origin)),
                  length(minus(moved[k].Origin, moved[q].Origin)), 1e-9);
    }
  }

  // The wheel tilts the left arm alone.
  const std::vector<Frame> tilted = frames("tilted");
  for (int k = 0; k < PartCount; ++k) EXPECT_EQ(sameFrame(tilted[k], scene[k]), k != 2) << k;
}

TEST_F(PosedCat, GlbPassesTheValidatorWithItsSkeleton) {
  const std::string glb = *folder_ / "pic_hozon/cat.glb";
  const test::CommandRun validation =
      test::RunProgram(PUFFEL_NODE_EXE, {PUFFEL_VALIDATE_SCRIPT, PUFFEL_VALIDATOR_MODULES, glb});
  EXPECT_EQ(validation.status, 0) << validation.out;
  EXPECT_NE(validation.out.find(": 0 errors, 0 warnings"), std::string::npos) << validation.out;

  const tinygltf::Model gltf = test::ReadGlb(glb);
  ASSERT_GE(gltf.nodes.size(), CatFigure.size());
  std::vector<int> children;
  for (int k = 1; k < PartCount; ++k) children.push_back(k);
  EXPECT_EQ(gltf.nodes[0].children, children);
  for (int k = 0; k < PartCount; ++k) {
    EXPECT_EQ(gltf.nodes[k].name + ".bmp", CatFigure[k].file);
    if (k > 0) {
      EXPECT_TRUE(gltf.nodes[k].children.empty());
    }
  }
}

TEST_F(PosedCat, PuffelExportMakesTheSameFilesFromTheSavedProject) {
  std::filesystem::create_directory(*folder_ / "cli");
  for (const char* model : {"cli/cat.glb", "cli/cat.obj", "cli/cat.stl", "cli/cat.3mf"}) {
    const test::CommandRun run = test::RunProgram(
        PUFFEL_EXPORT_EXE, {"--program-dir", ".", "save/cat.dat", model}, folder_->Path());
    ASSERT_EQ(run.status, 0) << run.out;
    EXPECT_EQ(run.out, "");
  }
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(*folder_ / "pic_hozon")) {
    names.push_back(entry.path().filename().string());
  }
  // glb, obj, stl, 3mf, mtl, a picture per part
  EXPECT_EQ(names.size(), 4 + 1 + CatFigure.size());
  size_t cliFiles = 0;
  for (const auto& entry : std::filesystem::directory_iterator(*folder_ / "cli")) {
    (void)entry;
    ++cliFiles;
  }
  EXPECT_EQ(cliFiles, names.size());
  for (const std::string& name : names) {
    EXPECT_TRUE(ReadFileBytes(*folder_ / ("pic_hozon/" + name)) ==
                ReadFileBytes(*folder_ / ("cli/" + name)))
        << name;
  }
}

// The STL: every part a closed shell enclosing its volume, the figure 100 mm
// tall on the plate; admesh, where it is installed, finds nothing to repair.
TEST_F(PosedCat, StlPartsAreClosedShellsThatAdmeshLeavesAlone) {
  const std::string path = *folder_ / "pic_hozon/cat.stl";
  // Bent by soft joints, the shells stay closed, and are not the rigid ones.
  const std::string bent = ReadFileBytes(*folder_ / "save/cat_soft.stl");
  EXPECT_NE(bent, ReadFileBytes(path));
  for (const std::string& stl : {ReadFileBytes(path), bent}) {
    const std::vector<test::Corners> triangles = test::StlTriangles(stl);
    std::vector<double> volumes;
    EXPECT_EQ(test::ClosedShellsFault(triangles, &volumes), "");
    EXPECT_EQ(volumes.size(), CatFigure.size());
    for (const double volume : volumes) EXPECT_GT(volume, 0);
    EXPECT_EQ(test::Top(triangles), 100);
  }

  if (!FileExists("/usr/bin/admesh")) return;
  const test::CommandRun admesh = test::RunProgram("/usr/bin/admesh", {path});
  EXPECT_EQ(admesh.status, 0) << admesh.out;
  for (const char* clean : {"Total disconnected facets        :     0                   0",
                            "Degenerate facets     :     0", "Edges fixed           :     0",
                            "Facets reversed       :     0", "Backwards edges       :     0",
                            "Normals fixed         :     0", "Number of parts       :     7"}) {
    EXPECT_NE(admesh.out.find(clean), std::string::npos) << clean << "\n" << admesh.out;
  }
}

}  // namespace
}  // namespace puffel
