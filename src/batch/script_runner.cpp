#include "batch/script_runner.h"

#include <deque>
#include <istream>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <variant>

#include "app/application.h"
#include "batch/script_command.h"
#include "platform/bmp_file.h"
#include "platform/paths.h"
#include "platform/platform_error.h"
#include "platform/services.h"

namespace puffel {

namespace {

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
    DispatchEvent([this] { app_->form1.FormPaint(); });
    DispatchEvent([this] { app_->form2.ReportClientSize(InitialViewWidth, InitialViewHeight); });
  }

  // Runs one command; false when the program has ended.
  bool run(const ScriptCommand& command) {
    return std::visit([this](const auto& c) { return execute(c); }, command) &&
           !app_->form1.Closed();
  }

 private:
  bool execute(const ViewCommand& view) {
    if (app_->form2.GetBorderStyle() == BorderStyle::Single) {
      throw ScriptError("the part window has a fixed size while a background is set");
    }
    DispatchEvent([&] { app_->form2.ReportClientSize(view.width, view.height); });
    return true;
  }

  bool execute(const SetCommand& set) {
    Control& slider = control(set.slider, ControlKind::TrackBar);
    DispatchEvent([&] { slider.SetPosition(set.position); });
    return true;
  }

  bool execute(const KeyIntervalCommand& interval) {
    DispatchEvent([&] { app_->form2.Animation.KeyInterval[interval.entry].Click(); });
    return true;
  }

  bool execute(const SelectKeyCommand& select) {
    DispatchEvent([&] { app_->SelectKey(select.key - 1); });
    return true;
  }

  bool execute(const KeyTimeCommand& time) {
    DispatchEvent([&] { app_->RetimeSelectedKey(time.seconds); });
    return true;
  }

  bool execute(const LoopLengthCommand& loop) {
    DispatchEvent([&] { app_->ChangeLoopLength(loop.seconds); });
    return true;
  }

  bool execute(const KeyEasingCommand& easing) {
    DispatchEvent([&] { app_->form2.Animation.KeyEasing[easing.easing].Click(); });
    return true;
  }

  // The height the print export's box starts at, and which the runner's box,
  // answered as it starts, gives back.
  bool execute(const PrintHeightCommand& height) {
    app_->form1.PrintHeight = height.millimetres;
    return true;
  }

  bool execute(const JointReachCommand& reach) {
    DispatchEvent([&] { app_->form2.Animation.JointReach[reach.reach - 1].Click(); });
    return true;
  }

  bool execute(const SheetDirectionsCommand& sheet) {
    MenuEntry* entry =
        app_->form1.FindMenuEntry("SheetDirections" + std::to_string(sheet.directions));
    DispatchEvent([&] { entry->Click(); });
    return true;
  }

  bool execute(const SheetFramesCommand& sheet) {
    MenuEntry& entry = app_->form1.SheetFrameFiles;
    if (entry.Checked() != sheet.files) DispatchEvent([&] { entry.Click(); });
    return true;
  }

  bool execute(const SeekCommand& seek) {
    DispatchEvent([&] { app_->ShowTime(seek.seconds); });
    return true;
  }

  bool execute(const CheckCommand& check) {
    control(check.box, ControlKind::CheckBox).SetChecked(check.checked);
    return true;
  }

  bool execute(const AnswerCommand& answer) {
    answers_.push_back(answer.path);
    return true;
  }

  bool execute(const CancelCommand&) {
    answers_.push_back(std::nullopt);
    return true;
  }

  bool execute(const ClickCommand& click) {
    MenuEntry* entry = app_->form1.FindMenuEntry(click.button);
    if (entry == nullptr) entry = app_->form2.FindMenuEntry(click.button);
    if (entry != nullptr) {
      DispatchEvent([&] { entry->Click(); });
    } else {
      Control& button = clickable(click.button);
      DispatchEvent([&] { button.Click(); });
    }
    return true;
  }

  bool execute(const PointerCommand& pointer) {
    Form& target = form(pointer.form);
    const ShiftState held = pointer.held;
    const int x = pointer.x;
    const int y = pointer.y;
    if (pointer.kind == PointerCommand::Kind::Press) {
      target.ReportPress(pressedButton(held), held, x, y);
    } else if (pointer.kind == PointerCommand::Kind::Move) {
      target.ReportMove(held, x, y);
    } else {
      target.ReportRelease(MouseButton::Left, held, x, y);
    }
    return true;
  }

  bool execute(const DblClickCommand& click) {
    form(click.form).ReportPress(MouseButton::Left, {.left = true}, click.x, click.y, true);
    return true;
  }

  bool execute(const WheelCommand& wheel) {
    app_->form2.ReportWheel(wheel.up ? WheelNotch : -WheelNotch, {}, wheel.x, wheel.y);
    return true;
  }

  bool execute(const PrintCommand& print) {
    out_ << print.name << ": " << caption(print.name) << '\n';
    return true;
  }

  bool execute(const SnapshotCommand& snapshot) {
    const Form& source = form(snapshot.form);
    const Bitmap& picture = &source == &app_->form2 ? app_->scene.ViewBitmap : source.Surface();
    try {
      SaveBitmapFile(snapshot.path, picture);
    } catch (const PlatformError& error) {
      throw ScriptError(error.what());
    }
    return true;
  }

  bool execute(const DropCommand& drop) {
    form(drop.form).ReportDrop(drop.paths);
    return true;
  }

  bool execute(const CloseCommand& close) {
    form(close.form).ReportCloseRequest();
    return false;
  }

  bool answerDialog(FileDialog& dialog) {
    if (answers_.empty()) throw ScriptError("a file dialog opened with no answer queued");
    const std::optional<std::string> answer = answers_.front();
    answers_.pop_front();
    if (!answer) return false;
    dialog.fileName = *answer;
    return true;
  }

  Form& form(ScriptForm which) {
    if (which == ScriptForm::Form1) return app_->form1;
    if (which == ScriptForm::Form3) return app_->form3;
    return app_->form2;
  }

  // The control of that name in the main window or the timeline.
  Control* findControl(const std::string& name) {
    Control* found = app_->form1.FindControl(name);
    return found != nullptr ? found : app_->form3.FindControl(name);
  }

  Control& control(const std::string& name, ControlKind kind) {
    Control* found = findControl(name);
    if (found == nullptr || found->kind != kind) throw ScriptError("no such control: " + name);
    return *found;
  }

  Control& clickable(const std::string& name) {
    Control* found = findControl(name);
    if (found == nullptr ||
        (found->kind != ControlKind::Button && found->kind != ControlKind::GlyphButton &&
         found->kind != ControlKind::RadioButton)) {
      throw ScriptError("no such button: " + name);
    }
    return *found;
  }

  std::string caption(const std::string& name) {
    if (name == "form1") return app_->form1.Caption();
    if (name == "form2") return app_->form2.Caption();
    if (name == "form3") return app_->form3.Caption();
    Control* found = findControl(name);
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
      const std::optional<ScriptCommand> command = ParseScriptLine(line);
      if (command && !runner.run(*command)) break;
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
