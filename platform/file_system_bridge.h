#pragma once
// The game's writable place on disk and the few folder and file operations it needs there.
// Paths are UTF-8 strings.

#include <string>
#include <vector>

namespace kel {

class FileSystemBridge {
 public:
  virtual ~FileSystemBridge() = default;

  // The settings file inside the writable root.
  virtual std::string settingsPath() const = 0;
  // The folder "Rubblemoor" in the user's application-data folder. Only the save code creates it.
  virtual std::string writableRoot() const = 0;
  // Names of the entries of the folder that are not folders themselves, sorted; a missing or
  // unreadable folder gives no entries.
  virtual std::vector<std::string> listFiles(const std::string& folder) const = 0;
  // True only when this call created the folder: an existing folder, a missing parent (without
  // withParents) or any error gives false.
  virtual bool createFolder(const std::string& path, bool withParents) = 0;
  // True when a file or folder exists at the path.
  virtual bool exists(const std::string& path) const = 0;
  // Deletes a file, or a folder with everything in it, permanently.
  virtual bool deletePath(const std::string& path) = 0;
  // Copies a file or a whole folder; files already at the target are replaced without asking.
  virtual bool copyPath(const std::string& from, const std::string& to) = 0;
  // Moves a file or folder; a file already at the target is replaced without asking.
  virtual bool movePath(const std::string& from, const std::string& to) = 0;
  // Forces a file's bytes, or a folder's list of entries, from the system's cache onto the disk,
  // so that a rename never publishes a file the disk does not hold yet.
  virtual bool flushToDisk(const std::string& path) = 0;
};

}  // namespace kel
