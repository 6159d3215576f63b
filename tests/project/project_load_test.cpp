#include "project/project_load.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "platform/bmp_file.h"
#include "platform/canvas.h"
#include "platform/paths.h"
#include "project/project_layout.h"
#include "support/scripted_app.h"
#include "support/test_pictures.h"

namespace puffel {
namespace {

using test::ScriptedApp;

// A project file put together field by field from the layout table.
class ProjectBytes {
 public:
  void byte(uint8_t value) { bytes += static_cast<char>(value); }
  void int32(int32_t value) { little(static_cast<uint32_t>(value), 4); }
  void real(double value) { little(std::bit_cast<uint64_t>(value), 8); }
  void put(size_t offset, int32_t value) {
    for (int b = 0; b < 4; ++b) bytes[offset + b] = static_cast<char>(value >> (8 * b));
  }

  std::string bytes;

 private:
  void little(uint64_t bits, int count) {
    for (int b = 0; b < count; ++b) byte(static_cast<uint8_t>(bits >> (8 * b)));
  }
};

constexpr size_t Record = 10416;
const char* const WindowsPath = "C:\\Users\\a\\obj\\cat.bmp";

// The value a hand-made vertex stores in field f.
double vertexValue(int i, int j, int f) { return 100 * i + 10 * j + f + 0.5; }

// One part of a 3 x 2 grid in the 3D view, light behind, its picture saved
// on Windows; the marks sit at the edges of their ranges.
ProjectBytes handMadeProject(int nx = 3, int ny = 2) {
  ProjectBytes file;
  file.int32(1);
  file.byte(1);
  for (int32_t mark : {79, 40, 40, 1, 0, 1, 78, 79, 39, 50}) file.int32(mark);
  file.byte(1);
  const std::string path = WindowsPath;
  for (int slot = 0; slot < 32; ++slot) {
    for (int b = 0; b < 256; ++b) {
      file.byte(slot == 0 && b < static_cast<int>(path.size()) ? path[b] : slot == 5 ? 'x' : 0);
    }
  }
  for (int r = 0; r < 33; ++r) {
    for (int c = 0; c < 33; ++c) {
      file.byte(r == 1 && c == 0);  // part 0 is a root
      file.byte(r == 1 && c == 0);
    }
  }
  const double frame[12] = {-10, 20, 0, -9, 20, 0.5, -10, 21, 0, -10.25, 20, 1};
  for (double value : frame) file.real(value);
  for (double value : {-30.0, -25.0, -10.0, 20.0}) file.real(value);
  file.int32(nx);
  file.int32(ny);
  for (int i = 0; i < nx; ++i) {
    for (int j = 0; j < ny; ++j) {
      for (int f = 0; f < 9; ++f) file.real(vertexValue(i, j, f));
    }
  }
  return file;
}

// The picture copies of cat.bmp: copy 3 is 6 x 4; copy 2 was edited to 3 x 2.
void writeCatCopies(const std::string& saveFolder) {
  Bitmap front(6, 4);
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 6; ++x) front.Row(y)[x] = 0x010000 * x + y;
  }
  Bitmap mask(3, 2);
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 3; ++x) mask.Row(y)[x] = 0x10 * x + y;
  }
  SaveBitmapFile(saveFolder + "cat.bmp1", test::SolidPicture(6, 4, 0x112233));
  SaveBitmapFile(saveFolder + "cat.bmp2", mask);
  SaveBitmapFile(saveFolder + "cat.bmp3", front);
  SaveBitmapFile(saveFolder + "cat.bmp4", test::SolidPicture(6, 4, 0x445566));
}

void load(ScriptedApp& program, const std::string& path) {
  program.Answer(path);
  program.Dispatch([&] { program.form1().SpeedButton5.Click(); });
}

