#pragma once
// What a player tells the world view, the sound engine and the interface: sprite events, sounds,
// console lines, statistics, the HUD and the views it opens. Those layers sit above the game, so
// they reach it through this interface: each player is given its sink when it is made
// (`PlayerGraphical::events`) — the application's local player the interface's implementation,
// a test's player a recording one — and this class itself is the null form, which does nothing.
//
// Main thread only.

#include <cstdint>
#include <string>
#include <vector>


class Entity;
class MapBlock;
class PlayerGraphical;
class Sign;
struct CircuitRecord;

// The inventory view's pages that a player's uses open: a station's crafting page, and the page
// that shows an open container's slots beside the player's stacks.
namespace inventory_page {
constexpr uint8_t kCrafting = 2;
constexpr uint8_t kContainer = 3;
}  // namespace inventory_page

// What the book view shows when it opens: its page, the first entry listed, the selected entry
// (-1 for none) and the category of the entries.
struct BookViewFields {
  uint8_t page = 0;
  uint16_t firstEntry = 1;
  int16_t selection = -1;
  uint8_t category = 0;
};

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
  // A visual effect at an entity (22-33: hurt, death, a hit, a splash ...) with its value.
  virtual void entityEffect(PlayerGraphical&, Entity*, uint8_t /*kind*/, uint16_t /*value*/) {}
  virtual void sound(uint16_t, const MapBlock&) {}
  // The player's own cell changed; dx, dy are the steps of the tile window (0 or +-1 each), wrap
  // when the player's x jumped by the world's width.
  virtual void cellChanged(PlayerGraphical&, int /*dx*/, int /*dy*/, bool /*wrapped*/) {}
  virtual void message(uint8_t /*kind*/, const std::string&) {}
  virtual void textById(uint8_t /*kind*/, int16_t /*textId*/) {}
  // A statistic of the player's: the sink the player was given counts it in its statistics store
  // (the application's local player's, `StatsPlayerEvents` of a headless game); here nowhere.
  virtual void recordStat(uint16_t /*statId*/, uint16_t /*value*/) {}
  // An achievement the player earns where it stands rather than by a count (the bottom rows and the
  // top row of the map): the sink unlocks it in the same statistics store; here nowhere.
  virtual void achievementReached(uint16_t /*index*/) {}
  // The HUD health icon flashes: red for damage, green for healing.
  virtual void healthFlash(bool /*damage*/) {}
  virtual void deathView() {}
  virtual void itemPickedUp(uint16_t /*itemId*/, uint16_t /*count*/) {}

  // ---- World events and the views they touch ----
  // A sound of the interface, not placed in the world.
  virtual void interfaceSound(uint16_t /*soundId*/) {}
  virtual void rainAmbience(bool /*on*/) {}
  // The sky shows a weather kind, or the textures of a day phase at a tick within it.
  virtual void skyWeather(uint8_t /*kind*/) {}
  virtual void skyPhase(uint8_t /*phase*/, uint32_t /*tickInPhase*/) {}
  virtual void rebuildWorldView() {}
  // Back to the main view unless it is current.
  virtual void popToMainView() {}
  // A fish bit the local player's bobber; the fishing ended (the fishing view closes).
  virtual void fishBiting() {}
  virtual void fishingEnded() {}
  // The portal travel dialog: the player waits at the portal to the planet for the others.
  virtual void portalTravelDialog(uint32_t /*planet*/) {}
  // The notice view shows the text (a newly learned craft book entry's name).
  virtual void noticeDialog(const std::string& /*text*/) {}
  // The open container's window is redrawn (an alchemy lab after a brew).
  virtual void containerRefreshed() {}
  // A forge the player has open took a smelting step with that result.
  virtual void forgeRefreshed(PlayerGraphical&, int /*result*/) {}
  // An interface text with an argument floats up as a label over the HUD.
  virtual void floatingText(int16_t /*textId*/, const std::string& /*argument*/) {}

  // ---- Views the player's uses open ----
  // Every stacked view closes and the inventory view becomes current on the page (2: crafting).
  virtual void inventoryView(uint8_t /*page*/) {}
  // The same for the book view, first set to the fields.
  virtual void bookView(const BookViewFields&) {}
  // The player died at the cell and dropped what the world's difficulty takes: the map marks it.
  virtual void placeOfDeath(int32_t /*x*/, int32_t /*y*/) {}
  // The sign view becomes current to write the sign's text.
  virtual void signView(Sign&) {}
  // The sign's text, a line each, as a label over its cell in the main view.
  virtual void signLabel(const MapBlock&, const std::vector<std::string>& /*lines*/) {}
  // ---- The trade window (inventory view, trade page) ----
  // The player is asked to trade; false when the request cannot be shown now (the player is in
  // another view), which answers that the player is busy.
  virtual bool tradeRequest(uint8_t /*askingPeer*/, uint8_t /*askedPeer*/, const std::string& /*askingName*/) {
    return false;
  }
  virtual void tradeWindowOpened(const std::string& /*partner*/) {}
  // Offers or ready flags changed: the window shows the trade's state again.
  virtual void tradeWindowChanged() {}
  virtual void tradeWindowClosed() {}
  // The circuit configurator opens on a device's cell with the device's current setting.
  virtual void circuitConfigurator(PlayerGraphical&, const MapBlock&, const CircuitRecord&) {}
};
