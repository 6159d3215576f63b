// The running program: the scene and its two windows, created in order.
#pragma once

#include "app/animation_menu.h"
#include "app/history_recording.h"
#include "app/main_window.h"
#include "app/part_window.h"
#include "app/playback.h"
#include "scene/scene.h"
#include "app/scene_history.h"

namespace puffel {

struct Application {
  Application() {
    form1.SetPartWindow(form2);
    InstallAnimation(form1, playback);
    RecordGestures(form1, form2, history);
    StopPlaybackAroundEvents(form1, form2, playback);
  }

  Scene scene;
  TForm1 form1{scene};          // the main window; its FormCreate sets every default
  TForm2 form2{scene, form1};   // the part window; its first size report sizes the view
  SceneHistory history{form1};  // undo and redo of the scene
  Playback playback{form2};     // the animation played in the part window
};

// The part window's client size when the program starts.
constexpr int InitialViewWidth = 400;
constexpr int InitialViewHeight = 400;

}  // namespace puffel
