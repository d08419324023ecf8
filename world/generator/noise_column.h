#pragma once
// One octave's share of one column of the generator's fractal field: for every row, the blend of
// the four lattice corners (as the 2D gradient noise computes it) divided by the octave's divisor
// and added to the row's running sum. The rows are taken four at a time with AVX2 where the
// processor has it (chosen at run time, so a processor without it still runs); each lane does the
// same double operations in the same order, with no fused multiply-add, so both forms give the
// same bits.

#include <cstdint>

namespace noise_column {

// The column's side: its two lattice cells' gradients (x, y pairs, indexed by the row's lattice
// cell), its offsets from them and its blend weight.
struct ColumnTerm {
  const double* gi = nullptr;
  const double* gj = nullptr;
  double r0 = 0;
  double r1 = 0;
  double s = 0;
};

// The rows' side, one array per field. A row's lattice cells are given as offsets into the
// column's gradients (twice the cell: a cell's gradient is an x, y pair), so the kernel adds them
// to its pointer as they are.
struct RowTerms {
  const uint32_t* g0 = nullptr;
  const uint32_t* g1 = nullptr;
  const double* r0 = nullptr;
  const double* r1 = nullptr;
  const double* s = nullptr;
};

// sums[y] += blend(y) / divisor for y in [0, rows).
void addOctave(const ColumnTerm& column, const RowTerms& rows, int32_t count, double divisor, double* sums);
// The same in plain scalar code whatever the processor: the reference the vector form is held to.
void addOctaveScalar(const ColumnTerm& column, const RowTerms& rows, int32_t count, double divisor, double* sums);
// The scalar form for some rows only: sums[i] += blend(which[i]) / divisor for i in [0, count).
void addOctaveAt(const ColumnTerm& column, const RowTerms& rows, const int32_t* which, int32_t count, double divisor,
                 double* sums);

}  // namespace noise_column
