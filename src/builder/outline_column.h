// The nearest outline pixels of many points on one vertical line x = X, taken
// from top to bottom. In each picture row only the outline pixels just left and
// right of the line can be nearest; every row is then a parabola in y, and the
// lower envelope of these parabolas (built with exact predicates) names the
// nearest row of each point in constant time. Where rounding of the squared
// distances could decide between rows (a point too near a change of envelope
// row) the search declines, and the caller asks the OutlineIndex.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "builder/outline.h"
#include "builder/outline_index.h"

namespace puffel {

class OutlineColumnSearch {
 public:
  // outline must outlive the search.
  explicit OutlineColumnSearch(const OutlineList& outline);

  // The number of picture rows holding outline pixels (the work of SetLine).
  int RowCount() const { return static_cast<int>(rowStart_.size()) - 1; }

  // Prepares the points of the line x (costs one step per outline row).
  void SetLine(double x);
  double Line() const { return x_; }

  // The nearest outline pixel to (Line(), y) exactly as OutlineIndex::FindNearest
  // finds it (without a slot), or nothing when the line alone cannot decide.
  // y must not be smaller than in the previous call since SetLine.
  std::optional<OutlineMatch> FindNearest(double y);

 private:
  struct RowParabola {
    double g;       // the smaller squared horizontal distance of the row's two candidates
    double top;     // g + row², rounded
    int32_t row;    // picture row
    int32_t left;   // list index of the pixel just left of the line (or on it); -1 none
    int32_t right;  // list index of the pixel just right of the line; -1 none
  };

  void addBreak();
  static bool hidesLast(const RowParabola& before, const RowParabola& last,
                        const RowParabola& next);
  static int exactSign(int64_t a, int64_t b, const RowParabola& before, const RowParabola& last,
                       const RowParabola& next);

  const OutlineList& outline_;
  std::vector<int32_t> rowStart_;  // list ranges of the rows holding outline pixels
  double x_ = 0;
  std::vector<int32_t> splits_;  // per row: its first pixel right of the line
  std::vector<RowParabola> rows_;
  std::vector<int32_t> envelope_;    // rows_ entries on the lower envelope, top to bottom
  std::vector<double> breaks_;       // y where the envelope passes to the next entry, so far
  std::vector<double> breakErrors_;  // bounds of the rounding of breaks_
  size_t at_ = 0;                    // envelope entry of the last point
};

// Nearest outline pixels of points taken line by line, each line top to
// bottom: a line with enough points goes to the column search, the other
// points, and those the column search declines, to the index.
class LineByLineSearch {
 public:
  // outline and index must outlive the search.
  LineByLineSearch(const OutlineList& outline, const OutlineIndex& index);

  // Starts the line x, on which about points points will be searched.
  void StartLine(double x, int points);

  // The nearest outline pixel to (x, y) exactly as OutlineIndex::FindNearest
  // gives it. Within a line, y must not decrease.
  OutlineMatch FindNearest(double x, double y);

 private:
  OutlineColumnSearch column_;
  const OutlineIndex& index_;
  bool onColumn_ = false;
  int hint_ = -1;
};

}  // namespace puffel
