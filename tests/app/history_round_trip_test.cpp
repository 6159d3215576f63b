// Random gesture sequences through both windows, with the saved project and
// the view kept after every step; then undo back to the start and redo to the
// end, every state byte for byte and pixel for pixel as it was on the way.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "app/part_window.h"
#include "app/scene_history.h"
#include "platform/bmp_file.h"
#include "project/animation_file.h"
#include "project/project_save.h"
#include "support/scripted_app.h"
#include "support/test_pictures.h"

namespace puffel {
namespace {

using test::ScriptedApp;

// The sanitizer build runs the same code many times slower.
#if defined(__SANITIZE_ADDRESS__)
constexpr int Sequences = 120;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr int Sequences = 120;
#else
constexpr int Sequences = 240;
#endif
#else
constexpr int Sequences = 240;
#endif

constexpr int ViewSide = 96;

// Everything a person sees of the scene, and the project saved from it. The
// view is painted afresh: some handlers leave a view that the next paint
// would change (clearing the background in the flat view repaints nothing).
struct Seen {
  std::string project;
  std::string animation;  // the keys, as the animation file holds them
  Bitmap view;
  Bitmap pickers;
  std::string background;
  int width = 0;
  int height = 0;
  BorderStyle border = BorderStyle::Sizeable;

  bool operator==(const Seen&) const = default;
};

// What differs, for the failure message.
std::string differences(const Seen& a, const Seen& b) {
  std::string found;
  if (a.project != b.project) {
    size_t at = 0;
    while (at < a.project.size() && at < b.project.size() && a.project[at] == b.project[at]) ++at;
    found += " project (from byte " + std::to_string(at) + ")";
  }
  if (a.animation != b.animation) found += " animation";
  if (!(a.view == b.view)) found += " view";
  if (!(a.pickers == b.pickers)) found += " pickers";
  if (a.background != b.background) found += " background";
  if (a.width != b.width || a.height != b.height) found += " size";
  if (a.border != b.border) found += " border";
  return found;
}

Seen look(ScriptedApp& program) {
  program.Dispatch([&] { program.form2().FormPaint(); });
  const Scene& scene = program.scene();
  return {
      EncodeProject(scene),
      EncodeAnimation({scene.KeyInterval, scene.AnimationKeys, scene.LoopLength}, scene.PartCount),
      program.form2().Surface(),
      program.form1().Surface(),
      program.form1().Label1.Caption(),
      program.form2().ClientWidth(),
      program.form2().ClientHeight(),
      program.form2().GetBorderStyle()};
}

// A small generator of its own, the same on every standard library.
class Dice {
 public:
  explicit Dice(uint32_t seed) : state_(seed * 2654435761u + 12345u) {}
  int below(int n) {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return static_cast<int>(state_ % static_cast<uint32_t>(n));
  }
  int between(int lo, int hi) { return lo + below(hi - lo + 1); }

 private:
  uint32_t state_;
};

class RoundTrip {
 public:
  RoundTrip(ScriptedApp& program, uint32_t seed) : program_(program), dice_(seed) {}

  // What was done so far, for the failure messages.
  const std::string& log() const { return log_; }

  // One random gesture (some of them change nothing).
  void act() {
    const int kind = dice_.below(15);
    log_ += " " + std::to_string(kind) + "/" + std::to_string(scene().PartCount);
    switch (kind) {
      case 0:
      case 1:
        addPicture();
        break;
      case 2:
        click(form1().SpeedButton2);
        break;
      case 3:
        if (dice_.below(3) == 0) click(form1().SpeedButton3);
        break;
      case 4:
      case 5:
      case 6:
        dragPartWindow();
        break;
      case 7:
        wheel();
        break;
      case 8:
        dragPicker();
        break;
      case 9:
        doubleClick(program_.form2(), partPoint());
        break;
      case 10:
        doubleClick(form1(), {dice_.between(20, 88), dice_.between(20, 88)});
        break;
      case 11:
      case 12:
        click(form1().Button4);
        break;
      case 13:
        background();
        break;
      case 14:
        animation();
        break;
    }
  }

 private:
  struct Point {
    int x, y;
  };

  // A key added (most often; with no part it is refused), deleted or
  // cleared, another interval, or the soft joints switched or their reach.
  void animation() {
    AnimationMenu& f = program_.form2().Animation;
    MenuEntry* entries[] = {&f.AddKey,     &f.AddKey,         &f.AddKey,         &f.DeleteKey,
                            &f.ClearKeys,  &f.KeyInterval[0], &f.KeyInterval[1], &f.KeyInterval[3],
                            &f.SoftJoints, &f.JointReach[0]};
    MenuEntry& entry = *entries[dice_.below(10)];
    program_.Dispatch([&] { entry.Click(); });
  }

