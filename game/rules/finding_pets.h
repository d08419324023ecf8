#pragma once
// Pets that find things: one of the rules' periodic tasks. Every ten seconds, for every player,
// each pet worn in the first equipment set may drop one item from its list beside the player
// (the pet drops of the content rules); nothing is found in a creative world.
//
// Main thread only.

#include <cstdint>

class LogicEntities;
class LogicPlayers;
class World;

constexpr uint32_t kFindingPetsTask = 21;
constexpr uint16_t kFindingPetsPeriod = 10;  // seconds

// One run of the task over the rules' players.
void findWithPets(LogicPlayers& players, LogicEntities& rules, const World* world);
