#pragma once
// The engine's read-only file access: resolves a resource name to a full path through the search
// paths and resolution folders (with a cache), reads whole files as bytes and reads one member of
// a zip archive. Missing or unreadable files give empty results, never exceptions; callers decide
// what to report. Writing files belongs to the platform's file system.

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "engine/io/data.h"

namespace engine {

class FileUtils {
 public:
  // The one instance, created and initialised on first use; null when initialisation failed
  // (the next call tries again).
  static FileUtils* getInstance();
  // Deletes the instance; the engine's purge calls it, and tests reset with it.
  static void destroyInstance();

  // The folder every relative search path is taken under. Empty until the first initialisation
  // fills it with the current directory; setting it beforehand picks another root.
  static const std::string& getResourcePath();
  static void setResourcePath(const std::string& path);

  virtual ~FileUtils();
  FileUtils(const FileUtils&) = delete;
  FileUtils& operator=(const FileUtils&) = delete;

  // A malloc'ed copy of one member of the archive, freed by the caller with free(); null with
  // *size = 0 when anything fails.
  virtual unsigned char* getFileDataFromZip(const std::string& zipFilePath,
                                            const std::string& filename, int64_t* size);
  virtual Data getDataFromFile(const std::string& filename);
  virtual std::string fullPathForFilename(const std::string& filename);
  virtual std::string fullPathFromRelativeFile(const std::string& filename,
                                               const std::string& relativeFile);
  virtual void setSearchResolutionsOrder(const std::vector<std::string>& order);
  virtual void addSearchResolutionsOrder(const std::string& order, bool front = false);
  virtual const std::vector<std::string>& getSearchResolutionsOrder() const;
  virtual std::string getWritablePath() const;
  virtual bool isAbsolutePath(const std::string& path) const;
  virtual void setPopupNotify(bool notify);
  virtual bool isPopupNotify() const;
  virtual bool init();
  virtual std::string getNewFilename(const std::string& filename) const;
  virtual bool isFileExistInternal(const std::string& fullPath) const;
  virtual std::string getPathForFilename(const std::string& filename,
                                         const std::string& resolutionDirectory,
                                         const std::string& searchPath);
  virtual std::string getFullPathForDirectoryAndFilename(const std::string& directory,
                                                         const std::string& filename);
  // A malloc'ed copy of the whole file, freed by the caller with free(); null with *size = 0
  // when the file does not open or is empty.
  virtual unsigned char* getFileData(const std::string& filename, int64_t* size);

  const std::string& getDefaultResourceRootPath() const { return defaultResRootPath_; }

 protected:
  friend struct FileUtilsProbe;  // tests point the search at their own folders
  FileUtils() = default;

  // The search behind fullPathForFilename: "" when nothing found.
  std::string searchFullPath(const std::string& filename);

  std::vector<std::string> searchResolutionsOrderArray_;
  std::vector<std::string> searchPathArray_;
  std::string defaultResRootPath_;
  std::unordered_map<std::string, std::string> fullPathCache_;

 private:
  bool popupNotify_ = true;
};

}  // namespace engine
