// Little-endian fields of the project files, written and read back.
#pragma once

#include <bit>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

namespace puffel {

// A project file that does not hold what its own counts and fields promise.
class DamagedProject : public std::runtime_error {
 public:
  DamagedProject() : std::runtime_error("damaged project file") {}
};

// Reads fields from bytes, from offset at on; throws DamagedProject where
// they end too soon.
class ByteReader {
 public:
  ByteReader(std::string_view bytes, size_t at) : bytes_(bytes), at_(at) {}

  void skip(size_t count) {
    need(count);
    at_ += count;
  }
  uint8_t byte() {
    need(1);
    return static_cast<uint8_t>(bytes_[at_++]);
  }
  // A one-byte flag, 0 or 1.
  uint8_t flag() {
    const uint8_t value = byte();
    if (value > 1) throw DamagedProject();
    return value;
  }
  int32_t int32() { return static_cast<int32_t>(little(4)); }
  double real() { return std::bit_cast<double>(little(8)); }

 private:
  void need(size_t count) const {
    if (bytes_.size() - at_ < count) throw DamagedProject();
  }
  uint64_t little(int count) {
    need(count);
    uint64_t bits = 0;
    for (int b = count - 1; b >= 0; --b) bits = bits << 8 | static_cast<uint8_t>(bytes_[at_ + b]);
    at_ += count;
    return bits;
  }

  std::string_view bytes_;
  size_t at_;
};

// Appends fields as little-endian bytes.
class ByteWriter {
 public:
  explicit ByteWriter(size_t size) { bytes_.reserve(size); }

  void byte(uint8_t value) { bytes_.push_back(static_cast<char>(value)); }
  void int32(int32_t value) { little(static_cast<uint32_t>(value), 4); }
  void real(double value) { little(std::bit_cast<uint64_t>(value), 8); }
  std::string take() { return std::move(bytes_); }

 private:
  void little(uint64_t bits, int count) {
    for (int b = 0; b < count; ++b) byte(static_cast<uint8_t>(bits >> (8 * b)));
  }

  std::string bytes_;
};

}  // namespace puffel
