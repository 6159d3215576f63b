// The project buttons of the main window: save ("S") and load ("L").
#pragma once

#include <string>

namespace puffel {

class TForm1;

// The save button: refuses an empty scene, asks for a file in "save" and
// writes the project there (WriteProjectFiles); the scene is never changed.
void SaveProject(TForm1& form1);

// The load button: asks for a project in "save" and loads it (the path
// overload below). A cancelled dialog does nothing.
void LoadProject(TForm1& form1);

// Loads the project at path (LoadProjectFile); a damaged file gets the
// message "データファイルが壊れています！". Repaints both windows after a
// load. A missing file does nothing.
void LoadProject(TForm1& form1, const std::string& path);

}  // namespace puffel
