#pragma once
// Reads fonts.json: which fonts to make, from which outline face, at which size, with which
// code point ranges.

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace fontmaker {

struct FontSpec {
  std::string name;
  std::string face;
  int pixelSize = 0;
  std::vector<std::pair<uint32_t, uint32_t>> ranges;  // inclusive
  bool icons = false;
};

std::optional<std::vector<FontSpec>> parseFontSpecs(const std::string& json, std::string& error);

}  // namespace fontmaker
