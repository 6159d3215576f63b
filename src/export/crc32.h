// The CRC-32 that ZIP archives and PNG chunks carry.
#pragma once

#include <cstddef>
#include <cstdint>

namespace puffel {

// The CRC-32 (ISO-HDLC) of count bytes continued from crc, the CRC of what
// came before them (0 at the start).
uint32_t Crc32(uint32_t crc, const char* bytes, size_t count);

}  // namespace puffel
