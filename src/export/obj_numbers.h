// Numbers as the OBJ text writes them: fixed decimals, as few as keep what a
// model needs, written straight into a character buffer.
#pragma once

#include <cstddef>

namespace puffel {

// Positions are metres: 6 decimals are a micrometre, a thousandth of a view
// pixel.
constexpr int PositionDecimals = 6;
// Normals are unit vectors: 5 decimals put each within 5e-6 of its direction,
// far below what 8-bit shading can show.
constexpr int NormalDecimals = 5;

// The decimals that keep a texture coordinate of a picture whose larger side
// is `side` texels within a thousandth of a texel of its exact value (so that
// it reads the same texel): 5 up to 200 texels, 6 up to 2000, 7 up to 20000,
// and so on to 9 at most.
int TextureDecimals(int side);

// The most characters WriteDecimal and WriteIndex write.
constexpr size_t MaxNumberChars = 32;

// Writes value rounded to `decimals` (0..9) decimal places, without trailing
// zeros or a bare decimal point, and with no sign on a value that rounds to
// zero ("-0.0000001" is "0"). A value whose scaled digits do not fit in 15
// digits (beyond 1e9 at 6 decimals) is written in its shortest exact form
// instead. Returns the end of the text. value must be finite.
char* WriteDecimal(char* out, double value, int decimals);

// Writes index in decimal digits; returns the end of the text.
char* WriteIndex(char* out, size_t index);

}  // namespace puffel
