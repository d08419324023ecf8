#pragma once
// The ways a save file is found damaged on disk, applied to a file in place: emptied, cut to half
// its length, its first bytes (the header) replaced, or bytes in its middle replaced; and, for a
// world file, the id of its cells section's (or any section's) directory entry replaced by one no
// section has, or its version bytes made to read 2 (an adventure's).

#include <filesystem>
#include <fstream>
#include <iterator>
#include <cstddef>
#include <cstdint>
#include <string>

namespace savetest {

enum class Damage { Emptied, CutShort, Header, Middle, CellsEntry, VersionTwo };

inline const char* damageName(Damage damage) {
  switch (damage) {
    case Damage::Emptied: return "Emptied";
    case Damage::CutShort: return "CutShort";
    case Damage::Header: return "Header";
    case Damage::Middle: return "Middle";
    case Damage::CellsEntry: return "CellsEntry";
    case Damage::VersionTwo: return "VersionTwo";
  }
  return "";
}

// The container's directory entry of a section given an id no section has ("zz").
inline void renameSectionEntry(std::string& bytes, uint16_t id) {
  constexpr size_t kHeaderBytes = 12, kEntryBytes = 12;
  const size_t count = static_cast<uint8_t>(bytes[6]) | (static_cast<uint8_t>(bytes[7]) << 8);
  for (size_t at = kHeaderBytes; at < kHeaderBytes + count * kEntryBytes && at + 1 < bytes.size(); at += kEntryBytes) {
    if (static_cast<uint8_t>(bytes[at]) == (id & 0xFF) && static_cast<uint8_t>(bytes[at + 1]) == (id >> 8)) {
      bytes.replace(at, 2, "zz");
    }
  }
}

// The container's directory entry of section 2 (a world's cells) given another id.
inline void renameCellsEntry(std::string& bytes) { renameSectionEntry(bytes, 2); }

inline void renameSectionEntry(const std::filesystem::path& path, uint16_t id) {
  std::string bytes;
  {
    std::ifstream in(path, std::ios::binary);
    bytes.assign(std::istreambuf_iterator<char>(in), {});
  }
  renameSectionEntry(bytes, id);
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

inline void damageFile(const std::filesystem::path& path, Damage damage) {
  std::string bytes;
  {
    std::ifstream in(path, std::ios::binary);
    bytes.assign(std::istreambuf_iterator<char>(in), {});
  }
  switch (damage) {
    case Damage::Emptied: bytes.clear(); break;
    case Damage::CutShort: bytes.resize(bytes.size() / 2); break;
    case Damage::Header: bytes.replace(0, 8, "XXXXXXXX"); break;
    case Damage::Middle: bytes.replace(bytes.size() / 2, 64, std::string(64, 'X')); break;
    case Damage::CellsEntry: renameCellsEntry(bytes); break;
    case Damage::VersionTwo: bytes.replace(4, 2, std::string("\x02\x00", 2)); break;
  }
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

}  // namespace savetest
