// Growable tables: re-dimensioning keeps the cells that exist before and after
// and zero-fills the new ones.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <vector>

#include "scene/zeroed_cells.h"

namespace puffel {

// A two-index table [i][j], stored with j contiguous.
template <class T>
class Table2D {
 public:
  int Size1() const { return n1_; }
  int Size2() const { return n2_; }

  // Throws std::bad_alloc and then leaves the table as it was.
  void Redim(int n1, int n2) {
    if (std::max(n1, 0) != n1_ || std::max(n2, 0) != n2_) *this = Resized(n1, n2);
  }

  // A copy re-dimensioned to n1 x n2, for changing several tables together
  // or not at all.
  Table2D Resized(int n1, int n2) const {
    Table2D resized;
    resized.n1_ = std::max(n1, 0);
    resized.n2_ = std::max(n2, 0);
    resized.cells_ = ZeroedCells<T>(static_cast<size_t>(resized.n1_) * resized.n2_);
    const int keep1 = std::min(resized.n1_, n1_);
    const size_t keep2 = static_cast<size_t>(std::min(resized.n2_, n2_));
    for (int i = 0; i < keep1 && keep2 > 0; ++i) {
      std::memcpy(resized.cells_.data() + static_cast<size_t>(i) * resized.n2_,
                  cells_.data() + static_cast<size_t>(i) * n2_, keep2 * sizeof(T));
    }
    return resized;
  }

  void Fill(const T& value) { std::fill_n(cells_.data(), cells_.size(), value); }

  T* operator[](int i) { return cells_.data() + static_cast<size_t>(i) * n2_; }
  const T* operator[](int i) const { return cells_.data() + static_cast<size_t>(i) * n2_; }

 private:
  int n1_ = 0;
  int n2_ = 0;
  ZeroedCells<T> cells_;
};

// A three-index table [p][i][j]: one block of n2 x n3 cells per p, stored with
// j contiguous, then i. Separate blocks let the table gain or lose a p without
// moving the others, and a new block costs memory only where it is written.
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

  // The cells a re-dimensioning needs, made before the table changes, so that
  // several tables can be re-dimensioned together or not at all.
  class Redimension {
    friend class Table3D;
    int n1 = 0, n2 = 0, n3 = 0;
    std::vector<ZeroedCells<T>> blocks;  // empty where a block is kept as it is
  };

  int Size1() const { return n1_; }
  int Size2() const { return n2_; }
  int Size3() const { return n3_; }

  // Throws std::bad_alloc and then leaves the table as it was.
  void Redim(int n1, int n2, int n3) { Apply(Prepare(n1, n2, n3)); }

  // The first half of Redim: makes the new cells (throws std::bad_alloc).
  Redimension Prepare(int n1, int n2, int n3) const {
    Redimension next;
    next.n1 = std::max(n1, 0);
    next.n2 = std::max(n2, 0);
    next.n3 = std::max(n3, 0);
    const bool sameShape = next.n2 == n2_ && next.n3 == n3_;
    const size_t cells = static_cast<size_t>(next.n2) * next.n3;
    next.blocks.resize(next.n1);
    for (int p = 0; p < next.n1; ++p) {
      if (p < n1_ && sameShape) continue;
      next.blocks[p] = ZeroedCells<T>(cells);
      if (p < n1_) copyKeptCells(blocks_[p], next.blocks[p], next.n2, next.n3);
    }
    return next;
  }

  // The second half of Redim: takes the cells made by Prepare on this table;
  // never fails.
  void Apply(Redimension&& next) noexcept {
    if (next.n2 == n2_ && next.n3 == n3_) {
      for (int p = 0; p < std::min(next.n1, n1_); ++p) next.blocks[p] = std::move(blocks_[p]);
    }
    blocks_.swap(next.blocks);
    n1_ = next.n1;
    n2_ = next.n2;
    n3_ = next.n3;
  }

  Slice operator[](int p) { return {blocks_[p].data(), n3_}; }
  ConstSlice operator[](int p) const { return {blocks_[p].data(), n3_}; }

 private:
  void copyKeptCells(const ZeroedCells<T>& from, ZeroedCells<T>& to, int n2, int n3) const {
    const int keep2 = std::min(n2, n2_);
    const size_t keep3 = static_cast<size_t>(std::min(n3, n3_));
    for (int i = 0; i < keep2 && keep3 > 0; ++i) {
      std::memcpy(to.data() + static_cast<size_t>(i) * n3,
                  from.data() + static_cast<size_t>(i) * n3_, keep3 * sizeof(T));
    }
  }

  int n1_ = 0;
  int n2_ = 0;
  int n3_ = 0;
  std::vector<ZeroedCells<T>> blocks_;
};

// A view-sized table addressed (x, y), x first as the view's buffers are;
// stored row by row so that a scan along x is contiguous.
template <class T>
class ViewBuffer {
 public:
  int Width() const { return width_; }
  int Height() const { return height_; }

  void Redim(int width, int height) { *this = Resized(width, height); }
  // A copy re-dimensioned to width x height (see Table2D::Resized).
  ViewBuffer Resized(int width, int height) const {
    ViewBuffer resized;
    resized.rows_ = rows_.Resized(height, width);
    resized.width_ = resized.rows_.Size2();
    resized.height_ = resized.rows_.Size1();
    return resized;
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
