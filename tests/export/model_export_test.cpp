// The export as the user reaches it: the menu entry with its dialog and
// messages, the file names, refusals and failed writes, and puffel-batch's
// "click Export3D".
#include "export/model_export.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <cstring>
#include <filesystem>
#include <memory>
#include <optional>

#include "export/closed_shells.h"
#include "export/export_refusal.h"
#include "export/posed_figures.h"
#include "platform/bmp_file.h"
#include "platform/paths.h"
#include "platform/services.h"
#include "support/run_command.h"

namespace puffel {
namespace {

std::vector<std::string> filesIn(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

TEST(ModelExport, FileNamesFollowTheirExtensionOrTheChosenFilter) {
  EXPECT_EQ(ModelFilePath("a/fig.glb", 2), "a/fig.glb");
  EXPECT_EQ(ModelFilePath("a/fig.GLB", 1), "a/fig.GLB");
  EXPECT_EQ(ModelFilePath("a/fig.Obj", 1), "a/fig.Obj");
  EXPECT_EQ(ModelFilePath("a/fig", 1), "a/fig.glb");
  EXPECT_EQ(ModelFilePath("a/fig", 2), "a/fig.obj");
  EXPECT_EQ(ModelFilePath("a/fig.png", 1), "a/fig.png.glb");
  EXPECT_EQ(ModelFilePath("a.obj/fig", 1), "a.obj/fig.glb");
  EXPECT_EQ(ModelFilePath("a/fig", 3), "a/fig.stl");
  EXPECT_EQ(ModelFilePath("a/fig", 4), "a/fig.3mf");
  EXPECT_EQ(ModelFilePath("a/fig.3MF", 1), "a/fig.3MF");
  EXPECT_EQ(FormatOfPath("fig.oBJ"), ModelFormat::Obj);
  EXPECT_EQ(FormatOfPath("fig.sTl"), ModelFormat::Stl);
  EXPECT_EQ(FormatOfPath("fig.3Mf"), ModelFormat::ThreeMf);
  EXPECT_EQ(FormatOfPath("fig.glb"), ModelFormat::Glb);
  EXPECT_EQ(GifFilePath("a/anim.GiF"), "a/anim.GiF");
  EXPECT_EQ(GifFilePath("a.gif/anim"), "a.gif/anim.gif");
}

TEST(ModelExport, MenuEntryAsksWhereAndWritesTheChosenFormat) {
  auto program = test::FigureProgram();
  const std::string folder = program->folder() / "pic_hozon/";
  FileDialog seen(DialogKind::Open, "");
  PlatformServices().runFileDialog = [&](FileDialog& dialog) {
    seen = dialog;
    dialog.fileName = folder + "figure";
    dialog.filterIndex = 2;
    return true;
  };
  program->Dispatch([&] { program->form1().Export3D.Click(); });
  EXPECT_EQ(seen.kind, DialogKind::Save);
  EXPECT_EQ(seen.initialDir, program->folder() / "pic_hozon");
  EXPECT_EQ(seen.filter,
            "glTF (*.glb)|*.glb|OBJ (*.obj)|*.obj|STL (*.stl)|*.stl|3MF (*.3mf)|*.3mf");
  EXPECT_TRUE(FileExists(folder + "figure.obj"));
  EXPECT_TRUE(FileExists(folder + "figure.mtl"));
  EXPECT_TRUE(program->messages.empty());
  EXPECT_TRUE(program->errors.empty());
}

float stlTop(const std::string& path) { return test::Top(test::StlTriangles(ReadFileBytes(path))); }

// STL and 3MF ask for the height, starting at the one given last; a wrong
// answer is a message, and it and a cancel write nothing.
TEST(ModelExport, PrintFormatsAskForTheHeight) {
  auto program = test::FigureProgram();
  const std::string folder = program->folder() / "pic_hozon/";
  std::vector<std::string> starts;
  std::optional<std::string> answer;
  PlatformServices().askText = [&](const TextQuestion& question) {
    starts.push_back(question.text);
    return answer;
  };
  const struct {
    const char* name;
    int filter;
    std::optional<std::string> answer;
  } exports[] = {{"a", 3, " 250 "}, {"b", 4, "0"},        {"c", 3, "12mm"},
                 {"d", 4, {}},      {"e.STL", 1, "1000"}, {"f", 1, "7"}};
  for (const auto& e : exports) {
    answer = e.answer;
    PlatformServices().runFileDialog = [&](FileDialog& dialog) {
      dialog.fileName = folder + e.name;
      dialog.filterIndex = e.filter;
      return true;
    };
    program->Dispatch([&] { program->form1().Export3D.Click(); });
  }
  EXPECT_EQ(program->messages.size(), 2u);
  EXPECT_EQ(starts, (std::vector<std::string>{"100", "250", "250", "250", "250"}));
  EXPECT_EQ(filesIn(folder), (std::vector<std::string>{"a.stl", "e.STL", "f.glb"}));
  EXPECT_EQ(stlTop(folder + "a.stl"), 250);
  EXPECT_EQ(stlTop(folder + "e.STL"), 1000);
}

TEST(ModelExport, EmptySceneIsRefusedBeforeAnyDialog) {
  test::ScriptedApp program;
  // With no answer queued, a dialog would fail the test.
  program.Dispatch([&] { program.form1().Export3D.Click(); });
  EXPECT_EQ(program.messages, (std::vector<std::string>{"まだ画像を読み込んでいません！"}));
  EXPECT_THROW(ExportFigure(program.scene(), program.folder() / "x.glb"), ExportRefusal);
  EXPECT_TRUE(filesIn(program.folder() / "pic_hozon").empty());
}

TEST(ModelExport, CancelledDialogWritesNothing) {
  auto program = test::FigureProgram();
  program->Answer(std::nullopt);
  program->Dispatch([&] { program->form1().Export3D.Click(); });
  EXPECT_TRUE(filesIn(program->folder() / "pic_hozon").empty());
  EXPECT_TRUE(program->messages.empty());
}

TEST(ModelExport, BrokenPoseIsRefusedAndLeavesTheOldFileAlone) {
  auto program = test::FigureProgram();
  Scene& scene = program->scene();
  program->Dispatch([&] { program->form1().Button4.Click(); });
  scene.PartFrame[2].TipY.x += 0.5;  // skewed, as no drag leaves it
  const std::string path = program->folder() / "pic_hozon/figure.glb";
  WriteFileBytes(path, "old");
  for (const char* name : {"figure.glb", "figure.obj", "figure.stl", "figure.3mf"}) {
    program->Answer(program->folder() / "pic_hozon/" + name);
    program->Dispatch([&] { program->form1().Export3D.Click(); });
  }
  EXPECT_EQ(program->messages,
            (std::vector<std::string>(4, "姿勢か形が壊れているため書き出せません！")));
  EXPECT_EQ(ReadFileBytes(path), "old");
  EXPECT_EQ(filesIn(program->folder() / "pic_hozon"), (std::vector<std::string>{"figure.glb"}));
}

TEST(ModelExport, PartsWithoutFacesAloneAreRefused) {
  auto program = test::FigureProgram();
  Scene& scene = program->scene();
  for (int k = 0; k < scene.PartCount; ++k) {
    for (int i = 0; i <= scene.GridColumns[k]; ++i) {
      for (int j = 0; j <= scene.GridRows[k]; ++j) {
        if (scene.GridState[k][i][j] == 2) scene.GridState[k][i][j] = 1;
      }
    }
  }
  try {
    ExportFigure(scene, program->folder() / "pic_hozon/none.glb");
    ADD_FAILURE() << "exported a figure without faces";
  } catch (const ExportRefusal& refusal) {
    EXPECT_STREQ(refusal.what(), "書き出せる面がありません！");
  }
}

TEST(ModelExport, FailedWriteIsReportedAndLeavesNoTemporaryFile) {
  auto program = test::FigureProgram();
  program->Answer(program->folder() / "missing/figure.glb");
  program->Dispatch([&] { program->form1().Export3D.Click(); });
  ASSERT_EQ(program->errors.size(), 1u);
  EXPECT_NE(program->errors[0].find("missing/figure.glb"), std::string::npos);

  // A folder in the way of the OBJ file, or of its material library, which is
  // put in place after it, leaves none of the export's files.
  const std::string folder = program->folder() / "pic_hozon/";
  std::filesystem::create_directory(folder + "doll.obj");
  std::filesystem::create_directory(folder + "cat.mtl");
  for (const char* name : {"doll.obj", "cat.obj", "doll.glb"}) {
    program->Answer(folder + name);
    program->Dispatch([&] { program->form1().Export3D.Click(); });
  }
  EXPECT_EQ(program->errors.size(), 3u);
  EXPECT_EQ(filesIn(folder), (std::vector<std::string>{"cat.mtl", "doll.glb", "doll.obj"}));
  EXPECT_TRUE(std::filesystem::is_empty(folder + "doll.obj"));
}

TEST(ModelExport, LeavesTheSceneAsItWas) {
  auto program = test::FigureProgram();
  test::PoseFigure(*program);
  Scene& scene = program->scene();
  program->Dispatch([&] { program->form2().FormPaint(); });
  const auto frames = scene.PartFrame;
  const auto renderFrames = scene.RenderFrame;
  const Bitmap view = scene.ViewBitmap;
  ExportFigure(scene, program->folder() / "pic_hozon/figure.glb");
  ExportFigure(scene, program->folder() / "pic_hozon/figure.obj");
  EXPECT_EQ(std::memcmp(&frames, &scene.PartFrame, sizeof frames), 0);
  EXPECT_EQ(std::memcmp(&renderFrames, &scene.RenderFrame, sizeof renderFrames), 0);
  EXPECT_TRUE(view == scene.ViewBitmap);
}

test::CommandRun runBatch(const std::string& folder, const std::string& script) {
  const std::string scriptPath = folder + "script.txt";
  WriteFileBytes(scriptPath, script);
  return test::RunProgram(PUFFEL_BATCH_EXE, {"--program-dir", folder, scriptPath});
}

TEST(ModelExport, BatchClickExport3DWritesTheAnsweredPath) {
  test::ProgramFolderFixture folder;
  SaveBitmapFile(folder / "obj/cat.bmp", test::PatternDisc(120, 100, 45, 3));
  const test::CommandRun run = runBatch(folder.Path(),
                                        "click Export3D\n"
                                        "answer " +
                                            folder / "obj/cat.bmp" +
                                            "\n"
                                            "click Button1\n"
                                            "click Button4\n"
                                            "answer " +
                                            folder / "pic_hozon/cat.GLB" +
                                            "\n"
                                            "click Export3D\n"
                                            "answer " +
                                            folder / "pic_hozon/cat.png" +
                                            "\n"
                                            "click Export3D\n"
                                            "answer " +
                                            folder / "pic_hozon/cat.Obj" +
                                            "\n"
                                            "click Export3D\n"
                                            "set PrintHeight 20\n"
                                            "answer " +
                                            folder / "pic_hozon/cat.sTL" +
                                            "\n"
                                            "click Export3D\n"
                                            "answer " +
                                            folder / "pic_hozon/cat.3mF" +
                                            "\n"
                                            "click Export3D\n"
                                            "click OpenReadme\n");
  EXPECT_EQ(run.status, 0) << run.out;
  EXPECT_EQ(run.out,
            "message: まだ画像を読み込んでいません！\n"
            "message: readme.txt が見つかりません！\n");
  EXPECT_EQ(ReadFileBytes(folder / "pic_hozon/cat.GLB", 4), "glTF");
  EXPECT_EQ(ReadFileBytes(folder / "pic_hozon/cat.png.glb", 4), "glTF");
  EXPECT_EQ(ReadFileBytes(folder / "pic_hozon/cat.Obj", 14), "# Puffel figur");
  EXPECT_EQ(stlTop(folder / "pic_hozon/cat.sTL"), 20);
  EXPECT_EQ(ReadFileBytes(folder / "pic_hozon/cat.3mF", 4), "PK\x03\x04");

  WriteFileBytes(folder / "readme.txt", "Puffel\n");
  EXPECT_EQ(runBatch(folder.Path(), "click OpenReadme\n").out,
            "open: " + folder / "readme.txt" + "\n");
}

}  // namespace
}  // namespace puffel
