#include "platform/settings/settings_file.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

#include <unistd.h>

#include "engine/base/path_utils.h"
#include "engine/io/os_paths.h"

namespace fs = std::filesystem;

namespace kel::settings_file {
namespace {

// Writes and flushes the whole text to a new file, which is removed again when any step fails.
bool writeWhole(const std::string& path, const std::string& text) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return false;
  bool ok = std::fwrite(text.data(), 1, text.size(), file) == text.size();
  ok = std::fflush(file) == 0 && ok;
  // The rename must not publish a file whose bytes are still only in the page cache.
  ok = ::fsync(fileno(file)) == 0 && ok;
  ok = std::fclose(file) == 0 && ok;
  if (!ok) std::remove(path.c_str());
  return ok;
}

}  // namespace

std::string defaultPath() {
  const std::string home = engine::os::localAppDataDirectory();
  if (home.empty()) return {};
  return (fs::path(home) / "Rubblemoor" / "settings.json").string();
}

std::optional<std::string> read(const std::string& path) {
  if (path.empty()) return std::nullopt;
  std::error_code error;
  if (!fs::is_regular_file(path, error)) return std::nullopt;
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return std::nullopt;
  std::string text;
  char buffer[8192];
  std::size_t got = 0;
  while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
    if (text.size() + got > kMaxFileSize) {
      std::fclose(file);
      return std::nullopt;
    }
    text.append(buffer, got);
  }
  const bool failed = std::ferror(file) != 0;
  std::fclose(file);
  if (failed) return std::nullopt;
  return text;
}

bool present(const std::string& path) {
  std::error_code error;
  return !path.empty() && fs::symlink_status(path, error).type() != fs::file_type::not_found && !error;
}

std::string keepAside(const std::string& path) {
  const std::string aside = engine::damagedPathOf(path, [](const std::string& name) { return present(name); });
  return engine::moveFile(path, aside) ? aside : std::string();
}

std::string keepCopyAside(const std::string& path, const std::string& bytes) {
  if (path.empty()) return {};
  const std::string aside = engine::damagedPathOf(path, [](const std::string& name) { return present(name); });
  return writeWhole(aside, bytes) ? aside : std::string();
}

bool writeReplacing(const std::string& path, const std::string& text) {
  if (path.empty()) return false;
  const fs::path target(path);
  std::error_code error;
  if (target.has_parent_path()) {
    fs::create_directories(target.parent_path(), error);
    if (error) return false;
  }
  const std::string temporary = path + ".tmp";
  if (!writeWhole(temporary, text)) return false;
  if (engine::moveFile(temporary, path)) return true;
  fs::remove(temporary, error);
  return false;
}

}  // namespace kel::settings_file
