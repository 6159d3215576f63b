// Fuzz entry for the animation file reader: the first byte gives the
// project's part count, the rest is the file. Any bytes are either refused as
// damaged or read into keys that write back (as the newest version) to bytes
// that read again to the same: to the very bytes read, for a newest file.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "project/animation_file.h"
#include "project/byte_fields.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace puffel;
  if (size < 1) return 0;
  const int parts = data[0] % 33;
  const std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);
  try {
    const std::string written = EncodeAnimation(DecodeAnimation(bytes, parts), parts);
    const bool newest = bytes.substr(4, 4) == written.substr(4, 4);
    if (newest ? written != bytes
               : EncodeAnimation(DecodeAnimation(written, parts), parts) != written) {
      std::abort();
    }
  } catch (const DamagedProject&) {
  }
  return 0;
}
