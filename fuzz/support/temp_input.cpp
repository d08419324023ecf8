#include "fuzz/support/temp_input.h"

#include <unistd.h>

#include <cstdio>
#include <filesystem>

#include "fuzz/support/fuzz_one.h"

namespace fuzzsupport {

TempInput::TempInput(const uint8_t* data, size_t size, const char* suffix) {
  path_ = (std::filesystem::temp_directory_path() /
           ("rubble-fuzz-" + std::to_string(getpid()) + suffix))
              .string();
  std::FILE* file = std::fopen(path_.c_str(), "wb");
  fuzzCheck(file != nullptr, "the temporary input file opens");
  const bool written = size == 0 || std::fwrite(data, 1, size, file) == size;
  fuzzCheck(std::fclose(file) == 0 && written, "the temporary input file is written");
}

TempInput::~TempInput() { std::remove(path_.c_str()); }

}  // namespace fuzzsupport
