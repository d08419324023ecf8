#pragma once
// What the local player tells the layers above the game: the world view's events (its sprite,
// effects and sounds, inherited) and the interface's own: console lines (to the world view's
// console), the death view, the inventory, book, sign and circuit views that block use opens, and
// the return to the main view, the portal travel dialog, the fishing view's bite and its end. What else the interface hears is passed on: a read sign's bubble,
// the sky's phase and weather, the rain ambience and the interface's own sounds. The player's
// statistics are counted in the statistics store it is given (none: not counted). The application
// hands one, over its statistics store, to its session, which gives it to the local player it loads.
//
// Main thread only.

#include "view/player/world_view_player_events.h"

class StatsStore;

class UiPlayerEvents : public WorldViewPlayerEvents {
 public:
  // `stats` is borrowed and outlives the sink.
  explicit UiPlayerEvents(StatsStore* stats = nullptr) : stats_(stats) {}

  void recordStat(uint16_t statId, uint16_t value) override;
  void achievementReached(uint16_t index) override;
  void message(uint8_t kind, const std::string& text) override;
  void textById(uint8_t kind, int16_t textId) override;
  void healthFlash(bool hurt) override;
  void deathView() override;
  void popToMainView() override;
  void fishBiting() override;
  void fishingEnded() override;
  void portalTravelDialog(uint32_t planet) override;
  void noticeDialog(const std::string& text) override;
  void containerRefreshed() override;
  void forgeRefreshed(PlayerGraphical& player, int result) override;
  void floatingText(int16_t textId, const std::string& argument) override;
  void inventoryView(uint8_t page) override;
  void bookView(const BookViewFields& fields) override;
  void placeOfDeath(int32_t x, int32_t y) override;
  void signView(Sign& sign) override;
  void circuitConfigurator(PlayerGraphical& player, const MapBlock& cell, const CircuitRecord& record) override;
  void signLabel(const MapBlock& cell, const std::vector<std::string>& lines) override;
  void skyPhase(uint8_t phase, uint32_t tickInPhase) override;
  void skyWeather(uint8_t kind) override;
  void rainAmbience(bool on) override;
  void interfaceSound(uint16_t soundId) override;
  // Asked in the main view: a dialog to accept or refuse; anywhere else the player is busy.
  bool tradeRequest(uint8_t askingPeer, uint8_t askedPeer, const std::string& askingName) override;
  void tradeWindowOpened(const std::string& partner) override;
  void tradeWindowChanged() override;
  void tradeWindowClosed() override;

 private:
  StatsStore* stats_;
};
