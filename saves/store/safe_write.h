#pragma once
// Writing a save so that no crash, kill or full disk costs the player the save they had. The new
// bytes go to stem.tmp and are forced onto the disk; the file they replace is copied to
// stem.bak.tmp, forced onto the disk and renamed over stem.bak; then stem.tmp is renamed over the
// file, and the folder is forced onto the disk so the rename holds. The file therefore always names
// a whole save, the old one or the new one, and the backup, when there is one, a whole earlier
// version. Game thread only (the re-entry guards of the store rely on it).

#include <functional>
#include <string>

namespace kel {
class FileHandle;
class FileSystemBridge;
}  // namespace kel

// The results by number, as the store reports them.
enum class SafeWriteResult : int {
  LeftoverNotDeleted = 0,  // an old stem.tmp could not be deleted
  TempNotOpened = 1,
  WriterFailed = 2,  // the writer said false, or its bytes could not be forced to disk
  BackupFailed = 3,  // the current file could not be copied to stem.bak
  MoveFailed = 4,    // the rename failed; the file still holds the previous save
  Saved = 5,
};

// Given the open temporary file; writes it whole and closes it (or leaves it to be closed);
// false when anything went wrong.
using SaveFileWriter = std::function<bool(kel::FileHandle&)>;

// keepBackup off: no stem.bak is kept (a stale one is deleted once the save succeeded).
SafeWriteResult safeWriteFile(kel::FileSystemBridge& files, const std::string& path,
                              const SaveFileWriter& writer, bool keepBackup);

// A file kept beside a save (a character's statistics, the tokens her hosts know her by) written
// the same way, through a temporary file of its own, path + ".tmp": stem.tmp and stem.bak are the
// save's, which a save of it may be writing meanwhile. It keeps no backup and leaves the save's
// alone.
SafeWriteResult safeWriteSideFile(kel::FileSystemBridge& files, const std::string& path,
                                  const SaveFileWriter& writer);
