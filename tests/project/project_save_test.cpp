#include "project/project_save.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <filesystem>
#include <string>

#include "app/main_window.h"
#include "platform/paths.h"
#include "support/scripted_app.h"
#include "support/test_pictures.h"

namespace puffel {
namespace {

using test::ScriptedApp;

// Little-endian fields read back at their offsets, independently of the saver.
uint32_t bitsAt(const std::string& bytes, size_t offset, int count) {
  uint64_t bits = 0;
  for (int b = count - 1; b >= 0; --b)
    bits = bits << 8 | static_cast<uint8_t>(bytes.at(offset + b));
  return static_cast<uint32_t>(bits);
}
int32_t int32At(const std::string& bytes, size_t offset) {
  return static_cast<int32_t>(bitsAt(bytes, offset, 4));
}
double doubleAt(const std::string& bytes, size_t offset) {
  uint64_t bits = 0;
  for (int b = 7; b >= 0; --b) bits = bits << 8 | static_cast<uint8_t>(bytes.at(offset + b));
  return std::bit_cast<double>(bits);
}

// A part whose square grid at polygon size 8 has 10 x 8 steps.
void addTenByEightPart(ScriptedApp& program) {
  program.form1().CheckBox2.SetChecked(true);
  program.AddPicture(test::DiscPicture(70, 60, 35, 30, 24, 0x20A040, 0xFFFFFF), "leaf.bmp");
  ASSERT_EQ(program.scene().GridColumns[0], 10);
  ASSERT_EQ(program.scene().GridRows[0], 8);
}

std::string save(ScriptedApp& program, const std::string& name) {
  program.Answer(program.folder() / ("save/" + name));
  program.Dispatch([&] { program.form1().SpeedButton4.Click(); });
  return program.folder() / ("save/" + name);
}

TEST(ProjectSave, OnePartOfTenByEightStepsTakes16312BytesAtTheirOffsets) {
  ScriptedApp program;
  addTenByEightPart(program);
  const Scene& scene = program.scene();
  const std::string bytes = ReadFileBytes(save(program, "one.dat"));
  ASSERT_EQ(bytes.size(), 16312u);

  EXPECT_EQ(int32At(bytes, 0), 1);
  EXPECT_EQ(bytes[4], 0);  // flat view
  const int32_t marks[] = {40, 40, 40, 40, 40, 4, 4, 4, 40, 28};
  for (int m = 0; m < 10; ++m) EXPECT_EQ(int32At(bytes, 5 + 4 * m), marks[m]) << m;
  EXPECT_EQ(bytes[45], 0);
  const std::string path = PartFilePath(scene, 0);
  EXPECT_EQ(bytes.substr(46, path.size()), path);
  const size_t slotsEnd = 46 + 32 * 256;  // the rest of the 32 slots is zero
  EXPECT_EQ(bytes.substr(46 + path.size(), slotsEnd - 46 - path.size()),
            std::string(slotsEnd - 46 - path.size(), '\0'));

  // Interleaved skeleton: [r][c] of ParentMatrix, then of AncestorMatrix; only
  // the root link of part 0 is set in both.
  std::string skeleton(2 * 33 * 33, '\0');
  skeleton[2 * (33 * 1 + 0)] = 1;
  skeleton[2 * (33 * 1 + 0) + 1] = 1;
  EXPECT_EQ(bytes.substr(8238, 2178), skeleton);

  // The part record, positions relative to the middle of the 400 x 400 view.
  const size_t record = 10416;
  const double frame[12] = {0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1};
  for (int f = 0; f < 12; ++f) EXPECT_EQ(doubleAt(bytes, record + 8 * f), frame[f]) << f;
  EXPECT_EQ(doubleAt(bytes, record + 96), (400 - 70) / 2 - 200.0);
  EXPECT_EQ(doubleAt(bytes, record + 104), (400 - 60) / 2 - 200.0);
  EXPECT_EQ(doubleAt(bytes, record + 112), 0);
  EXPECT_EQ(doubleAt(bytes, record + 120), 0);
  EXPECT_EQ(int32At(bytes, record + 128), 10);
  EXPECT_EQ(int32At(bytes, record + 132), 8);
  const Table3D<double>* const tables[] = {&scene.GridState, &scene.FrontX, &scene.FrontY,
                                           &scene.FrontZ,    &scene.BackX,  &scene.BackY,
                                           &scene.BackZ,     &scene.TexU,   &scene.TexV};
  size_t at = record + 136;
  for (int i = 0; i < 10; ++i) {
    for (int j = 0; j < 8; ++j) {
      for (const Table3D<double>* table : tables) {
        EXPECT_EQ(std::bit_cast<uint64_t>(doubleAt(bytes, at)),
                  std::bit_cast<uint64_t>((*table)[0][i][j]));
        at += 8;
      }
    }
  }
  EXPECT_EQ(at, bytes.size());
}

TEST(ProjectSave, PositionsAreRelativeToTheRealHalfOfTheView) {
  ScriptedApp program;
  program.Dispatch([&] { program.form2().ReportClientSize(301, 200); });
  addTenByEightPart(program);
  program.scene().View3D = true;
  program.scene().LightBehind = true;
  const std::string bytes = ReadFileBytes(save(program, "odd.dat"));
  EXPECT_EQ(bytes[4], 1);
  EXPECT_EQ(bytes[45], 1);
  EXPECT_EQ(doubleAt(bytes, 10416), 150 - 150.5);  // Origin.x
  EXPECT_EQ(doubleAt(bytes, 10416 + 8), 100 - 100.0);
  EXPECT_EQ(doubleAt(bytes, 10416 + 112), 150 - 150.5);  // PartPosX
}

TEST(ProjectSave, NamesEndInDotDat) {
  EXPECT_EQ(ProjectFilePath("a/scene"), "a/scene.dat");
  EXPECT_EQ(ProjectFilePath("a/scene.dat"), "a/scene.dat");
  EXPECT_EQ(ProjectFilePath("a/scene.DAT"), "a/scene.DAT");
  EXPECT_EQ(ProjectFilePath("a/scene.Dat"), "a/scene.Dat.dat");
  EXPECT_EQ(ProjectFilePath("dat"), "dat.dat");

  ScriptedApp program;
  addTenByEightPart(program);
  save(program, "plain");
  EXPECT_TRUE(FileExists(program.folder() / "save/plain.dat"));
  EXPECT_FALSE(FileExists(program.folder() / "save/plain"));
  const FileDialog& dialog = program.form1().SaveDialog1;
  EXPECT_EQ(dialog.initialDir, program.folder() / "save");
  EXPECT_EQ(dialog.filterIndex, 2);
  EXPECT_EQ(dialog.filter, "ﾃﾞｰﾀﾌｧｲﾙ (*.dat)|*.dat");
}

TEST(ProjectSave, NothingToSaveWithoutParts) {
  ScriptedApp program;
  // No answer is queued: the message must come before any dialog.
  program.Dispatch([&] { program.form1().SpeedButton4.Click(); });
  ASSERT_EQ(program.messages.size(), 1u);
  EXPECT_EQ(program.messages[0], "まだ画像を読み込んでいません！");
}

TEST(ProjectSave, CancelledDialogWritesNothing) {
  ScriptedApp program;
  addTenByEightPart(program);
  const auto before = std::distance(std::filesystem::directory_iterator(program.folder() / "save"),
                                    std::filesystem::directory_iterator());
  program.Answer(std::nullopt);
  program.Dispatch([&] { program.form1().SpeedButton4.Click(); });
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(program.folder() / "save"),
                          std::filesystem::directory_iterator()),
            before);
  EXPECT_TRUE(program.errors.empty());
}

// A file that cannot be written is reported, and the scene stays as it was.
TEST(ProjectSave, FailedWriteIsReportedAndChangesNothing) {
  ScriptedApp program;
  addTenByEightPart(program);
  const Scene& scene = program.scene();
  const double frontZ = scene.FrontZ[0][4][4];
  std::filesystem::create_directory(program.folder() / "save/taken.dat");
  save(program, "taken.dat");
  EXPECT_EQ(program.errors.size(), 1u);
  EXPECT_TRUE(std::filesystem::is_directory(program.folder() / "save/taken.dat"));
  save(program, "missing/deeper.dat");
  EXPECT_EQ(program.errors.size(), 2u);
  EXPECT_EQ(scene.PartCount, 1);
  EXPECT_EQ(scene.FrontZ[0][4][4], frontZ);
  EXPECT_EQ(scene.PartPosX[0], 200);
}

}  // namespace
}  // namespace puffel