TEST(ProjectLoad, HandMadeFileWithAWindowsPathLoadsEveryField) {
  ScriptedApp program;
  program.AddPicture(test::DiscPicture(60, 60, 30, 30, 25, 0xFF0000, 0xFFFFFF), "a.bmp");
  program.AddPicture(test::DiscPicture(60, 60, 30, 30, 25, 0x00FF00, 0xFFFFFF), "b.bmp");
  writeCatCopies(program.folder() / "save/");
  const std::string path = program.folder() / "save/cat.dat";
  WriteFileBytes(path, handMadeProject().bytes);
  load(program, path);
  ASSERT_TRUE(program.errors.empty()) << program.errors[0];
  ASSERT_TRUE(program.messages.empty());

  const Scene& scene = program.scene();
  EXPECT_EQ(program.form1().OpenDialog1.initialDir, program.folder() / "save");
  EXPECT_EQ(scene.PartCount, 1);
  EXPECT_TRUE(scene.View3D);
  EXPECT_TRUE(scene.LightBehind);
  EXPECT_EQ(scene.LightMarkX, 79);
  EXPECT_EQ(scene.FadeMarkY, 50);
  EXPECT_EQ(scene.LightDirX, 0.975);
  EXPECT_EQ(scene.LightDirZ, std::sqrt(1 - 0.975 * 0.975));
  EXPECT_EQ(scene.DiffuseSharpness, 0);
  EXPECT_EQ(scene.SpecularGain, 0);
  EXPECT_EQ(scene.FadeStart, -1);
  const uint32_t colour = CanvasPixel(scene.LightPickerBitmap, 54, 15);
  EXPECT_EQ(scene.LightBlue, static_cast<int>(colour >> 16));
  EXPECT_EQ(PartFilePath(scene, 0), WindowsPath);
  EXPECT_EQ(PartFilePath(scene, 5), std::string(256, 'x'));
  EXPECT_EQ(PartFilePath(scene, 1), "");
  EXPECT_EQ(scene.ParentMatrix[1][0], 1);
  EXPECT_EQ(scene.ParentMatrix[2][0], 0);  // part b's old link is gone

  // Positions relative to the middle of the 400 x 400 view.
  const Frame& frame = scene.PartFrame[0];
  EXPECT_EQ(frame.Origin.x, 190);
  EXPECT_EQ(frame.Origin.y, 220);
  EXPECT_EQ(frame.TipX.z, 0.5);
  EXPECT_EQ(frame.TipZ.x, 189.75);
  EXPECT_EQ(scene.PartOffsetX[0], 170);
  EXPECT_EQ(scene.PartOffsetY[0], 175);
  EXPECT_EQ(scene.PartPosX[0], 190);
  EXPECT_EQ(scene.PartPosY[0], 220);

  // The mesh, and zero in every cell the file does not hold.
  EXPECT_EQ(scene.GridColumns[0], 3);
  EXPECT_EQ(scene.GridRows[0], 2);
  EXPECT_EQ(scene.MaxGridColumns, 4);
  EXPECT_EQ(scene.MaxGridRows, 3);
  const auto fields = VertexFields(scene);
  for (int f = 0; f < 9; ++f) {
    for (int i = 0; i <= 3; ++i) {
      for (int j = 0; j <= 2; ++j) {
        const double expected = i < 3 && j < 2 ? vertexValue(i, j, f) : 0;
        EXPECT_EQ((*fields[f])[0][i][j], expected) << f << " " << i << " " << j;
      }
    }
  }

  // The copies by the file-name part of the Windows path; the mask scaled up.
  EXPECT_EQ(scene.PartCutout[0], test::SolidPicture(6, 4, 0x112233));
  EXPECT_EQ(scene.PartBackPicture[0], test::SolidPicture(6, 4, 0x445566));
  EXPECT_EQ(scene.PartPicture[0].Row(3)[5], 0x050003u);
  ASSERT_EQ(scene.PartMask[0].Width(), 6);
  EXPECT_EQ(scene.PartMask[0].Row(3)[5], 0x21u);  // from (5 * 3 / 6, 3 * 2 / 4)
  EXPECT_EQ(scene.PartMask[0].Row(1)[1], 0x00u);
}

