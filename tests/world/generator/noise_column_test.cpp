// The column kernel the processor is given (four rows at a time where it has AVX2) gives the
// scalar kernel's sums to the bit, for any row count and for awkward offsets and divisors.
#include "world/generator/noise_column.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <random>
#include <vector>

namespace {

struct Field {
  std::vector<double> gradients;  // x, y pairs
  std::vector<uint32_t> g0, g1;  // twice the lattice cells
  std::vector<double> r0, r1, s;
};

Field randomField(std::mt19937_64& random, int32_t rows) {
  std::uniform_real_distribution<double> unit(-1.0, 1.0);
  std::uniform_int_distribution<uint32_t> cell(0, 255);
  Field f;
  for (int i = 0; i < 2 * 514; ++i) f.gradients.push_back(unit(random));
  for (int32_t y = 0; y < rows; ++y) {
    f.g0.push_back(2 * cell(random));
    f.g1.push_back(2 * cell(random));
    const double r = (unit(random) + 1.0) / 2.0;
    f.r0.push_back(r);
    f.r1.push_back(r - 1.0);
    f.s.push_back(r * r * (3.0 - 2.0 * r));
  }
  return f;
}

TEST(NoiseColumn, TheDispatchedKernelGivesTheScalarSumsBitForBit) {
  std::mt19937_64 random(59);
  for (int32_t rows : {0, 1, 3, 4, 5, 128, 131, 512}) {
    const Field f = randomField(random, rows);
    const noise_column::RowTerms terms{f.g0.data(), f.g1.data(), f.r0.data(), f.r1.data(), f.s.data()};
    for (double divisor : {1.0, 0.2, 3.0e-7, 0.0}) {
      const noise_column::ColumnTerm column{f.gradients.data() + 2 * 17, f.gradients.data() + 2 * 255, 0.1234567,
                                            0.1234567 - 1.0, 0.04};
      std::vector<double> fast(static_cast<size_t>(rows), 0.25);
      std::vector<double> scalar = fast;
      noise_column::addOctave(column, terms, rows, divisor, fast.data());
      noise_column::addOctaveScalar(column, terms, rows, divisor, scalar.data());
      for (size_t y = 0; y < fast.size(); ++y) {
        ASSERT_EQ(std::bit_cast<uint64_t>(fast[y]), std::bit_cast<uint64_t>(scalar[y]))
            << rows << " rows, divisor " << divisor << ", row " << y;
      }
    }
  }
}

}  // namespace
