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

TEST(Paths, WriterLeavesNothingBehindUnlessCommitted) {
  test::TempFolder folder;
  const std::string path = folder / "kept.dat";
  WriteFileBytes(path, "first");
  {
    FileWriter writer(path);
    writer.Write("sec", 3);
  }
  EXPECT_EQ(ReadFileBytes(path), "first");
  EXPECT_FALSE(FileExists(path + ".tmp~"));
  FileWriter writer(path);
  writer.Write("sec", 3);
  writer.Write("ond", 3);
  writer.Commit();
  EXPECT_EQ(ReadFileBytes(path), "second");
  EXPECT_FALSE(FileExists(path + ".tmp~"));
}

TEST(Paths, ReaderReadsStretchesAndRefusesFolders) {
  test::TempFolder folder;
  WriteFileBytes(folder / "a.dat", "0123456789");
  FileReader reader(folder / "a.dat");
  EXPECT_EQ(reader.Size(), 10u);
  char out[8] = {};
  EXPECT_EQ(reader.ReadAt(7, 8, out), 3u);
  EXPECT_EQ(std::string(out, 3), "789");
  EXPECT_EQ(reader.ReadAt(10, 2, out), 0u);
  EXPECT_EQ(ReadFileBytes(folder / "a.dat", 4), "0123");
  EXPECT_THROW(FileReader{folder.Path()}, PlatformError);
  EXPECT_THROW(ReadFileBytes(folder.Path()), PlatformError);
}

}  // namespace
}  // namespace puffel
