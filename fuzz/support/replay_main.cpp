// Replays saved inputs through a target's fuzzOne: every file below the folders given, in name
// order. Inputs that once crashed a parser live in fuzz/regressions/<target>/, so a parser that
// breaks again fails the test suite with the sanitizer's report. A folder without inputs fails
// too: a replay that feeds nothing proves nothing.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "fuzz/support/fuzz_one.h"

namespace fs = std::filesystem;

namespace {

std::vector<fs::path> inputsBelow(const fs::path& folder) {
  std::vector<fs::path> files;
  std::error_code error;
  for (fs::recursive_directory_iterator it(folder, error), end; !error && it != end;
       it.increment(error)) {
    if (it->is_regular_file()) files.push_back(it->path());
  }
  std::sort(files.begin(), files.end());
  return files;
}

bool replay(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return false;
  const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                   std::istreambuf_iterator<char>());
  std::fprintf(stderr, "replaying %s (%zu bytes)\n", file.c_str(), bytes.size());
  fuzzOne(bytes.data(), bytes.size());
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s <folder of inputs>...\n", argv[0]);
    return 2;
  }
  for (int i = 1; i < argc; ++i) {
    const std::vector<fs::path> files = inputsBelow(argv[i]);
    if (files.empty()) {
      std::fprintf(stderr, "no inputs below %s\n", argv[i]);
      return 1;
    }
    for (const fs::path& file : files) {
      if (!replay(file)) {
        std::fprintf(stderr, "cannot read %s\n", file.c_str());
        return 1;
      }
    }
    std::fprintf(stderr, "%zu inputs below %s replayed cleanly\n", files.size(), argv[i]);
  }
  return 0;
}
