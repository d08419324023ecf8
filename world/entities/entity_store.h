#pragma once
// The entities a world owns. They sit above the world model, so the world holds them through this:
// it asks them what an edit needs (`EntityEffects`), what a blast reaches (`WorldBodies`) and what
// a stable keeps (`StableMobs`), and ends them with itself. The libraries above the entities reach
// the lists themselves through `World::entities()`; the world only names their type.
//
// A world gets its entities from the maker in its context (`WorldContext::entities`), when it is
// built with one or first given one; a world with no maker has none and answers the null forms.
//
// Main thread only.

#include <memory>

class EntityEffects;
class StableMobs;
class World;
class WorldBodies;
class WorldEntities;

class EntityStore {
 public:
  virtual ~EntityStore() = default;
  virtual EntityEffects& effects() = 0;
  virtual WorldBodies& bodies() = 0;
  virtual StableMobs& stableMobs() = 0;
  virtual WorldEntities& lists() = 0;
};

// Makes the entities of one world, for that world (entities/ and the sessions implement it).
class EntityStoreMaker {
 public:
  virtual ~EntityStoreMaker() = default;
  virtual std::unique_ptr<EntityStore> make(World& world) = 0;
};
