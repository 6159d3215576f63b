#include "batch/script_runner.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>

#include "platform/bmp_file.h"
#include "platform/paths.h"
#include "project/joint_settings_file.h"
#include "support/temp_folder.h"
#include "support/test_pictures.h"

namespace puffel {
namespace {

struct ScriptRun {
  int status;
  std::string out;
  std::string err;
};

ScriptRun runScript(const std::string& script, const std::string& folder) {
  std::istringstream in(script);
  std::ostringstream out;
  std::ostringstream err;
  const int status = RunScript(in, out, err, folder);
  return {status, out.str(), err.str()};
}

TEST(ScriptRunner, PrintsCaptionsAndSkipsCommentsAndBlankLines) {
  test::ProgramFolderFixture folder;
  const ScriptRun run = runScript(
      "# a comment\n"
      "\n"
      "   # an indented comment\n"
      "print form1\n"
      "print form2\n"
      "print Label1\n"
      "set TrackBar3 4\n"
      "print StaticText3\n"
      "set TrackBar4 -5\n"
      "print StaticText6\n",
      folder.Path());
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out,
            "form1: Puffel!\n"
            "form2: Parts No.0\n"
            "Label1: 背景：なし\n"
            "StaticText3: 耳変換 : 4\n"
            "StaticText6: 前面伸縮 : 0.0\n");
}

TEST(ScriptRunner, ReportsScriptErrorsWithTheLineNumber) {
  test::ProgramFolderFixture folder;
  const char* const badScripts[] = {
      "print form1\nfrobnicate\n",
      "print form1\nset TrackBar9 3\n",
      "print form1\nset TrackBar1 x\n",
      "print form1\nclick Button1\n",
      "print form1\npress form4 1 1 left\n",
      "print form1\nmove form2 1 1 thumb\n",
      "print form1\nprint \"Label1\n",
      "print form1\nanswer \"\"\n",
      "print form1\nview 2147483647 2147483647\n",
  };
  for (const char* script : badScripts) {
    const ScriptRun run = runScript(script, folder.Path());
    EXPECT_EQ(run.status, 2) << script;
    EXPECT_EQ(run.err.rfind("line 2: ", 0), 0u) << run.err;
  }
}

TEST(ScriptRunner, AnswersDialogsAndPrintsMessages) {
  test::ProgramFolderFixture folder;
  SaveBitmapFile(folder / "obj/a b.bmp", test::DiscPicture(8, 8, 4, 4, 3, 0xFF0000, 0xFFFFFF));
  std::ostringstream script;
  for (int k = 0; k < 32; ++k)
    script << "answer \"" << folder.Path() << "obj/a b.bmp\"\nclick Button1\n";
  script << "click Button1\nclick SpeedButton2\ncancel\nclick Button1\n";
  const ScriptRun run = runScript(script.str(), folder.Path());
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "message: これ以上は読み込めません！\n");
}

// The keys' commands reach the part window's animation menu; entries that
// cannot act (no key selected) are greyed and do nothing, and what a person
// cannot do is told, not done.
TEST(ScriptRunner, EditsTheKeysAndTellsWhatCannotBeDone) {
  test::ProgramFolderFixture folder;
  SaveBitmapFile(folder / "obj/disc.bmp", test::DiscPicture(8, 8, 4, 4, 3, 0xFF0000, 0xFFFFFF));
  const ScriptRun run = runScript(
      "click UpdateKey\n"
      "answer \"" +
          folder / "obj/disc.bmp" +
          "\"\n"
          "click Button1\n"
          "click Button4\n"
          "set KeyInterval 0.5\n"
          "click AddKey\n"
          "click AddKey\n"
          "set SelectedKey 1\n"
          "click InsertKey\n"
          "set KeyEasing smooth\n"
          "set KeyTime 0.4\n"
          "set KeyTime 0.6\n"
          "set SelectedKey 4\n"
          "click UpdateKey\n"
          "click DeleteKey\n"
          "set SelectedKey 0\n"
          "set KeyEasing hold\n"
          "click Play\n"
          "click Stop\n",
      folder.Path());
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out,
            "message: その時刻にはキーフレームを置けません！\n"
            "message: そのキーフレームはありません！\n");
}

