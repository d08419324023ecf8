#include "platform/desktop_file_system.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include <fcntl.h>
#include <unistd.h>

#include "engine/base/path_utils.h"
#include "engine/io/os_paths.h"

namespace kel {

namespace fs = std::filesystem;

namespace {

// A trailing '/' would make the standard library report a created folder as not created.
fs::path withoutTrailingSlash(const std::string& path) {
  std::string trimmed = path;
  while (trimmed.size() > 1 && trimmed.back() == '/') {
    trimmed.pop_back();
  }
  return fs::path(trimmed);
}

bool pathExists(const fs::path& path) {
  std::error_code ec;
  // symlink_status: a dangling link is still something that a delete or move acts on.
  return fs::exists(fs::symlink_status(path, ec));
}

}  // namespace

std::string DesktopFileSystem::writableRoot() const {
  return engine::joinPath(engine::os::localAppDataDirectory(), ROOT_FOLDER_NAME);
}

std::string DesktopFileSystem::settingsPath() const {
  return engine::joinPath(writableRoot(), SETTINGS_FILE_NAME);
}

std::vector<std::string> DesktopFileSystem::listFiles(const std::string& folder) const {
  std::vector<std::string> names;
  std::error_code ec;
  fs::directory_iterator it(withoutTrailingSlash(folder), ec);
  if (ec) {
    return names;
  }
  for (const fs::directory_iterator end; it != end; it.increment(ec)) {
    if (ec) {
      break;
    }
    std::error_code typeError;
    if (!it->is_directory(typeError)) {
      names.push_back(it->path().filename().string());
    }
  }
  // Directory order differs between file systems; a sorted list keeps menus stable.
  std::sort(names.begin(), names.end());
  return names;
}

bool DesktopFileSystem::createFolder(const std::string& path, bool withParents) {
  if (path.empty()) {
    return false;
  }
  const fs::path folder = withoutTrailingSlash(path);
  std::error_code ec;
  if (fs::exists(fs::symlink_status(folder, ec))) {
    return false;
  }
  if (withParents) {
    fs::create_directories(folder, ec);
  } else {
    fs::create_directory(folder, ec);
  }
  return !ec && fs::is_directory(folder, ec);
}

bool DesktopFileSystem::exists(const std::string& path) const {
  return engine::os::isRegularFile(path) || engine::os::isDirectory(path);
}

bool DesktopFileSystem::deletePath(const std::string& path) {
  if (path.empty()) {
    return false;
  }
  const fs::path target = withoutTrailingSlash(path);
  if (!pathExists(target)) {
    return false;
  }
  std::error_code ec;
  fs::remove_all(target, ec);
  return !ec;
}

namespace {

// True when `path` is `folder` itself or lies somewhere below it.
bool isInside(const fs::path& path, const fs::path& folder) {
  const fs::path full = fs::weakly_canonical(fs::absolute(path));
  const fs::path base = fs::weakly_canonical(fs::absolute(folder));
  auto [baseEnd, fullIt] = std::mismatch(base.begin(), base.end(), full.begin(), full.end());
  return baseEnd == base.end();
}

}  // namespace

bool DesktopFileSystem::copyPath(const std::string& from, const std::string& to) {
  if (from.empty() || to.empty()) {
    return false;
  }
  const fs::path source = withoutTrailingSlash(from);
  const fs::path target = withoutTrailingSlash(to);
  std::error_code ec;
  if (!fs::exists(source, ec) || fs::equivalent(source, target, ec)) {
    return false;
  }
  if (fs::is_directory(source, ec)) {
    // A folder can be merged into a folder but never replace a file, and never be copied into
    // itself: the copy would keep finding its own new contents.
    if ((fs::exists(target, ec) && !fs::is_directory(target, ec)) || isInside(target, source)) {
      return false;
    }
    fs::copy(source, target, fs::copy_options::recursive | fs::copy_options::overwrite_existing,
             ec);
    return !ec;
  }
  if (fs::is_directory(target, ec)) {
    return false;  // a file never replaces a folder
  }
  fs::copy_file(source, target, fs::copy_options::overwrite_existing, ec);
  return !ec;
}

bool DesktopFileSystem::movePath(const std::string& from, const std::string& to) {
  if (from.empty() || to.empty() || !pathExists(withoutTrailingSlash(from))) {
    return false;
  }
  return engine::os::movePath(withoutTrailingSlash(from).string(),
                              withoutTrailingSlash(to).string());
}

bool DesktopFileSystem::flushToDisk(const std::string& path) {
  if (path.empty()) {
    return false;
  }
  // A folder opens read-only too, and fsync on it writes out its entries.
  const int descriptor = ::open(withoutTrailingSlash(path).c_str(), O_RDONLY | O_CLOEXEC);
  if (descriptor < 0) {
    return false;
  }
  const bool synced = ::fsync(descriptor) == 0;
  return ::close(descriptor) == 0 && synced;
}

}  // namespace kel
