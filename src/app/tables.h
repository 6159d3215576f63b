// Growable tables: re-dimensioning keeps the cells that exist before and after
// and zero-fills the new ones.
#pragma once

#include <algorithm>
#include <cstddef>
#include <vector>

namespace puffel {

// A two-index table [i][j], stored with j contiguous.
template <class T>
class Table2D {
 public:
  int Size1() const { return n1_; }
  int Size2() const { return n2_; }

  void Redim(int n1, int n2) {
    n1 = std::max(n1, 0);
    n2 = std::max(n2, 0);
    if (n1 == n1_ && n2 == n2_) return;
    std::vector<T> resized(static_cast<size_t>(n1) * n2, T{});
    const int keep1 = std::min(n1, n1_);
    const int keep2 = std::min(n2, n2_);
    for (int i = 0; i < keep1; ++i) {
      std::copy_n(cells_.begin() + static_cast<ptrdiff_t>(i) * n2_, keep2,
                  resized.begin() + static_cast<ptrdiff_t>(i) * n2);
    }
    cells_.swap(resized);
    n1_ = n1;
    n2_ = n2;
  }

  void Fill(const T& value) { std::fill(cells_.begin(), cells_.end(), value); }

  T* operator[](int i) { return cells_.data() + static_cast<size_t>(i) * n2_; }
  const T* operator[](int i) const { return cells_.data() + static_cast<size_t>(i) * n2_; }

 private:
  int n1_ = 0;
  int n2_ = 0;
  std::vector<T> cells_;
};

// A three-index table [p][i][j], stored with j contiguous, then i.
template <class T>
class Table3D {
 public:
  class Slice {
   public:
    Slice(T* base, int n3) : base_(base), n3_(n3) {}
    T* operator[](int i) const { return base_ + static_cast<size_t>(i) * n3_; }

   private:
    T* base_;
    int n3_;
  };
  class ConstSlice {
   public:
    ConstSlice(const T* base, int n3) : base_(base), n3_(n3) {}
    const T* operator[](int i) const { return base_ + static_cast<size_t>(i) * n3_; }

   private:
    const T* base_;
    int n3_;
  };

  int Size1() const { return n1_; }
  int Size2() const { return n2_; }
  int Size3() const { return n3_; }

  void Redim(int n1, int n2, int n3) {
    n1 = std::max(n1, 0);
    n2 = std::max(n2, 0);
    n3 = std::max(n3, 0);
    if (n1 == n1_ && n2 == n2_ && n3 == n3_) return;
    std::vector<T> resized(static_cast<size_t>(n1) * n2 * n3, T{});
    const int keep1 = std::min(n1, n1_);
    const int keep2 = std::min(n2, n2_);
    const int keep3 = std::min(n3, n3_);
    for (int p = 0; p < keep1; ++p) {
      for (int i = 0; i < keep2; ++i) {
        std::copy_n(cells_.begin() + (static_cast<ptrdiff_t>(p) * n2_ + i) * n3_, keep3,
                    resized.begin() + (static_cast<ptrdiff_t>(p) * n2 + i) * n3);
      }
    }
    cells_.swap(resized);
    n1_ = n1;
    n2_ = n2;
    n3_ = n3;
  }

  Slice operator[](int p) { return {cells_.data() + static_cast<size_t>(p) * n2_ * n3_, n3_}; }
  ConstSlice operator[](int p) const {
    return {cells_.data() + static_cast<size_t>(p) * n2_ * n3_, n3_};
  }

 private:
  int n1_ = 0;
  int n2_ = 0;
  int n3_ = 0;
  std::vector<T> cells_;
};

// A view-sized table addressed (x, y), x first as the view's buffers are;
// stored row by row so that a scan along x is contiguous.
template <class T>
class ViewBuffer {
 public:
  int Width() const { return width_; }
  int Height() const { return height_; }

  void Redim(int width, int height) {
    rows_.Redim(height, width);
    width_ = rows_.Size2();
    height_ = rows_.Size1();
  }
  void Fill(const T& value) { rows_.Fill(value); }

  T& operator()(int x, int y) { return rows_[y][x]; }
  const T& operator()(int x, int y) const { return rows_[y][x]; }
  T* Row(int y) { return rows_[y]; }
  const T* Row(int y) const { return rows_[y]; }

 private:
  Table2D<T> rows_;
  int width_ = 0;
  int height_ = 0;
};

}  // namespace puffel
