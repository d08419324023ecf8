#include "tests/support/temp_dir.h"

#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>

namespace testsupport {

TempDir::TempDir() {
  std::random_device device;
  const auto base = std::filesystem::temp_directory_path();
  do {
    path_ = base / ("rubble-test-" + std::to_string(device()));
  } while (!std::filesystem::create_directory(path_));
}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::string TempDir::write(const std::string& name, const std::string& bytes) const {
  const auto full = path_ / name;
  std::filesystem::create_directories(full.parent_path());
  std::ofstream out(full, std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return full.string();
}

std::string TempDir::read(const std::string& name) const {
  std::ifstream in(path_ / name, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

ScopedDataHome::ScopedDataHome() {
  if (const char* old = std::getenv("XDG_DATA_HOME")) {
    previous_ = old;
    hadPrevious_ = true;
  }
  setenv("XDG_DATA_HOME", dir_.path().c_str(), 1);
}

ScopedDataHome::~ScopedDataHome() {
  if (hadPrevious_) {
    setenv("XDG_DATA_HOME", previous_.c_str(), 1);
  } else {
    unsetenv("XDG_DATA_HOME");
  }
}

}  // namespace testsupport
