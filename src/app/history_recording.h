// How the events of the windows become steps of the history: a click of a
// button or key entry that changes the scene is one step; the pointer is one
// from the first press to the release that lets go of the last button; a
// wheel notch or double click is one; a build keeps what it overwrites; a
// loaded project starts a new history.
#pragma once

#include <functional>

#include "app/scene_history.h"
#include "app/window_event.h"

namespace puffel {

class TForm1;
class TForm2;

class GestureRecording {
 public:
  // Gives Undo and Redo in form1's menu their handlers, greyed when there is
  // nothing to do.
  GestureRecording(TForm1& form1, TForm2& form2, SceneHistory& history);

  // Runs handler, the handler of event, as the step of the history the event
  // is (or in the step a press opened), closing it also when handler throws.
  void Record(const WindowEvent& event, const std::function<void()>& handler);

 private:
  // A press with only its own button held while a gesture of the window is
  // open means the release went elsewhere (to a message box, say): that
  // gesture ends there.
  void recordPointer(const WindowEvent& event, bool& pressed, const std::function<void()>& handler);

  TForm1& form1_;
  TForm2& form2_;
  SceneHistory& history_;
  bool pressed1_ = false;  // a gesture of form1's pointer is open
  bool pressed2_ = false;  // and of form2's
};

}  // namespace puffel
