// The box that asks for a line of text, on the Windows API.
#pragma once

#include <optional>
#include <string>

#include "platform/services.h"

namespace puffel {

// A modal dialog, made in memory, with the question's prompt, a text box
// starting with its text, OK and Cancel; the text when OK was pressed.
std::optional<std::string> AskTextBox(const TextQuestion& question);

}  // namespace puffel
