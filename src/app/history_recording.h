// Connects the windows to the history: every handler that can change the
// scene runs inside a gesture of it, and the edit menu's entries undo and
// redo. The handlers themselves stay as they are.
#pragma once

#include "app/scene_history.h"

namespace puffel {

class TForm1;
class TForm2;

// Wraps the scene-changing handlers of both windows (the buttons, the
// animation menu's key entries, the
// pointer from the first press to the release that lets go of the last
// button, every wheel notch and double click) in gestures of history; a
// loaded project starts a new history; Undo and Redo in form1's menu undo
// and redo, greyed when there is nothing to do. Run once, after the windows'
// handlers are set.
void RecordGestures(TForm1& form1, TForm2& form2, SceneHistory& history);

}  // namespace puffel
