// Files dropped on either window from the desktop.
#pragma once

#include <string>
#include <vector>

namespace puffel {

class TForm1;

// Picture files are added in the order given, each by a click of the
// add-picture button that takes it as its front picture in place of asking
// (TForm1::DroppedFile; one step of the history each; with CheckBox3 checked
// the back picture is still asked for); when the 32 parts are full the
// button's message ends the drop there, and so does a picture that cannot be
// read (its error goes to the error report). One project file (".dat") alone is
// loaded by a click of the load button that takes it in the same way. Anything
// else gets the message "読み込めないファイルです：" with the first such
// file's name, and nothing changes.
void DropFiles(TForm1& form1, const std::vector<std::string>& paths);

}  // namespace puffel
