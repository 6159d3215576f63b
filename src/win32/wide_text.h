// UTF-8, the program's text everywhere, and UTF-16, the text of every
// Windows call.
#pragma once

#include <string>

namespace puffel {

std::wstring Wide(const std::string& utf8);
std::string Utf8(const std::wstring& wide);

}  // namespace puffel
