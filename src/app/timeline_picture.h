// The timeline's picture on the platform canvas: the loop's ruler, a mark per
// key and the line of the time shown.
#pragma once

#include <cstdint>
#include <vector>

#include "app/timeline_ruler.h"
#include "platform/bitmap.h"

namespace puffel {

// Canvas colours (0x00BBGGRR) of the timeline's picture.
struct TimelineColours {
  uint32_t background = 0xF0F0F0;
  uint32_t ruler = 0x808080;
  uint32_t key = 0xC08040;
  uint32_t selectedKey = 0x0060FF;
  uint32_t now = 0x0000D0;
};

// Draws the whole of target: the background, the ruler across its middle row
// from ruler.left to ruler.right with the loop's end as a bar MarkReach high
// either side of it, each key as a diamond of half-width
// MarkReach on its column (the selected one, -1 for none, in its own colour,
// drawn last so that it shows whole), and the column of time now as a line
// from top to bottom over them. Leaves target's canvas state as it was.
void DrawTimeline(Bitmap& target, const TimelineRuler& ruler, const std::vector<KeyPose>& keys,
                  int selected, double now, const TimelineColours& colours = {});

// How far from its column a key's mark reaches, and so a click picks it.
constexpr int MarkReach = 5;

}  // namespace puffel
