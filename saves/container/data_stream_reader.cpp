#include "saves/container/data_stream_reader.h"

#include <stdio.h>

#include <algorithm>

#include "engine/io/byte_reader.h"
#include "platform/file_handle.h"
#include "saves/container/gzip_buffer.h"

namespace {

// A writer lays the bodies one behind the other after the directory. An entry that points into
// the directory or into another body was damaged, even when it still lies inside the file.
bool bodiesAreDisjoint(std::vector<SectionEntry> entries, uint64_t firstBody) {
  std::erase_if(entries, [](const SectionEntry& entry) { return entry.id == 0; });
  std::sort(entries.begin(), entries.end(), [](const SectionEntry& a, const SectionEntry& b) {
    return a.offset != b.offset ? a.offset < b.offset : a.size < b.size;
  });
  uint64_t end = firstBody;
  for (const SectionEntry& entry : entries) {
    if (entry.offset < end) return false;
    end = uint64_t{entry.offset} + entry.size;
  }
  return true;
}

}  // namespace

DataStreamReader::DataStreamReader(kel::FileHandle& file) : handle_(file) {
  FILE* stream = file.stream();
  if (stream == nullptr || fseeko(stream, 0, SEEK_END) != 0) {
    failed_ = true;
    return;
  }
  const off_t size = ftello(stream);
  if (size < 0) {
    failed_ = true;
    return;
  }
  fileSize_ = static_cast<uint64_t>(size);
  if (!readHeader()) failed_ = true;
}

bool DataStreamReader::readAt(uint64_t offset, std::span<uint8_t> out) {
  if (offset > fileSize_ || out.size() > fileSize_ - offset) return false;
  if (out.empty()) return true;
  FILE* stream = handle_.stream();
  if (stream == nullptr || fseeko(stream, static_cast<off_t>(offset), SEEK_SET) != 0) return false;
  return std::fread(out.data(), 1, out.size(), stream) == out.size();
}

bool DataStreamReader::readHeader() {
  uint8_t head[kContainerHeaderSize] = {};
  if (!readAt(0, head)) return false;
  engine::ByteReader in(head, sizeof head);
  for (char& c : header_.magic) c = static_cast<char>(in.u8());
  header_.version = in.u16();
  header_.entryCount = in.u16();
  // The directory must fit in the file; a count that claims more is a damaged header.
  const uint64_t directoryBytes = uint64_t{kSectionEntrySize} * header_.entryCount;
  if (directoryBytes > fileSize_ - kContainerHeaderSize) return false;
  std::vector<uint8_t> bytes(directoryBytes);
  if (!readAt(kContainerHeaderSize, bytes)) return false;
  engine::ByteReader entries(bytes);
  directory_.resize(header_.entryCount);
  bool sound = true;
  for (SectionEntry& entry : directory_) {
    entry.id = entries.u16();
    entry.revision = entries.u8();
    entry.storage = entries.u8();
    entry.offset = entries.u32();
    entry.size = entries.u32();
    const bool inside = entry.offset <= fileSize_ && entry.size <= fileSize_ - entry.offset;
    const bool knownStorage = entry.storage <= static_cast<uint8_t>(SectionStorage::Gzip);
    if (entry.id != 0 && (!inside || !knownStorage)) sound = false;
  }
  return sound && entries.ok() &&
         bodiesAreDisjoint(directory_, kContainerHeaderSize + directoryBytes);
}

bool DataStreamReader::is(std::string_view magic, uint16_t version) const {
  return !failed_ && std::string_view(header_.magic.data(), header_.magic.size()) == magic &&
         header_.version == version;
}

const SectionEntry* DataStreamReader::openSection(uint16_t id) {
  current_ = nullptr;
  consumed_ = 0;
  if (id == 0) return nullptr;
  auto found = std::find_if(directory_.begin(), directory_.end(),
                            [id](const SectionEntry& entry) { return entry.id == id; });
  if (found != directory_.end()) current_ = &*found;
  return current_;
}

uint32_t DataStreamReader::remaining() const {
  if (current_ == nullptr || current_->storage != static_cast<uint8_t>(SectionStorage::Plain)) {
    return 0;
  }
  return current_->size - consumed_;
}

bool DataStreamReader::read(std::span<uint8_t> out) {
  bool ok = false;
  if (current_ == nullptr) {
    ok = out.empty();
  } else if (current_->storage == static_cast<uint8_t>(SectionStorage::Plain)) {
    ok = out.size() <= remaining() && readAt(uint64_t{current_->offset} + consumed_, out);
    if (ok) consumed_ += static_cast<uint32_t>(out.size());
  } else if (consumed_ == 0) {
    std::vector<uint8_t> stored(current_->size);
    consumed_ = current_->size;
    ok = readAt(current_->offset, stored) && gunzipBuffer(stored, out);
  }
  if (!ok) {
    std::fill(out.begin(), out.end(), uint8_t{0});
    failed_ = true;
  }
  return ok;
}
