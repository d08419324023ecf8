#include "game/player/player_options.h"

#include "game/player/player.h"

namespace {
constexpr int kFirstOptionBit = 2;  // option n is bit n + 2
}

uint32_t playerOptionBit(int option) {
  if (option < player_option::kFullCraftbook || option > player_option::kChemistryBook) return 0;
  return 1u << (option + kFirstOptionBit);
}

bool playerOptionOn(uint32_t characterFlags, int option) {
  return (characterFlags & playerOptionBit(option)) != 0;
}

bool playerOptionOn(const Player& player, int option) {
  return playerOptionOn(player.characterFlags, option);
}
