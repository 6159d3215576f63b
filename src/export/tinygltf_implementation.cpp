// The one translation unit that compiles tinygltf and the stb image writer it
// uses; the stb image reader is compiled once, in the platform layer.
#define TINYGLTF_IMPLEMENTATION
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <tiny_gltf.h>
