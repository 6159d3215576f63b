// What the event pipeline knows of an event of the two windows: its kind,
// its window, the control or menu entry it came from and the buttons held.
#pragma once

#include "platform/form.h"

namespace puffel {

struct WindowEvent {
  enum class Kind { Click, Press, Move, Release, DoubleClick, Wheel, Drop, Resize };

  Kind kind = Kind::Click;
  const Form* form = nullptr;
  const void* source = nullptr;  // the control or menu entry of a click
  ShiftState held;               // the buttons held after a pointer event
};

}  // namespace puffel
