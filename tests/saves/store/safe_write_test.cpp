// Safe writing: results of every failing step, and a save killed at every step (a forked child
// that exits in the middle, a copy cut short), after which the file and its backup still read as
// whole saves. Every write runs on the save worker, as the game's world saves do.
#include "saves/store/safe_write.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <utility>

#include "platform/desktop_file_system.h"
#include "platform/file_handle.h"
#include "saves/character/character_file.h"
#include "saves/store/save_writer.h"
#include "tests/saves/store/step_file_system.h"
#include "tests/support/temp_dir.h"

namespace {

using savetest::StepFileSystem;

class SafeWriteTest : public ::testing::Test {
 protected:
  std::string path() const { return dir_.file("Ada.dat"); }

  SafeWriteResult save(StepFileSystem& files, const std::string& name, bool keepBackup = true) {
    CharacterRecord record;
    record.name = name;
    return onWorker(files, [&record](kel::FileHandle& file) { return writeCharacterFile(file, record); },
                    keepBackup);
  }
  SafeWriteResult onWorker(StepFileSystem& files, const SaveFileWriter& writer, bool keepBackup) {
    SafeWriteResult result = SafeWriteResult::TempNotOpened;
    SaveWriter worker;
    worker.start([&] {
      result = safeWriteFile(files, path(), writer, keepBackup);
      return result == SafeWriteResult::Saved;
    }, {});
    worker.wait();
    return result;
  }
  std::string nameIn(const std::string& name) const {
    kel::FileHandle file(dir_.file(name), kel::FileHandle::READ);
    CharacterRecord record;
    CharacterParts parts;
    return file.isOpen() && readCharacterFile(file, record, parts) && parts.health ? record.name
                                                                                   : "";
  }

  testsupport::TempDir dir_;
};

// A leftover temporary file (from a failed or killed save) is deleted first; each step that fails
// leaves the save the player had.
TEST_F(SafeWriteTest, EachFailingStepKeepsTheSaveThePlayerHad) {
  const struct {
    const char* step;
    bool keepBackup;
    SafeWriteResult result;
  } cases[] = {{"delete", true, SafeWriteResult::LeftoverNotDeleted},
               {"flush", true, SafeWriteResult::WriterFailed},
               {"copy", true, SafeWriteResult::BackupFailed},
               {"move", true, SafeWriteResult::BackupFailed},  // the backup's own rename comes first
               {"move", false, SafeWriteResult::MoveFailed}};
  for (const auto& [step, keepBackup, result] : cases) {
    StepFileSystem files;
    ASSERT_EQ(save(files, "good"), SafeWriteResult::Saved);
    dir_.write("Ada.tmp", "half");
    files.breakStep(step);
    EXPECT_EQ(save(files, "new", keepBackup), result) << step;
    EXPECT_EQ(nameIn("Ada.dat"), "good") << step;
    std::filesystem::remove(dir_.file("Ada.bak"));
    std::filesystem::remove(dir_.file("Ada.tmp"));
  }
}

// The process dies after each step in turn (and once half-way through writing): the file is
// always a whole save, the old one or the new one, and so is its backup.
TEST_F(SafeWriteTest, AKilledSaveLeavesAReadableFile) {
  StepFileSystem first;
  ASSERT_EQ(save(first, "one"), SafeWriteResult::Saved);
  StepFileSystem counter;
  ASSERT_EQ(save(counter, "two"), SafeWriteResult::Saved);
  const int steps = counter.steps();
  ASSERT_GE(steps, 3);
  for (int kill = -1; kill <= steps; ++kill) {
    const int status = savetest::runKilledAtStep(kill, [&](StepFileSystem& files) {
      if (kill == -1) {
        onWorker(
            files,
            [](kel::FileHandle& file) {
              std::fputs("RBWC", file.stream());
              std::fflush(file.stream());
              _exit(0);
              return true;
            },
            true);
      }
      save(files, "three");
    });
    ASSERT_NE(status, -1);
    const std::string name = nameIn("Ada.dat");
    EXPECT_TRUE(name == "two" || name == "three") << "killed at step " << kill << ": " << name;
    // The backup is a whole earlier save too, never a copy cut short.
    EXPECT_FALSE(nameIn("Ada.bak").empty()) << "killed at step " << kill;
    StepFileSystem files;
    ASSERT_EQ(save(files, "two"), SafeWriteResult::Saved);
  }
}

}  // namespace
