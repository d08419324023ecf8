#pragma once
// A fresh folder under the system's temporary folder, removed with everything in it at the end.

#include <filesystem>
#include <string>

namespace testsupport {

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::string file(const std::string& name) const { return (path_ / name).string(); }
  // Writes bytes to a file below the folder, making its folders; returns its full path.
  std::string write(const std::string& name, const std::string& bytes) const;
  std::string read(const std::string& name) const;

 private:
  std::filesystem::path path_;
};

// Points XDG_DATA_HOME at a temporary folder for the life of the object, so nothing a test writes
// reaches the user's own application-data folder.
class ScopedDataHome {
 public:
  ScopedDataHome();
  ~ScopedDataHome();
  const std::filesystem::path& path() const { return dir_.path(); }

 private:
  TempDir dir_;
  std::string previous_;
  bool hadPrevious_ = false;
};

}  // namespace testsupport
