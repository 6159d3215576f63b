// Files dropped on either window from the desktop.
#pragma once

#include <string>
#include <vector>

namespace puffel {

class TForm1;

// Picture files are added in the order given, each exactly as a click on the
// add-picture button adds the file chosen in its dialog (one step of the
// history each); when the 32 parts are full the
// button's message ends the drop there, and so does a picture that cannot be
// read (its error goes to the error report). One project file (".dat") alone is
// loaded as a click on the load button loads a chosen one. Anything else gets the
// message "読み込めないファイルです：" with the first such file's name, and
// nothing changes.
void DropFiles(TForm1& form1, const std::vector<std::string>& paths);

}  // namespace puffel
