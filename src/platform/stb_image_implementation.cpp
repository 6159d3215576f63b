// The one translation unit that compiles the stb image reader, for the picture
// files and for the model export's tinygltf, with its allocations under the
// decoder's memory limit.
#include <cstdint>
#include <cstdlib>

#include "platform/decoder_memory.h"

namespace puffel {

namespace {

// SIZE_MAX: no limit (outside a picture decode, as for tinygltf).
thread_local size_t allocationLimit = SIZE_MAX;
thread_local bool limitReached = false;

bool withinLimit(size_t bytes) {
  if (bytes <= allocationLimit) return true;
  limitReached = true;
  return false;
}

// Zeroed, so that nothing the decoder reads before it writes it (a table a
// damaged file never defines) holds leftovers.
void* DecoderMalloc(size_t bytes) { return withinLimit(bytes) ? std::calloc(1, bytes) : nullptr; }

void* DecoderRealloc(void* block, size_t bytes) {
  return withinLimit(bytes) ? std::realloc(block, bytes) : nullptr;
}

}  // namespace

DecoderMemoryLimit::DecoderMemoryLimit(size_t bytes) : previous_(allocationLimit) {
  allocationLimit = bytes;
  limitReached = false;
}

DecoderMemoryLimit::~DecoderMemoryLimit() { allocationLimit = previous_; }

bool DecoderMemoryLimit::Reached() const { return limitReached; }

}  // namespace puffel

#define STBI_MALLOC(bytes) puffel::DecoderMalloc(bytes)
#define STBI_REALLOC(block, bytes) puffel::DecoderRealloc(block, bytes)
#define STBI_FREE(block) std::free(block)
#define STB_IMAGE_IMPLEMENTATION
#include <stb_image.h>
