#pragma once
// Writes one save container file: the header, a directory of sections and the section bodies,
// each body plain or one gzip stream. The caller opens each section in turn, writes its body
// through body() and closes it; finish() fills in the directory, writes the file in one piece and
// closes it. A failure anywhere is sticky and makes finish() report false; the writer still runs
// to the end so that callers need not check each step. One writer serves one file on one thread.

#include <cstdint>
#include <string_view>
#include <vector>

#include "engine/io/byte_writer.h"
#include "saves/container/section_entry.h"

namespace kel {
class FileHandle;
}

class DataStreamWriter {
 public:
  // The handle must be open for writing; a closed one makes the whole write fail. The directory
  // gets entryCount entries; entries never opened stay zero.
  DataStreamWriter(kel::FileHandle& file, std::string_view magic, uint16_t version,
                   uint16_t entryCount);
  DataStreamWriter(const DataStreamWriter&) = delete;
  DataStreamWriter& operator=(const DataStreamWriter&) = delete;

  // Starts the next directory entry. A compressed body is collected in memory, reserved at
  // expectedBytes so that large bodies are not regrown while they are written.
  void openSection(uint16_t id, uint8_t revision, SectionStorage storage, size_t expectedBytes = 0);
  // Where the open section's body goes.
  engine::ByteWriter& body() { return compressing_ ? section_ : file_; }
  // Compresses a gzip body and records the section's offset and stored size.
  void closeSection();
  // Writes the file, flushes it and closes the handle. True when nothing failed.
  bool finish();

  void fail() { failed_ = true; }
  bool failed() const { return failed_; }

 private:
  void writeHeaderAndDirectory();

  kel::FileHandle& handle_;
  ContainerHeader header_;
  std::vector<SectionEntry> directory_;
  engine::ByteWriter file_;
  engine::ByteWriter section_;
  size_t index_ = 0;
  bool sectionOpen_ = false;
  bool compressing_ = false;
  bool failed_ = false;
};
