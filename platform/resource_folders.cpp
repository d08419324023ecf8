#include "platform/resource_folders.h"

#include <array>

namespace kel {

namespace {

// Below the data folder; '/' throughout, as a '\' would be part of a file name here.
constexpr std::array<const char*, FOLDER_KIND_COUNT> FOLDER_SUFFIXES = {
    "/gfx", "/gfx/achievements", "/gfx/sky", "/gfx/guide",   "/json",      "/json/worlds",
    "",     "/language",         "/fonts",   "/sfx/effects", "/sfx/music",
};

}  // namespace

std::string dataRootFor(const std::string& executablePath) {
  const size_t slash = executablePath.rfind('/');
  const std::string folder =
      slash == std::string::npos ? executablePath : executablePath.substr(0, slash);
  return folder + "/../../data";
}

std::string resourceFolderIn(const std::string& dataRoot, int kind) {
  if (kind < 0 || kind >= FOLDER_KIND_COUNT) {
    return std::string();
  }
  return dataRoot + FOLDER_SUFFIXES[static_cast<size_t>(kind)];
}

bool resourceFolderFor(const std::string& executablePath, int kind, std::string& out) {
  if (kind < 0 || kind >= FOLDER_KIND_COUNT) {
    return false;
  }
  out = resourceFolderIn(dataRootFor(executablePath), kind);
  return true;
}

}  // namespace kel
