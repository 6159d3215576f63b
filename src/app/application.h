// The running program: the scene, its windows, created in order, and the one
// pipeline every event of the windows passes through.
#pragma once

#include <functional>

#include "app/animation_menu.h"
#include "app/history_recording.h"
#include "app/main_window.h"
#include "app/part_window.h"
#include "app/playback.h"
#include "app/scene_history.h"
#include "app/timeline_window.h"
#include "app/window_event.h"
#include "scene/scene.h"
#include "scene/start_scene.h"  // InitialViewWidth, InitialViewHeight

namespace puffel {

class Application {
 public:
  Application();
  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;

  // The event pipeline: runs handler, the handler of event, as every event
  // is run. In order: playback stops (a press in the part window while it
  // plays only stops it, and its drag does nothing until every button is let
  // go); the event's step of the history opens; the handler runs; the
  // animation keys are fitted to the parts and the resting layout it left;
  // the step closes; the animation menu shows the scene's state.
  void Pass(const WindowEvent& event, const std::function<void()>& handler);

  // Selects key k (from 0; -1 for none), showing its pose, and retimes the
  // selected key, as the timeline and scripts do: events of the part window.
  void SelectKey(int k);
  void RetimeSelectedKey(double seconds);
  void ChangeLoopLength(double seconds);
  // Shows the animation at seconds from its start, held there, as the
  // timeline's scrubbing and scripts' seek do.
  void ShowTime(double seconds);

  Scene scene;
  TForm1 form1{scene};          // the main window; its FormCreate sets every default
  TForm2 form2{scene, form1};   // the part window; its first size report sizes the view
  SceneHistory history{form1};  // undo and redo of the scene
  Playback playback{form2};     // the animation played in the part window
  TForm3 form3{*this};          // the timeline, hidden until it is opened

 private:
  // Sends every handler of both windows through Pass. Run once, after every
  // handler is set.
  void routeEvents();
  // The event of a click of one of form1's controls.
  WindowEvent clickOf(const Control& control);

  GestureRecording recording_{form1, form2, history};
  bool swallowing_ = false;  // a press in the part window stopped playback
};

}  // namespace puffel
