// A file dialog's filter "description|pattern|description|pattern..." taken
// apart, for the bindings that show it.
#pragma once

#include <string>
#include <vector>

namespace puffel {

struct FilterEntry {
  std::string description;  // as written, blanks around it trimmed
  std::string patterns;     // e.g. "*.bmp;*.png"
};

// One entry per description and pattern pair, in order; a description
// without its pattern is dropped.
std::vector<FilterEntry> FilterEntries(const std::string& filter);

}  // namespace puffel
