// Playing the animation in the 3D view: the keys' poses at the time that has
// passed since "再生", drawn by the render pass at every tick of the part
// window's timer, until "停止" puts back the pose (and view) from before.
#pragma once

#include <array>
#include <chrono>
#include <functional>

#include "anim/playback_rate.h"
#include "scene/scene.h"

namespace puffel {

class TForm2;

class Playback {
 public:
  explicit Playback(TForm2& form2);

  bool Playing() const { return shown_; }
  // Playing with the timer running, not held at a time.
  bool Running() const;
  // The time in the loop the animation was last shown at, in seconds.
  double ShownTime() const { return shownTime_; }
  // Runs after every picture of the animation shown: playing, each tick.
  std::function<void()> OnShow;

  // Plays the keys from their start in a loop, in the 3D view; without keys
  // the message NoKeysMessage.
  void Play();
  // Puts back the pose and view from before playing and redraws; nothing
  // when not playing.
  void Stop();
  // Shows the animation at seconds from its start, without the timer, as if
  // it had been playing that long; Stop puts back what was there before.
  void ShowTime(double seconds);
  // The timer's tick: the pose at the time that has passed, drawn.
  void Tick();

 private:
  // Keeps the pose and view to put back, and switches the 3D view on.
  void begin();
  void show(double seconds);

  TForm2& form2_;
  Scene& scene_;
  bool shown_ = false;  // the animation is shown: playing, or at a time
  std::array<Frame, MaxParts> framesBefore_{};
  bool view3DBefore_ = false;
  double shownTime_ = 0;
  std::chrono::steady_clock::time_point start_;
};

}  // namespace puffel
