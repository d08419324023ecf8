#pragma once
// Builds "data.dat" files byte by byte for the loader tests, recording where each section starts
// so tests can cut or alter the file at exact places.

#include <cstdint>
#include <stdexcept>
#include <vector>

#include "content/format/content_checksum.h"
#include "content/format/content_format.h"
#include "content/format/content_scrambler.h"
#include "engine/io/byte_writer.h"

namespace contenttest {

struct ContentFileBuilder {
  uint16_t counts[content::kHeaderCountCount] = {};
  engine::ByteWriter sections;            // everything after the stored checksum
  std::vector<size_t> boundaries;         // section starts, as file offsets

  void mark() { boundaries.push_back(content::kSectionsOffset + sections.size()); }
  void section(size_t count, uint16_t rows) {
    counts[count] = rows;
    mark();
  }

  // Writes the fixed sections (crafts and bullets) with each bullet's first field its row.
  void fixedSections() {
    mark();
    sections.zeros(content::kCraftSectionSize);
    mark();
    for (size_t row = 0; row < content::kBulletCount; ++row) {
      sections.u32(static_cast<uint32_t>(row));
      sections.zeros(content::kBulletRecordSize - 4);
    }
  }

  std::vector<uint8_t> plain(bool fixChecksum = true) const {
    engine::ByteWriter out;
    for (uint16_t c : counts) out.u16(c);
    out.u32(0);
    out.bytes(sections.data());
    std::vector<uint8_t> bytes = out.release();
    if (fixChecksum) setStoredChecksum(bytes, checksumOf(bytes));
    return bytes;
  }

  std::vector<uint8_t> scrambled() const { return scramble(plain()); }

  static uint32_t checksumOf(const std::vector<uint8_t>& plainBytes) {
    content::ContentChecksum sum;
    sum.add(plainBytes.data(), content::kHeaderSize);
    sum.add(plainBytes.data() + content::kSectionsOffset, plainBytes.size() - content::kSectionsOffset);
    return sum.value();
  }

  static void setStoredChecksum(std::vector<uint8_t>& plainBytes, uint32_t value) {
    if (plainBytes.size() < content::kStoredChecksumOffset + 4) throw std::length_error("short");
    for (size_t i = 0; i < 4; ++i) plainBytes[content::kStoredChecksumOffset + i] = static_cast<uint8_t>(value >> (8 * i));
  }

  static std::vector<uint8_t> scramble(std::vector<uint8_t> bytes) {
    content::ContentScrambler scrambler;
    scrambler.apply(bytes.data(), bytes.size());
    return bytes;
  }
};

}  // namespace contenttest
