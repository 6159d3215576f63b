#include "app/history_recording.h"

#include <algorithm>
#include <cstdint>

#include "app/main_window.h"
#include "app/part_window.h"

namespace puffel {

namespace {

// Runs handler as one gesture, ended also when the handler throws.
void asGesture(SceneHistory& history, const std::function<void()>& handler,
               const std::function<void()>& beforeEnd = {}) {
  history.BeginGesture();
  try {
    handler();
  } catch (...) {
    if (beforeEnd) beforeEnd();
    history.EndGesture();
    throw;
  }
  if (beforeEnd) beforeEnd();
  history.EndGesture();
}

int heldCount(const ShiftState& shift) { return shift.left + shift.right + shift.middle; }

// A press on part k's joint marker in the flat view selects 1000 + k; its
// drag moves the pivot and shifts the part's pivot-relative mesh.
constexpr int JointMarkerSelection = 1000;

}  // namespace

GestureRecording::GestureRecording(TForm1& form1, TForm2& form2, SceneHistory& history)
    : form1_(form1), form2_(form2), history_(history) {
  form1.Undo.OnClick = [&history] { history.Undo(); };
  form1.Redo.OnClick = [&history] { history.Redo(); };
  history.OnChange = [&form1, &history] {
    form1.Undo.SetEnabled(history.CanUndo());
    form1.Redo.SetEnabled(history.CanRedo());
  };
  history.OnChange();
}

void GestureRecording::Record(const WindowEvent& event, const std::function<void()>& handler) {
  Scene& scene = form1_.scene;
  switch (event.kind) {
    case WindowEvent::Kind::Press:
    case WindowEvent::Kind::Move:
    case WindowEvent::Kind::Release:
      recordPointer(event, event.form == &form1_ ? pressed1_ : pressed2_, handler);
      return;
    case WindowEvent::Kind::DoubleClick:
    case WindowEvent::Kind::Wheel:
      asGesture(history_, handler);
      return;
    case WindowEvent::Kind::Drop:
    case WindowEvent::Kind::Resize:
      handler();
      return;
    case WindowEvent::Kind::Click:
      break;
  }
  const void* source = event.source;
  if (source == &form1_.Button1) {
    history_.RecordBuild(scene.PartCount, handler);
  } else if (source == &form1_.Button2) {
    asGesture(history_, handler, [this] { history_.NoteBackgroundPicture(); });
  } else if (source == &form1_.SpeedButton5 || source == &form1_.Open) {
    // A refused load changes nothing; one that is read replaces the scene.
    const uint64_t loads = scene.LoadedProjects;
    handler();
    if (scene.LoadedProjects != loads) history_.Reset();
  } else if (source == &form1_.Button3 || source == &form1_.Button4 ||
             source == &form1_.SpeedButton2 || source == &form1_.SpeedButton3 ||
             std::ranges::count(form2_.Animation.Edits(), source) > 0) {
    asGesture(history_, handler);
  } else {
    handler();
  }
}

void GestureRecording::recordPointer(const WindowEvent& event, bool& pressed,
                                     const std::function<void()>& handler) {
  Scene& scene = form1_.scene;
  if (event.kind == WindowEvent::Kind::Press) {
    if (pressed && heldCount(event.held) <= 1) {
      history_.EndGesture();
      pressed = false;
    }
    if (!pressed) {
      pressed = true;
      history_.BeginGesture();
    }
    handler();
    if (event.form == &form2_ && !scene.View3D && scene.Selection >= JointMarkerSelection) {
      history_.NoteMeshChange(scene.Selection - JointMarkerSelection);
    }
  } else if (event.kind == WindowEvent::Kind::Release) {
    const bool ends = pressed && heldCount(event.held) == 0;
    if (ends) pressed = false;
    try {
      handler();
    } catch (...) {
      if (ends) history_.EndGesture();
      throw;
    }
    if (ends) history_.EndGesture();
  } else {
    handler();
  }
}

}  // namespace puffel
