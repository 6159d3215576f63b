#include "batch/script_command.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace puffel {
namespace {

ScriptCommand parsed(const std::string& line) {
  const std::optional<ScriptCommand> command = ParseScriptLine(line);
  EXPECT_TRUE(command.has_value()) << line;
  return command.value_or(CancelCommand{});
}

template <typename Command>
Command parsedAs(const std::string& line) {
  const ScriptCommand command = parsed(line);
  EXPECT_TRUE(std::holds_alternative<Command>(command)) << line;
  return std::holds_alternative<Command>(command) ? std::get<Command>(command) : Command{};
}

// The message of the ScriptError that parsing line throws ("" when none).
std::string refusalOf(const std::string& line) {
  try {
    ParseScriptLine(line);
  } catch (const ScriptError& error) {
    return error.what();
  }
  return "";
}

TEST(ScriptCommand, BlankAndCommentLinesAreNoCommands) {
  for (const char* line : {"", "   ", "\t\r", "# note", "  \t# indented", "#"}) {
    EXPECT_FALSE(ParseScriptLine(line).has_value()) << '"' << line << '"';
  }
}

TEST(ScriptCommand, EveryCommandParsesItsArguments) {
  const ViewCommand view = parsedAs<ViewCommand>("view 30 20\r");
  EXPECT_EQ(view.width, 30);
  EXPECT_EQ(view.height, 20);
  EXPECT_EQ(parsedAs<ViewCommand>("view 32768 2048").width, 32768);  // the largest picture
  const SetCommand set = parsedAs<SetCommand>("set\tTrackBar4 -5");
  EXPECT_EQ(set.slider, "TrackBar4");
  EXPECT_EQ(set.position, -5);
  EXPECT_EQ(parsedAs<JointReachCommand>("set JointReach 3").reach, 3);
  EXPECT_TRUE(parsedAs<CheckCommand>("check CheckBox3 1").checked);
  EXPECT_FALSE(parsedAs<CheckCommand>("check CheckBox3 0").checked);
  EXPECT_TRUE(std::holds_alternative<CancelCommand>(parsed("cancel")));
  EXPECT_EQ(parsedAs<ClickCommand>("click SpeedButton5").button, "SpeedButton5");

  const PointerCommand press = parsedAs<PointerCommand>("press form2 7 -3 right+left");
  EXPECT_EQ(press.kind, PointerCommand::Kind::Press);
  EXPECT_EQ(press.form, ScriptForm::Form2);
  EXPECT_EQ(press.x, 7);
  EXPECT_EQ(press.y, -3);
  EXPECT_TRUE(press.held.left && press.held.right && !press.held.middle);
  const PointerCommand move = parsedAs<PointerCommand>("move form1 0 0 none");
  EXPECT_EQ(move.kind, PointerCommand::Kind::Move);
  EXPECT_EQ(move.form, ScriptForm::Form1);
  EXPECT_FALSE(move.held.left || move.held.right || move.held.middle);
  EXPECT_EQ(parsedAs<PointerCommand>("release form2 1 1 middle").kind,
            PointerCommand::Kind::Release);

  const DblClickCommand dblclick = parsedAs<DblClickCommand>("dblclick form2 5 6");
  EXPECT_EQ(dblclick.form, ScriptForm::Form2);
  EXPECT_EQ(dblclick.y, 6);
  const WheelCommand wheel = parsedAs<WheelCommand>("wheel form2 down 10 11");
  EXPECT_FALSE(wheel.up);
  EXPECT_EQ(wheel.x, 10);
  EXPECT_TRUE(parsedAs<WheelCommand>("wheel form2 up 0 0").up);
  EXPECT_EQ(parsedAs<PrintCommand>("print StaticText3").name, "StaticText3");
  const SnapshotCommand snapshot = parsedAs<SnapshotCommand>("snapshot form1 \"a b.bmp\"");
  EXPECT_EQ(snapshot.form, ScriptForm::Form1);
  EXPECT_EQ(snapshot.path, "a b.bmp");
  EXPECT_EQ(parsedAs<CloseCommand>("close form2").form, ScriptForm::Form2);
  EXPECT_EQ(parsedAs<SelectKeyCommand>("set SelectedKey 3").key, 3);
  EXPECT_EQ(parsedAs<KeyTimeCommand>("set KeyTime 1.25").seconds, 1.25);
  EXPECT_EQ(parsedAs<KeyEasingCommand>("set KeyEasing hold").easing,
            2);  // the third easing
  EXPECT_EQ(parsedAs<PrintHeightCommand>("set PrintHeight 1000").millimetres, 1000);
  EXPECT_EQ(parsedAs<SheetDirectionsCommand>("set SheetDirections 8").directions, 8);
  EXPECT_TRUE(parsedAs<SheetFramesCommand>("set SheetFrames files").files);
  EXPECT_FALSE(parsedAs<SheetFramesCommand>("set SheetFrames sheet").files);
}

TEST(ScriptCommand, QuotedWordsKeepBlanksAndAnswersBecomeAbsolute) {
  namespace fs = std::filesystem;
  // Compared as paths: Windows gives "\\" where the script said "/".
  const std::string relative = parsedAs<AnswerCommand>("answer \"obj/a b.bmp\"").path;
  EXPECT_EQ(fs::path(relative), fs::current_path() / "obj/a b.bmp");
  // An absolute path ("/x/y.bmp", or with its drive "C:\\x/y.bmp") stays as it is.
  const std::string absolute = (fs::current_path().root_path() / "x/y.bmp").string();
  EXPECT_EQ(fs::path(parsedAs<AnswerCommand>("answer " + absolute).path), fs::path(absolute));
  const DropCommand drop = parsedAs<DropCommand>("drop form2 obj/a.png \"" + absolute + "\" d.dat");
  EXPECT_EQ(drop.form, ScriptForm::Form2);
  ASSERT_EQ(drop.paths.size(), 3u);
  EXPECT_EQ(fs::path(drop.paths[0]), fs::current_path() / "obj/a.png");
  EXPECT_EQ(fs::path(drop.paths[1]), fs::path(absolute));
  EXPECT_EQ(fs::path(drop.paths[2]), fs::current_path() / "d.dat");
  // Quotes end a word: the next word may follow without a blank.
  EXPECT_EQ(parsedAs<SetCommand>("set \"TrackBar1\"3").position, 3);
}

TEST(ScriptCommand, MalformedLinesAreRefusedWithTheirReason) {
  const std::pair<const char*, const char*> cases[] = {
      {"frobnicate", "unknown command: frobnicate"},
      {"\"\"", "unknown command: "},
      {"print \"Label1", "unterminated quote"},
      {"view 30", "view takes 2 argument(s)"},
      {"cancel now", "cancel takes 0 argument(s)"},
      {"view -1 20", "negative view size"},
      {"view 32769 1", "view size too large: 32769 x 1"},
      {"view 8193 8192", "view size too large: 8193 x 8192"},
      {"view 2147483647 2147483647", "view size too large: 2147483647 x 2147483647"},
      {"set TrackBar1 x", "not an integer: x"},
      {"set TrackBar1 3x", "not an integer: 3x"},
      {"set TrackBar1 99999999999", "not an integer: 99999999999"},
      {"set TrackBar1 \"\"", "not an integer: "},
      {"set SelectedKey -1", "keys are counted from 1, not -1"},
      {"set KeyTime -0.5", "a time before the start: -0.5"},
      {"set KeyEasing bouncy", "the key easing is linear, smooth or hold, not bouncy"},
      {"set SheetDirections 2", "a sheet has 1, 4 or 8 directions, not 2"},
      {"set SheetFrames both", "sheet frames are sheet or files, not both"},
      {"check CheckBox1 2", "check takes 0 or 1"},
      {"set JointReach 0", "the joint reach is 1, 2 or 3, not 0"},
      {"set JointReach 4", "the joint reach is 1, 2 or 3, not 4"},
      {"press form4 1 1 left", "unknown window: form4"},
      {"move form2 1 1 thumb", "unknown button set: thumb"},
      {"move form2 1 1 left+", "unknown button set: left+"},
      {"move form2 1 1 +left", "unknown button set: +left"},
      {"wheel form1 up 1 1", "the wheel turns over form2 only"},
      {"wheel form2 sideways 1 1", "wheel takes up or down"},
      {"answer \"\"", "not a usable path: \"\""},
      {"drop form1", "drop takes a window and at least one path"},
      {"drop form4 a.png", "unknown window: form4"},
      {"drop form1 a.png \"\"", "not a usable path: \"\""},
      {"set PrintHeight 0", "the print height is 1 to 1000 millimetres, not 0"},
      {"set PrintHeight 1001", "the print height is 1 to 1000 millimetres, not 1001"},
      {"set PrintHeight 1.5", "not an integer: 1.5"},
  };
  for (const auto& [line, reason] : cases) EXPECT_EQ(refusalOf(line), reason) << line;
}

}  // namespace
}  // namespace puffel
