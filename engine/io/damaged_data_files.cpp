#include "engine/io/damaged_data_files.h"

#include <algorithm>
#include <filesystem>

#include "engine/base/log.h"

namespace engine {

namespace {

std::vector<std::string>& files() {
  static std::vector<std::string> reported;
  return reported;
}

}  // namespace

void DamagedDataFiles::report(const std::string& path) {
  // Data paths are often made as "<program folder>/../../data/..."; the player is shown the plain one.
  const std::string plain = std::filesystem::path(path).lexically_normal().string();
  if (isReported(plain)) return;
  files().push_back(plain);
  log("Data file damaged or missing: %s", plain.c_str());
}

bool DamagedDataFiles::isReported(const std::string& path) {
  const std::vector<std::string>& reported = files();
  return std::find(reported.begin(), reported.end(), path) != reported.end();
}

const std::vector<std::string>& DamagedDataFiles::reported() { return files(); }

void DamagedDataFiles::clear() { files().clear(); }

}  // namespace engine
