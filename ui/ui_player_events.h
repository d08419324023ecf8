#pragma once
// The interface's side of what the local player tells the layers above the game: console lines,
// the death view, the inventory, book, sign and circuit views that block use opens, and the return
// to the main view. What the interface hears but the world view or the sound draws is passed on:
// console lines to the world view's console, a read sign's bubble, the sky's phase and weather,
// the rain ambience and the interface's own sounds. The sprite and placed-sound events belong to
// the world view's own events and are left to it. The application registers one with
// setPlayerEvents.
//
// Main thread only.

#include "game/player/player_events.h"

class UiPlayerEvents : public PlayerEvents {
 public:
  void message(uint8_t kind, const std::string& text) override;
  void textById(uint8_t kind, int16_t textId) override;
  void deathView() override;
  void popToMainView() override;
  void containerRefreshed() override;
  void floatingText(int16_t textId, const std::string& argument) override;
  void inventoryView(uint8_t page) override;
  void bookView(const BookViewFields& fields) override;
  void signView(Sign& sign) override;
  void circuitConfigurator(PlayerGraphical& player, const MapBlock& cell, const CircuitRecord& record) override;
  void signLabel(const MapBlock& cell, const std::vector<std::string>& lines) override;
  void skyPhase(uint8_t phase, uint32_t tickInPhase) override;
  void skyWeather(uint8_t kind) override;
  void rainAmbience(bool on) override;
  void interfaceSound(uint16_t soundId) override;
};
