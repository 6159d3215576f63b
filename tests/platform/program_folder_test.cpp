#include "platform/program_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/paths.h"
#include "platform/platform_error.h"
#include "support/temp_folder.h"

namespace puffel {
namespace {

namespace fs = std::filesystem;

void writeFile(const std::string& path, const std::string& text) {
  fs::create_directories(fs::path(path).parent_path());
  std::ofstream(path) << text;
}

std::string readFile(const std::string& path) { return ReadFileBytes(path); }

TEST(ProgramFolder, AnInstalledRunAloneUsesTheUsersFolder) {
  test::TempFolder root;
  fs::create_directories(root / "usr/share/puffel/obj");
  fs::create_directories(root / "usr/bin");
  fs::create_directories(root / "zip/obj");
  fs::create_directories(root / "zip/share/puffel/obj");
  const std::string bin = root / "usr/bin";
  struct Case {
    std::string executableFolder;
    const char* xdgDataHome;
    const char* home;
    std::string folder;
  } cases[] = {
      // The build tree and the zip hold "obj" beside the executable.
      {root / "zip/", nullptr, "/home/me", root / "zip/"},
      {root / "nowhere", nullptr, "/home/me", root / "nowhere/"},
      {bin, nullptr, "/home/me", "/home/me/.local/share/puffel/"},
      {bin, "", "/home/me/", "/home/me/.local/share/puffel/"},
      // XDG's rule: a relative data home is ignored.
      {bin, "data", "/home/me", "/home/me/.local/share/puffel/"},
      {bin, "/data/", "/home/me", "/data/puffel/"},
  };
  for (const Case& c : cases) {
    const ProgramFolderPlace place = FindProgramFolder(c.executableFolder, c.xdgDataHome, c.home);
    EXPECT_EQ(place.folder, c.folder) << c.executableFolder;
    EXPECT_EQ(place.samples.empty(), c.folder.starts_with(root.Path())) << c.executableFolder;
  }
  EXPECT_THROW(FindProgramFolder(bin, nullptr, nullptr), PlatformError);
}

TEST(ProgramFolder, TheFirstStartCopiesTheSamplesAndLaterStartsKeepTheUsersFiles) {
  test::TempFolder root;
  writeFile(root / "share/obj/cat.bmp", "cat");
  writeFile(root / "share/save/cat.dat", "project");
  writeFile(root / "share/readme.txt", "readme");
  const ProgramFolderPlace place{root / "home/puffel/", root / "share/"};
  // What an interrupted first start left behind.
  writeFile(root / "home/puffel.tmp~/obj/half.bmp", "half");

  PrepareProgramFolder(place);
  EXPECT_EQ(readFile(place.folder + "obj/cat.bmp"), "cat");
  EXPECT_EQ(readFile(place.folder + "save/cat.dat"), "project");
  EXPECT_EQ(readFile(place.folder + "readme.txt"), "readme");
  EXPECT_FALSE(fs::exists(place.folder + "obj/half.bmp"));
  EXPECT_FALSE(fs::exists(root / "home/puffel.tmp~"));

  writeFile(place.folder + "save/cat.dat", "mine");
  fs::remove(place.folder + "obj/cat.bmp");
  fs::remove_all(place.folder + "pic_hozon");
  PrepareProgramFolder(place);
  EXPECT_EQ(readFile(place.folder + "save/cat.dat"), "mine");
  EXPECT_FALSE(fs::exists(place.folder + "obj/cat.bmp"));
  for (const char* name : {"obj", "save", "haikei", "pic_hozon"}) {
    EXPECT_TRUE(fs::is_directory(place.folder + name)) << name;
  }
}

}  // namespace
}  // namespace puffel
