#pragma once
// The seam through which an applied edit plays its sound at a cell, on this machine only (the
// peers apply the same edit and play it themselves). The default form plays through the
// platform's sound table, which is silent when sound is off or no audio runs; tests register a
// recording form. Main thread only.

#include <cstdint>

class MapBlock;

class CellSounds {
 public:
  virtual ~CellSounds() = default;
  virtual void playAt(const MapBlock& cell, uint16_t soundId, uint16_t value) = 0;
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
};

CellSounds& cellSounds();
// Not owned; null restores the platform form.
void setCellSounds(CellSounds* sounds);
