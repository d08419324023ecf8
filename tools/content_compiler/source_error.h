#pragma once
// A refusal of the content sources: which file, which row, and why.

#include <stdexcept>
#include <string>

namespace content_compiler {

struct SourcePlace {
  std::string file;
  long row = -1;  // -1: the file as a whole
  std::string describe() const {
    return row < 0 ? file : file + ", row " + std::to_string(row);
  }
};

class SourceError : public std::runtime_error {
 public:
  SourceError(const SourcePlace& place, const std::string& message)
      : std::runtime_error(place.describe() + ": " + message) {}
};

[[noreturn]] inline void refuse(const SourcePlace& place, const std::string& message) {
  throw SourceError(place, message);
}

}  // namespace content_compiler
