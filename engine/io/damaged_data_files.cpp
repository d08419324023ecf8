#include "engine/io/damaged_data_files.h"

#include <algorithm>

#include "engine/base/log.h"

namespace engine {

namespace {

std::vector<std::string>& files() {
  static std::vector<std::string> reported;
  return reported;
}

}  // namespace

void DamagedDataFiles::report(const std::string& path) {
  if (isReported(path)) return;
  files().push_back(path);
  log("Data file damaged or missing: %s", path.c_str());
}

bool DamagedDataFiles::isReported(const std::string& path) {
  const std::vector<std::string>& reported = files();
  return std::find(reported.begin(), reported.end(), path) != reported.end();
}

const std::vector<std::string>& DamagedDataFiles::reported() { return files(); }

void DamagedDataFiles::clear() { files().clear(); }

}  // namespace engine
