// The storage of the growable tables: a block of numbers that starts as zero.
// It comes from calloc, which hands a large block out as fresh zero pages
// without writing them, so a new table costs memory and page faults only where
// it is written, and zero-filling is never done twice.
#pragma once

#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>
#include <type_traits>
#include <utility>

namespace puffel {

template <class T>
class ZeroedCells {
  // All-zero bytes are the value 0 of every arithmetic type.
  static_assert(std::is_arithmetic_v<T>);

 public:
  ZeroedCells() = default;
  // count cells of value 0; throws std::bad_alloc.
  explicit ZeroedCells(size_t count) : cells_(allocate(count, true)), count_(count) {}

  ZeroedCells(const ZeroedCells& other)
      : cells_(allocate(other.count_, false)), count_(other.count_) {
    if (count_ > 0) std::memcpy(cells_.get(), other.cells_.get(), count_ * sizeof(T));
  }
  ZeroedCells& operator=(const ZeroedCells& other) {
    if (this != &other) *this = ZeroedCells(other);
    return *this;
  }
  ZeroedCells(ZeroedCells&& other) noexcept
      : cells_(std::move(other.cells_)), count_(std::exchange(other.count_, 0)) {}
  ZeroedCells& operator=(ZeroedCells&& other) noexcept {
    cells_ = std::move(other.cells_);
    count_ = std::exchange(other.count_, 0);
    return *this;
  }

  size_t size() const { return count_; }
  T* data() { return cells_.get(); }
  const T* data() const { return cells_.get(); }

 private:
  struct Free {
    void operator()(T* cells) const { std::free(cells); }
  };
  using Cells = std::unique_ptr<T[], Free>;

  static Cells allocate(size_t count, bool zeroed) {
    if (count == 0) return nullptr;
    void* cells = zeroed ? std::calloc(count, sizeof(T)) : std::malloc(count * sizeof(T));
    if (cells == nullptr) throw std::bad_alloc();
    return Cells(static_cast<T*>(cells));
  }

  Cells cells_;
  size_t count_ = 0;
};

}  // namespace puffel
