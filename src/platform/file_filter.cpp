#include "platform/file_filter.h"

namespace puffel {

namespace {

std::string trimmed(const std::string& text) {
  const size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

}  // namespace

std::vector<FilterEntry> FilterEntries(const std::string& filter) {
  std::vector<std::string> parts;
  size_t start = 0;
  while (start <= filter.size() && !filter.empty()) {
    const size_t bar = filter.find('|', start);
    const size_t end = bar == std::string::npos ? filter.size() : bar;
    parts.push_back(trimmed(filter.substr(start, end - start)));
    if (bar == std::string::npos) break;
    start = bar + 1;
  }
  std::vector<FilterEntry> entries;
  for (size_t i = 0; i + 1 < parts.size(); i += 2) entries.push_back({parts[i], parts[i + 1]});
  return entries;
}

}  // namespace puffel
