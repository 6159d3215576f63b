// Adding a picture as a new part: intake, mesh, picture copies and links.
#pragma once

namespace puffel {

class TForm1;

// Builds slot k (the next free slot) from a picture the user picks: loads it,
// derives mask and cut-out, centres the part in the part window, builds its
// mesh, writes the four picture copies into "save" and relinks the skeleton.
void BuildPart(TForm1& form1, int k);

}  // namespace puffel