TEST(ProjectLoad, SaveThenLoadRestoresEveryMeshValueAndLink) {
  ScriptedApp program;
  TForm1& form1 = program.form1();
  program.AddPicture(test::DiscPicture(90, 70, 45, 35, 30, 0x2080C0, 0xFFFFFF), "body.bmp");
  program.form1().TrackBar1.SetPosition(5);
  program.AddPicture(test::DiscPicture(40, 50, 20, 25, 18, 0xC08020, 0x000000), "arm.bmp");
  program.AddPicture(test::DiscPicture(30, 30, 15, 15, 12, 0x20C080, 0xFFFFFF), "hand.bmp");
  Scene& scene = program.scene();
  ASSERT_EQ(scene.PartCount, 3);
  ASSERT_EQ(scene.ParentMatrix[3][2], 1);  // hand on arm on body
  form1.Button4Click();
  Frame& pose = scene.PartFrame[1];
  pose.TipX = {pose.Origin.x + std::cos(0.3), pose.Origin.y + std::sin(0.3), 0.1};
  scene.PartPosX[2] += 0.3;
  form1.FormMouseDown(MouseButton::Right, {.right = true}, 30, 40);

  program.Answer(program.folder() / "save/pose.dat");
  program.Dispatch([&] { form1.SpeedButton4.Click(); });
  const Scene saved = scene;
  form1.SpeedButton2Click();
  program.AddPicture(test::DiscPicture(120, 20, 60, 10, 9, 0x808080, 0xFFFFFF), "long.bmp");
  form1.FormMouseDown(MouseButton::Left, {.left = true}, 30, 40);

  load(program, program.folder() / "save/pose.dat");
  ASSERT_TRUE(program.errors.empty());
  EXPECT_EQ(scene.PartCount, 3);
  EXPECT_TRUE(scene.View3D);
  EXPECT_EQ(scene.ParentMatrix, saved.ParentMatrix);
  EXPECT_EQ(scene.AncestorMatrix, saved.AncestorMatrix);
  EXPECT_EQ(scene.LightMarkX, saved.LightMarkX);
  EXPECT_EQ(scene.ColorMarkX, saved.ColorMarkX);
  EXPECT_EQ(scene.LightRed, saved.LightRed);
  EXPECT_EQ(scene.LightGreen, saved.LightGreen);
  for (int p = 0; p < 3; ++p) {
    SCOPED_TRACE(p);
    EXPECT_EQ(scene.GridColumns[p], saved.GridColumns[p]);
    EXPECT_EQ(scene.GridRows[p], saved.GridRows[p]);
    EXPECT_EQ(scene.PartPicture[p], saved.PartPicture[p]);
    EXPECT_EQ(scene.PartMask[p], saved.PartMask[p]);
    EXPECT_DOUBLE_EQ(scene.PartPosX[p], saved.PartPosX[p]);
    EXPECT_DOUBLE_EQ(scene.PartOffsetY[p], saved.PartOffsetY[p]);
    EXPECT_DOUBLE_EQ(scene.PartFrame[p].TipX.y, saved.PartFrame[p].TipX.y);
    EXPECT_DOUBLE_EQ(scene.PartFrame[p].TipX.z, saved.PartFrame[p].TipX.z);
    for (int i = 0; i < scene.GridColumns[p]; ++i) {
      for (int j = 0; j < scene.GridRows[p]; ++j) {
        ASSERT_EQ(std::bit_cast<uint64_t>(scene.FrontZ[p][i][j]),
                  std::bit_cast<uint64_t>(saved.FrontZ[p][i][j]));
        ASSERT_EQ(scene.TexU[p][i][j], saved.TexU[p][i][j]);
        ASSERT_EQ(scene.GridState[p][i][j], saved.GridState[p][i][j]);
        ASSERT_EQ(scene.BackY[p][i][j], saved.BackY[p][i][j]);
      }
    }
  }
}

TEST(ProjectLoad, RefusesEveryTruncation) {
  const std::string whole = handMadeProject().bytes;
  ASSERT_NO_THROW(DecodeProject(whole, 400, 400));
  for (size_t size = 0; size < whole.size(); ++size) {
    EXPECT_THROW(DecodeProject(std::string_view(whole).substr(0, size), 400, 400), DamagedProject)
        << size;
  }
}

TEST(ProjectLoad, RefusesCountsFlagsAndMarksOutOfRange) {
  struct Fault {
    size_t offset;
    int32_t value;
    bool oneByte;
  };
  const Fault faults[] = {
      {0, -1, false},
      {0, 33, false},
      {4, 2, true},
      {45, 2, true},
      {5, 80, false},
      {17, 0, false},
      {13, 80, false},
      {21, -1, false},
      {21, 79, false},
      {25, 0, false},
      {25, 80, false},
      {33, 80, false},
      {37, 79, false},
      {41, 0, false},
      {8238 + 2, 2, true},
      {8238 + 3, 255, true},
      {8238 + 2177, 2, true},
      {Record + 128, 0, false},
      {Record + 128, -3, false},
      {Record + 128, 65537, false},
      {Record + 132, 0, false},
      {Record + 132, 65537, false},
  };
  for (const Fault& fault : faults) {
    ProjectBytes file = handMadeProject();
    if (fault.oneByte) {
      file.bytes[fault.offset] = static_cast<char>(fault.value);
    } else {
      file.put(fault.offset, fault.value);
    }
    EXPECT_THROW(DecodeProject(file.bytes, 400, 400), DamagedProject) << fault.offset;
  }
  ProjectBytes huge = handMadeProject();  // over 2^25 cells
  huge.put(Record + 128, 8192);
  huge.put(Record + 132, 4097);
  EXPECT_THROW(DecodeProject(huge.bytes, 400, 400), DamagedProject);
}

// Every part gets the largest width and height of all: a wide part and a tall
// one make a mesh of their product per part, from a file of their sum.
TEST(ProjectLoad, RefusesWideAndTallGridsThatMakeAnAbsurdMeshTogether) {
  ProjectBytes file = handMadeProject(1025, 1);
  file.put(0, 32);
  for (int p = 1; p < 32; ++p) {
    for (int b = 0; b < 128; ++b) file.byte(0);
    file.int32(1);
    file.int32(p == 1 ? 1025 : 1);
    for (int v = 0; v < 9 * (p == 1 ? 1025 : 1); ++v) file.real(0);
  }
  // 32 x 1025 x 1025 cells from a file of 2 x 1025 + 30 vertices.
  EXPECT_THROW(DecodeProject(file.bytes, 400, 400), DamagedProject);
}

