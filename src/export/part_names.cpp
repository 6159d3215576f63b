#include "export/part_names.h"

#include <algorithm>

#include "platform/paths.h"

namespace puffel {

namespace {

// The length of the well-formed UTF-8 sequence at text[at], 0 when there is none.
size_t utf8Length(const std::string& text, size_t at) {
  const auto byte = [&](size_t n) { return static_cast<unsigned char>(text[n]); };
  const unsigned char lead = byte(at);
  size_t length = 0;
  unsigned char low = 0x80;   // the bounds of the second byte, which rule out
  unsigned char high = 0xBF;  // overlong forms, surrogates and code points past U+10FFFF
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  if (at + length > text.size()) return 0;
  if (byte(at + 1) < low || byte(at + 1) > high) return 0;
  for (size_t n = 2; n < length; ++n) {
    if (byte(at + n) < 0x80 || byte(at + n) > 0xBF) return 0;
  }
  return length;
}

std::string cleanName(const std::string& raw) {
  std::string name;
  for (size_t at = 0; at < raw.size();) {
    const size_t length = utf8Length(raw, at);
    const unsigned char c = static_cast<unsigned char>(raw[at]);
    if (length == 0 || (length == 1 && (c <= ' ' || c == 0x7F))) {
      name += '_';
      ++at;
    } else {
      name.append(raw, at, length);
      at += length;
    }
  }
  return name.empty() ? "part" : name;
}

}  // namespace

std::vector<std::string> PartNames(const Scene& scene) {
  std::vector<std::string> names;
  for (int k = 0; k < scene.PartCount; ++k) {
    const std::string file = ExtractFileName(PartFilePath(scene, k));
    const std::string extension = ExtractFileExt(file);
    const std::string base = cleanName(file.substr(0, file.size() - extension.size()));
    std::string name = base;
    for (int n = 2; std::find(names.begin(), names.end(), name) != names.end(); ++n) {
      name = base + "_" + std::to_string(n);
    }
    names.push_back(name);
  }
  return names;
}

}  // namespace puffel
