// The progress of a build as its caller shows it: the part placed, then the
// positions of a bar from 0 to 100.
#pragma once

#include <functional>

namespace puffel {

// What a build reports while it runs; either hook may be empty.
struct BuildProgress {
  // The part has been counted and placed: a window may show it.
  std::function<void()> partPlaced;
  // The bar's new position: 5 when the mesh stages start, on through the
  // search up to 90, 100 once the mesh is placed and 0 at the end (also when
  // memory runs out).
  std::function<void(int)> moved;
};

// The bar of one build: the search moves on from the position it last set.
struct ProgressBarPosition {
  const BuildProgress& report;
  int position = 0;
};

// Sets the bar to position and reports it.
void MoveProgress(ProgressBarPosition& bar, int position);

}  // namespace puffel
