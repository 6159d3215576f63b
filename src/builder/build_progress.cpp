#include "builder/build_progress.h"

namespace puffel {

void MoveProgress(ProgressBarPosition& bar, int position) {
  bar.position = position;
  if (bar.report.moved) bar.report.moved(position);
}

}  // namespace puffel
