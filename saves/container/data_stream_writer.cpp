#include "saves/container/data_stream_writer.h"

#include <cassert>
#include <cstdio>
#include <limits>

#include "platform/file_handle.h"
#include "saves/container/gzip_buffer.h"

namespace {

// The directory's offsets and sizes are 32-bit.
constexpr uint64_t kMaxFileBytes = std::numeric_limits<uint32_t>::max();

}  // namespace

DataStreamWriter::DataStreamWriter(kel::FileHandle& file, std::string_view magic, uint16_t version,
                                   uint16_t entryCount)
    : handle_(file), directory_(entryCount) {
  assert(magic.size() == header_.magic.size());
  for (size_t i = 0; i < header_.magic.size() && i < magic.size(); ++i) header_.magic[i] = magic[i];
  header_.version = version;
  header_.entryCount = entryCount;
  failed_ = !file.isOpen();
}

void DataStreamWriter::openSection(uint16_t id, uint8_t revision, SectionStorage storage,
                                   size_t expectedBytes) {
  assert(!sectionOpen_ && "a section is closed before the next one opens");
  sectionOpen_ = true;
  compressing_ = storage == SectionStorage::Gzip;
  if (index_ >= directory_.size()) {
    failed_ = true;  // more sections than the header announced: the file would lie about itself
    return;
  }
  SectionEntry& entry = directory_[index_];
  entry.id = id;
  entry.revision = revision;
  entry.storage = static_cast<uint8_t>(storage);
  if (compressing_) {
    section_.clear();
    section_.reserve(expectedBytes);
  }
  const uint64_t offset =
      kContainerHeaderSize + kSectionEntrySize * directory_.size() + file_.size();
  if (offset > kMaxFileBytes) failed_ = true;
  entry.offset = static_cast<uint32_t>(offset);
}

void DataStreamWriter::closeSection() {
  assert(sectionOpen_);
  sectionOpen_ = false;
  if (compressing_) {
    compressing_ = false;
    std::optional<std::vector<uint8_t>> packed = gzipCompress(section_.data());
    if (packed) {
      file_.bytes(*packed);
    } else {
      failed_ = true;  // an empty body stands in for the section that could not be compressed
    }
    section_ = engine::ByteWriter();
  }
  if (index_ >= directory_.size()) return;
  SectionEntry& entry = directory_[index_++];
  const uint64_t end = kContainerHeaderSize + kSectionEntrySize * directory_.size() + file_.size();
  if (end > kMaxFileBytes) failed_ = true;
  entry.size = static_cast<uint32_t>(end - entry.offset);
}

void DataStreamWriter::writeHeaderAndDirectory() {
  engine::ByteWriter head;
  head.reserve(kContainerHeaderSize + kSectionEntrySize * directory_.size());
  for (char c : header_.magic) head.u8(static_cast<uint8_t>(c));
  head.u16(header_.version);
  head.u16(header_.entryCount);
  head.u32(0);
  for (const SectionEntry& entry : directory_) {
    head.u16(entry.id);
    head.u8(entry.revision);
    head.u8(entry.storage);
    head.u32(entry.offset);
    head.u32(entry.size);
  }
  FILE* stream = handle_.stream();
  const std::vector<uint8_t>& bytes = head.data();
  if (std::fwrite(bytes.data(), 1, bytes.size(), stream) != bytes.size()) failed_ = true;
}

bool DataStreamWriter::finish() {
  assert(!sectionOpen_);
  if (!handle_.isOpen()) {
    failed_ = true;
    return false;
  }
  // The bodies were laid out behind the directory from the start, so the file is written once,
  // front to back, with its directory already filled in.
  writeHeaderAndDirectory();
  const std::vector<uint8_t>& bodies = file_.data();
  if (!bodies.empty() &&
      std::fwrite(bodies.data(), 1, bodies.size(), handle_.stream()) != bodies.size()) {
    failed_ = true;
  }
  if (std::fflush(handle_.stream()) != 0) failed_ = true;
  handle_.close();
  return !failed_;
}
