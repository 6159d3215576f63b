// Wheel rotation added up into whole notches: high-resolution wheels send
// fractions of one.
#pragma once

namespace puffel {

// One notch in the window systems' wheel units (eighths of a degree).
constexpr int WheelNotch = 120;

struct WheelNotches {
  // Adds delta (positive away from the user) and returns the whole notches
  // now complete, positive or negative; the rest waits for the next call.
  int Add(int delta) {
    rest += delta;
    const int notches = rest / WheelNotch;
    rest -= notches * WheelNotch;
    return notches;
  }

  int rest = 0;
};

}  // namespace puffel
