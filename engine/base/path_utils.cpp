#include "engine/base/path_utils.h"

#include <algorithm>

#include "engine/io/os_paths.h"

namespace engine {

size_t findLastOf(const std::string& text, const std::string& characters) {
  if (text.empty() || characters.empty()) {
    return std::string::npos;
  }
  return text.find_last_of(characters);
}

size_t findLastSlash(const std::string& text) { return findLastOf(text, "/"); }

std::string cutAtLastDot(const std::string& name) {
  const size_t dot = findLastOf(name, ".");
  return dot == std::string::npos ? name : name.substr(0, dot);
}

std::string stripExtension(const std::string& path) {
  const size_t dot = findLastOf(path, ".");
  if (dot == std::string::npos) {
    return path;
  }
  const size_t slash = findLastSlash(path);
  if (slash != std::string::npos && dot < slash) {
    return path;
  }
  return path.substr(0, dot);
}

std::string appendExtension(const std::string& path, const std::string& extension) {
  if (extension.empty()) {
    return path;
  }
  if (extension.front() == '.') {
    return path + extension;
  }
  return path + "." + extension;
}

std::string withExtension(const std::string& path, const std::string& extension) {
  return appendExtension(path, extension);
}

std::string joinPath(const std::string& left, const std::string& right) {
  if (left.empty()) {
    return right;
  }
  const bool leftSlash = left.back() == '/';
  const bool rightSlash = !right.empty() && right.front() == '/';
  if (!leftSlash && !rightSlash) {
    return left + "/" + right;
  }
  if (leftSlash && rightSlash) {
    return left + right.substr(1);
  }
  return left + right;
}

bool hasFileExtension(const std::string& path, const std::string& extension) {
  const size_t dot = findLastOf(path, ".");
  if (dot == std::string::npos) {
    return false;
  }
  return path.compare(dot + 1, std::string::npos, extension) == 0;
}

std::string convertPathFormatToUnixStyle(const std::string& path) {
  std::string result = path;
  std::replace(result.begin(), result.end(), '\\', '/');
  return result;
}

bool moveFile(const std::string& from, const std::string& to) { return os::movePath(from, to); }

}  // namespace engine
