// Exported GLB files of every kind of figure pass the glTF validator without
// an error or a warning.
#include <gtest/gtest.h>

#include <memory>
#include <numbers>
#include <string>
#include <vector>

#include "anim/key_edits.h"
#include "anim/key_poses.h"
#include "app/main_window.h"
#include "export/model_export.h"
#include "export/posed_figures.h"
#include "platform/bmp_file.h"
#include "platform/paths.h"
#include "support/run_command.h"

namespace puffel {
namespace {

test::CommandRun validate(const std::vector<std::string>& files) {
  std::vector<std::string> arguments = {PUFFEL_VALIDATE_SCRIPT, PUFFEL_VALIDATOR_MODULES};
  arguments.insert(arguments.end(), files.begin(), files.end());
  return test::RunProgram(PUFFEL_NODE_EXE, arguments);
}

TEST(GltfValidator, FindsNoErrorOrWarningInAnyExportedFigure) {
  std::vector<std::string> files;
  std::vector<std::unique_ptr<test::ScriptedApp>> programs;

  // One part, in the flat view.
  programs.push_back(std::make_unique<test::ScriptedApp>());
  programs.back()->AddPicture(test::PatternDisc(120, 100, 45, 9), "one.bmp");
  files.push_back(programs.back()->folder() / "pic_hozon/one.glb");
  ExportFigure(programs.back()->scene(), files.back());

  // The figure on the triangular and on the square grid, posed with every drag.
  for (const bool square : {false, true}) {
    programs.push_back(test::FigureProgram(square));
    test::PoseFigure(*programs.back());
    files.push_back(programs.back()->folder() /
                    (square ? "pic_hozon/square.glb" : "pic_hozon/triangular.glb"));
    ExportFigure(programs.back()->scene(), files.back());
  }

  // A part turned half round to show its back, with two pictures.
  programs.push_back(std::make_unique<test::ScriptedApp>());
  test::ScriptedApp& turned = *programs.back();
  turned.form1().CheckBox3.SetChecked(true);
  const std::string front = turned.folder() / "obj/front.bmp";
  const std::string back = turned.folder() / "obj/back.bmp";
  SaveBitmapFile(front, test::PatternDisc(100, 120, 45, 11));
  SaveBitmapFile(back, test::PatternDisc(100, 120, 45, 12));
  turned.Answer(front);
  turned.Answer(back);
  turned.Dispatch([&] { turned.form1().Button1.Click(); });
  turned.Dispatch([&] { turned.form1().Button4.Click(); });
  test::TurnSubtree(turned.scene(), 0, {0, 1, 0}, std::numbers::pi);
  files.push_back(turned.folder() / "pic_hozon/turned.glb");
  ExportFigure(turned.scene(), files.back());

  // The figure with an animation of three keys, the last two eased (sampled).
  programs.push_back(test::FigureProgram());
  test::ScriptedApp& animated = *programs.back();
  test::PoseFigure(animated);
  for (int k = 0; k < 3; ++k) {
    AppendKey(animated.scene(), *KeyOfScene(animated.scene()));
    animated.scene().AnimationKeys.back().easing = static_cast<Easing>(k);
    test::TurnSubtree(animated.scene(), 3, {0, 0, 1}, 1.1);
    test::ScaleTree(animated.scene(), 0, 1.1);
  }
  files.push_back(animated.folder() / "pic_hozon/animated.glb");
  ExportFigure(animated.scene(), files.back());
  // The same with soft joints: each bending vertex on two joints.
  animated.Dispatch([&] { animated.form2().Animation.SoftJoints.Click(); });
  files.push_back(animated.folder() / "pic_hozon/soft.glb");
  ExportFigure(animated.scene(), files.back());

  const test::CommandRun validation = validate(files);
  EXPECT_EQ(validation.status, 0) << validation.out;

  // The check itself sees a damaged file.
  const std::string bytes = ReadFileBytes(files.front());
  const std::string damaged = programs.front()->folder() / "pic_hozon/damaged.glb";
  WriteFileBytes(damaged, bytes.substr(0, bytes.size() - 100));
  EXPECT_EQ(validate({damaged}).status, 1);
}

}  // namespace
}  // namespace puffel
