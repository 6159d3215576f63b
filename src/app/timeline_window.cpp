#include "app/timeline_window.h"

#include <array>
#include <cstdio>

#include "app/application.h"
#include "app/timeline_drag.h"
#include "app/timeline_picture.h"
#include "platform/services.h"

namespace puffel {

namespace {

// The ruler's ends stay this far inside the window, so that the marks on
// them show whole.
constexpr int RulerInset = 12;

std::string timeText(double now, double loopLength, const Scene& scene) {
  char text[96];
  const int keys = static_cast<int>(scene.AnimationKeys.size());
  if (scene.SelectedKey >= 0) {
    std::snprintf(text, sizeof text, "%.2f / %.2f秒　キー %d/%d", now, loopLength,
                  scene.SelectedKey + 1, keys);
  } else {
    std::snprintf(text, sizeof text, "%.2f / %.2f秒　キー %d個", now, loopLength, keys);
  }
  return text;
}

}  // namespace

TForm3::TForm3(Application& app) : app_(app), scene_(app.scene) {
  SetCaption("タイムライン");
  SetBorder(BorderStyle::Single, {.systemMenu = true, .minimize = false, .maximize = false});
  SetClientSize(RulerArea.width, RulerArea.top + RulerArea.height);
  SetVisible(false);
  HidesOnClose = true;
  for (Control* control : {&PlayButton, &AddKeyButton, &UpdateKeyButton, &DeleteKeyButton,
                           &EasingLinear, &EasingSmooth, &EasingHold, &TimeLabel}) {
    AddControl(*control);
  }
  AnimationMenu& menu = app.form2.Animation;
  PlayButton.OnClick = [&app, &menu] {
    if (app.playback.Running()) {
      menu.Stop.Click();
    } else {
      menu.Play.Click();
    }
  };
  AddKeyButton.OnClick = [&menu] { menu.InsertKey.Click(); };
  UpdateKeyButton.OnClick = [&menu] { menu.UpdateKey.Click(); };
  DeleteKeyButton.OnClick = [&menu] { menu.DeleteKey.Click(); };
  const std::array<Control*, 3> easings = easingButtons();
  for (size_t n = 0; n < menu.KeyEasing.size(); ++n) {
    easings[n]->OnClick = [&menu, n] { menu.KeyEasing[n].Click(); };
  }
  OnPaint = [this] { ShowTimeline(); };
  OnMouseDown = [this](MouseButton button, ShiftState shift, int x, int y) {
    FormMouseDown(button, shift, x, y);
  };
  OnMouseMove = [this](ShiftState shift, int x, int y) { FormMouseMove(shift, x, y); };
  OnMouseUp = [this](MouseButton button, ShiftState shift, int x, int y) {
    FormMouseUp(button, shift, x, y);
  };
}

std::array<Control*, 3> TForm3::easingButtons() {
  return {&EasingLinear, &EasingSmooth, &EasingHold};
}

TimelineRuler TForm3::Ruler() const {
  return {.left = RulerInset,
          .right = RulerArea.width - 1 - RulerInset,
          .seconds = draggingEnd_ ? draggedLoop_ : scene_.LoopLength};
}

double TForm3::timeShown() const {
  if (app_.playback.Playing()) return app_.playback.ShownTime();
  if (scene_.SelectedKey >= 0) return scene_.AnimationKeys[scene_.SelectedKey].time;
  return 0;
}

void TForm3::ShowTimeline() {
  // The buttons do what the animation menu's entries do, when those can.
  const AnimationMenu& menu = app_.form2.Animation;
  const bool running = app_.playback.Running();
  PlayButton.SetCaption(running ? "停止" : "再生");
  PlayButton.SetEnabled(running ? menu.Stop.Enabled() : menu.Play.Enabled());
  AddKeyButton.SetEnabled(menu.InsertKey.Enabled());
  UpdateKeyButton.SetEnabled(menu.UpdateKey.Enabled());
  DeleteKeyButton.SetEnabled(menu.DeleteKey.Enabled());
  const std::array<Control*, 3> easings = easingButtons();
  for (size_t n = 0; n < menu.KeyEasing.size(); ++n) {
    easings[n]->SetEnabled(menu.KeyEasing[n].Enabled());
    easings[n]->SetChecked(menu.KeyEasing[n].Checked());
  }
  TimeLabel.SetCaption(
      timeText(timeShown(), draggingEnd_ ? draggedLoop_ : scene_.LoopLength, scene_));
  // Played ticks redraw too: the keys are copied only to show a dragged one
  // at its new time.
  if (draggedKey_ < 0) {
    drawRuler(scene_.AnimationKeys);
    return;
  }
  std::vector<KeyPose> keys = scene_.AnimationKeys;
  keys[draggedKey_].time = draggedTime_;
  drawRuler(keys);
}

void TForm3::drawRuler(const std::vector<KeyPose>& keys) {
  ClearSurface(ButtonFaceColour());
  Bitmap picture(RulerArea.width, RulerArea.height);
  const double now = draggedKey_ >= 0 ? draggedTime_ : timeShown();
  DrawTimeline(picture, Ruler(), keys, scene_.SelectedKey, now);
  Present(picture, RulerArea.left, RulerArea.top);
}

void TForm3::FormMouseDown(MouseButton Button, ShiftState, int X, int Y) {
  if (Button != MouseButton::Left || Y < RulerArea.top || scene_.AnimationKeys.empty()) return;
  const int k = KeyPressedAt(scene_.AnimationKeys, Ruler(), X);
  if (LoopEndPressedAt(scene_.AnimationKeys, Ruler(), X)) {
    pressedRuler_ = Ruler();
    draggedLoop_ = scene_.LoopLength;
    draggingEnd_ = true;
  } else if (k >= 0) {
    app_.SelectKey(k);
    if (scene_.SelectedKey != k) return;
    draggedKey_ = k;
    draggedTime_ = scene_.AnimationKeys[k].time;
  } else {
    scrubbing_ = true;
    app_.ShowTime(TimeAtX(Ruler(), X));
  }
  ShowTimeline();
}

void TForm3::FormMouseMove(ShiftState, int X, int) {
  if (draggedKey_ >= 0) {
    draggedTime_ = DraggedKeyTime(scene_.AnimationKeys, Ruler(), draggedKey_, X);
    ShowTimeline();
  } else if (draggingEnd_) {
    draggedLoop_ = DraggedLoopLength(scene_.AnimationKeys, pressedRuler_, X);
    ShowTimeline();
  } else if (scrubbing_) {
    app_.ShowTime(TimeAtX(Ruler(), X));
  }
}

void TForm3::FormMouseUp(MouseButton Button, ShiftState, int, int) {
  if (Button != MouseButton::Left) return;
  scrubbing_ = false;
  if (draggingEnd_) {
    draggingEnd_ = false;
    if (draggedLoop_ != scene_.LoopLength) app_.ChangeLoopLength(draggedLoop_);
    ShowTimeline();
    return;
  }
  if (draggedKey_ < 0) return;
  const int k = draggedKey_;
  const double time = draggedTime_;
  draggedKey_ = -1;
  if (time != scene_.AnimationKeys[k].time) app_.RetimeSelectedKey(time);
  ShowTimeline();
}

}  // namespace puffel
