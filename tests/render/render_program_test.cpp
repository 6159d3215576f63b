// The 3D view in the running program: parts added through the add-picture
// button, shown by "2D<－>3D", redrawn by the part window's events.
#include <gtest/gtest.h>

#include <numbers>
#include <sstream>

#include "app/part_window.h"
#include "batch/script_runner.h"
#include "platform/bmp_file.h"
#include "render/plain_pass.h"
#include "render/render_scene.h"
#include "render/test_scenes.h"
#include "support/scripted_app.h"
#include "support/temp_folder.h"
#include "support/test_pictures.h"

namespace puffel {
namespace {

using test::ScriptedApp;

constexpr uint32_t White = 0xFFFFFF;

int ownedPixels(const Scene& scene) {
  int count = 0;
  for (int y = 0; y < scene.ViewHeight; ++y) {
    for (int x = 0; x < scene.ViewWidth; ++x) count += scene.OwnerBuffer(x, y) >= 0;
  }
  return count;
}

// The view the program shows against the plain pass over the same scene.
void expectSameAsPlainPass(ScriptedApp& program) {
  const Scene shown = program.scene();
  Scene plain = shown;
  test::PlainDrawScene3D(plain);
  EXPECT_EQ(test::ViewDifference(shown, plain), "");
  EXPECT_EQ(program.form2().Surface(), shown.ViewBitmap);
}

TEST(RenderProgram, BuiltPartsShowAsTheyWouldInThePlainPass) {
  ScriptedApp program;
  program.AddPicture(test::DiscPicture(120, 90, 60, 45, 40, 0x3080F0, White), "a.bmp");
  Bitmap second = test::DiscPicture(80, 80, 40, 40, 36, 0xF04010, White);
  test::PaintBlock(second, 30, 10, 50, 70, 0x20C020);
  program.AddPicture(second, "b.bmp");
  program.form1().TrackBar1.SetPosition(3);
  program.AddPicture(test::DiscPicture(60, 100, 30, 50, 28, 0xE0E040, 0x000000), "c.bmp");
  program.form1().Button4.Click();
  ASSERT_TRUE(program.scene().View3D);
  EXPECT_GT(ownedPixels(program.scene()), 3000);
  expectSameAsPlainPass(program);

  Scene& scene = program.scene();
  test::TurnFrame(scene.PartFrame[0], 1, 0, 0, std::numbers::pi / 6);
  test::TurnFrame(scene.PartFrame[0], 0, 1, 0, std::numbers::pi / 6);
  test::TurnFrame(scene.PartFrame[2], 0, 1, 0, std::numbers::pi);
  test::ScaleFrame(scene.PartFrame[1], 1.5);
  program.form2().FormPaint();
  expectSameAsPlainPass(program);
}

TEST(RenderProgram, DoubleClickIn3DSwitchesBetweenFilledAndOutlineDrawing) {
  ScriptedApp program;
  program.AddPicture(test::DiscPicture(100, 100, 50, 50, 45, 0x3080F0, White));
  program.form1().Button4.Click();
  const Scene& scene = program.scene();
  const Bitmap filled = scene.ViewBitmap;
  ASSERT_GT(ownedPixels(scene), 1000);

  program.Dispatch([&] { program.form2().FormDblClick(); });
  EXPECT_TRUE(scene.OutlineMode);
  EXPECT_EQ(ownedPixels(scene), 0);  // outlines leave the buffers empty
  int white = 0;
  for (int y = 0; y < 400; ++y) {
    for (int x = 0; x < 400; ++x) {
      const uint32_t p = scene.ViewBitmap.Row(y)[x];
      ASSERT_TRUE(p == 0 || p == White) << x << ", " << y;
      white += p == White;
    }
  }
  EXPECT_GT(white, 1000);
  EXPECT_EQ(program.form2().Surface(), scene.ViewBitmap);

  program.Dispatch([&] { program.form2().FormDblClick(); });
  EXPECT_FALSE(scene.OutlineMode);
  EXPECT_EQ(scene.ViewBitmap, filled);
  EXPECT_EQ(program.form2().Surface(), filled);
}

TEST(RenderProgram, EventScriptSnapshotsOfThe3DViewMatchThePlainPass) {
  const Bitmap first = test::DiscPicture(120, 90, 60, 45, 40, 0x3080F0, White);
  Bitmap second = test::DiscPicture(80, 80, 40, 40, 36, 0xF04010, White);
  test::PaintBlock(second, 30, 10, 50, 70, 0x20C020);
  test::ProgramFolderFixture folder;
  SaveBitmapFile(folder / "obj/a.bmp", first);
  SaveBitmapFile(folder / "obj/b.bmp", second);
  std::istringstream script("answer " + folder.Path() + "obj/a.bmp\nclick Button1\n" +
                            "set TrackBar1 4\n" + "answer " + folder.Path() +
                            "obj/b.bmp\nclick Button1\n" + "click Button4\n" + "snapshot form2 " +
                            folder.Path() + "filled.bmp\n" + "dblclick form2 10 10\n" +
                            "snapshot form2 " + folder.Path() + "outline.bmp\n");
  std::ostringstream out;
  std::ostringstream err;
  ASSERT_EQ(RunScript(script, out, err, folder.Path()), 0) << err.str();

  // The same steps, drawn by the plain pass.
  ScriptedApp program;
  program.AddPicture(first, "a.bmp");
  program.form1().TrackBar1.SetPosition(4);
  program.AddPicture(second, "b.bmp");
  program.form1().Button4.Click();
  Scene plain = program.scene();
  test::PlainDrawScene3D(plain);
  Bitmap snapshot;
  LoadBitmapFile(folder / "filled.bmp", snapshot);
  EXPECT_EQ(snapshot, plain.ViewBitmap);
  EXPECT_GT(ownedPixels(plain), 3000);
  plain.OutlineMode = true;
  test::PlainDrawScene3D(plain);
  LoadBitmapFile(folder / "outline.bmp", snapshot);
  EXPECT_EQ(snapshot, plain.ViewBitmap);
}

}  // namespace
}  // namespace puffel