  TForm1& form1() { return program_.form1(); }
  Scene& scene() { return program_.scene(); }

  void click(Control& control) {
    program_.Dispatch([&] { control.Click(); });
  }

  void addPicture() {
    TForm1& form = form1();
    form.TrackBar1.SetPosition(dice_.between(3, 9));
    form.TrackBar2.SetPosition(dice_.between(-10, 20));
    form.TrackBar3.SetPosition(dice_.below(3) == 0 ? dice_.between(1, 12) : 0);
    form.TrackBar4.SetPosition(dice_.between(2, 24));
    form.TrackBar5.SetPosition(dice_.between(2, 24));
    form.TrackBar6.SetPosition(dice_.between(-10, 20));
    form.CheckBox1.SetChecked(dice_.below(2) == 0);
    form.CheckBox2.SetChecked(dice_.below(2) == 0);
    const bool twoSided = dice_.below(4) == 0;
    form.CheckBox3.SetChecked(twoSided);
    const std::string folder = program_.folder().Path() + "obj/";
    if (dice_.below(8) == 0) {
      program_.Answer(std::nullopt);  // cancelled: a 3D view is still left
    } else {
      program_.Answer(folder + "p" + std::to_string(dice_.below(4)) + ".bmp");
      if (twoSided) program_.Answer(folder + "p" + std::to_string(dice_.below(4)) + ".bmp");
    }
    click(form.Button1);
  }

  // Near a part's pivot or anywhere in the view.
  Point partPoint() {
    const Scene& s = scene();
    if (s.PartCount > 0 && dice_.below(4) != 0) {
      const int k = dice_.below(s.PartCount);
      return {static_cast<int>(s.PartPosX[k]) + dice_.between(-8, 8),
              static_cast<int>(s.PartPosY[k]) + dice_.between(-8, 8)};
    }
    return {dice_.below(s.ViewWidth + 1), dice_.below(s.ViewHeight + 1)};
  }

  void dragPartWindow() {
    TForm2& form = program_.form2();
    Point at = partPoint();
    // The buttons held during the drag: left, right, middle or both of the
    // first two (a scale in the 3D view).
    const int kind = dice_.below(4);
    const ShiftState held{kind == 0 || kind == 3, kind == 1 || kind == 3, kind == 2};
    const ShiftState first{kind == 0 || kind == 3, kind == 1, kind == 2};
    program_.Dispatch([&] { form.OnMouseDown(MouseButton::Left, first, at.x, at.y); });
    if (kind == 3) {
      program_.Dispatch([&] { form.OnMouseDown(MouseButton::Right, held, at.x, at.y); });
    }
    for (int move = dice_.between(1, 4); move > 0; --move) {
      at = {at.x + dice_.between(-15, 15), at.y + dice_.between(-15, 15)};
      program_.Dispatch([&] { form.OnMouseMove(held, at.x, at.y); });
    }
    if (kind == 3) {
      program_.Dispatch([&] { form.OnMouseUp(MouseButton::Right, first, at.x, at.y); });
    }
    program_.Dispatch([&] { form.OnMouseUp(MouseButton::Left, ShiftState{}, at.x, at.y); });
  }

  void wheel() {
    TForm2& form = program_.form2();
    const Point at = partPoint();
    program_.Dispatch([&] { form.OnMouseMove(ShiftState{}, at.x, at.y); });
    const auto& notch = dice_.below(2) == 0 ? form.OnMouseWheelUp : form.OnMouseWheelDown;
    program_.Dispatch([&] { notch(ShiftState{}, at.x, at.y); });
  }

  void dragPicker() {
    TForm1& form = form1();
    // The wheel around (54, 54) or the material box beside it.
    Point at = dice_.below(2) == 0 ? Point{dice_.between(24, 84), dice_.between(24, 84)}
                                   : Point{dice_.between(112, 184), dice_.between(18, 90)};
    const int kind = dice_.below(3);
    const ShiftState held{kind == 0, kind == 1, kind == 2};
    program_.Dispatch([&] { form.OnMouseDown(MouseButton::Left, held, at.x, at.y); });
    for (int move = dice_.below(3); move > 0; --move) {
      at = {at.x + dice_.between(-10, 10), at.y + dice_.between(-10, 10)};
      program_.Dispatch([&] { form.OnMouseMove(held, at.x, at.y); });
    }
    program_.Dispatch([&] { form.OnMouseUp(MouseButton::Left, ShiftState{}, at.x, at.y); });
  }

  // The double-click handler, then the press and release of the second click.
  void doubleClick(Form& form, Point at) {
    const ShiftState left{true, false, false};
    program_.Dispatch([&] { form.OnDblClick(); });
    program_.Dispatch([&] { form.OnMouseDown(MouseButton::Left, left, at.x, at.y); });
    program_.Dispatch([&] { form.OnMouseUp(MouseButton::Left, ShiftState{}, at.x, at.y); });
  }

