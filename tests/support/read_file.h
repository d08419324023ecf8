#pragma once
// The whole of a file's bytes, or nothing when it does not open.

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace testsupport {

inline std::string readFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

}  // namespace testsupport
