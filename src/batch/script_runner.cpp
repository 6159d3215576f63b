#include "batch/script_runner.h"

#include <charconv>
#include <deque>
#include <filesystem>
#include <istream>
#include <memory>
#include <optional>
#include <ostream>
#include <stdexcept>
#include <vector>

#include "app/application.h"
#include "export/model_export.h"
#include "platform/bmp_file.h"
#include "platform/paths.h"
#include "platform/platform_error.h"
#include "platform/services.h"

namespace puffel {

namespace {

// A fault of the script itself (not of the program it drives).
class ScriptError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Splits a line into words; a word in double quotes may hold blanks.
std::vector<std::string> splitWords(const std::string& line) {
  std::vector<std::string> words;
  size_t at = 0;
  while (true) {
    while (at < line.size() && (line[at] == ' ' || line[at] == '\t' || line[at] == '\r')) ++at;
    if (at >= line.size()) break;
    std::string word;
    if (line[at] == '"') {
      const size_t close = line.find('"', at + 1);
      if (close == std::string::npos) throw ScriptError("unterminated quote");
      word = line.substr(at + 1, close - at - 1);
      at = close + 1;
    } else {
      while (at < line.size() && line[at] != ' ' && line[at] != '\t' && line[at] != '\r') {
        word += line[at++];
      }
    }
    words.push_back(std::move(word));
  }
  return words;
}

int parseInt(const std::string& word) {
  int value = 0;
  const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
  if (error != std::errc() || end != word.data() + word.size()) {
    throw ScriptError("not an integer: " + word);
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

// The button a press reports: the first one held.
MouseButton pressedButton(const ShiftState& held) {
  if (held.left) return MouseButton::Left;
  if (held.right) return MouseButton::Right;
  if (held.middle) return MouseButton::Middle;
  return MouseButton::Left;
}

class Runner {
 public:
  Runner(std::ostream& out) : out_(out) {
    Services& services = PlatformServices();
    services.runFileDialog = [this](FileDialog& dialog) { return answerDialog(dialog); };
    services.showMessage = [this](const std::string& text) { out_ << "message: " << text << '\n'; };
    services.reportError = [this](const std::string& text) { out_ << "error: " << text << '\n'; };
    services.openDocument = [this](const std::string& path) {
      out_ << "open: " << path << '\n';
      return true;
    };
    services.buttonFaceColour = 0xF0F0F0;
    app_ = std::make_unique<Application>();
    InstallModelExport(app_->form1);
    DispatchEvent([this] { app_->form1.FormPaint(); });
    DispatchEvent([this] { app_->form2.ReportClientSize(InitialViewWidth, InitialViewHeight); });
  }

  // Runs one command; false when the program has ended.
  bool run(const std::vector<std::string>& words) {
    const std::string& command = words[0];
    if (command == "view") {
      arity(words, 3);
      if (app_->form2.GetBorderStyle() == BorderStyle::Single) {
        throw ScriptError("the part window has a fixed size while a background is set");
      }
      const int width = parseInt(words[1]);
      const int height = parseInt(words[2]);
      if (width < 0 || height < 0) throw ScriptError("negative view size");
      DispatchEvent([&] { app_->form2.ReportClientSize(width, height); });
    } else if (command == "set") {
      arity(words, 3);
      Control& slider = control(words[1], ControlKind::TrackBar);
      const int position = parseInt(words[2]);
      DispatchEvent([&] { slider.SetPosition(position); });
    } else if (command == "check") {
      arity(words, 3);
      Control& box = control(words[1], ControlKind::CheckBox);
      if (words[2] != "0" && words[2] != "1") throw ScriptError("check takes 0 or 1");
      box.SetChecked(words[2] == "1");
    } else if (command == "answer") {
      arity(words, 2);
      answers_.push_back(std::filesystem::absolute(words[1]).string());
    } else if (command == "cancel") {
      arity(words, 1);
      answers_.push_back(std::nullopt);
    } else if (command == "click") {
      arity(words, 2);
      if (MenuEntry* entry = app_->form1.FindMenuEntry(words[1])) {
        DispatchEvent([&] { entry->Click(); });
      } else {
        Control& button = clickable(words[1]);
        DispatchEvent([&] { button.Click(); });
      }
    } else if (command == "press" || command == "move" || command == "release") {
      arity(words, 5);
      Form& target = form(words[1]);
      const int x = parseInt(words[2]);
      const int y = parseInt(words[3]);
      const ShiftState held = parseHeld(words[4]);
      if (command == "press" && target.OnMouseDown) {
        DispatchEvent([&] { target.OnMouseDown(pressedButton(held), held, x, y); });
      } else if (command == "move" && target.OnMouseMove) {
        DispatchEvent([&] { target.OnMouseMove(held, x, y); });
      } else if (command == "release" && target.OnMouseUp) {
        DispatchEvent([&] { target.OnMouseUp(MouseButton::Left, held, x, y); });
      }
    } else if (command == "dblclick") {
      arity(words, 4);
      Form& target = form(words[1]);
      const int x = parseInt(words[2]);
      const int y = parseInt(words[3]);
      if (target.OnDblClick) DispatchEvent([&] { target.OnDblClick(); });
      const ShiftState left{.left = true};
      if (target.OnMouseDown) {
        DispatchEvent([&] { target.OnMouseDown(MouseButton::Left, left, x, y); });
      }
    } else if (command == "wheel") {
      arity(words, 5);
      if (words[1] != "form2") throw ScriptError("the wheel turns over form2 only");
      const bool up = words[2] == "up";
      if (!up && words[2] != "down") throw ScriptError("wheel takes up or down");
      const int x = parseInt(words[3]);
      const int y = parseInt(words[4]);
      TForm2& target = app_->form2;
      const auto& handler = up ? target.OnMouseWheelUp : target.OnMouseWheelDown;
      if (handler) DispatchEvent([&] { handler(ShiftState{}, x, y); });
    } else if (command == "print") {
      arity(words, 2);
      out_ << words[1] << ": " << caption(words[1]) << '\n';
    } else if (command == "snapshot") {
      arity(words, 3);
      const Form& source = form(words[1]);
      const Bitmap& picture = &source == &app_->form2 ? app_->scene.ViewBitmap : source.Surface();
      try {
        SaveBitmapFile(words[2], picture);
      } catch (const PlatformError& error) {
        throw ScriptError(error.what());
      }
    } else if (command == "close") {
      arity(words, 2);
      Form& target = form(words[1]);
      DispatchEvent([&] { target.Close(); });
      return false;
    } else {
      throw ScriptError("unknown command: " + command);
    }
    return !app_->form1.Closed();
  }

 private:
  static void arity(const std::vector<std::string>& words, size_t count) {
    if (words.size() != count)
      throw ScriptError(words[0] + " takes " + std::to_string(count - 1) + " argument(s)");
  }

  bool answerDialog(FileDialog& dialog) {
    if (answers_.empty()) throw ScriptError("a file dialog opened with no answer queued");
    const std::optional<std::string> answer = answers_.front();
    answers_.pop_front();
    if (!answer) return false;
    dialog.fileName = *answer;
    return true;
  }

  Form& form(const std::string& name) {
    if (name == "form1") return app_->form1;
    if (name == "form2") return app_->form2;
    throw ScriptError("unknown window: " + name);
  }

  Control& control(const std::string& name, ControlKind kind) {
    Control* found = app_->form1.FindControl(name);
    if (found == nullptr || found->kind != kind) throw ScriptError("no such control: " + name);
    return *found;
  }

  Control& clickable(const std::string& name) {
    Control* found = app_->form1.FindControl(name);
    if (found == nullptr ||
        (found->kind != ControlKind::Button && found->kind != ControlKind::GlyphButton)) {
      throw ScriptError("no such button: " + name);
    }
    return *found;
  }

  std::string caption(const std::string& name) {
    if (name == "form1" || name == "form2") return form(name).Caption();
    Control* found = app_->form1.FindControl(name);
    if (found == nullptr ||
        (found->kind != ControlKind::Label && found->kind != ControlKind::StaticText)) {
      throw ScriptError("nothing to print: " + name);
    }
    return found->Caption();
  }

  std::ostream& out_;
  std::deque<std::optional<std::string>> answers_;
  std::unique_ptr<Application> app_;
};

}  // namespace

int RunScript(std::istream& script, std::ostream& out, std::ostream& err,
              const std::string& programFolder) {
  SetProgramFolder(programFolder);
  int lineNumber = 0;
  try {
    Runner runner(out);
    std::string line;
    while (std::getline(script, line)) {
      ++lineNumber;
      const size_t first = line.find_first_not_of(" \t\r");
      if (first == std::string::npos || line[first] == '#') continue;
      if (!runner.run(splitWords(line))) break;
    }
  } catch (const ScriptError& error) {
    out.flush();
    err << "line " << lineNumber << ": " << error.what() << '\n';
    return 2;
  }
  out.flush();
  return 0;
}

}  // namespace puffel
