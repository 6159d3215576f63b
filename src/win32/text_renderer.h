// The canvas text renderer of the Windows program (see SetTextRenderer).
#pragma once

#include <cstdint>
#include <string>

#include "platform/bitmap.h"

namespace puffel {

// Draws utf8 text into target's own pixels with the top of its character
// cell at (x, y), in the canvas colour 0x00BBGGRR, with the Japanese font at
// pixelHeight. Clipped to the picture; an empty picture is left alone.
void DrawTextOnBitmap(Bitmap& target, int x, int y, const std::string& utf8, uint32_t colour,
                      int pixelHeight);

}  // namespace puffel
