#include "saves/store/save_names.h"

#include <algorithm>

#include "engine/base/path_utils.h"

bool isSafeSaveName(const std::string& name) {
  if (name.empty() || name == "." || name == "..") return false;
  return std::none_of(name.begin(), name.end(), [](char c) {
    const auto byte = static_cast<unsigned char>(c);
    return c == '/' || c == '\\' || byte < 0x20 || byte == 0x7F;
  });
}

std::string tempPathOf(const std::string& path) {
  return engine::withExtension(engine::stripExtension(path), "tmp");
}

std::string backupPathOf(const std::string& path) {
  return engine::withExtension(engine::stripExtension(path), "bak");
}

std::string statPathOf(const std::string& path) {
  return engine::withExtension(engine::stripExtension(path), "stat");
}

std::string worldFileName(bool adventure, int number) {
  return (adventure ? "Adventure" : "World") + std::to_string(number) + ".dat";
}
