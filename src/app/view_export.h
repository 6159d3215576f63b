// Exporting what the part window shows as a bitmap file.
#pragma once

#include <string>

namespace puffel {

class TForm1;

// The path a view is exported to: the chosen path, with ".bmp" appended
// unless it ends in ".bmp" or ".BMP" (case-sensitive).
std::string ExportFilePath(const std::string& chosen);

// The export button: refuses an empty scene, asks for a file in "pic_hozon"
// and writes ViewBitmap as the last redraw left it, as a 32-bit bitmap of the
// view's size, into ExportFileName. The file is written through a temporary
// one, so a failed write (thrown as PlatformError) leaves an existing file as
// it was; the scene is never changed but for ExportFileName.
void ExportView(TForm1& form1);

}  // namespace puffel
