// The timeline window: the animation's keys as marks along the loop's ruler,
// the time shown as a line, and buttons for what is done to the keys. It
// opens under the part window and hides when closed.
#pragma once

#include <array>
#include <vector>

#include "app/timeline_ruler.h"
#include "platform/form.h"
#include "scene/scene.h"

namespace puffel {

class Application;

class TForm3 : public Form {
 public:
  explicit TForm3(Application& app);

  // Shows the keys, the selected one, the time shown and the play button's
  // state as the scene and playback have them now.
  void ShowTimeline();

  // A press on a key's mark selects it and takes it along while the button
  // is held; its release gives the key the time it was dragged to. A press
  // on the loop's end takes that along the same way (the ruler spanning the
  // new loop as it goes). A press anywhere else on the ruler shows the
  // animation at the time there, and the drag scrubs through it.
  void FormMouseDown(MouseButton Button, ShiftState Shift, int X, int Y);
  void FormMouseMove(ShiftState Shift, int X, int Y);
  void FormMouseUp(MouseButton Button, ShiftState Shift, int X, int Y);

  // "再生" while the animation can be played, "停止" while it plays.
  Control PlayButton{"PlayButton", ControlKind::Button, {6, 6, 60, 23}, "再生"};
  // "キー追加" inserts the pose shown after the selected key.
  Control AddKeyButton{"AddKeyButton", ControlKind::Button, {72, 6, 72, 23}, "キー追加"};
  Control UpdateKeyButton{"UpdateKeyButton", ControlKind::Button, {150, 6, 72, 23}, "キー更新"};
  Control DeleteKeyButton{"DeleteKeyButton", ControlKind::Button, {228, 6, 72, 23}, "キー削除"};
  // The selected key's easing, one per Easing in its order.
  Control EasingLinear{"EasingLinear", ControlKind::RadioButton, {8, 36, 60, 17}, "リニア"};
  Control EasingSmooth{"EasingSmooth", ControlKind::RadioButton, {72, 36, 72, 17}, "なめらか"};
  Control EasingHold{"EasingHold", ControlKind::RadioButton, {150, 36, 60, 17}, "保持"};
  // The time shown and the loop's length, in seconds.
  Control TimeLabel{"TimeLabel", ControlKind::Label, {228, 38, 166, 13}};

  // Where the ruler's picture lies in the client area.
  static constexpr Bounds RulerArea{0, 60, 400, 40};
  // The loop's times along the ruler's columns, as they are now.
  TimelineRuler Ruler() const;

 private:
  // The easing buttons in the order of Easing.
  std::array<Control*, 3> easingButtons();
  // The time the line shows: the playback's while the animation is shown,
  // else the selected key's, else the loop's start.
  double timeShown() const;
  void drawRuler(const std::vector<KeyPose>& keys);

  Application& app_;
  Scene& scene_;
  int draggedKey_ = -1;  // the key a held button takes along
  double draggedTime_ = 0;
  bool draggingEnd_ = false;    // the loop's end is taken along
  TimelineRuler pressedRuler_;  // the ruler as it was at that press
  double draggedLoop_ = 0;
  bool scrubbing_ = false;
};

}  // namespace puffel
