// File errors of the platform layer. They are thrown where a file operation
// fails and caught where an event is dispatched (DispatchEvent), which shows
// their text in one message box.
#pragma once

#include <stdexcept>
#include <string>

namespace puffel {

class PlatformError : public std::runtime_error {
 public:
  explicit PlatformError(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace puffel
