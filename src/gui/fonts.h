// The Japanese gothic font of the windows, their controls and the canvas text.
#pragma once

#include <QFont>

namespace puffel {

// A Japanese gothic font whose em is pixelHeight pixels: "IPAPGothic" when
// installed, else the first installed family that writes Japanese, else the
// application font.
QFont JapaneseFont(int pixelHeight);

}  // namespace puffel
