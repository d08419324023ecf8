#pragma once
// The data files that could not be used: missing, unreadable or not what their kind must hold.
// Each is named in the log once, the first time it fails, and kept so the interface can tell the
// player which file to restore.
//
// Main thread only.

#include <string>
#include <vector>

namespace engine {

class DamagedDataFiles {
 public:
  DamagedDataFiles() = delete;

  // Records the file (its path without "." and ".." steps) and logs its name; a file already
  // recorded is not logged again.
  static void report(const std::string& path);
  // Whether the file is recorded; the path is compared as recorded.
  static bool isReported(const std::string& path);
  // The files in the order they failed.
  static const std::vector<std::string>& reported();
  // Forgets them all; tests start from an empty record with it.
  static void clear();
};

}  // namespace engine
