// The real puffel-export program: a saved project written as a model file;
// every wrong argument and every failure one line on standard error, with
// nothing written.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

#include "export/closed_shells.h"
#include "platform/bmp_file.h"
#include "platform/paths.h"
#include "support/batch_process.h"
#include "support/run_command.h"
#include "support/temp_folder.h"
#include "support/test_pictures.h"

namespace puffel {
namespace {

struct ExportRun {
  int status;
  std::string out;
  std::string err;
};

// Every file under folder, relative to it, in order.
std::vector<std::string> filesUnder(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
    names.push_back(std::filesystem::relative(entry.path(), folder).string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

class ExportCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    SaveBitmapFile(folder / "obj/leaf.bmp",
                   test::DiscPicture(70, 60, 35, 30, 24, 0x20A040, 0xFFFFFF));
    const test::BatchRun made = test::RunBatch(folder.Path(),
                                               "answer obj/leaf.bmp\nclick Button1\n"
                                               "click Button4\n"
                                               "answer save/leaf.dat\nclick SpeedButton4\n"
                                               "answer pic_hozon/leaf.glb\nclick Export3D\n");
    ASSERT_EQ(made.status, 0) << made.out;
    std::filesystem::create_directory(folder / "out");
  }

  // Runs puffel-export in the program folder with args.
  ExportRun run(const std::string& args) {
    const std::string err = folder / "stderr.txt";
    std::vector<std::string> words;
    for (size_t start = 0; start < args.size();) {
      const size_t end = std::min(args.find(' ', start), args.size());
      words.push_back(args.substr(start, end - start));
      start = end + 1;
    }
    const test::CommandRun run = test::RunProgram(PUFFEL_EXPORT_EXE, words, folder.Path(), err);
    return {run.status, run.out, ReadFileBytes(err)};
  }

  // Expects one line on standard error naming the program, and nothing else.
  static void expectOneLine(const ExportRun& result, int status) {
    EXPECT_EQ(result.status, status);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
    EXPECT_TRUE(result.err.starts_with("puffel-export: ")) << result.err;
    EXPECT_TRUE(result.err.ends_with("\n")) << result.err;
  }

  test::ProgramFolderFixture folder;
};

TEST_F(ExportCommand, WritesTheProjectsModelInEitherFormatAndAnyCase) {
  const ExportRun glb = run("--program-dir . save/leaf.dat out/leaf.GLB");
  EXPECT_EQ(glb.status, 0) << glb.err;
  EXPECT_EQ(glb.out + glb.err, "");
  // The same model as the program's own export of the scene it saved.
  EXPECT_TRUE(ReadFileBytes(folder / "out/leaf.GLB") ==
              ReadFileBytes(folder / "pic_hozon/leaf.glb"));

  const ExportRun obj = run("save/leaf.dat --program-dir . out/leaf.Obj");
  EXPECT_EQ(obj.status, 0) << obj.err;
  EXPECT_EQ(filesUnder(folder / "out"),
            (std::vector<std::string>{"leaf.GLB", "leaf.Obj", "leaf.mtl", "leaf_leaf_front.png"}));

  // For printing: the height is the one asked for, 100 mm unless given.
  for (const auto& [args, file, top] :
       {std::tuple{"--program-dir . --height 37 save/leaf.dat out/leaf.Stl", "out/leaf.Stl", 37},
        std::tuple{"--program-dir . save/leaf.dat out/leaf.STL", "out/leaf.STL", 100}}) {
    EXPECT_EQ(run(args).status, 0) << args;
    EXPECT_EQ(test::Top(test::StlTriangles(ReadFileBytes(folder / file))), top) << args;
  }
  const ExportRun threeMf = run("--program-dir . save/leaf.dat out/leaf.3MF");
  EXPECT_EQ(threeMf.status, 0) << threeMf.err;
  EXPECT_EQ(ReadFileBytes(folder / "out/leaf.3MF", 2), "PK");
}

// A sheet in another window size is the one the menu entry writes after the
// same project was opened and the part window resized.
TEST_F(ExportCommand, WritesTheSheetTheMenuWrites) {
  const test::BatchRun made =
      test::RunBatch(folder.Path(),
                     "answer save/leaf.dat\nclick SpeedButton5\nview 200 150\n"
                     "set SheetDirections 4\nset SheetFrames files\n"
                     "answer pic_hozon/leaf\nclick ExportSheet\n");
  ASSERT_EQ(made.status, 0) << made.out;
  const ExportRun sheet =
      run("--program-dir . save/leaf.dat out/leaf.png --size 200 150 --directions 4 --frame-files");
  EXPECT_EQ(sheet.status, 0) << sheet.err;
  const std::vector<std::string> files = filesUnder(folder / "out");
  EXPECT_EQ(files,
            (std::vector<std::string>{"leaf.json", "leaf.png", "leaf_d0_f0.png", "leaf_d1_f0.png",
                                      "leaf_d2_f0.png", "leaf_d3_f0.png"}));
  for (const std::string& file : files) {
    EXPECT_TRUE(ReadFileBytes(folder / ("out/" + file)) ==
                ReadFileBytes(folder / ("pic_hozon/" + file)))
        << file;
  }
}

TEST_F(ExportCommand, WrongArgumentsAreOneLineAndStatus2) {
  for (const char* args : {"",
                           "save/leaf.dat",
                           "save/leaf.dat out/a.glb out/b.glb",
                           "save/leaf.dat out/leaf.gif",
                           "save/leaf.dat out/leaf",
                           "save/leaf.dat out/leaf.glb.txt",
                           "--bogus save/leaf.dat out/a.glb",
                           "save/leaf.dat out/a.glb --program-dir",
                           "--square save/leaf.dat out/a.glb",
                           "--polygon-size 0 obj/leaf.bmp out/a.glb",
                           "--bulge 10 obj/leaf.bmp out/a.glb",
                           "--stretch 10 25 obj/leaf.bmp out/a.glb",
                           "--ears 3.5 obj/leaf.bmp out/a.glb",
                           "--directions 2 obj/leaf.bmp out/a.png",
                           "--directions 4 save/leaf.dat out/a.glb",
                           "--size 400 0 save/leaf.dat out/a.png",
                           "--size 40000 10 save/leaf.dat out/a.png",
                           "--frame-files save/leaf.dat out/a.obj",
                           "--height 0 save/leaf.dat out/a.stl",
                           "--height 1001 obj/leaf.bmp out/a.3mf",
                           "--height 50 save/leaf.dat out/a.glb",
                           "save/leaf.dat out/a.stl --height"}) {
    SCOPED_TRACE(args);
    const ExportRun result = run(args);
    expectOneLine(result, 2);
    EXPECT_NE(result.err.find("usage: puffel-export [--program-dir DIR] [--height MM] PROJECT.dat"),
              std::string::npos);
  }
  EXPECT_TRUE(filesUnder(folder / "out").empty());

  const ExportRun help = run("--help");
  EXPECT_EQ(help.status, 0);
  EXPECT_TRUE(
      help.out.starts_with("usage: puffel-export [--program-dir DIR] [--height MM] PROJECT.dat "
                           "OUT.glb|OUT.obj|OUT.stl|OUT.3mf|OUT.png [SHEET OPTION...]\n"));
  EXPECT_NE(help.out.find("2 for wrong arguments"), std::string::npos);
  EXPECT_EQ(help.err, "");
}

TEST_F(ExportCommand, FailuresAreOneLineStatus1AndWriteNothing) {
  const std::string whole = ReadFileBytes(folder / "save/leaf.dat");
  WriteFileBytes(folder / "save/cut.dat", whole.substr(0, whole.size() - 1000));
  // Another program folder, whose "save" lacks the picture copies.
  std::filesystem::create_directories(folder / "elsewhere/save");
  // Folders in the way of the model files.
  std::filesystem::create_directory(folder / "out/in-the-way.glb");
  std::filesystem::create_directory(folder / "out/in-the-way.obj");
  std::filesystem::create_directory(folder / "out/in-the-way.json");
  const std::vector<std::string> before = filesUnder(folder / "out");

  const struct {
    const char* args;
    const char* says;
  } failures[] = {
      {"--program-dir . save/none.dat out/a.glb", "save/none.dat"},
      {"--program-dir . save/cut.dat out/a.glb", "データファイルが壊れています！"},
      {"--program-dir . save/cut.dat out/a.obj", "save/cut.dat"},
      {"--program-dir elsewhere save/leaf.dat out/a.obj", "leaf.bmp"},
      {"--program-dir . save/leaf.dat out/missing/a.glb", "out/missing/a.glb"},
      {"--program-dir . save/leaf.dat out/in-the-way.glb", "out/in-the-way.glb"},
      {"--program-dir . save/leaf.dat out/in-the-way.obj", "out/in-the-way.obj"},
      {"--program-dir . save/leaf.dat out/in-the-way.png", "out/in-the-way.json"},
  };
  for (const auto& failure : failures) {
    SCOPED_TRACE(failure.args);
    const ExportRun result = run(failure.args);
    expectOneLine(result, 1);
    EXPECT_NE(result.err.find(failure.says), std::string::npos) << result.err;
    EXPECT_EQ(filesUnder(folder / "out"), before);
  }
}

// Pictures become parts as the add-picture button makes them with the same
// slider positions: the model is the very one the program's menu writes.
TEST_F(ExportCommand, PicturesMakeTheModelTheButtonAndMenuMake) {
  SaveBitmapFile(folder / "obj/blob.bmp",
                 test::DiscPicture(50, 80, 25, 30, 20, 0xC04020, 0xFFFFFF));
  const test::BatchRun made =
      test::RunBatch(folder.Path(),
                     "set TrackBar1 5\nset TrackBar2 14\nset TrackBar6 -3\nset TrackBar4 12\n"
                     "set TrackBar5 7\nset TrackBar3 6\ncheck CheckBox2 1\ncheck CheckBox1 1\n"
                     "answer obj/leaf.bmp\nclick Button1\nanswer obj/blob.bmp\nclick Button1\n"
                     "answer pic_hozon/both.glb\nclick Export3D\n");
  ASSERT_EQ(made.status, 0) << made.out;
  const std::string copy = ReadFileBytes(folder / "save/blob.bmp2");
  std::filesystem::remove(folder / "save/blob.bmp2");

  const ExportRun result =
      run("--program-dir . --polygon-size 5 --bulge 14 -3 --stretch 12 7 --ears 6 --square "
          "--colour-projection obj/leaf.bmp obj/blob.bmp out/both.glb");
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out + result.err, "");
  EXPECT_TRUE(ReadFileBytes(folder / "out/both.glb") ==
              ReadFileBytes(folder / "pic_hozon/both.glb"));
  EXPECT_TRUE(ReadFileBytes(folder / "save/blob.bmp2") == copy);
}

TEST_F(ExportCommand, AnUnreadablePictureIsNamedAndNothingIsWritten) {
  WriteFileBytes(folder / "obj/broken.png", "\x89PNG\r\n\x1a\n cut short");
  // A picture not built before comes first: its copies would be new.
  SaveBitmapFile(folder / "obj/bud.bmp", test::DiscPicture(30, 30, 15, 15, 12, 0x40A020, 0xFFFFFF));
  const std::vector<std::string> saved = filesUnder(folder / "save");
  for (const char* picture : {"obj/broken.png", "obj/missing.bmp"}) {
    SCOPED_TRACE(picture);
    const ExportRun result =
        run(std::string("--program-dir . obj/bud.bmp ") + picture + " out/a.glb");
    expectOneLine(result, 1);
    EXPECT_NE(result.err.find(picture), std::string::npos) << result.err;
    EXPECT_TRUE(filesUnder(folder / "out").empty());
    EXPECT_EQ(filesUnder(folder / "save"), saved);
  }
}

}  // namespace
}  // namespace puffel
