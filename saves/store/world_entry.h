#pragma once
// A saved world as the world list shows it: its file, when it was saved, what it was made with,
// its name, size and build, and its save id. Plain record; game thread only.

#include <cstdint>
#include <string>

#include "saves/store/save_id.h"
#include "world/map/world_params.h"

// The world kind (WorldParams::mode) of an adventure: a file of planet links and a folder of
// planet worlds beside it.
inline constexpr uint8_t kAdventureMode = 3;

struct WorldEntry {
  std::string fileName;  // inside the worlds folder
  int64_t time = 0;      // seconds since 1970, set at creation and at every save
  WorldParams params;
  std::string displayName;
  uint16_t width = 0;
  uint16_t height = 0;
  uint32_t build = 0;
  SaveId saveId{};
};
