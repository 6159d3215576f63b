#include "app/playback.h"

#include <cmath>

#include "anim/key_poses.h"
#include "app/part_window.h"
#include "platform/services.h"

namespace puffel {

Playback::Playback(TForm2& form2) : form2_(form2), scene_(form2.scene) {
  form2_.OnTimer = [this] { Tick(); };
}

bool Playback::Running() const { return shown_ && form2_.TimerInterval() > 0; }

void Playback::Play() {
  if (scene_.AnimationKeys.empty()) {
    ShowMessage(NoKeysMessage);
    return;
  }
  begin();
  start_ = std::chrono::steady_clock::now();
  form2_.SetTimer(1000 / PlaybackRate);
  show(0);
}

void Playback::Stop() {
  if (!shown_) return;
  form2_.SetTimer(0);
  shown_ = false;
  scene_.PartFrame = framesBefore_;
  scene_.View3D = view3DBefore_;
  form2_.FormPaint();
}

void Playback::ShowTime(double seconds) {
  if (scene_.AnimationKeys.empty()) {
    ShowMessage(NoKeysMessage);
    return;
  }
  begin();
  form2_.SetTimer(0);
  show(seconds);
}

void Playback::Tick() {
  if (!shown_ || scene_.AnimationKeys.empty()) return;
  show(std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count());
}

void Playback::begin() {
  if (shown_) return;
  shown_ = true;
  framesBefore_ = scene_.PartFrame;
  view3DBefore_ = scene_.View3D;
  scene_.View3D = true;
}

void Playback::show(double seconds) {
  PoseScene(scene_, PoseAtTime(scene_.AnimationKeys, scene_.LoopLength, seconds));
  shownTime_ = scene_.LoopLength > 0 ? std::fmod(seconds, scene_.LoopLength) : 0;
  form2_.FormPaint();
  if (OnShow) OnShow();
}

}  // namespace puffel
