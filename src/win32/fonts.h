// The Japanese UI font of the controls and the canvas text.
#pragma once

#include <windows.h>

namespace puffel {

// The system's Japanese UI font with an em of pixelHeight screen pixels:
// "Yu Gothic UI" or "Meiryo UI" where installed, else "MS UI Gothic". Made
// once per height and kept for the program's life.
HFONT JapaneseFont(int pixelHeight);

}  // namespace puffel
