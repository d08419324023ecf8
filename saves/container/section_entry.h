#pragma once
// The fixed parts of the save container shared by its writer and its reader: the 12-byte header
// and the 12-byte directory entry. See data_stream_reader.h for the whole format.

#include <array>
#include <cstddef>
#include <cstdint>

inline constexpr size_t kContainerHeaderSize = 12;
inline constexpr size_t kSectionEntrySize = 12;

// The compression flag of a directory entry.
enum class SectionStorage : uint8_t { Plain = 0, Gzip = 1 };

struct ContainerHeader {
  std::array<char, 4> magic{};
  uint16_t version = 0;
  uint16_t entryCount = 0;
  // Bytes 8-11 are written as zero and not read.
};

struct SectionEntry {
  uint16_t id = 0;  // 0: an entry no writer filled; never asked for
  uint8_t revision = 0;
  uint8_t storage = 0;  // SectionStorage; other values mark a damaged entry
  uint32_t offset = 0;  // absolute file offset of the stored body
  uint32_t size = 0;    // stored bytes (the gzip stream's size when compressed)
};
