#pragma once
// The world tool's command line:
//   world_tool generate --planet NAME --size INDEX --seed S [--png FILE]
// NAME is a planet as the content set names it, in any case; INDEX 0 (512x128) to 4 (4096x512).

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace world_tool {

struct GenerateArgs {
  std::string planet;
  uint8_t sizeIndex = 0;
  uint32_t seed = 0;
  std::string pngPath;  // empty: no picture
};

// The arguments after the program name; nullopt with `error` set when they do not parse.
std::optional<GenerateArgs> parseArgs(const std::vector<std::string>& args, std::string& error);
const char* usage();

}  // namespace world_tool
