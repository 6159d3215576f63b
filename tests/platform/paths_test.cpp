#include "platform/paths.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <new>

#include "platform/platform_error.h"
#include "support/temp_folder.h"

namespace puffel {
namespace {

TEST(Paths, FileNameIsCutAfterTheLastSlashBackslashOrColon) {
  EXPECT_EQ(ExtractFileName("/home/me/cat.bmp"), "cat.bmp");
  EXPECT_EQ(ExtractFileName("C:\\pictures\\cat.bmp"), "cat.bmp");
  EXPECT_EQ(ExtractFileName("C:cat.bmp"), "cat.bmp");
  EXPECT_EQ(ExtractFileName("cat.bmp"), "cat.bmp");
  EXPECT_EQ(ExtractFileName("folder/"), "");
  EXPECT_EQ(ExtractFileDir("/home/me/cat.bmp"), "/home/me");
  EXPECT_EQ(ExtractFileDir("/cat.bmp"), "/");
  EXPECT_EQ(ExtractFileDir("cat.bmp"), "");
  EXPECT_EQ(ExtractFileExt("/a.b/sky.bmp"), ".bmp");
  EXPECT_EQ(ExtractFileExt("/a.b/sky"), "");
  EXPECT_EQ(ExtractFileExt("archive.tar.gz"), ".gz");
}

TEST(Paths, ProgramFolderAlwaysEndsWithASeparator) {
  const std::string before = ProgramFolder();
  SetProgramFolder("/opt/puffel");
  EXPECT_EQ(ProgramFolder(), "/opt/puffel/");
  SetProgramFolder("/opt/puffel/");
  EXPECT_EQ(ProgramFolder(), "/opt/puffel/");
  SetProgramFolder(before);
  EXPECT_EQ(ExecutableFolder().back(), '/');
}

TEST(Paths, FailedWriteLeavesTheExistingFileAlone) {
  test::TempFolder folder;
  const std::string path = folder / "kept.dat";
  WriteFileBytes(path, "first");
  EXPECT_EQ(ReadFileBytes(path), "first");
  WriteFileBytes(path, "second");
  EXPECT_EQ(ReadFileBytes(path), "second");
  EXPECT_THROW(WriteFileBytes(folder / "missing/x.dat", "data"), PlatformError);
  EXPECT_THROW(ReadFileBytes(folder / "missing.dat"), PlatformError);
  EXPECT_FALSE(FileExists(folder / "missing.dat"));
  EXPECT_FALSE(FileExists(folder.Path()));  // a folder is not a file
  EXPECT_TRUE(FileExists(path));
}

TEST(Paths, FailedStreamedWriteLeavesTheOldFileAndNoTemporaryFile) {
  test::TempFolder folder;
  const std::string path = folder / "model.glb";
  WriteFileWith(path, [](std::FILE* file) { return std::fputs("first", file) >= 0; });
  EXPECT_EQ(ReadFileBytes(path), "first");
  EXPECT_THROW(WriteFileWith(path,
                             [](std::FILE* file) {
                               std::fputs("half", file);
                               return false;
                             }),
               PlatformError);
  EXPECT_THROW(WriteFileWith(path,
                             [](std::FILE* file) -> bool {
                               std::fputs("half", file);
                               throw std::bad_alloc();
                             }),
               std::bad_alloc);
  EXPECT_EQ(ReadFileBytes(path), "first");
  EXPECT_FALSE(FileExists(path + ".tmp~"));
}

}  // namespace
}  // namespace puffel
