// The mouse buttons as window events report them.
#pragma once

namespace puffel {

enum class MouseButton { Left, Right, Middle };

// The mouse buttons held during an event.
struct ShiftState {
  bool left = false;
  bool right = false;
  bool middle = false;
};

}  // namespace puffel
