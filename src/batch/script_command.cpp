#include "batch/script_command.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <system_error>
#include <vector>

#include "export/print_height.h"
#include "export/sprite_sheet.h"
#include "platform/bmp_file.h"
#include "platform/paths.h"
#include "scene/key_pose.h"
#include "scene/scene.h"

namespace puffel {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

// Splits a line into words; a word in double quotes may hold blanks.
std::vector<std::string> splitWords(const std::string& line) {
  std::vector<std::string> words;
  size_t at = 0;
  while (true) {
    while (at < line.size() && isBlank(line[at])) ++at;
    if (at >= line.size()) break;
    std::string word;
    if (line[at] == '"') {
      const size_t close = line.find('"', at + 1);
      if (close == std::string::npos) throw ScriptError("unterminated quote");
      word = line.substr(at + 1, close - at - 1);
      at = close + 1;
    } else {
      while (at < line.size() && !isBlank(line[at])) word += line[at++];
    }
    words.push_back(std::move(word));
  }
  return words;
}

void arity(const std::vector<std::string>& words, size_t count) {
  if (words.size() != count)
    throw ScriptError(words[0] + " takes " + std::to_string(count - 1) + " argument(s)");
}

int parseInt(const std::string& word) {
  int value = 0;
  const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
  if (error != std::errc() || end != word.data() + word.size()) {
    throw ScriptError("not an integer: " + word);
  }
  return value;
}

double parseReal(const std::string& word) {
  double value = 0;
  const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
  if (error != std::errc() || end != word.data() + word.size() || !std::isfinite(value)) {
    throw ScriptError("not a number: " + word);
  }
  return value;
}

ShiftState parseHeld(const std::string& word) {
  ShiftState held;
  if (word == "none") return held;
  size_t start = 0;
  while (start <= word.size()) {
    const size_t plus = word.find('+', start);
    const std::string button = word.substr(start, plus == std::string::npos ? plus : plus - start);
    if (button == "left") {
      held.left = true;
    } else if (button == "right") {
      held.right = true;
    } else if (button == "middle") {
      held.middle = true;
    } else {
      throw ScriptError("unknown button set: " + word);
    }
    if (plus == std::string::npos) break;
    start = plus + 1;
  }
  return held;
}

ScriptForm parseForm(const std::string& word) {
  if (word == "form1") return ScriptForm::Form1;
  if (word == "form2") return ScriptForm::Form2;
  if (word == "form3") return ScriptForm::Form3;
  throw ScriptError("unknown window: " + word);
}

std::string absolutePath(const std::string& word) {
  std::error_code error;
  const std::string path = AbsolutePath(word, error);
  if (error) throw ScriptError("not a usable path: \"" + word + "\"");
  return path;
}

ScriptCommand parseWords(const std::vector<std::string>& words) {
  const std::string& command = words[0];
  if (command == "view") {
    arity(words, 3);
    const ViewCommand view{parseInt(words[1]), parseInt(words[2])};
    if (view.width < 0 || view.height < 0) throw ScriptError("negative view size");
    // A background picture can make the view as large as any picture the
    // program reads, but no larger; beyond that the view's buffers would be absurd.
    if (view.width > kMaxBitmapSide || view.height > kMaxBitmapSide ||
        int64_t{view.width} * view.height > kMaxBitmapPixels) {
      throw ScriptError("view size too large: " + words[1] + " x " + words[2]);
    }
    return view;
  }
  if (command == "set") {
    arity(words, 3);
    if (words[1] == "KeyInterval") {
      const double seconds = parseReal(words[2]);
      const auto found = std::find(std::begin(KeyIntervals), std::end(KeyIntervals), seconds);
      if (found == std::end(KeyIntervals)) {
        throw ScriptError("the key interval is 0.25, 0.5, 1 or 2 seconds, not " + words[2]);
      }
      return KeyIntervalCommand{static_cast<int>(found - std::begin(KeyIntervals))};
    }
    if (words[1] == "SelectedKey") {
      const int key = parseInt(words[2]);
      if (key < 0) throw ScriptError("keys are counted from 1, not " + words[2]);
      return SelectKeyCommand{key};
    }
    if (words[1] == "KeyTime") {
      const double seconds = parseReal(words[2]);
      if (seconds < 0) throw ScriptError("a time before the start: " + words[2]);
      return KeyTimeCommand{seconds};
    }
    if (words[1] == "LoopLength") return LoopLengthCommand{parseReal(words[2])};
    if (words[1] == "KeyEasing") {
      constexpr const char* easings[] = {"linear", "smooth", "hold"};
      const auto found = std::find(std::begin(easings), std::end(easings), words[2]);
      if (found == std::end(easings)) {
        throw ScriptError("the key easing is linear, smooth or hold, not " + words[2]);
      }
      return KeyEasingCommand{static_cast<int>(found - std::begin(easings))};
    }
    if (words[1] == "PrintHeight") {
      const int millimetres = parseInt(words[2]);
      if (millimetres < MinPrintHeight || millimetres > MaxPrintHeight) {
        throw ScriptError("the print height is " + std::to_string(MinPrintHeight) + " to " +
                          std::to_string(MaxPrintHeight) + " millimetres, not " + words[2]);
      }
      return PrintHeightCommand{millimetres};
    }
    if (words[1] == "JointReach") {
      const int reach = parseInt(words[2]);
      if (reach < 1 || reach > JointReachChoices) {
        throw ScriptError("the joint reach is 1, 2 or 3, not " + words[2]);
      }
      return JointReachCommand{reach};
    }
    if (words[1] == "SheetDirections") {
      const int directions = parseInt(words[2]);
      if (std::find(std::begin(SheetDirectionChoices), std::end(SheetDirectionChoices),
                    directions) == std::end(SheetDirectionChoices)) {
        throw ScriptError("a sheet has 1, 4 or 8 directions, not " + words[2]);
      }
      return SheetDirectionsCommand{directions};
    }
    if (words[1] == "SheetFrames") {
      if (words[2] != "sheet" && words[2] != "files") {
        throw ScriptError("sheet frames are sheet or files, not " + words[2]);
      }
      return SheetFramesCommand{words[2] == "files"};
    }
    return SetCommand{words[1], parseInt(words[2])};
  }
  if (command == "seek") {
    arity(words, 2);
    const double seconds = parseReal(words[1]);
    if (seconds < 0) throw ScriptError("a time before the start: " + words[1]);
    return SeekCommand{seconds};
  }
  if (command == "check") {
    arity(words, 3);
    if (words[2] != "0" && words[2] != "1") throw ScriptError("check takes 0 or 1");
    return CheckCommand{words[1], words[2] == "1"};
  }
  if (command == "answer") {
    arity(words, 2);
    return AnswerCommand{absolutePath(words[1])};
  }
  if (command == "cancel") {
    arity(words, 1);
    return CancelCommand{};
  }
  if (command == "click") {
    arity(words, 2);
    return ClickCommand{words[1]};
  }
  if (command == "press" || command == "move" || command == "release") {
    arity(words, 5);
    PointerCommand pointer;
    pointer.kind = command == "press"  ? PointerCommand::Kind::Press
                   : command == "move" ? PointerCommand::Kind::Move
                                       : PointerCommand::Kind::Release;
    pointer.form = parseForm(words[1]);
    pointer.x = parseInt(words[2]);
    pointer.y = parseInt(words[3]);
    pointer.held = parseHeld(words[4]);
    return pointer;
  }
  if (command == "dblclick") {
    arity(words, 4);
    const ScriptForm form = parseForm(words[1]);
    return DblClickCommand{form, parseInt(words[2]), parseInt(words[3])};
  }
  if (command == "wheel") {
    arity(words, 5);
    if (words[1] != "form2") throw ScriptError("the wheel turns over form2 only");
    const bool up = words[2] == "up";
    if (!up && words[2] != "down") throw ScriptError("wheel takes up or down");
    return WheelCommand{up, parseInt(words[3]), parseInt(words[4])};
  }
  if (command == "print") {
    arity(words, 2);
    return PrintCommand{words[1]};
  }
  if (command == "snapshot") {
    arity(words, 3);
    return SnapshotCommand{parseForm(words[1]), words[2]};
  }
  if (command == "drop") {
    if (words.size() < 3) throw ScriptError("drop takes a window and at least one path");
    DropCommand drop{parseForm(words[1]), {}};
    for (size_t i = 2; i < words.size(); ++i) drop.paths.push_back(absolutePath(words[i]));
    return drop;
  }
  if (command == "close") {
    arity(words, 2);
    return CloseCommand{parseForm(words[1])};
  }
  throw ScriptError("unknown command: " + command);
}

}  // namespace

std::optional<ScriptCommand> ParseScriptLine(const std::string& line) {
  const size_t first = line.find_first_not_of(" \t\r");
  if (first == std::string::npos || line[first] == '#') return std::nullopt;
  return parseWords(splitWords(line));
}

}  // namespace puffel
