// File dialogs, message boxes, the error report and the document opener of
// the Windows program.
#pragma once

#include <string>

#include "platform/services.h"

namespace puffel {

// The filter of a common file dialog: "description\0patterns\0" per entry and
// one more '\0' at the end.
std::wstring CommonDialogFilter(const std::string& filter);

// Shows dialog as the system's modal open or save dialog starting in its
// initial folder with its filter entry selected (the first one when the index
// is out of range). On success sets fileName and filterIndex and returns true;
// false when cancelled.
bool RunFileDialog(FileDialog& dialog);

// A modal message box with text and an OK button.
void ShowMessageBox(const std::string& text);

// The error report: a modal message box with an error icon, text and OK.
void ShowErrorBox(const std::string& text);

// A modal information box with the system's information icon.
void ShowInformationBox(const std::string& title, const std::string& text);

// Opens path with the program the desktop uses for its kind.
bool OpenWithDesktop(const std::string& path);

}  // namespace puffel
