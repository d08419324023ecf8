#pragma once
// The input written to a file of its own, for parsers that open a path (archives, sound files).
// The file is unique to the process and removed when the object goes.

#include <cstddef>
#include <cstdint>
#include <string>

namespace fuzzsupport {

class TempInput {
 public:
  TempInput(const uint8_t* data, size_t size, const char* suffix);
  ~TempInput();
  TempInput(const TempInput&) = delete;
  TempInput& operator=(const TempInput&) = delete;

  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

}  // namespace fuzzsupport
