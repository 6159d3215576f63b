#include "app/history_recording.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <utility>

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

void recordClicks(std::function<void()>& onClick, SceneHistory& history) {
  onClick = [&history, handler = std::move(onClick)] { asGesture(history, handler); };
}

int heldCount(const ShiftState& shift) { return shift.left + shift.right + shift.middle; }

// A press on part k's joint marker in the flat view selects 1000 + k; its
// drag moves the pivot and shifts the part's pivot-relative mesh.
constexpr int JointMarkerSelection = 1000;

// The pointer of one window: a gesture from the press that finds no gesture
// of this window open to the release that leaves no button held. A press
// with only its own button held while a gesture is open means the release
// went elsewhere (to a message box, say): that gesture ends there.
void recordPointer(Form& form, SceneHistory& history) {
  auto pressed = std::make_shared<bool>(false);
  form.OnMouseDown = [&history, pressed, handler = std::move(form.OnMouseDown)](
                         MouseButton button, ShiftState shift, int x, int y) {
    if (*pressed && heldCount(shift) <= 1) {
      history.EndGesture();
      *pressed = false;
    }
    if (!*pressed) {
      *pressed = true;
      history.BeginGesture();
    }
    handler(button, shift, x, y);
  };
  form.OnMouseUp = [&history, pressed, handler = std::move(form.OnMouseUp)](
                       MouseButton button, ShiftState shift, int x, int y) {
    const bool ends = *pressed && heldCount(shift) == 0;
    if (ends) *pressed = false;
    try {
      handler(button, shift, x, y);
    } catch (...) {
      if (ends) history.EndGesture();
      throw;
    }
    if (ends) history.EndGesture();
  };
  form.OnDblClick = [&history, handler = std::move(form.OnDblClick)] {
    asGesture(history, handler);
  };
}

void recordWheel(std::function<void(ShiftState, int, int)>& wheel, SceneHistory& history) {
  wheel = [&history, handler = std::move(wheel)](ShiftState shift, int x, int y) {
    asGesture(history, [&] { handler(shift, x, y); });
  };
}

}  // namespace

void RecordGestures(TForm1& form1, TForm2& form2, SceneHistory& history) {
  Scene& scene = form1.scene;
  form1.Button1.OnClick = [&history, &scene, handler = std::move(form1.Button1.OnClick)] {
    history.RecordBuild(scene.PartCount, handler);
  };
  form1.Button2.OnClick = [&history, handler = std::move(form1.Button2.OnClick)] {
    asGesture(history, handler, [&history] { history.NoteBackgroundPicture(); });
  };
  for (Control* button :
       {&form1.Button3, &form1.Button4, &form1.SpeedButton2, &form1.SpeedButton3}) {
    recordClicks(button->OnClick, history);
  }
  for (MenuEntry* entry : {&form1.AddKey, &form1.DeleteKey, &form1.ClearKeys, &form1.KeyInterval1,
                           &form1.KeyInterval2, &form1.KeyInterval3, &form1.KeyInterval4}) {
    recordClicks(entry->OnClick, history);
  }
  // A refused load changes nothing; one that is read replaces the scene.
  form1.SpeedButton5.OnClick = [&history, &scene, handler = std::move(form1.SpeedButton5.OnClick)] {
    const uint64_t loads = scene.LoadedProjects;
    handler();
    if (scene.LoadedProjects != loads) history.Reset();
  };

  recordPointer(form1, history);
  recordPointer(form2, history);
  form2.OnMouseDown = [&history, &scene, handler = std::move(form2.OnMouseDown)](
                          MouseButton button, ShiftState shift, int x, int y) {
    handler(button, shift, x, y);
    if (!scene.View3D && scene.Selection >= JointMarkerSelection) {
      history.NoteMeshChange(scene.Selection - JointMarkerSelection);
    }
  };
  recordWheel(form2.OnMouseWheelUp, history);
  recordWheel(form2.OnMouseWheelDown, history);

  form1.Undo.OnClick = [&history] { history.Undo(); };
  form1.Redo.OnClick = [&history] { history.Redo(); };
  history.OnChange = [&form1, &history] {
    form1.Undo.SetEnabled(history.CanUndo());
    form1.Redo.SetEnabled(history.CanRedo());
  };
  history.OnChange();
}

}  // namespace puffel
