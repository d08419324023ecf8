#pragma once
// Writes 8-bit RGBA PNG pictures for the makers and tools. Pixels are 0xRRGGBBAA, row by row from
// the top. The same pixels always give the same bytes (no time stamp, fixed compression), so a
// maker's output can be compared byte for byte.

#include <cstdint>
#include <string>
#include <vector>

namespace toolpng {

// Fast compression: the makers run on every build that changes their sources, and the pictures are
// small enough that the better ratio of a slow level is not worth the time.
inline constexpr int kDefaultCompression = 3;

// The PNG bytes of the picture; empty when the sizes do not fit the pixels.
std::vector<uint8_t> encodePng(int width, int height, const std::vector<uint32_t>& rgba,
                               int compression = kDefaultCompression);

// False when the sizes do not fit the pixels or the file cannot be written.
bool writePng(const std::string& path, int width, int height, const std::vector<uint32_t>& rgba,
              int compression = kDefaultCompression);

}  // namespace toolpng
