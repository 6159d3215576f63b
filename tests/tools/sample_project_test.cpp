// The sample project the build puts into the program folder's "save": it
// loads without a message, opens in the 3D view with the cat posed, and its
// links are the cat's skeleton.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <string>

#include "app/main_window.h"
#include "platform/bmp_file.h"
#include "platform/paths.h"
#include "sample_art/cat_figure.h"
#include "scene/scene.h"
#include "support/batch_process.h"
#include "support/scripted_app.h"
#include "support/temp_folder.h"

namespace puffel {
namespace {

using art::CatFigure;
namespace fs = std::filesystem;

constexpr int CatParts = static_cast<int>(CatFigure.size());

// Copies the project and its picture copies from the program folder's "save"
// into the program folder at `to`, so a test writes nothing beside the program.
void copySampleProject(const std::string& to) {
  for (const fs::directory_entry& entry : fs::directory_iterator(PUFFEL_PROGRAM_DIR "/save")) {
    if (entry.path().filename().string().starts_with("cat")) {
      fs::copy_file(entry.path(), to + "save/" + entry.path().filename().string());
    }
  }
}

Bitmap picture(const std::string& path) {
  Bitmap loaded;
  LoadBitmapFile(path, loaded);
  return loaded;
}

uint8_t red(uint32_t pixel) { return (pixel >> 16) & 0xFF; }
uint8_t green(uint32_t pixel) { return (pixel >> 8) & 0xFF; }
uint8_t blue(uint32_t pixel) { return pixel & 0xFF; }

// The cat's orange fur, lit or in shade.
bool fur(uint32_t pixel) { return red(pixel) > green(pixel) + 30 && green(pixel) > blue(pixel); }

// Its cream belly and paws.
bool cream(uint32_t pixel) {
  return red(pixel) > 120 && red(pixel) - blue(pixel) < 70 && red(pixel) >= green(pixel) &&
         green(pixel) >= blue(pixel);
}

struct Coverage {
  int figure = 0;  // pixels that are not black
  int fur = 0;
  int cream = 0;
  int border = 0;  // figure pixels on the view's edge
};

Coverage coverage(const Bitmap& view) {
  Coverage counted;
  for (int y = 0; y < view.Height(); ++y) {
    for (int x = 0; x < view.Width(); ++x) {
      const uint32_t pixel = view.Row(y)[x] & 0xFFFFFF;
      if (pixel == 0) continue;
      ++counted.figure;
      counted.fur += fur(pixel);
      counted.cream += cream(pixel);
      counted.border += x == 0 || y == 0 || x == view.Width() - 1 || y == view.Height() - 1;
    }
  }
  return counted;
}

TEST(SampleProject, LoadsInPuffelBatchAndShowsThePosedCatAtOnce) {
  test::ProgramFolderFixture folder;
  copySampleProject(folder.Path());
  const test::BatchRun run = test::RunBatch(folder.Path(),
                                            "answer save/cat.dat\n"
                                            "click SpeedButton5\n"
                                            "snapshot form2 posed.bmp\n"
                                            "answer pic_hozon/cat\n"
                                            "click SpeedButton1\n"
                                            // Out of the 3D view and back: the poses are reset.
                                            "click Button4\n"
                                            "click Button4\n"
                                            "snapshot form2 unposed.bmp\n");
  ASSERT_EQ(run.status, 0) << run.out;
  EXPECT_EQ(run.out, "") << "no message box and no error report";

  const Bitmap posed = picture(folder / "posed.bmp");
  EXPECT_EQ(picture(folder / "pic_hozon/cat.bmp"), posed);
  const Bitmap unposed = picture(folder / "unposed.bmp");
  ASSERT_EQ(unposed.Width(), posed.Width());
  int changed = 0;
  for (int y = 0; y < posed.Height(); ++y) {
    for (int x = 0; x < posed.Width(); ++x) changed += posed.Row(y)[x] != unposed.Row(y)[x];
  }
  EXPECT_GT(changed, posed.Width() * posed.Height() / 10) << "the pose is more than a nudge";

  // The whole cat, in its own colours, fills a good part of the view.
  const Coverage seen = coverage(posed);
  EXPECT_GT(seen.figure, posed.Width() * posed.Height() / 8);
  EXPECT_GT(seen.fur, seen.figure / 3);
  EXPECT_GT(seen.cream, seen.figure / 20);
  EXPECT_EQ(seen.border, 0) << "nothing of the cat is cut off";
}

class LoadedSampleProject : public ::testing::Test {
 protected:
  void SetUp() override {
    copySampleProject(program.folder().Path());
    program.Answer(program.folder() / "save/cat.dat");
    program.Dispatch([this] { program.form1().SpeedButton5.Click(); });
    ASSERT_TRUE(program.messages.empty()) << program.messages.front();
    ASSERT_TRUE(program.errors.empty()) << program.errors.front();
    ASSERT_EQ(scene.PartCount, CatParts);
  }