TEST(ScriptRunner, DropsFilesOnEitherWindow) {
  test::ProgramFolderFixture folder;
  SaveBitmapFile(folder / "obj/a.bmp", test::DiscPicture(8, 8, 4, 4, 3, 0xFF0000, 0xFFFFFF));
  std::string thirty = "drop form2";
  for (int k = 0; k < 30; ++k) thirty += " \"" + folder.Path() + "obj/a.bmp\"";
  // Parts 31 and 32, then the message that ends the drop; then a refusal.
  const std::string script =
      thirty + "\ndrop form1 obj/a.bmp obj/a.bmp obj/a.bmp\n" + "drop form1 obj/a.bmp notes.txt\n";
  const std::string current = std::filesystem::current_path().string();
  std::filesystem::current_path(folder.Path());
  const ScriptRun run = runScript(script, folder.Path());
  std::filesystem::current_path(current);
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out,
            "message: これ以上は読み込めません！\n"
            "message: 読み込めないファイルです：notes.txt\n");
}

TEST(ScriptRunner, SnapshotsAndStopsAtClose) {
  test::ProgramFolderFixture folder;
  const ScriptRun run = runScript(
      "view 30 20\n"
      "snapshot form2 " +
          folder.Path() +
          "view.bmp\n"
          "snapshot form1 " +
          folder.Path() +
          "main.bmp\n"
          "close form2\n"
          "frobnicate\n",
      folder.Path());
  EXPECT_EQ(run.status, 0) << run.err;
  Bitmap view;
  LoadBitmapFile(folder / "view.bmp", view);
  EXPECT_EQ(view, test::SolidPicture(30, 20, 0));
  Bitmap main;
  LoadBitmapFile(folder / "main.bmp", main);
  ASSERT_EQ(main.Width(), 200);
  ASSERT_EQ(main.Height(), 449);
  EXPECT_EQ(main.Row(300)[100], 0xF0F0F0u);
  EXPECT_EQ(main.Row(52)[52], 0xFFFFFFu);  // the light marker's white disc
  EXPECT_EQ(main.Row(54)[54], 0u);         // under the colour cross
}

TEST(ScriptRunner, ClicksUndoAndRedoWhichDoNothingWithNothingToDo) {
  test::ProgramFolderFixture folder;
  SaveBitmapFile(folder / "haikei/sky.bmp", test::SolidPicture(40, 30, 0x4080F0));
  const ScriptRun run = runScript(
      "click Undo\n"
      "click Redo\n"
      "answer \"" +
          folder / "haikei/sky.bmp" +
          "\"\n"
          "click Button2\n"
          "print Label1\n"
          "click Undo\n"
          "print Label1\n"
          "click Undo\n"
          "click Redo\n"
          "print Label1\n"
          "click Redo\n"
          "print Label1\n",
      folder.Path());
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out,
            "Label1: 背景：sky\n"
            "Label1: 背景：なし\n"
            "Label1: 背景：sky\n"
            "Label1: 背景：sky\n");
}

TEST(ScriptRunner, SwitchesTheSoftJointsAndChoosesTheirReach) {
  test::ProgramFolderFixture folder;
  SaveBitmapFile(folder / "obj/part.bmp", test::SolidPicture(40, 30, 0x4080F0));
  const std::string save = folder / "save/";
  const std::string script = "answer \"" + folder / "obj/part.bmp" + "\"\nclick Button1\n" +
                             "click SoftJoints\nset JointReach 3\n" +  // one step each
                             "answer \"" + save + "p.dat\"\nclick Save\n" +
                             "click Undo\nanswer \"" + save + "q.dat\"\nclick Save\n";
  const ScriptRun run = runScript(script, folder.Path());
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(ReadFileBytes(save + "p.joints"), EncodeJointSettings({true, 3}));
  EXPECT_EQ(ReadFileBytes(save + "q.joints"), EncodeJointSettings({true, 2}));
}

}  // namespace
}  // namespace puffel
