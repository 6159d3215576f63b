// The main window's sprite sheet entries: the export through a save dialog,
// and the sheet's settings as checked entries of a submenu.
#pragma once

#include "export/sprite_sheet.h"

namespace puffel {

class TForm1;

// The settings the sheet's entries show: the directions of the checked
// SheetDirections entry, and the frames as files when SheetFrameFiles is checked.
SheetSettings SheetSettingsOf(const TForm1& form1);

// Gives the sheet's entries their handlers and checks SheetDirections1.
// ExportSheet refuses an empty scene, asks for a file in "pic_hozon" with the
// filter "スプライトシート (*.png)", renders the sheet (RenderSpriteSheet, its
// refusals shown as a message), draws the view again as it was and writes the
// sheet's files to SheetFilePath of the path chosen. A SheetDirections entry
// checks itself alone; SheetFrameFiles checks or unchecks itself.
void InstallSheetExport(TForm1& form1);

}  // namespace puffel