// One large part and small ones, as a scene of a figure and its props is:
// the mesh is 32 times the large part, which the file holds, so it loads.
TEST(ProjectLoad, TakesALargePartAmongSmallOnesThoughTheMeshIsLarge) {
  ProjectBytes file = handMadeProject(1025, 1025);
  file.put(0, 32);
  for (int p = 1; p < 32; ++p) {
    for (int b = 0; b < 128; ++b) file.byte(0);
    file.int32(1);
    file.int32(1);
    for (int v = 0; v < 9; ++v) file.real(0);
  }
  // 32 x 1026 x 1026 cells, over 2^25.
  const std::unique_ptr<Scene> loaded = DecodeProject(file.bytes, 400, 400);
  EXPECT_EQ(loaded->PartCount, 32);
  EXPECT_EQ(loaded->MaxGridColumns, 1026);
  EXPECT_EQ(loaded->MaxGridRows, 1026);
}

TEST(ProjectLoad, TakesTheLargestSidesAndIgnoresBytesAfterTheLastRecord) {
  ProjectBytes file = handMadeProject(65536, 1);
  file.bytes += "trailing bytes";
  const std::unique_ptr<Scene> loaded = DecodeProject(file.bytes, 301, 100);
  EXPECT_EQ(loaded->MaxGridColumns, 65537);
  EXPECT_EQ(loaded->FrontX[0][65535][0], vertexValue(65535, 0, 1));
  EXPECT_EQ(loaded->PartPosX[0], -10 + 150.5);
}

TEST(ProjectLoad, CopiesAreNamedAfterTheWholeSlotWhenItHoldsNoZero) {
  ProjectBytes file = handMadeProject();
  for (int b = 0; b < 256; ++b) file.bytes[46 + b] = 'a';
  const std::unique_ptr<Scene> loaded = DecodeProject(file.bytes, 400, 400);
  std::vector<std::string> names;
  ReadPictureCopies(*loaded, [&](const std::string& name, Bitmap& picture) {
    names.push_back(name);
    picture = test::SolidPicture(2, 2, 0);
  });
  const std::string slot(256, 'a');
  EXPECT_EQ(names, (std::vector<std::string>{slot + "1", slot + "2", slot + "3", slot + "4"}));
}

// A refused or failed load leaves the scene as it was, pictures included.
TEST(ProjectLoad, FailedLoadsChangeNothing) {
  ScriptedApp program;
  program.AddPicture(test::DiscPicture(60, 60, 30, 30, 25, 0xFF0000, 0xFFFFFF), "a.bmp");
  Scene& scene = program.scene();
  const Scene before = scene;
  const auto unchanged = [&] {
    EXPECT_EQ(scene.PartCount, 1);
    EXPECT_FALSE(scene.View3D);
    EXPECT_EQ(scene.LightMarkX, 40);
    EXPECT_EQ(scene.GridColumns[0], before.GridColumns[0]);
    EXPECT_EQ(scene.MaxGridColumns, before.MaxGridColumns);
    EXPECT_EQ(scene.FrontZ[0][4][4], before.FrontZ[0][4][4]);
    EXPECT_EQ(scene.PartFileName, before.PartFileName);
    EXPECT_EQ(scene.PartPicture[0], before.PartPicture[0]);
    EXPECT_EQ(scene.PartPosX[0], before.PartPosX[0]);
  };
  const std::string saveFolder = program.folder() / "save/";
  writeCatCopies(saveFolder);

  const std::string whole = handMadeProject().bytes;
  WriteFileBytes(saveFolder + "short.dat", whole.substr(0, whole.size() - 1));
  load(program, saveFolder + "short.dat");
  ASSERT_EQ(program.messages, std::vector<std::string>{"データファイルが壊れています！"});
  EXPECT_TRUE(program.errors.empty());
  unchanged();

  std::filesystem::remove(saveFolder + "cat.bmp4");
  WriteFileBytes(saveFolder + "cat.dat", whole);
  load(program, saveFolder + "cat.dat");
  EXPECT_EQ(program.errors.size(), 1u);
  EXPECT_NE(program.errors[0].find("cat.bmp4"), std::string::npos);
  unchanged();

  program.Answer(std::nullopt);
  program.Dispatch([&] { program.form1().SpeedButton5.Click(); });
  load(program, saveFolder + "none.dat");
  EXPECT_EQ(program.messages.size(), 1u);
  EXPECT_EQ(program.errors.size(), 1u);
  unchanged();
}

}  // namespace
}  // namespace puffel
