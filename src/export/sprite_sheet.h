// Sprite sheets: the animation's frames, in one or more directions, rendered
// by the 3D view's pass and set side by side on a transparent picture.
#pragma once

#include <vector>

#include "platform/bitmap.h"
#include "scene/scene.h"

namespace puffel {

// The numbers of directions a sheet can have.
constexpr int SheetDirectionChoices[] = {1, 4, 8};

// What a sheet export writes: the sheet of directions rows, and with
// frameFiles every frame as a PNG file of its own beside it too.
struct SheetSettings {
  int directions = 1;
  bool frameFiles = false;
};

struct SheetRect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
};

// Transparent pixels between neighbouring frames of a sheet, as atlas
// packers leave them: an engine that filters a frame drawn scaled or turned
// reads texels beyond its edge, which must not be another frame's.
constexpr int SheetGap = 2;

// Frames of one size in a grid: row d holds direction d, column f frame f of
// the loop, SheetGap apart (FrameRect).
struct SpriteSheet {
  Bitmap picture;  // 0xAARRGGBB: the view's pixel with alpha 255 where a part is drawn, else 0
  int directions = 1;
  std::vector<int> durations;  // per frame of the loop, in milliseconds
  SheetRect trim;              // the rectangle of the view every frame is cut from
  int viewWidth = 0;
  int viewHeight = 0;

  int Frames() const { return static_cast<int>(durations.size()); }
};

// The figure of scene turned for direction d of directions: every part's
// frame turned by d / directions of a full turn about the vertical line
// through the view's centre at depth 0 (clockwise seen from above), as the
// background drag turns the scene about that centre. Direction 0 leaves the
// frames untouched.
void TurnFigure(Scene& scene, int direction, int directions);

// The sheet of scene in directions directions (one of SheetDirectionChoices):
// the frames of one loop of the animation as the GIF export takes them (or,
// without keys, the pose shown as one frame of one playback frame's
// duration), each posed, turned by TurnFigure and drawn by DrawScene3D
// (filled, also when the view shows outlines) at the view's size; cut to the
// smallest rectangle that holds every part drawn in every frame. Draws into
// the view's picture and buffers and leaves them with the last frame; every
// part's frame and the drawing mode are as they were. Throws ExportRefusal
// when no frame shows a part, or when the sheet, or the frames on the way to
// it, would hold more pixels than the largest picture the program reads.
SpriteSheet RenderSpriteSheet(Scene& scene, int directions);

// Where frame (direction, frame) lies in sheet's picture: at
// (frame * (trim.width + SheetGap), direction * (trim.height + SheetGap)),
// trim's size.
SheetRect FrameRect(const SpriteSheet& sheet, int direction, int frame);

// Frame (direction, frame) of sheet, cut out.
Bitmap SheetFrame(const SpriteSheet& sheet, int direction, int frame);

}  // namespace puffel
