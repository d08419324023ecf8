#pragma once
// The file system of the desktop build: the writable root lives in the user's application-data
// folder ($XDG_DATA_HOME, else ~/.local/share) and every operation goes through std::filesystem.
// No operation asks the player anything or shows an error: each one answers true or false.

#include "platform/file_system_bridge.h"

namespace kel {

class DesktopFileSystem : public FileSystemBridge {
 public:
  static constexpr const char* ROOT_FOLDER_NAME = "Rubblemoor";
  static constexpr const char* SETTINGS_FILE_NAME = "settings.json";

  std::string settingsPath() const override;
  std::string writableRoot() const override;
  std::vector<std::string> listFiles(const std::string& folder) const override;
  bool createFolder(const std::string& path, bool withParents) override;
  bool exists(const std::string& path) const override;
  bool deletePath(const std::string& path) override;
  bool copyPath(const std::string& from, const std::string& to) override;
  bool movePath(const std::string& from, const std::string& to) override;
  bool flushToDisk(const std::string& path) override;
};

}  // namespace kel
