#include "app/timeline_picture.h"

#include <array>

#include "platform/canvas.h"

namespace puffel {

namespace {

void drawMark(Bitmap& target, int x, int y, uint32_t colour) {
  const std::array<IntPoint, 4> diamond{IntPoint{x, y - MarkReach}, IntPoint{x + MarkReach, y},
                                        IntPoint{x, y + MarkReach}, IntPoint{x - MarkReach, y}};
  target.canvas.penColour = colour;
  target.canvas.brushColour = colour;
  Polygon(target, diamond);
}

}  // namespace

void DrawTimeline(Bitmap& target, const TimelineRuler& ruler, const std::vector<KeyPose>& keys,
                  int selected, double now, const TimelineColours& colours) {
  const CanvasState kept = target.canvas;
  target.canvas = CanvasState{};
  target.canvas.penColour = colours.background;
  target.canvas.brushColour = colours.background;
  Rectangle(target, 0, 0, target.Width(), target.Height());
  const int middle = target.Height() / 2;
  target.canvas.penColour = colours.ruler;
  Line(target, ruler.left, middle, ruler.right + 1, middle);
  Line(target, ruler.right, middle - MarkReach, ruler.right, middle + MarkReach + 1);
  for (size_t k = 0; k < keys.size(); ++k) {
    if (static_cast<int>(k) != selected) {
      drawMark(target, XOfTime(ruler, keys[k].time), middle, colours.key);
    }
  }
  if (selected >= 0 && selected < static_cast<int>(keys.size())) {
    drawMark(target, XOfTime(ruler, keys[selected].time), middle, colours.selectedKey);
  }
  target.canvas.penColour = colours.now;
  const int x = XOfTime(ruler, now);
  Line(target, x, 0, x, target.Height());
  target.canvas = kept;
}

}  // namespace puffel
