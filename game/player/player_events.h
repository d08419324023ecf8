#pragma once
// What a player tells the world view, the sound engine and the interface: sprite events, sounds,
// console lines, statistics, the HUD and the views it opens. Those layers sit above the game, so
// they reach it through this seam: the application registers its implementation at launch, tests
// register a recording one, and the null form (nothing registered) does nothing.
//
// Main thread only.

#include <cstdint>
#include <string>

class MapBlock;
class PlayerGraphical;

class PlayerEvents {
 public:
  virtual ~PlayerEvents() = default;
  // Sprite animation event 0-12 of the movement; 255 = back to idle.
  virtual void motionEvent(PlayerGraphical&, uint8_t) {}
  virtual void setFacing(PlayerGraphical&, bool /*left*/) {}
  virtual void playAction(PlayerGraphical&, uint8_t /*action*/, uint8_t /*arg*/) {}
  virtual void tileSound(const MapBlock&) {}
  // A visual effect at a cell (13: the refusal of an edit).
  virtual void tileEffect(PlayerGraphical&, const MapBlock&, uint8_t /*kind*/) {}
  virtual void sound(uint16_t, const MapBlock&) {}
  // The player's own cell changed; dx, dy are the steps of the tile window (0 or +-1 each), wrap
  // when the player's x jumped by the world's width.
  virtual void cellChanged(PlayerGraphical&, int /*dx*/, int /*dy*/, bool /*wrapped*/) {}
  virtual void message(uint8_t /*kind*/, const std::string&) {}
  virtual void textById(uint8_t /*kind*/, int16_t /*textId*/) {}
  virtual void recordStat(uint16_t /*statId*/, uint16_t /*value*/) {}
  // The HUD health icon flashes: red for damage, green for healing.
  virtual void healthFlash(bool /*damage*/) {}
  virtual void deathView() {}
  virtual void itemPickedUp(uint16_t /*itemId*/, uint16_t /*count*/) {}
};

// The registered events, or the null form. Not owned.
PlayerEvents& playerEvents();
void setPlayerEvents(PlayerEvents* events);
