#pragma once
// Writes an 8-bit RGBA PNG.

#include <cstdint>
#include <string>
#include <vector>

namespace fontmaker {

// Pixels are 0xRRGGBBAA, row by row from the top. False when the file cannot be written.
bool writePng(const std::string& path, int width, int height, const std::vector<uint32_t>& rgba);

}  // namespace fontmaker