  // Part k's axes in the view, each a unit vector while nothing is scaled.
  std::array<Point3, 3> axes(int k) const {
    const Frame& f = scene.PartFrame[k];
    const auto from = [&](const Point3& tip) {
      return Point3{tip.x - f.Origin.x, tip.y - f.Origin.y, tip.z - f.Origin.z};
    };
    return {from(f.TipX), from(f.TipY), from(f.TipZ)};
  }

  test::ScriptedApp program;
  Scene& scene = program.scene();
};

TEST_F(LoadedSampleProject, HoldsTheCatsPartsInTableOrderWithEveryPartHangingFromTheBody) {
  EXPECT_TRUE(scene.View3D);
  for (int k = 0; k < CatParts; ++k) {
    SCOPED_TRACE(CatFigure[k].file);
    // No folder of the machine that made it: the program folder's obj alone.
    EXPECT_EQ(PartFilePath(scene, k), std::string("obj/") + CatFigure[k].file);
    // Row k + 1 of the parent table: column 0 is the root, column p + 1 part p.
    for (int c = 0; c <= CatParts; ++c) {
      const int expected = k == 0 ? c == 0 : c == CatFigure[k].parent + 1;
      EXPECT_EQ(scene.ParentMatrix[k + 1][c], expected) << "column " << c;
    }
  }
}

TEST_F(LoadedSampleProject, ShowsEveryPartAndEachIsTurnedAgainstTheBody) {
  std::array<int, CatParts> shown{};
  for (int y = 0; y < scene.OwnerBuffer.Height(); ++y) {
    for (int x = 0; x < scene.OwnerBuffer.Width(); ++x) {
      const int owner = scene.OwnerBuffer(x, y);
      if (owner >= 0) ++shown.at(owner);
    }
  }
  const std::array<Point3, 3> body = axes(0);
  for (int k = 0; k < CatParts; ++k) {
    SCOPED_TRACE(CatFigure[k].file);
    EXPECT_GT(shown[k], 1000) << "pixels of the 3D view";
    const std::array<Point3, 3> part = axes(k);
    for (int a = 0; a < 3; ++a) {
      EXPECT_NEAR(std::hypot(part[a].x, part[a].y, part[a].z), 1, 1e-9) << "turned, not scaled";
    }
    if (k == 0) {
      // The whole figure is turned out of the picture's plane.
      EXPECT_GT(std::abs(body[2].x), 0.2);
      EXPECT_GT(std::abs(body[2].y), 0.1);
    } else {
      // The angle between the part's x axis and the body's.
      const double cosine = part[0].x * body[0].x + part[0].y * body[0].y + part[0].z * body[0].z;
      EXPECT_LT(cosine, std::cos(0.1)) << "posed on its own";
    }
  }
}

}  // namespace
}  // namespace puffel
