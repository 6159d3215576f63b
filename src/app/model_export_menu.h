// The main window's export menu entries: the 3D model and the animated GIF,
// each through a save dialog.
#pragma once

namespace puffel {

class TForm1;

// Gives the main window's menu entries Export3D and ExportGif their handlers:
// a save dialog starting in "pic_hozon" with the filters "glTF (*.glb)",
// "OBJ (*.obj)", "STL (*.stl)" and "3MF (*.3mf)", for STL and 3MF a box
// asking for the print height (starting at, and then setting, PrintHeight),
// then ExportFigure, its refusals shown as a message; a save
// dialog starting there with the filter "GIFアニメ (*.gif)", then the
// animation's GIF (AnimationGif) written to GifFilePath of the path chosen
// (without keys NoKeysMessage).
void InstallModelExport(TForm1& form1);

}  // namespace puffel
