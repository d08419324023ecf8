#pragma once
// How a toy moves: the bounces off walls and floors, the lift it gets while rolling, whether it
// spins or faces its motion, and whether it bursts (with an effect) at the first thing it touches.
// Items without a spec drop as plain treasures.

#include <cstdint>

struct ToySpec {
  float wallBounce = 0;
  float floorBounce = 0;
  float pushFactor = 0;  // read by the rules that push toys, not by the toy
  float lift = 0;
  float throwFactor = 0;  // likewise the rules'
  bool spins = false;
  bool facesMotion = false;
  bool bursts = false;
  uint8_t burstEffect = 0;
};

// The toy row of an item that is a toy, null for every other item.
const ToySpec* toySpecForItem(uint16_t itemId);
