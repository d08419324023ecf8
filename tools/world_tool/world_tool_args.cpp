#include "tools/world_tool/world_tool_args.h"

#include <charconv>

#include "world/map/world_params.h"

namespace world_tool {

namespace {

template <typename T>
bool parseNumber(const std::string& text, T& out) {
  const char* end = text.data() + text.size();
  const auto [at, ec] = std::from_chars(text.data(), end, out);
  return ec == std::errc() && at == end;
}

}  // namespace

const char* usage() { return "usage: world_tool generate --planet NAME --size INDEX --seed S [--png FILE]"; }

std::optional<GenerateArgs> parseArgs(const std::vector<std::string>& args, std::string& error) {
  if (args.empty() || args[0] != "generate") {
    error = "the only command is generate";
    return std::nullopt;
  }
  GenerateArgs out;
  bool planet = false, size = false, seed = false;
  for (size_t i = 1; i < args.size(); i += 2) {
    if (i + 1 >= args.size()) {
      error = args[i] + " needs a value";
      return std::nullopt;
    }
    const std::string& name = args[i];
    const std::string& value = args[i + 1];
    unsigned index = 0;
    if (name == "--planet") {
      out.planet = value;
      planet = !value.empty();
    } else if (name == "--size") {
      if (!parseNumber(value, index) || index >= static_cast<unsigned>(kWorldSizeCount)) {
        error = "--size takes 0 to 4";
        return std::nullopt;
      }
      out.sizeIndex = static_cast<uint8_t>(index);
      size = true;
    } else if (name == "--seed") {
      if (!parseNumber(value, out.seed)) {
        error = "--seed takes a whole number";
        return std::nullopt;
      }
      seed = true;
    } else if (name == "--png") {
      out.pngPath = value;
    } else {
      error = "unknown option " + name;
      return std::nullopt;
    }
  }
  if (!planet || !size || !seed) {
    error = "--planet, --size and --seed are required";
    return std::nullopt;
  }
  return out;
}

}  // namespace world_tool
