// A sprite sheet's atlas: the JSON file beside the sheet that tells a 2D game
// engine where each frame lies and how long it is shown, in the widely read
// "JSON hash" layout.
#pragma once

#include <string>

#include "export/sprite_sheet.h"

namespace puffel {

// The name of frame (direction, frame) of sheet: "d" and the direction, "_f"
// and the frame with leading zeros to as many digits as the last frame has,
// so that the names sort in the sheet's order ("d0_f07").
std::string SheetFrameName(const SpriteSheet& sheet, int direction, int frame);

// The atlas of sheet, whose picture is the file imageName: "frames" maps each
// frame's name, direction by direction and frame by frame, to its rectangle
// in the sheet ("frame", never "rotated"), where it was cut from the view
// ("spriteSourceSize" in "sourceSize", "trimmed" unless that is the whole
// view), its "duration" in milliseconds and its "direction" (0 as the view
// shows the figure); "meta" names the picture, its "size", "format"
// "RGBA8888", "scale" "1", and one "frameTags" entry per direction ("d0",
// ...) from its first frame to its last, played forward.
std::string SheetAtlasJson(const SpriteSheet& sheet, const std::string& imageName);

}  // namespace puffel
