#pragma once
// Reading pixels back from the current context and comparing them, for every drawing test.

#include <GL/glew.h>
#include <gtest/gtest.h>

#include <array>
#include <cstdlib>

namespace rendertest {

using Rgba = std::array<int, 4>;

inline constexpr Rgba kGreen{0, 255, 0, 255};
inline constexpr Rgba kWhite{255, 255, 255, 255};

// The back buffer's pixel, counted from the lower-left corner of the window.
inline Rgba pixel(int x, int y) {
  unsigned char rgba[4] = {};
  glReadBuffer(GL_BACK);
  glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
  return {rgba[0], rgba[1], rgba[2], rgba[3]};
}

// Channel-by-channel comparison with a tolerance for rounding in the rasteriser; a negative
// expected channel is not checked.
inline ::testing::AssertionResult near(const Rgba& actual, const Rgba& expected,
                                       int tolerance = 2) {
  for (int i = 0; i < 4; ++i) {
    if (expected[i] >= 0 && std::abs(actual[i] - expected[i]) > tolerance) {
      return ::testing::AssertionFailure()
             << "got (" << actual[0] << ", " << actual[1] << ", " << actual[2] << ", "
             << actual[3] << ") expected (" << expected[0] << ", " << expected[1] << ", "
             << expected[2] << ", " << expected[3] << ")";
    }
  }
  return ::testing::AssertionSuccess();
}

}  // namespace rendertest
