#pragma once
// The role of the rules that the local player's melee swing asks: the mobs it can hit among the
// entities the rules have at the moment it swings (the entities come and go with the world).
//
// Main thread only.

class SwingTargets;

class SwingRules {
 public:
  virtual ~SwingRules() = default;
  // Null while the entities find no mobs to hit: a swing then hits nothing.
  virtual SwingTargets* swingTargets() const = 0;
};
