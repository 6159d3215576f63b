// Parts from PNG, JPEG and GIF pictures, and what their transparency makes.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/bmp_file.h"
#include "platform/paths.h"
#include "project/project_layout.h"
#include "support/image_magick.h"
#include "support/picture_encoders.h"
#include "support/scripted_app.h"
#include "support/test_pictures.h"

namespace puffel {
namespace {

using test::Bytes;
using test::ScriptedApp;

constexpr uint32_t Ink1 = 0xC03020;
constexpr uint32_t Ink2 = 0x2080E0;
constexpr uint32_t Green = 0x00FF00;

std::string writeObj(ScriptedApp& program, const std::string& name, const Bytes& bytes) {
  const std::string path = program.folder() / ("obj/" + name);
  WriteFileBytes(path, std::string(bytes.begin(), bytes.end()));
  return path;
}

void add(ScriptedApp& program, const std::string& path) {
  program.Answer(path);
  program.Dispatch([&] { program.form1().Button1.Click(); });
}

// The checker disc on green, and the same disc in a PNG whose other pixels
// are less than half opaque, with colours from seed under them (pixel (0, 0)'s
// given, the rest drawn at random).
Bitmap discOnGreen() {
  Bitmap picture = test::CheckerDiscPicture(40, 15, Ink1, Ink2);
  for (int y = 0; y < picture.Height(); ++y) {
    for (int x = 0; x < picture.Width(); ++x) {
      if (picture.Row(y)[x] == 0xFFFFFF) picture.Row(y)[x] = Green;
    }
  }
  return picture;
}

Bytes transparentDisc(const Bitmap& onGreen, uint32_t hiddenAtTopLeft, uint32_t seed) {
  test::PngImage png{.width = onGreen.Width(), .height = onGreen.Height(), .colourType = 6};
  for (int y = 0; y < onGreen.Height(); ++y) {
    for (int x = 0; x < onGreen.Width(); ++x) {
      uint32_t colour = onGreen.Row(y)[x];
      uint16_t alpha = 255;
      if (colour == Green) {
        seed = seed * 1664525u + 1013904223u;
        colour = x == 0 && y == 0 ? hiddenAtTopLeft : seed >> 8;
        alpha = static_cast<uint16_t>(seed % 128);
      }
      png.samples.insert(png.samples.end(), {static_cast<uint16_t>(colour >> 16 & 0xFF),
                                             static_cast<uint16_t>(colour >> 8 & 0xFF),
                                             static_cast<uint16_t>(colour & 0xFF), alpha});
    }
  }
  return EncodePng(png);
}

void expectSameMesh(const Scene& a, const Scene& b) {
  ASSERT_EQ(a.GridColumns[0], b.GridColumns[0]);
  ASSERT_EQ(a.GridRows[0], b.GridRows[0]);
  const auto fieldsA = VertexFields(a);
  const auto fieldsB = VertexFields(b);
  int differences = 0;
  for (size_t f = 0; f < fieldsA.size(); ++f) {
    for (int i = 0; i <= a.GridColumns[0]; ++i) {
      for (int j = 0; j <= a.GridRows[0]; ++j) {
        differences += (*fieldsA[f])[0][i][j] != (*fieldsB[f])[0][i][j];
      }
    }
  }
  EXPECT_EQ(differences, 0);
}

TEST(PictureFormats, ATransparentPngBuildsAsTheBitmapOnABackgroundColour) {
  const Bitmap onGreen = discOnGreen();
  ScriptedApp reference;
  reference.AddPicture(onGreen, "disc.bmp");
  ASSERT_EQ(reference.scene().PartCount, 1);
  const std::string referenceMask = ReadFileBytes(reference.folder() / "save/disc.bmp2");

  // Whatever hides under the transparent pixels, even the colour of half the
  // silhouette (which then moves one step in blue and stays silhouette).
  for (const auto& [hidden, seed] :
       {std::pair{0x000000u, 1u}, std::pair{Ink2, 2u}, std::pair{Green, 3u}, std::pair{Ink1, 4u}}) {
    ScriptedApp program;
    add(program, writeObj(program, "disc.png", transparentDisc(onGreen, hidden, seed)));
    ASSERT_EQ(program.scene().PartCount, 1) << hidden;
    EXPECT_EQ(program.scene().PartMask[0], reference.scene().PartMask[0]) << hidden;
    EXPECT_EQ(ReadFileBytes(program.folder() / "save/disc.png2"), referenceMask) << hidden;
    expectSameMesh(program.scene(), reference.scene());
    EXPECT_EQ(program.scene().BackgroundColour, SwapRedBlue(hidden));
  }
}

TEST(PictureFormats, JpegAndGifPartsAndABackgroundKeepBitmapCopies) {
  ScriptedApp program;
  const std::string png = program.folder() / "obj/disc.png";
  const std::string source = program.folder() / "obj/disc.bmp";
  SaveBitmapFile(source, discOnGreen());
  test::RunConvert({source, png});
  const std::string jpeg = program.folder() / "obj/disc.JPG";
  test::RunConvert({source, "-interlace", "JPEG", jpeg});
  const std::string gif = program.folder() / "obj/disc.gif";
  test::RunConvert({source, gif});
  for (const std::string& path : {png, jpeg, gif}) add(program, path);
  ASSERT_EQ(program.scene().PartCount, 3);
  for (const char* name : {"disc.png", "disc.JPG", "disc.gif"}) {
    for (char digit : {'1', '2', '3', '4'}) {
      const std::string copy = program.folder() / ("save/" + std::string(name) + digit);
      EXPECT_EQ(ReadFileBytes(copy, 2), "BM") << copy;
      Bitmap picture;
      EXPECT_NO_THROW(LoadBitmapFile(copy, picture)) << copy;
    }
  }
  // PNG and GIF (of few colours) keep every pixel.
  EXPECT_EQ(program.scene().PartCutout[2], program.scene().PartCutout[0]);

  program.Answer(jpeg);
  program.Dispatch([&] { program.form1().Button2.Click(); });
  EXPECT_EQ(program.scene().BackgroundBitmap.Width(), 40);
  EXPECT_EQ(program.form1().Label1.Caption(), "背景：disc");
  EXPECT_TRUE(program.errors.empty());
}

TEST(PictureFormats, DamagedPicturesOfEveryFormatAreReportedAndLeaveTheScene) {
  ScriptedApp program;
  program.AddPicture(discOnGreen(), "first.bmp");
  const Scene& scene = program.scene();
  const Bitmap picture = scene.PartPicture[0];
  const double pivot = scene.PartPosX[0];
  const std::string source = program.folder() / "obj/first.bmp";
  for (const char* extension : {".png", ".jpg", ".gif"}) {
    const std::string whole = program.folder() / (std::string("obj/whole") + extension);
    test::RunConvert({source, whole});
    const std::string bytes = ReadFileBytes(whole);
    const std::string cut = program.folder() / (std::string("obj/cut") + extension);
    WriteFileBytes(cut, bytes.substr(0, bytes.size() * 2 / 3));
    add(program, cut);
    EXPECT_EQ(scene.PartCount, 1) << extension;
    EXPECT_EQ(scene.PartPicture[0], picture);
    EXPECT_EQ(scene.PartPosX[0], pivot);
    ASSERT_EQ(program.errors.size(), 1u) << extension;
    EXPECT_TRUE(program.errors[0].starts_with("ビットマップ画像として読み込めません: " + cut))
        << program.errors[0];
    program.errors.clear();
  }
}

TEST(PictureFormats, ThePictureDialogsOpenOnEveryFormatTheProgramReads) {
  ScriptedApp program;
  TForm1& form1 = program.form1();
  EXPECT_EQ(form1.OpenPictureDialog1.filter,
            "画像ファイル (*.bmp;*.png;*.jpg;*.jpeg;*.gif)|*.bmp;*.png;*.jpg;*.jpeg;*.gif|"
            "ﾋﾞｯﾄﾏｯﾌﾟﾌｧｲﾙ (*.bmp)|*.bmp");
  EXPECT_EQ(form1.OpenPictureDialog2.filter, form1.OpenPictureDialog1.filter);
  EXPECT_EQ(form1.SaveDialog2.filter, "ﾋﾞｯﾄﾏｯﾌﾟﾌｧｲﾙ (*.bmp)|*.bmp");
  // The bitmap entry chosen last time is not where the dialogs open again.
  form1.OpenPictureDialog1.filterIndex = 2;
  form1.OpenPictureDialog2.filterIndex = 2;
  program.Answer(std::nullopt);
  program.Dispatch([&] { form1.Button1.Click(); });
  program.Answer(std::nullopt);
  program.Dispatch([&] { form1.Button2.Click(); });
  EXPECT_EQ(form1.OpenPictureDialog1.filterIndex, 1);
  EXPECT_EQ(form1.OpenPictureDialog2.filterIndex, 1);
}

}  // namespace
}  // namespace puffel
