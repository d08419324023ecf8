#include "engine/io/os_paths.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace engine::os {

namespace fs = std::filesystem;

std::string currentDirectory() {
  std::error_code ec;
  const fs::path cwd = fs::current_path(ec);
  return ec ? std::string() : cwd.generic_string();
}

std::string executablePath() {
  std::error_code ec;
  const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
  return ec ? std::string() : exe.generic_string();
}

std::string localAppDataDirectory() {
  // A relative XDG_DATA_HOME is invalid by the convention and must be ignored.
  const char* dataHome = std::getenv("XDG_DATA_HOME");
  if (dataHome != nullptr && dataHome[0] == '/') {
    return fs::path(dataHome).lexically_normal().generic_string();
  }
  const char* home = std::getenv("HOME");
  if (home != nullptr && home[0] == '/') {
    return (fs::path(home) / ".local" / "share").lexically_normal().generic_string();
  }
  return std::string();
}

bool isRegularFile(const std::string& path) {
  if (path.empty()) {
    return false;
  }
  std::error_code ec;
  const fs::file_status status = fs::status(path, ec);
  return !ec && fs::exists(status) && !fs::is_directory(status);
}

bool isDirectory(const std::string& path) {
  if (path.empty()) {
    return false;
  }
  std::error_code ec;
  return fs::is_directory(path, ec);
}

bool createDirectories(const std::string& path) {
  if (path.empty()) {
    return false;
  }
  std::error_code ec;
  fs::create_directories(path, ec);
  return isDirectory(path);
}

bool movePath(const std::string& from, const std::string& to) {
  if (from.empty() || to.empty()) {
    return false;
  }
  std::error_code ec;
  fs::rename(from, to, ec);
  if (!ec) {
    return true;
  }
  if (ec != std::errc::cross_device_link) {
    return false;
  }
  // Another file system: copy, and delete the source only once the copy is whole.
  fs::copy(from, to,
           fs::copy_options::recursive | fs::copy_options::overwrite_existing, ec);
  if (ec) {
    return false;
  }
  fs::remove_all(from, ec);
  return !ec;
}

void debugOutput(const std::string& text) {
  std::fwrite(text.data(), 1, text.size(), stderr);
  std::fflush(stderr);
}

}  // namespace engine::os
