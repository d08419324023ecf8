#pragma once
// The fractal sum of a gradient noise over a whole grid of samples, prepared once: the lattice
// terms of every octave found once per column and once per row, the corner gradients looked up
// through the permutation beforehand. A column's sums can then be made from any tail of the
// octaves, and any one sample made alone, each to the bit of the whole fractal sum.
//
// The tail sums let a caller that only compares samples against thresholds skip the octaves of
// least weight wherever the bound on what they can add (`boundBelow`) keeps the comparison's
// answer, and make the whole sample only where it does not.
//
// Holds its own copy of what it reads of the noise; belongs to the thread that builds it.

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

class GradientNoise;

class FractalGrid {
 public:
  static constexpr int kOctaves = 8;

  // The grid of `columns` x `rows` samples at (x * step, y * step), octave k scaled by beta^k and
  // divided by alpha^k.
  FractalGrid(const GradientNoise& noise, int32_t columns, int32_t rows, double step, double alpha, double beta);

  int32_t columns() const { return columns_; }
  int32_t rows() const { return rows_; }
  // Adds octaves first.. of column x, in octave order, to sums[0..rows).
  void addOctaves(int32_t x, int first, double* sums) const;
  // The whole sample at (x, y), narrowed to float: the fill's value there.
  float sample(int32_t x, int32_t y) const;
  // The whole samples of `count` rows of column x at once: out[i] is sample(x, which[i]).
  // `sums` is room for `count` doubles.
  void sampleRows(int32_t x, const int32_t* which, int32_t count, double* sums, float* out) const;
  // A bound on the magnitude of the sum of the octaves below `first` at any sample of the grid,
  // from the offsets its samples actually take (infinite when a divisor is 0 or not a number).
  double boundBelow(int first) const;

 private:
  // One axis of one octave at one column or row: the two lattice cells (permuted for columns),
  // the offsets from them and the blend weight.
  struct AxisTerm {
    uint32_t b0;
    uint32_t b1;
    double r0;
    double r1;
    double s;
  };
  // The rows' terms field by field, octave after octave, as the column kernel reads them; the
  // cells as offsets into a column's gradient pairs (twice the cell).
  struct RowArrays {
    std::vector<uint32_t> g0, g1;
    std::vector<double> r0, r1, s;
  };
  std::vector<AxisTerm> axisTerms(const GradientNoise& noise, int32_t count, double step, double beta, bool permute,
                                  std::array<bool, kOctaves>& onLattice) const;
  void addOctave(int32_t x, size_t k, int32_t firstRow, int32_t count, double* sums, bool scalar) const;
  struct OctaveTerms;
  OctaveTerms octaveTerms(int32_t x, size_t k, int32_t firstRow) const;

  int32_t columns_ = 0;
  int32_t rows_ = 0;
  std::vector<AxisTerm> columnTerms_;
  RowArrays rowArrays_;
  std::array<double, kOctaves> scales_{};
  std::array<bool, kOctaves> skip_{};
  std::array<double, kOctaves> reach_{};  // how far each octave's noise reaches from 0
  std::array<bool, kOctaves> zero_{};  // every sample lands on the lattice (whatever the divisor)
  std::vector<std::array<double, 2>> gradients_;  // gradients2 of permutation[n]
};
