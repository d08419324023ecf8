#include "world/generator/noise_column.h"

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define RUBBLE_NOISE_AVX2 1
// Compiles one function for AVX2 alone; the rest of the program keeps the baseline instruction set,
// so the vector form is only entered once the processor was found to have it.
#define RUBBLE_AVX2_FUNCTION __attribute__((target("avx2")))
#endif

namespace noise_column {

namespace {

double lerp(double s, double a, double b) { return a + s * (b - a); }

double blendAt(const ColumnTerm& c, const RowTerms& r, int32_t y) {
  const double* g00 = c.gi + r.g0[y];
  const double* g10 = c.gj + r.g0[y];
  const double* g01 = c.gi + r.g1[y];
  const double* g11 = c.gj + r.g1[y];
  const double a = lerp(c.s, c.r0 * g00[0] + r.r0[y] * g00[1], c.r1 * g10[0] + r.r0[y] * g10[1]);
  const double b = lerp(c.s, c.r0 * g01[0] + r.r1[y] * g01[1], c.r1 * g11[0] + r.r1[y] * g11[1]);
  return lerp(r.s[y], a, b);
}

void addRange(const ColumnTerm& c, const RowTerms& r, int32_t from, int32_t to, double divisor, double* sums) {
  for (int32_t y = from; y < to; ++y) sums[y] += blendAt(c, r, y) / divisor;
}

#ifdef RUBBLE_NOISE_AVX2

RUBBLE_AVX2_FUNCTION __m256d lerp4(__m256d s, __m256d a, __m256d b) {
  return _mm256_add_pd(a, _mm256_mul_pd(s, _mm256_sub_pd(b, a)));
}

// r0 * g[x] + r * g[y] for the four rows' corners at g + offset[k]. Each corner's (x, y) pair is
// one 16-byte load, and four of them are transposed into an x and a y vector: on the processors
// measured that is about twice as fast as two gathers, and the values are the same loads. The
// offsets are unsigned 32-bit, so each is used as loaded, with no widening step.
RUBBLE_AVX2_FUNCTION __m256d dot4(const double* g, const uint32_t* offset, __m256d r0, __m256d r) {
  const __m256d rows02 = _mm256_insertf128_pd(_mm256_castpd128_pd256(_mm_loadu_pd(g + offset[0])),
                                              _mm_loadu_pd(g + offset[2]), 1);
  const __m256d rows13 = _mm256_insertf128_pd(_mm256_castpd128_pd256(_mm_loadu_pd(g + offset[1])),
                                              _mm_loadu_pd(g + offset[3]), 1);
  const __m256d gx = _mm256_unpacklo_pd(rows02, rows13);
  const __m256d gy = _mm256_unpackhi_pd(rows02, rows13);
  return _mm256_add_pd(_mm256_mul_pd(r0, gx), _mm256_mul_pd(r, gy));
}

// The terms are copied into locals first: read through the references, each would be read again
// after every store to the sums, which the compiler cannot prove lie elsewhere.
RUBBLE_AVX2_FUNCTION void addOctaveAvx2(const ColumnTerm& c, const RowTerms& r, int32_t count,
                                           double divisor, double* sums) {
  const double* const gi = c.gi;
  const double* const gj = c.gj;
  const uint32_t* const g0 = r.g0;
  const uint32_t* const g1 = r.g1;
  const double* const r0 = r.r0;
  const double* const r1 = r.r1;
  const double* const s = r.s;
  const __m256d cr0 = _mm256_set1_pd(c.r0);
  const __m256d cr1 = _mm256_set1_pd(c.r1);
  const __m256d cs = _mm256_set1_pd(c.s);
  const __m256d d = _mm256_set1_pd(divisor);
  int32_t y = 0;
  for (; y + 4 <= count; y += 4) {
    const __m256d ry0 = _mm256_loadu_pd(r0 + y);
    const __m256d ry1 = _mm256_loadu_pd(r1 + y);
    const __m256d a = lerp4(cs, dot4(gi, g0 + y, cr0, ry0), dot4(gj, g0 + y, cr1, ry0));
    const __m256d b = lerp4(cs, dot4(gi, g1 + y, cr0, ry1), dot4(gj, g1 + y, cr1, ry1));
    const __m256d value = lerp4(_mm256_loadu_pd(s + y), a, b);
    _mm256_storeu_pd(sums + y, _mm256_add_pd(_mm256_loadu_pd(sums + y), _mm256_div_pd(value, d)));
  }
  addRange(c, r, y, count, divisor, sums);
}

bool hasAvx2() {
  static const bool has = __builtin_cpu_supports("avx2");
  return has;
}

#endif

}  // namespace

void addOctaveScalar(const ColumnTerm& column, const RowTerms& rows, int32_t count, double divisor, double* sums) {
  addRange(column, rows, 0, count, divisor, sums);
}

void addOctaveAt(const ColumnTerm& column, const RowTerms& rows, const int32_t* which, int32_t count, double divisor,
                 double* sums) {
  for (int32_t i = 0; i < count; ++i) sums[i] += blendAt(column, rows, which[i]) / divisor;
}

void addOctave(const ColumnTerm& column, const RowTerms& rows, int32_t count, double divisor, double* sums) {
#ifdef RUBBLE_NOISE_AVX2
  if (hasAvx2()) {
    addOctaveAvx2(column, rows, count, divisor, sums);
    return;
  }
#endif
  addOctaveScalar(column, rows, count, divisor, sums);
}

}  // namespace noise_column
