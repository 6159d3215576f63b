#include "platform/paths.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <new>

#include "platform/bmp_file.h"
#include "platform/file_set.h"
#include "platform/platform_error.h"
#include "platform/system_calls.h"
#include "support/temp_folder.h"
#include "support/test_pictures.h"

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
  // Windows paths mix both separators and may start with a drive.
  EXPECT_EQ(ExtractFileDir("C:\\pictures/cat.bmp"), "C:\\pictures");
  EXPECT_EQ(ExtractFileName("D:/pictures\\cat.bmp"), "cat.bmp");
  EXPECT_EQ(ExtractFileDir("D:/pictures\\cat.bmp"), "D:/pictures");
}

TEST(Paths, ProgramFolderAlwaysEndsWithASeparator) {
  const std::string before = ProgramFolder();
  SetProgramFolder("/opt/puffel");
  EXPECT_EQ(ProgramFolder(), "/opt/puffel/");
  SetProgramFolder("/opt/puffel/");
  EXPECT_EQ(ProgramFolder(), "/opt/puffel/");
  SetProgramFolder(before);
}

TEST(Paths, ExecutableFolderHoldsTheRunningProgram) {
  const std::string folder = ExecutableFolder();
  ASSERT_TRUE(folder.ends_with('/') || folder.ends_with('\\')) << folder;
  EXPECT_TRUE(PathFromUtf8(folder).is_absolute()) << folder;
  const std::string executable = RunningExecutablePath();
  EXPECT_EQ(ExtractFileDir(executable) + executable[folder.size() - 1], folder);
  EXPECT_TRUE(ExtractFileName(executable).starts_with("platform_tests")) << executable;
  EXPECT_TRUE(FileExists(executable));
}

// Names outside the system's code page: UTF-8 in the program, whatever the
// system's calls take.
TEST(Paths, JapaneseFileNamesLoadSaveAndReload) {
  test::TempFolder base;
  const std::string folder = base / "さかなの絵/";
  std::filesystem::create_directory(PathFromUtf8(folder));
  const std::string path = folder + "ねこ.bmp";
  EXPECT_EQ(Utf8FromPath(PathFromUtf8(path)), path);
  const Bitmap cat = test::DiscPicture(20, 10, 10, 5, 4, 0x804020, 0xFFFFFF);
  SaveBitmapFile(path, cat);
  EXPECT_TRUE(FileExists(path));
  Bitmap loaded;
  LoadBitmapFile(path, loaded);
  EXPECT_EQ(loaded, cat);
  const Bitmap fish = test::SolidPicture(3, 4, 0x2040C0);
  SaveBitmapFile(path, fish);
  LoadBitmapFile(path, loaded);
  EXPECT_EQ(loaded, fish);
  // The system sees the very name, not a code-page rendering of it.
  int entries = 0;
  for (const auto& entry : std::filesystem::directory_iterator(PathFromUtf8(folder))) {
    EXPECT_EQ(Utf8FromPath(entry.path().filename()), "ねこ.bmp");
    ++entries;
  }
  EXPECT_EQ(entries, 1);
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

// Closed writers hold no file open: a set may have more of them than a process
// may open at once (512 streams on Windows), and a set dropped before Commit
// still removes them.
TEST(Paths, ClosedWritersOfASetWaitForItsCommit) {
  test::TempFolder folder;
  for (const int files : {3, 600}) {
    FileSet set;
    for (int n = 0; n < files; ++n) {
      FileWriter& file = set.Add(folder / (std::to_string(n) + ".dat"));
      file.Write("x", 1);
      file.Close();
    }
    if (files > 3) set.Commit();
  }
  const auto kept = std::distance(std::filesystem::directory_iterator(folder.Path()), {});
  EXPECT_EQ(kept, 600);
  EXPECT_EQ(ReadFileBytes(folder / "599.dat"), "x");
  EXPECT_FALSE(FileExists(folder / "0.dat.tmp~"));
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

// A project of many large parts passes 2 GiB, beyond a 32-bit file offset.
TEST(Paths, ReaderReadsPast4GiB) {
  test::TempFolder folder;
  const std::string path = folder / "large.dat";
  const uintmax_t hole = (uintmax_t{1} << 32) + 3;  // sparse where the system allows
  std::FILE* file = OpenSystemFile(path, "wb");
  ASSERT_NE(file, nullptr);
  ASSERT_EQ(std::fwrite("head", 1, 4, file), 4u);
  ASSERT_TRUE(SeekSystemFile(file, hole));
  ASSERT_EQ(std::fwrite("tail", 1, 4, file), 4u);
  ASSERT_EQ(std::fclose(file), 0);

  FileReader reader(path);
  ASSERT_EQ(reader.Size(), hole + 4);
  char out[8] = {};
  EXPECT_EQ(reader.ReadAt(hole - 2, 8, out), 6u);
  EXPECT_EQ(std::string(out, 6), std::string("\0\0tail", 6));
  EXPECT_EQ(reader.ReadAt(1, 3, out), 3u);
  EXPECT_EQ(std::string(out, 3), "ead");
}

// A file in place is replaced in one step: Windows' plain rename refuses to.
TEST(Paths, MoveFileOverReplacesAnExistingFile) {
  test::TempFolder folder;
  WriteFileBytes(folder / "new.dat", "new");
  WriteFileBytes(folder / "old.dat", "old");
  std::string reason;
  ASSERT_TRUE(MoveFileOver(folder / "new.dat", folder / "old.dat", reason)) << reason;
  EXPECT_EQ(ReadFileBytes(folder / "old.dat"), "new");
  EXPECT_FALSE(FileExists(folder / "new.dat"));
  EXPECT_FALSE(MoveFileOver(folder / "new.dat", folder / "old.dat", reason));
  EXPECT_FALSE(reason.empty());
  EXPECT_EQ(ReadFileBytes(folder / "old.dat"), "new");
  EXPECT_TRUE(RemoveSystemFile(folder / "old.dat"));
  EXPECT_FALSE(RemoveSystemFile(folder / "old.dat"));
}

}  // namespace
}  // namespace puffel
