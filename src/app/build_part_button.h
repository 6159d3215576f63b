// The add-picture button ("画像追加"): the dialogs and the main window's
// sliders around the builder's build of a new part.
#pragma once

#include <string>

namespace puffel {

class TForm1;

// Builds slot k (the next free slot) from a picture the user picks in the
// dialog, with the sliders' and check boxes' settings: refuses a 33rd part,
// asks for the back picture too when CheckBox3 is checked, shows the build
// on the progress bar and repaints both windows on the way.
void BuildPart(TForm1& form1, int k);

// The same with the front picture at path (dropped on a window) instead of
// one asked for.
void BuildPart(TForm1& form1, int k, const std::string& path);

}  // namespace puffel
