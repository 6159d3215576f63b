// File dialogs, message boxes and the error report of the desktop program.
#pragma once

#include <QStringList>
#include <optional>
#include <string>

#include "platform/services.h"

namespace puffel {

// The Qt name filters of a filter "description|pattern|description|pattern...":
// one entry per pair, "description (patterns)" with the patterns separated by
// blanks; a description that already ends with its patterns in brackets is
// kept as it is.
QStringList QtNameFilters(const std::string& filter);

// Shows dialog as a modal file dialog starting in its initial folder with its
// filter entry selected (the first one when the index is out of range). On
// success sets fileName and filterIndex and returns true; false when cancelled.
// The save dialog does not ask before replacing a file.
bool RunFileDialog(FileDialog& dialog);

// A modal message box with text and an OK button.
void ShowMessageBox(const std::string& text);

// The error report: a modal message box with an error icon, text and OK.
void ShowErrorBox(const std::string& text);

// A modal information box with the system's information icon.
void ShowInformationBox(const std::string& title, const std::string& text);

// The question's box: a line of text to type, OK and Cancel.
std::optional<std::string> AskTextBox(const TextQuestion& question);

}  // namespace puffel
