#pragma once
// The seam through which an applied edit plays its sound at a cell, on this machine only (the
// peers apply the same edit and play it themselves). The null form plays nothing (headless worlds,
// tools, tests); the application binds `PlatformCellSounds` into the running world's context, which
// plays through the platform's sound table (silent when sound is off or no audio runs). Tests bind a
// recording form. Main thread only.

#include <cstdint>

class MapBlock;

class CellSounds {
 public:
  virtual ~CellSounds() = default;
  virtual void playAt(const MapBlock& cell, uint16_t soundId, uint16_t value) = 0;
  // A sound of the world with no place: heard the same wherever the player is.
  virtual void playAnywhere(uint16_t /*soundId*/, uint16_t /*value*/) {}
};

// Plays nothing: headless worlds, tools and tests that do not listen.
class NullCellSounds final : public CellSounds {
 public:
  void playAt(const MapBlock&, uint16_t, uint16_t) override {}
};

// Plays through the platform's numbered game sounds at the cell.
class PlatformCellSounds final : public CellSounds {
 public:
  void playAt(const MapBlock& cell, uint16_t soundId, uint16_t value) override;
  void playAnywhere(uint16_t soundId, uint16_t value) override;
};
