// Projects saved by one run of puffel-batch and loaded by another, and the
// export of the view.
#include <gtest/gtest.h>

#include <string>

#include "platform/bmp_file.h"
#include "platform/paths.h"
#include "support/batch_process.h"
#include "support/temp_folder.h"
#include "support/test_pictures.h"

namespace puffel {
namespace {

using test::BatchRun;
using test::RunBatch;

class ProjectScript : public ::testing::Test {
 protected:
  void SetUp() override {
    // A square grid at polygon size 8 gives this picture 10 x 8 steps.
    SaveBitmapFile(folder / "obj/leaf.bmp",
                   test::DiscPicture(70, 60, 35, 30, 24, 0x20A040, 0xFFFFFF));
    const BatchRun result =
        run("check CheckBox2 1\n"
            "answer ~/obj/leaf.bmp\n"
            "click Button1\n"
            "snapshot form2 ~/flat.bmp\n"
            "answer ~/save/flat\n"
            "click SpeedButton4\n"
            "click Button4\n"
            "dblclick form1 70 40\n"
            "move form1 72 44 left\n"
            "release form1 72 44 none\n"
            "press form1 30 60 right\n"
            "release form1 30 60 none\n"
            "press form1 120 80 middle\n"
            "move form1 125 85 middle\n"
            "release form1 125 85 none\n"
            "snapshot form2 ~/posed.bmp\n"
            "snapshot form1 ~/pickers.bmp\n"
            "answer ~/save/posed.DAT\n"
            "click SpeedButton4\n"
            "answer ~/pic_hozon/pose\n"
            "click SpeedButton1\n");
    ASSERT_EQ(result.status, 0) << result.out;
    ASSERT_EQ(result.out, "");
  }

  // Runs script in the program folder, with every "~/" standing for it.
  BatchRun run(std::string script) {
    for (size_t at = script.find("~/"); at != std::string::npos; at = script.find("~/", at)) {
      script.replace(at, 2, folder.Path());
    }
    return RunBatch(folder.Path(), script);
  }

  Bitmap picture(const std::string& name) {
    Bitmap loaded;
    LoadBitmapFile(folder / name, loaded);
    return loaded;
  }

  test::ProgramFolderFixture folder;
};

TEST_F(ProjectScript, A3DProjectOpensIn3DWithItsPickers) {
  EXPECT_EQ(ReadFileBytes(folder / "save/flat.dat").size(), 16312u);
  EXPECT_EQ(picture("pic_hozon/pose.bmp"), picture("posed.bmp"));
  const BatchRun result =
      run("answer ~/save/posed.DAT\n"
          "click SpeedButton5\n"
          "snapshot form2 ~/loaded.bmp\n"
          "snapshot form1 ~/loaded-pickers.bmp\n");
  ASSERT_EQ(result.status, 0) << result.out;
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(picture("loaded.bmp"), picture("posed.bmp"));
  EXPECT_EQ(picture("loaded-pickers.bmp"), picture("pickers.bmp"));
}

TEST_F(ProjectScript, AWindow100PixelsWiderShiftsEverything50Pixels) {
  const BatchRun result =
      run("view 500 400\n"
          "answer ~/save/flat.dat\n"
          "click SpeedButton5\n"
          "snapshot form2 ~/wide.bmp\n");
  ASSERT_EQ(result.status, 0) << result.out;
  const Bitmap flat = picture("flat.bmp");
  const Bitmap wide = picture("wide.bmp");
  ASSERT_EQ(wide.Width(), 500);
  Bitmap shiftedBack(400, 400);
  for (int y = 0; y < 400; ++y) {
    for (int x = 0; x < 400; ++x) shiftedBack.Row(y)[x] = wide.Row(y)[x + 50];
  }
  EXPECT_EQ(shiftedBack, flat);
}

TEST_F(ProjectScript, DamagedFilesAreRefusedWithTheMessage) {
  const std::string whole = ReadFileBytes(folder / "save/flat.dat");
  WriteFileBytes(folder / "save/cut.dat", whole.substr(0, 12000));
  const BatchRun result =
      run("answer ~/save/cut.dat\n"
          "click SpeedButton5\n"
          "snapshot form2 ~/empty.bmp\n");
  ASSERT_EQ(result.status, 0) << result.out;
  EXPECT_EQ(result.out, "message: データファイルが壊れています！\n");
  EXPECT_EQ(picture("empty.bmp").Row(300)[200], 0u);  // still the empty scene
}

}  // namespace
}  // namespace puffel
