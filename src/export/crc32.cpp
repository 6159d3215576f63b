#include "export/crc32.h"

#include <array>

namespace puffel {

uint32_t Crc32(uint32_t crc, const char* bytes, size_t count) {
  static const std::array<uint32_t, 256> table = [] {
    std::array<uint32_t, 256> t{};
    for (uint32_t n = 0; n < 256; ++n) {
      uint32_t c = n;
      for (int k = 0; k < 8; ++k) c = c & 1 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      t[n] = c;
    }
    return t;
  }();
  uint32_t c = ~crc;
  for (size_t n = 0; n < count; ++n)
    c = table[(c ^ static_cast<uint8_t>(bytes[n])) & 0xFF] ^ c >> 8;
  return ~c;
}

}  // namespace puffel
