// A ceiling on the allocations of the stb_image decoder, so that a small file
// that unpacks to far more than its picture needs cannot fill memory.
#pragma once

#include <cstddef>

namespace puffel {

// While it lives, every single allocation of the decoder on this thread that
// asks for more than bytes fails, which makes the decode fail.
class DecoderMemoryLimit {
 public:
  explicit DecoderMemoryLimit(size_t bytes);
  ~DecoderMemoryLimit();
  DecoderMemoryLimit(const DecoderMemoryLimit&) = delete;
  DecoderMemoryLimit& operator=(const DecoderMemoryLimit&) = delete;

  // True when an allocation was refused under this limit.
  bool Reached() const;

 private:
  size_t previous_;
};

}  // namespace puffel
