// Event-script lines parsed into commands. Parsing needs no running program:
// names of controls are kept as written and looked up when the command runs.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <variant>
#include <vector>

#include "platform/form.h"

namespace puffel {

// A fault of the script itself (not of the program it drives).
class ScriptError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

enum class ScriptForm { Form1, Form2, Form3 };

struct ViewCommand {
  int width = 0;
  int height = 0;
};
struct SetCommand {
  std::string slider;
  int position = 0;
};
struct KeyIntervalCommand {
  int entry = 0;  // its place in KeyIntervals
};
struct SelectKeyCommand {
  int key = 0;  // counted from 1; 0 for none
};
struct KeyTimeCommand {
  double seconds = 0;
};
struct LoopLengthCommand {
  double seconds = 0;
};
struct KeyEasingCommand {
  int easing = 0;  // its place in Easing
};
struct JointReachCommand {
  int reach = 0;  // 1..JointReachChoices
};
struct SheetDirectionsCommand {
  int directions = 1;  // one of SheetDirectionChoices
};
struct SheetFramesCommand {
  bool files = false;  // the frames as files of their own besides the sheet
};
struct SeekCommand {
  double seconds = 0;
};
struct PrintHeightCommand {
  int millimetres = 0;  // MinPrintHeight..MaxPrintHeight
};
struct CheckCommand {
  std::string box;
  bool checked = false;
};
struct AnswerCommand {
  std::string path;  // absolute
};
struct CancelCommand {};
struct ClickCommand {
  std::string button;
};
struct PointerCommand {
  enum class Kind { Press, Move, Release };
  Kind kind = Kind::Move;
  ScriptForm form = ScriptForm::Form1;
  int x = 0;
  int y = 0;
  ShiftState held;
};
struct DblClickCommand {
  ScriptForm form = ScriptForm::Form1;
  int x = 0;
  int y = 0;
};
struct WheelCommand {
  bool up = false;
  int x = 0;
  int y = 0;
};
struct PrintCommand {
  std::string name;
};
struct SnapshotCommand {
  ScriptForm form = ScriptForm::Form1;
  std::string path;
};
struct CloseCommand {
  ScriptForm form = ScriptForm::Form1;
};
struct DropCommand {
  ScriptForm form = ScriptForm::Form1;
  std::vector<std::string> paths;  // absolute
};

using ScriptCommand =
    std::variant<ViewCommand, SetCommand, CheckCommand, AnswerCommand, CancelCommand, ClickCommand,
                 PointerCommand, DblClickCommand, WheelCommand, PrintCommand, SnapshotCommand,
                 CloseCommand, DropCommand, KeyIntervalCommand, JointReachCommand, SeekCommand,
                 PrintHeightCommand, SheetDirectionsCommand, SheetFramesCommand, SelectKeyCommand,
                 KeyTimeCommand, KeyEasingCommand, LoopLengthCommand>;

// Parses one line of a script (without its line end). Blank lines and lines
// whose first non-blank character is '#' give std::nullopt. Throws ScriptError
// for a line that is not a well-formed command: an unknown command, a wrong
// number of words, a malformed number, window or button set, a key interval
// that is not one of KeyIntervals, a key number below 0, an easing other than
// linear, smooth or hold, a print height outside its range, sheet directions
// other than 1, 4 or 8, sheet frames other than "sheet" or "files", a time
// before 0 or not finite, an unterminated quote, a view size no picture could
// give the view. A relative answer or drop path is made absolute against the
// current folder.
std::optional<ScriptCommand> ParseScriptLine(const std::string& line);

}  // namespace puffel
