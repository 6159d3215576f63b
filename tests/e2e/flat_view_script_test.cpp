// The real puffel-batch program driven by an event script, checked against a
// flat view composed independently here.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "platform/bmp_file.h"
#include "platform/paths.h"
#include "support/run_command.h"
#include "support/temp_folder.h"
#include "support/test_pictures.h"

namespace puffel {
namespace {

test::CommandRun runBatch(const std::string& folder, const std::string& script) {
  const std::string scriptPath = folder + "script.txt";
  std::ofstream(scriptPath) << script;
  return test::RunCommand(std::string(PUFFEL_BATCH_EXE) + " --program-dir " + folder + " " +
                          scriptPath + " 2>&1");
}

struct PlacedPart {
  Bitmap picture;
  int left, top;  // picture corner in the view, truncated
  int pivotX, pivotY;
};

// The flat view: black, every silhouette cleared, every cut-out XORed in,
// then every joint marker.
Bitmap composeFlatView(int width, int height, const std::vector<PlacedPart>& parts) {
  Bitmap view = test::SolidPicture(width, height, 0);
  const auto inView = [&](int x, int y) { return x >= 0 && y >= 0 && x < width && y < height; };
  for (bool cutout : {false, true}) {
    for (const PlacedPart& part : parts) {
      const uint32_t background = part.picture.Row(0)[0];
      for (int y = 0; y < part.picture.Height(); ++y) {
        for (int x = 0; x < part.picture.Width(); ++x) {
          const uint32_t p = part.picture.Row(y)[x];
          if (p == background || !inView(part.left + x, part.top + y)) continue;
          uint32_t& pixel = view.Row(part.top + y)[part.left + x];
          pixel = cutout ? pixel ^ p : 0;
        }
      }
    }
  }
  for (const PlacedPart& part : parts) {
    for (int d = -7; d <= 7; ++d) {
      for (int e = -1; e <= 1; ++e) {
        const bool centreLine = e == 0 && d > -7 && d < 7;
        for (const auto& [x, y] : {std::pair{part.pivotX + d, part.pivotY + e},
                                   std::pair{part.pivotX + e, part.pivotY + d}}) {
          if (inView(x, y)) view.Row(y)[x] = centreLine ? 0xFFFFFF : 0;
        }
      }
    }
    for (int d = -6; d <= 6; ++d) {
      view.Row(part.pivotY)[part.pivotX + d] = 0xFFFFFF;
      view.Row(part.pivotY + d)[part.pivotX] = 0xFFFFFF;
    }
  }
  return view;
}

TEST(EventScript, AddRemoveResizeAndSnapshotTheFlatView) {
  test::ProgramFolderFixture folder;
  Bitmap a = test::DiscPicture(120, 90, 60, 45, 40, 0x3366CC, 0xFFFFFF);
  Bitmap b = test::DiscPicture(61, 41, 20, 20, 18, 0xCC9900, 0x000080);
  Bitmap c = test::DiscPicture(30, 30, 15, 15, 10, 0x00FF00, 0xFFFFFF);
  SaveBitmapFile(folder / "obj/a.bmp", a);
  SaveBitmapFile(folder / "obj/b.bmp", b);
  SaveBitmapFile(folder / "obj/c.bmp", c);

  const test::CommandRun run = runBatch(folder.Path(), "answer " + folder.Path() +
                                                           "obj/a.bmp\nclick Button1\n"
                                                           "answer " +
                                                           folder.Path() +
                                                           "obj/b.bmp\nclick Button1\n"
                                                           "answer " +
                                                           folder.Path() +
                                                           "obj/c.bmp\nclick Button1\n"
                                                           "click SpeedButton2\n"
                                                           "view 501 300\n"
                                                           "snapshot form2 " +
                                                           folder.Path() +
                                                           "view.bmp\n"
                                                           "print form2\n");
  ASSERT_EQ(run.status, 0) << run.out;
  EXPECT_EQ(run.out, "form2: Parts No.0\n");

  // Placed centred in the 400 x 400 view, then moved by half the size change
  // (50.5, -50); the flat view draws at the truncated positions.
  Bitmap view;
  LoadBitmapFile(folder / "view.bmp", view);
  const std::vector<PlacedPart> expected = {
      {a, 140 + 50, 155 - 50, 250, 150},  // corner (140, 155) + (50.5, -50)
      {b, 169 + 50, 179 - 50, 250, 150},  // corner (169, 179) + (50.5, -50)
  };
  EXPECT_EQ(view, composeFlatView(501, 300, expected));

  for (const char* name : {"a.bmp", "b.bmp", "c.bmp"}) {
    for (int digit = 1; digit <= 4; ++digit) {
      EXPECT_TRUE(FileExists(folder / ("save/" + std::string(name) + std::to_string(digit))))
          << name << digit;
    }
  }
  Bitmap mask;
  LoadBitmapFile(folder / "save/b.bmp2", mask);
  EXPECT_EQ(mask.Row(0)[0], 0xFFFFFFu);
  EXPECT_EQ(mask.Row(20)[20], 0u);
}

}  // namespace
}  // namespace puffel
