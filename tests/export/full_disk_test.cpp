// A full disk: with the file size limited in a child process, saving a
// project, exporting the view and exporting the model each fail with one error
// report, leave the file they would have replaced as it was and leave no
// temporary file behind.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>

#include "platform/paths.h"
#include "support/scripted_app.h"
#include "support/test_pictures.h"

namespace puffel {
namespace {

// From now on no file of this process grows past a kilobyte, as on a
// full disk; a write past that fails with EFBIG instead of ending the process.
void fillTheDisk() {
  std::signal(SIGXFSZ, SIG_IGN);
  const rlimit bounds{1024, 1024};
  if (setrlimit(RLIMIT_FSIZE, &bounds) != 0) std::exit(3);
}

// Runs check in a child process; it passes when the child exits with 0.
void inChild(const std::function<int()>& check) {
  // The program may have helper threads by now: the child is started afresh
  // rather than forked from this process, whose locks those threads may hold.
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(std::exit(check()), ::testing::ExitedWithCode(0), "");
}

int entriesIn(const std::string& folder) {
  int entries = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder)) ++entries;
  return entries;
}

TEST(FullDisk, SaveAndBothExportsFailAndKeepTheOldFiles) {
  inChild([] {
    test::ScriptedApp program;
    program.AddPicture(test::DiscPicture(60, 40, 30, 20, 18, 0xFF0000, 0xFFFFFF), "disc.bmp");
    program.form1().Button4.Click();  // the 3D view
    const int errorsBefore = static_cast<int>(program.errors.size());
    const std::string save = program.folder() / "save/";
    const std::string pictures = program.folder() / "pic_hozon/";
    WriteFileBytes(save + "old.dat", "old project");
    WriteFileBytes(pictures + "old.bmp", "old view");
    WriteFileBytes(pictures + "old.glb", "old model");
    const int saveEntries = entriesIn(save);
    const int pictureEntries = entriesIn(pictures);
    fillTheDisk();

    program.Answer(save + "old.dat");
    program.Dispatch([&] { program.form1().SpeedButton4.Click(); });
    program.Answer(pictures + "old.bmp");
    program.Dispatch([&] { program.form1().SpeedButton1.Click(); });
    program.Answer(pictures + "old.glb");
    program.Dispatch([&] { program.form1().Export3D.Click(); });

    const bool reported = static_cast<int>(program.errors.size()) == errorsBefore + 3;
    const bool kept = ReadFileBytes(save + "old.dat") == "old project" &&
                      ReadFileBytes(pictures + "old.bmp") == "old view" &&
                      ReadFileBytes(pictures + "old.glb") == "old model";
    const bool nothingLeft =
        entriesIn(save) == saveEntries && entriesIn(pictures) == pictureEntries;
    return reported && kept && nothingLeft ? 0 : 1;
  });
}

}  // namespace
}  // namespace puffel
