// The picture behind the scene: setting it makes the part window exactly its
// size with a fixed border, clearing it makes the window sizeable again.
#pragma once

#include <string>

namespace puffel {

class TForm1;

// The background's name for a picture file: its file name without folder and
// extension (sky.bmp in any folder gives sky). A name that is only an
// extension (".bmp") is kept whole, so that a set background is never empty.
std::string BackgroundNameOf(const std::string& path);

// The set-background button: asks for a picture in "haikei", names it in
// Label1, loads it into BackgroundBitmap, gives the part window a fixed border
// and the picture's client size, keeps the scene centred and redraws the part
// window. A cancelled dialog or a missing file does nothing; a picture that
// cannot be read throws PlatformError after the name and label are set, with
// the window's size and border as they were.
void SetBackground(TForm1& form1);

// The clear-background button: drops the background and makes the part window
// sizeable again at its current size; redraws only the 3D view. Does nothing
// when no background is set.
void ClearBackground(TForm1& form1);

}  // namespace puffel
