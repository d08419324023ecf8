#pragma once
// The adventure file ("RBWM" version 2): the adventure's info record and its planet links, the
// portals that join the planet worlds kept in the adventure's folder. Game thread.

#include <cstdint>
#include <vector>

namespace kel {
class FileHandle;
}
struct WorldEntry;

inline constexpr uint32_t kNoLinkedPlanet = 0xFFFFFFFF;
inline constexpr uint16_t kNoLinkedCell = 0xFFFF;

// A portal of one planet and where it leads; the "none" values stand for a link not yet made.
struct PlanetLinkRecord {
  uint32_t planet = 0;
  uint32_t linkedPlanet = kNoLinkedPlanet;
  uint16_t x = kNoLinkedCell;
  uint16_t y = kNoLinkedCell;
  uint16_t linkedX = kNoLinkedCell;
  uint16_t linkedY = kNoLinkedCell;
  bool operator==(const PlanetLinkRecord&) const = default;
};

// The info record of the entry (map size of the current planet world, no player cells) and the
// links. Writes and closes the file; true when every byte reached it.
bool writeWorldFileV2(kel::FileHandle& file, const WorldEntry& entry, uint16_t width, uint16_t height,
                      const std::vector<PlanetLinkRecord>& links);
// Appends the file's links. False (nothing appended) for a file that is not an adventure file or
// is damaged.
bool readWorldFileV2(kel::FileHandle& file, std::vector<PlanetLinkRecord>& links);
