// Projects with an animation: the keys saved beside the project file and
// loaded with it; damaged animation files refused like damaged projects.
#include <gtest/gtest.h>

#include <string>

#include "anim/key_poses.h"
#include "app/main_window.h"
#include "export/posed_figures.h"
#include "platform/paths.h"
#include "project/animation_file.h"
#include "support/scripted_app.h"

namespace puffel {
namespace {

using test::ScriptedApp;

constexpr const char* Damaged = "データファイルが壊れています！";

void save(ScriptedApp& program, const std::string& path) {
  program.Answer(path);
  program.Dispatch([&] { program.form1().SpeedButton4.Click(); });
}

void load(ScriptedApp& program, const std::string& path) {
  program.Answer(path);
  program.Dispatch([&] { program.form1().SpeedButton5.Click(); });
}

// The figure posed, with three keys half a second apart, saved as "save/figure".
std::unique_ptr<ScriptedApp> animatedFigure() {
  auto program = test::FigureProgram();
  test::PoseFigure(*program);
  for (int k = 0; k < 3; ++k) {
    program->Dispatch([&] { program->form2().Animation.AddKey.Click(); });
    test::TurnSubtree(program->scene(), 3, {0, 0, 1}, 0.5);
  }
  program->Dispatch([&] { program->form2().Animation.KeyInterval[1].Click(); });
  save(*program, program->folder() / "save/figure");
  return program;
}

TEST(AnimationProject, KeysAreSavedBesideTheProjectAndLoadedWithIt) {
  auto program = animatedFigure();
  const Scene& scene = program->scene();
  ASSERT_EQ(scene.AnimationKeys.size(), 3u);
  const std::string dat = program->folder() / "save/figure.dat";
  const std::string anim = program->folder() / "save/figure.anim";
  const std::string datBytes = ReadFileBytes(dat);
  const std::string animBytes = ReadFileBytes(anim);
  EXPECT_EQ(animBytes,
            EncodeAnimation({0.5, scene.AnimationKeys, scene.LoopLength}, scene.PartCount));

  // Into a fresh program, then saved again: both files the same, byte for byte.
  ScriptedApp other;
  const std::string copy = program->folder() / "save/copy";
  for (const char* n : {"body.bmp", "head.bmp", "arm.bmp", "hand.bmp"}) {
    for (const char* d : {"1", "2", "3", "4"}) {
      const std::string name = std::string(n) + d;
      WriteFileBytes(other.folder() / ("save/" + name),
                     ReadFileBytes(program->folder() / ("save/" + name)));
    }
  }
  load(other, dat);
  ASSERT_TRUE(other.errors.empty() && other.messages.empty());
  EXPECT_EQ(other.scene().KeyInterval, 0.5);
  EXPECT_TRUE(other.form2().Animation.KeyInterval[1].Checked());
  save(other, copy);
  EXPECT_EQ(ReadFileBytes(copy + ".dat"), datBytes);
  EXPECT_EQ(ReadFileBytes(copy + ".anim"), animBytes);
}

TEST(AnimationProject, AProjectWithoutAnAnimationFileLoadsWithoutKeys) {
  auto program = animatedFigure();
  const std::string plain = program->folder() / "save/plain.dat";
  WriteFileBytes(plain, ReadFileBytes(program->folder() / "save/figure.dat"));
  load(*program, plain);
  EXPECT_TRUE(program->scene().AnimationKeys.empty());
  EXPECT_EQ(program->scene().KeyInterval, 1);
  // Saved again without keys over the animated project: its animation file
  // keeps no key, so that loading it brings none back.
  save(*program, program->folder() / "save/figure.dat");
  load(*program, program->folder() / "save/figure.dat");
  EXPECT_TRUE(program->scene().AnimationKeys.empty());
  EXPECT_TRUE(program->errors.empty() && program->messages.empty());
}

TEST(AnimationProject, ADamagedAnimationFileIsRefusedAndLeavesTheScene) {
  auto program = animatedFigure();
  const std::string anim = program->folder() / "save/figure.anim";
  const std::string good = ReadFileBytes(anim);
  program->Dispatch([&] { program->form1().SpeedButton2.Click(); });  // one part fewer
  for (const std::string& bytes :
       {good.substr(0, good.size() - 8), good + "x", std::string("PFAX") + good.substr(4),
        EncodeAnimation({1, program->scene().AnimationKeys, program->scene().LoopLength},
                        program->scene().PartCount)}) {
    WriteFileBytes(anim, bytes);
    const size_t messages = program->messages.size();
    const int parts = program->scene().PartCount;
    load(*program, program->folder() / "save/figure.dat");
    ASSERT_EQ(program->messages.size(), messages + 1);
    EXPECT_EQ(program->messages.back(), Damaged);
    EXPECT_EQ(program->scene().PartCount, parts);
  }
}

}  // namespace
}  // namespace puffel
