#include "saves/store/safe_write.h"

#include "engine/base/path_utils.h"
#include "platform/file_handle.h"
#include "platform/file_system_bridge.h"
#include "saves/store/save_names.h"

namespace {

std::string folderOf(const std::string& path) {
  const size_t slash = engine::findLastSlash(path);
  return slash == std::string::npos ? std::string(".") : path.substr(0, slash + 1);
}

// stem.bak replaced in one rename by a flushed copy of the file.
bool replaceBackup(kel::FileSystemBridge& files, const std::string& path, const std::string& backup) {
  const std::string copy = backup + ".tmp";
  if (files.exists(copy) && !files.deletePath(copy)) return false;
  return files.copyPath(path, copy) && files.flushToDisk(copy) && files.movePath(copy, backup);
}

// The steps of a safe write, with the temporary file named and the backup (empty: none kept).
SafeWriteResult writeThrough(kel::FileSystemBridge& files, const std::string& path, const std::string& temp,
                             const std::string& backup, const SaveFileWriter& writer) {
  // A leftover of a save that failed earlier; it was never the player's save.
  if (files.exists(temp) && !files.deletePath(temp)) return SafeWriteResult::LeftoverNotDeleted;

  kel::FileHandle file(temp, kel::FileHandle::READ_WRITE_NEW);
  if (!file.isOpen()) return SafeWriteResult::TempNotOpened;
  const bool written = writer(file);
  file.close();
  // The rename below must not publish bytes that are still only in the system's cache.
  if (!written || !files.flushToDisk(temp)) return SafeWriteResult::WriterFailed;

  // A copy, not a move: the file keeps naming the previous save until the new one replaces it in
  // one rename, so there is never a moment without it, and nothing to put back when the rename
  // fails. The copy goes to its own temporary file first, so the backup too is always whole.
  if (!backup.empty() && files.exists(path) && !replaceBackup(files, path, backup)) {
    return SafeWriteResult::BackupFailed;
  }
  if (!files.movePath(temp, path)) return SafeWriteResult::MoveFailed;
  // The rename lives in the folder's entries; without this a power cut could undo it. The save
  // itself is complete either way, so a folder that cannot be flushed is not a failed save.
  files.flushToDisk(folderOf(path));
  return SafeWriteResult::Saved;
}

}  // namespace

SafeWriteResult safeWriteFile(kel::FileSystemBridge& files, const std::string& path,
                              const SaveFileWriter& writer, bool keepBackup) {
  const std::string backup = backupPathOf(path);
  const SafeWriteResult result = writeThrough(files, path, tempPathOf(path), keepBackup ? backup : "", writer);
  if (result == SafeWriteResult::Saved && !keepBackup && files.exists(backup)) files.deletePath(backup);
  return result;
}

SafeWriteResult safeWriteSideFile(kel::FileSystemBridge& files, const std::string& path,
                                  const SaveFileWriter& writer) {
  return writeThrough(files, path, path + ".tmp", "", writer);
}
