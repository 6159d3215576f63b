// Why a scene cannot be exported: the one line the message box shows.
#pragma once

#include <stdexcept>
#include <string>

namespace puffel {

class ExportRefusal : public std::runtime_error {
 public:
  explicit ExportRefusal(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace puffel
