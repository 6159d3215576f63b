// What the program asks of its surroundings: file dialogs, message boxes, the
// error report and the button-face colour. A binding (the desktop program or
// the headless runner) installs its own.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>

namespace puffel {

enum class DialogKind { Open, Save };

// A file dialog component: set it up, Execute it, read fileName.
struct FileDialog {
  FileDialog(DialogKind kind, std::string filter) : kind(kind), filter(std::move(filter)) {}

  DialogKind kind;
  std::string initialDir;
  // Entries "description|pattern" joined by '|', e.g. "Bitmaps (*.bmp)|*.bmp".
  std::string filter;
  int filterIndex = 1;
  std::string fileName;  // the chosen path after Execute returned true
  // A save dialog asks before the chosen file replaces an existing one.
  bool confirmOverwrite = false;

  // Shows the dialog through the installed services; false when cancelled.
  bool Execute();
};

// A line of text asked for in a small modal box with OK and Cancel.
struct TextQuestion {
  std::string title;
  std::string prompt;  // one line above the text box
  std::string text;    // what the box starts with
};

struct Services {
  // Show the dialog; on success set dialog.fileName and return true.
  std::function<bool(FileDialog& dialog)> runFileDialog;
  // A modal message box with one line of text and an OK button.
  std::function<void(const std::string& text)> showMessage;
  // A modal information box with a title, a text of several lines and an OK
  // button; when not set, the text is shown as showMessage shows it.
  std::function<void(const std::string& title, const std::string& text)> showInformation{};
  // Show the question's box; the text when OK was pressed, nothing when it
  // was cancelled. When not set, the starting text is taken as answered.
  std::function<std::optional<std::string>(const TextQuestion& question)> askText{};
  // The platform's error report (one message box with the error's text).
  std::function<void(const std::string& text)> reportError;
  // Opens a document file in the desktop's viewer for its kind; false when
  // that failed.
  std::function<bool(const std::string& path)> openDocument;
  // The system's button-face colour as a canvas colour.
  uint32_t buttonFaceColour = 0xF0F0F0;
  // The window toolkit the binding links, with its licence, as the About box
  // names it; "" when it links none.
  std::string toolkitNotice{};
};

// The installed services (by default: every dialog is cancelled, messages and
// errors go to standard error, no document opens).
Services& PlatformServices();

void ShowMessage(const std::string& text);
void ShowInformation(const std::string& title, const std::string& text);
bool OpenDocument(const std::string& path);

// Asks for a whole number from min to max in the question's box, starting at
// value; nothing when cancelled, or when the answer is no such number, which
// badAnswer (a message) then says.
std::optional<int> AskNumber(const std::string& title, const std::string& prompt, int value,
                             int min, int max, const std::string& badAnswer);

uint32_t ButtonFaceColour();

// Runs an event handler the way a window system dispatches an event: a
// PlatformError (or running out of memory) ends the handler and is shown by
// the error report.
void DispatchEvent(const std::function<void()>& handler);

}  // namespace puffel