  void background() {
    if (dice_.below(2) == 0) {
      click(form1().Button3);
      return;
    }
    program_.Answer(program_.folder().Path() + "haikei/b" + std::to_string(dice_.below(2)) +
                    ".bmp");
    click(form1().Button2);
  }

  ScriptedApp& program_;
  Dice dice_;
  std::string log_;
};

void writePictures(const ScriptedApp& program) {
  const std::string obj = program.folder().Path() + "obj/";
  SaveBitmapFile(obj + "p0.bmp", test::DiscPicture(26, 24, 13, 12, 10, 0x2050C0, 0xFFFFFF));
  SaveBitmapFile(obj + "p1.bmp", test::CheckerDiscPicture(30, 13, 0xC03020, 0x20A040));
  Bitmap bar = test::SolidPicture(18, 34, 0x00FF00);
  test::PaintBlock(bar, 3, 2, 15, 32, 0x806040);
  test::PaintBlock(bar, 5, 6, 12, 12, 0xF0E020);
  SaveBitmapFile(obj + "p2.bmp", bar);
  SaveBitmapFile(obj + "p3.bmp", test::DiscPicture(40, 20, 20, 10, 9, 0x101010, 0xFF00FF));
  const std::string haikei = program.folder().Path() + "haikei/";
  Bitmap sky = test::SolidPicture(88, 72, 0x4080F0);
  test::PaintBlock(sky, 10, 40, 60, 72, 0x30A030);
  SaveBitmapFile(haikei + "b0.bmp", sky);
  Bitmap dusk = test::SolidPicture(104, 90, 0x402060);
  test::PaintBlock(dusk, 0, 0, 30, 30, 0xF0C020);
  SaveBitmapFile(haikei + "b1.bmp", dusk);
}

TEST(HistoryRoundTrip, UndoesEveryRandomStepBackToTheStartAndRedoesItAgain) {
  ScriptedApp program;
  writePictures(program);
  program.Dispatch([&] { program.form1().FormPaint(); });  // as its first showing does
  const SceneHistory& history = program.app().history;
  MenuEntry& undo = program.form1().Undo;
  MenuEntry& redo = program.form1().Redo;
  size_t stepsSeen = 0;

  for (int sequence = 0; sequence < Sequences; ++sequence) {
    SCOPED_TRACE("sequence " + std::to_string(sequence));
    // Each sequence starts from an empty scene in a small window, with a
    // history of its own: a refused load would keep the old one, so the
    // project loaded is an empty one.
    program.Dispatch([&] { program.form1().Button3.Click(); });
    program.Dispatch([&] { program.form1().SpeedButton3.Click(); });
    program.Dispatch([&] { program.form2().ReportClientSize(ViewSide, ViewSide); });
    program.Dispatch([&] { program.app().history.Reset(); });

    std::vector<Seen> seen{look(program)};
    RoundTrip trip(program, static_cast<uint32_t>(sequence));
    for (int action = 4 + sequence % 21; action > 0; --action) {
      trip.act();
      const Seen now = look(program);
      ASSERT_TRUE(history.DoneCount() == seen.size() - 1 || history.DoneCount() == seen.size());
      if (history.DoneCount() == seen.size()) {
        seen.push_back(now);
      } else {
        ASSERT_TRUE(now == seen.back())
            << "a change was not recorded:" << differences(now, seen.back());
      }
    }
    for (const std::string& message : program.messages) {
      ASSERT_TRUE(message == "これ以上は読み込めません！" ||
                  message == "まだ画像を読み込んでいません！")
          << message;
    }
    ASSERT_TRUE(program.errors.empty());
    stepsSeen += seen.size() - 1;

    for (size_t step = seen.size() - 1; step > 0; --step) {
      ASSERT_TRUE(undo.Enabled());
      program.Dispatch([&] { undo.Click(); });
      const Seen now = look(program);
      ASSERT_TRUE(now == seen[step - 1])
          << trip.log() << "; undoing step " << step << ":" << differences(now, seen[step - 1]);
    }
    EXPECT_FALSE(undo.Enabled());
    program.Dispatch([&] { undo.Click(); });
    ASSERT_TRUE(look(program) == seen[0]);
    for (size_t step = 1; step < seen.size(); ++step) {
      ASSERT_TRUE(redo.Enabled());
      program.Dispatch([&] { redo.Click(); });
      const Seen now = look(program);
      ASSERT_TRUE(now == seen[step])
          << "redoing step " << step << ":" << differences(now, seen[step]);
    }
    EXPECT_FALSE(redo.Enabled());
  }
  // The sequences are long enough to build, pose and take back figures.
  EXPECT_GT(stepsSeen, static_cast<size_t>(Sequences) * 5);
}

}  // namespace
}  // namespace puffel
