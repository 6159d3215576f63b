// puffel-batch with what a Windows user's files look like: a program folder
// and pictures named in Japanese, a script with CRLF line ends, a project
// saved over itself.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/bmp_file.h"
#include "platform/paths.h"
#include "support/run_command.h"
#include "support/temp_folder.h"
#include "support/test_pictures.h"

namespace puffel {
namespace {

TEST(FileNamesScript, JapaneseNamesCrlfLinesAndSavingOverAProject) {
  test::TempFolder base;
  const std::string folder = base / "パフェル/";
  for (const char* sub : {"", "obj", "save", "haikei", "pic_hozon"}) {
    std::filesystem::create_directory(PathFromUtf8(folder + sub));
  }
  SaveBitmapFile(folder + "obj/さかな.bmp",
                 test::DiscPicture(60, 40, 30, 20, 16, 0x2060C0, 0xFFFFFF));
  WriteFileBytes(folder + "台本.txt",
                 "answer obj/さかな.bmp\r\n"
                 "click Button1\r\n"
                 "click Button4\r\n"
                 "snapshot form2 pic_hozon/作った.bmp\r\n"
                 "answer save/魚.dat\r\n"
                 "click SpeedButton4\r\n"
                 "answer save/魚.dat\r\n"
                 "click SpeedButton4\r\n"
                 "click SpeedButton3\r\n"
                 "answer save/魚.dat\r\n"
                 "click SpeedButton5\r\n"
                 "snapshot form2 pic_hozon/読んだ.bmp\r\n");
  const test::CommandRun run =
      test::RunProgram(PUFFEL_BATCH_EXE, {"--program-dir", folder, folder + "台本.txt"}, folder);
  ASSERT_EQ(run.status, 0) << run.out;
  // Nothing reported, and standard output would hold "\n" alone, not "\r\n".
  EXPECT_EQ(run.out, "");

  EXPECT_TRUE(FileExists(folder + "save/さかな.bmp1"));
  EXPECT_FALSE(FileExists(folder + "save/魚.dat.tmp~"));
  Bitmap made, loaded;
  LoadBitmapFile(folder + "pic_hozon/作った.bmp", made);
  LoadBitmapFile(folder + "pic_hozon/読んだ.bmp", loaded);
  EXPECT_EQ(loaded, made);

  const test::CommandRun said = test::RunProgram(
      PUFFEL_BATCH_EXE, {"--program-dir", folder, folder + "台本.txt", "extra"}, folder);
  EXPECT_EQ(said.status, 2);
  EXPECT_EQ(said.out, "usage: puffel-batch [--program-dir DIR] SCRIPT\n");
}

}  // namespace
}  // namespace puffel
