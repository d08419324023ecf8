#pragma once
// Where the tests point the engine's file access: the search paths of the one FileUtils, set to
// their temporary folders, and the full-path cache forgotten. The game itself searches the
// resource root only.

#include <string>
#include <vector>

#include "engine/io/file_utils.h"

namespace engine {

struct FileUtilsProbe {
  // Relative paths are taken under the resource root; the root itself is always searched last
  // unless it is given. Every cached answer is forgotten.
  static void setSearchPaths(FileUtils& files, const std::vector<std::string>& paths) {
    files.fullPathCache_.clear();
    files.searchPathArray_.clear();
    bool hasRoot = false;
    for (const std::string& given : paths) {
      std::string path = files.isAbsolutePath(given) ? given : files.defaultResRootPath_ + given;
      if (path.empty() || path.back() != '/') path += '/';
      hasRoot = hasRoot || path == files.defaultResRootPath_;
      files.searchPathArray_.push_back(std::move(path));
    }
    if (!hasRoot) files.searchPathArray_.push_back(files.defaultResRootPath_);
  }
  static const std::vector<std::string>& searchPaths(const FileUtils& files) {
    return files.searchPathArray_;
  }
  static void forgetCachedPaths(FileUtils& files) { files.fullPathCache_.clear(); }
};

}  // namespace engine

namespace testsupport {

inline void setSearchPaths(const std::vector<std::string>& paths) {
  engine::FileUtilsProbe::setSearchPaths(*engine::FileUtils::getInstance(), paths);
}

}  // namespace testsupport
