#pragma once
// Reads one save container file: the world, adventure and character files. Whatever the file
// holds, the reader never reads outside it and never trusts a size it has not checked; any
// damage sets a sticky error that the caller reports as a failed load, so a damaged file is never
// taken for a good one (and never gets to replace its backup on the next save). One reader serves
// one open file on one thread; the caller owns and closes the handle.
//
// The format (all integers little-endian)
// ---------------------------------------
//   0   4  magic: "RBWM" world or adventure file, "RBWC" character file
//   4   2  version: 0 character file, 1 world file, 2 adventure file (its planet links)
//   6   2  number of directory entries
//   8   4  zero
//  12  12n directory, then the section bodies in the order they were written
//
// A directory entry: u16 section id, u8 revision, u8 storage (0 plain, 1 one gzip stream),
// u32 absolute offset of the body, u32 stored size (the gzip stream's size when compressed).
// An entry that no writer filled is all zero; id 0 is never asked for, and the first entry of an
// id wins when one appears twice. The entries are written after the bodies are known, so a file
// cut short keeps its directory but not the bodies it points to: each offset and size is checked
// against the file's length before anything is read.
//
// What the revisions mean. Every section is written with revision 0 except:
//   world section 2 (packed cells), revision 1: cells are in today's block numbering. Revision 0
//     cells still hold the retired block 0x963, which the world reader turns into 0x961 with
//     packed flag bits 0-1 cleared and bit 2 set.
//   character section 0x8003 (unlocked achievements), revision 1: the 256-bit set by today's
//     achievement ids. A revision 0 set numbered achievements differently and is ignored.
// A gzip section is read in one piece into a buffer of the size the reader expects; its stream
// must end exactly there. Plain sections are read front to back and never past their stored size.

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "saves/container/section_entry.h"

namespace kel {
class FileHandle;
}

class DataStreamReader {
 public:
  // Reads the header and the directory from the start of the file. A closed handle, a file too
  // short for them, or a directory that claims more than the file holds is an error; so is an
  // entry whose body lies outside the file or whose storage flag is unknown.
  explicit DataStreamReader(kel::FileHandle& file);
  DataStreamReader(const DataStreamReader&) = delete;
  DataStreamReader& operator=(const DataStreamReader&) = delete;

  const ContainerHeader& header() const { return header_; }
  // The directory as read; only meaningful while the reader has not failed.
  const std::vector<SectionEntry>& directory() const { return directory_; }
  // The header holds this magic and version (and was read whole).
  bool is(std::string_view magic, uint16_t version) const;

  // Makes the first entry with this id current; null when there is none (an optional section:
  // no error).
  const SectionEntry* openSection(uint16_t id);
  // The next out.size() bytes of the current plain section, or the whole inflated body of the
  // current gzip section (which must be exactly out.size() bytes and is read only once). Any
  // shortfall zero-fills out, sets the error and returns false.
  bool read(std::span<uint8_t> out);
  // Bytes of the current plain section not yet read.
  uint32_t remaining() const;

  void fail() { failed_ = true; }
  bool failed() const { return failed_; }
  uint64_t fileSize() const { return fileSize_; }
  // Raw bytes at a place of the file, whatever section holds them; false (nothing read) when they
  // do not all lie inside it. For judging a damaged file's parts.
  bool readAt(uint64_t offset, std::span<uint8_t> out);

 private:
  bool readHeader();

  kel::FileHandle& handle_;
  uint64_t fileSize_ = 0;
  ContainerHeader header_;
  std::vector<SectionEntry> directory_;
  const SectionEntry* current_ = nullptr;
  uint32_t consumed_ = 0;  // bytes of the current section already read
  bool failed_ = false;
};
