#pragma once
// The ways a save file is found damaged on disk, applied to a file in place: emptied, cut to half
// its length, its first bytes (the header) replaced, or bytes in its middle replaced.

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace savetest {

enum class Damage { Emptied, CutShort, Header, Middle };

inline const char* damageName(Damage damage) {
  switch (damage) {
    case Damage::Emptied: return "Emptied";
    case Damage::CutShort: return "CutShort";
    case Damage::Header: return "Header";
    case Damage::Middle: return "Middle";
  }
  return "";
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
  }
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

}  // namespace savetest
