// A fast deflate compressor (RFC 1951) for large pictures: the data is cut
// into pieces that are compressed apart, on several threads, and joined into
// one stream, as a zlib stream (RFC 1950) allows.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace puffel {

// The raw deflate blocks of one piece: one non-final block with the fixed
// Huffman codes, its matches found greedily through a hash of four bytes
// within the piece, then an empty stored block, which ends the piece on a
// byte boundary so that the next piece's blocks can follow at once.
std::string DeflatePiece(const unsigned char* data, size_t size);

// The first two bytes of a zlib stream of deflate data with a 32 KB window.
constexpr unsigned char ZlibHeader[] = {0x78, 0x01};

// What ends the deflate data after the last piece: an empty final block.
constexpr unsigned char DeflateEnd[] = {0x03, 0x00};

// The Adler-32 checksum that ends a zlib stream, of data following data whose
// checksum was adler (1 for none).
uint32_t Adler32(uint32_t adler, const unsigned char* data, size_t size);

// The Adler-32 of data a followed by data b of size sizeB, from the sums of each.
uint32_t CombineAdler32(uint32_t adlerA, uint32_t adlerB, size_t sizeB);

}  // namespace puffel
