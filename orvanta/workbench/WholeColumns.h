#pragma once
// The whole numbers that a graph with whole-number x samples where far more
// of them share a pixel column than the column can show (a scale of
// hundreds or millions of units per column, or one read from a file). Each
// column gets its first and its last whole number and one from each of the
// equal parts between, PerColumn in all, and they run through the same
// drawing as every whole number would:
// - from one column to the next the line joins neighbouring whole numbers,
//   exactly the line drawn when every one is taken;
// - inside a column all points share the column, so their lines are
//   vertical, and the line through the samples covers a part of the rows
//   that the line through all of them covers (where all of them join);
// - failed points, far rows and jumps break the line between the samples as
//   between neighbours.
// What it may miss: the extremes between two samples (a row or so for a
// function that oscillates within a column), a break at a whole number that
// no sample hits, and, with dots, the rings of the whole numbers between.
//
// Whatever the scale, only columns that hold a whole number of the range
// are walked: the picture's columns and the one of the last whole number
// (far from the origin neighbouring whole numbers lie columns apart). Where
// the range reaches beyond the largest number, the samples end with it.
#include <cstdint>

#include "orvanta/workbench/objScreenUnit.h"

class WholeColumns {
 public:
  // Whole numbers drawn in one pixel column at most.
  static constexpr int PerColumn = 32;

  // From `first` (a whole number) to the first whole number at or past
  // xEnd, as the plain loop would step, on a picture W columns wide; `lo`
  // and `hi` clamp pixel columns. false: few enough whole numbers (fewer
  // than PerColumn * W) that every one is drawn (the picture then is
  // exactly the plain loop's).
  bool Init(const objScreen& v, long double first, long double xEnd, int W, int32_t lo, int32_t hi);

  // The next sample, in increasing order; false after the last one.
  bool Next(long double& x);

  // Pixel columns walked so far.
  int32_t Columns() const { return walked_; }

 private:
  int32_t Column(long double x) const;
  long double Boundary(int32_t c) const;
  void FillColumn(int32_t c);
  void Add(long double x);

  long double startX_ = 0, xm_ = 1, first_ = 0, last_ = 0, prev_ = 0;
  int32_t lo_ = 0, hi_ = 0, col_ = 0, lastCol_ = -1, walked_ = 0;
  bool started_ = false;
  long double buf_[PerColumn];
  int pos_ = 0, count_ = 0;
};
