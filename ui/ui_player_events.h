#pragma once
// The interface's side of what the local player tells the layers above the game: console lines,
// the death view, the inventory, book, sign and circuit views that block use opens, and the return
// to the main view. The sprite, sound and sky events belong to the world view and are left to it.
// The application registers one with setPlayerEvents.
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
};
