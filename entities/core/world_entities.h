#pragma once
// The entities of one world: the treasure list (treasures, toys, fruit, fish), the mob list (mobs
// and pets), the projectile list (projectiles and bobbers), the clothes list, the world's particles,
// the world's entity ids and the fixed-step driver. Each world has its own; two worlds side by side
// never share an entity or an id.
//
// The world owns its lists (`World::entities()`, made by `WorldEntitiesMaker`) and ends them with
// itself; lists made apart from a world's maker serve the one world they were made for.
// They are also what the world model asks of its entities (`EntityEffects`: wake what rests above a
// changed cell, resolve ids) and the entity group of the world's bodies (`WorldBodies`: what a
// blast pushes). Entities are held by id: `entityById` answers null once one is gone, and ids are
// never given twice.
//
// `advance` is called once per frame with the frame time; it runs whole ticks (tick_accumulator.h)
// of the lists in order (treasures, mobs, projectiles, clothes, particles), deletes what ended and,
// where rules run, reports the removed ids to them once per tick. Finding an entity by id and
// visiting them all go through the lists in the same order.
//
// Main thread only.

#include <cstdint>
#include <memory>
#include <vector>

#include "entities/core/entity_layer.h"
#include "entities/core/tick_accumulator.h"
#include "entities/particles/debris_list.h"
#include "entities/projectiles/fishing_owners.h"
#include "world/entities/entity_store.h"
#include "world/seams/entity_effects.h"
#include "world/seams/stable_mobs.h"
#include "world/seams/world_bodies.h"

class World;

class WorldEntities final : public EntityStore, public EntityEffects, public WorldBodies, public StableMobs {
 public:
  // Lists that serve no world: every step and rule is a no-op.
  WorldEntities() = default;
  explicit WorldEntities(World& world) : world_(&world) { debris_.setWorld(&world); }
  ~WorldEntities() override;
  WorldEntities(const WorldEntities&) = delete;
  WorldEntities& operator=(const WorldEntities&) = delete;

  World* world() const { return world_; }
  // Makes the mobs and stabled animals the world file left waiting in the world (a loaded world's
  // mobs wait until its entities and rules are there); the next tick does it too.
  void adoptWaitingMobs();

  // ---- EntityStore (what the world that owns them asks) ----
  EntityEffects& effects() override { return *this; }
  WorldBodies& bodies() override { return *this; }
  StableMobs& stableMobs() override { return *this; }
  WorldEntities& lists() override { return *this; }

  // ---- Lists ----
  EntityLayer& treasures() { return treasures_; }
  EntityLayer& bullets() { return bullets_; }
  EntityLayer& dresses() { return dresses_; }
  EntityLayer& mobs() { return mobs_; }
  const EntityLayer& mobs() const { return mobs_; }
  // The particles, stepped after the other lists; never saved or sent.
  DebrisList& debris() { return debris_; }
  const EntityLayer& bullets() const { return bullets_; }
  const EntityLayer& treasures() const { return treasures_; }
  // Gives the entity an id when it has none and puts it in the list of its kind.
  RealEntity& add(std::unique_ptr<RealEntity> entity);
  EntityId takeId() { return nextId_++; }
  uint32_t count() const;
  // Every list emptied; the time not yet stepped is dropped.
  void clearAll();
  // A player left the game: what it threw or cast keeps going without it.
  void dropOwner(uint32_t playerId);

  // What bobbers ask about their casters (not owned; null restores the null form).
  void setFishingOwners(FishingOwners* owners) { owners_ = owners != nullptr ? owners : &noOwners_; }
  FishingOwners& fishingOwners() const { return *owners_; }

  // ---- Stepping ----
  // Runs the frame's whole ticks; answers how many ran.
  uint32_t advance(float frameSeconds);
  void tick();
  const TickAccumulator& accumulator() const { return accumulator_; }
  // The ids removed in the last tick (what the rules were told).
  const RemovalLog& lastRemovals() const { return removals_; }

  // ---- Finding ----
  RealEntity* findById(EntityId id) const;
  template <class Visit>
  void forEach(const Visit& visit) const {
    treasures_.forEach(visit);
    mobs_.forEach(visit);
    bullets_.forEach(visit);
    dresses_.forEach(visit);
  }

  // ---- EntityEffects ----
  void wakeEntitiesAbove(MapBlock& cell) override;
  void spawnCutDebris(uint16_t blockId, uint8_t variant, bool back, uint32_t count, engine::Vec2 position,
                      MapBlock& cell, uint8_t size) override;
  void markForRemoval(Entity* entity) override;
  EntityId idOf(const Entity* entity) override { return entity != nullptr ? entity->id() : kNoEntity; }
  Entity* entityById(EntityId id) override { return findById(id); }
  bool blocksPlacementIn(const MapBlock& cell) override;

  // ---- WorldBodies (the entity group) ----
  void collectAll(std::vector<Body>& out) override;
  void collectInCell(const MapBlock& cell, std::vector<Body>& out) override;
  void push(const Body& body, float strength, float angle) override;
  bool hurt(const Body& body, float) override;
  void spawnBlastDebris(const MapBlock& cell) override;
  void spawnNoteDebris(engine::Vec2) override {}

  // ---- StableMobs (what a stable asks about the mobs it keeps) ----
  EntityId idOf(MobEntity* mob) override;
  bool cellOf(EntityId mob, int32_t& x, int32_t& y) override;
  engine::Vec2 positionOf(EntityId mob) override;
  void setStable(EntityId mob, BlockEntityHandle stable) override;
  void markRemoved(EntityId mob) override;
  void broadcastEffect(EntityId mob, uint8_t effect) override;

 private:
  EntityLayer& layerFor(EntityKind kind);
  MobEntity* mobById(EntityId id) const;

  World* world_ = nullptr;
  EntityLayer treasures_;
  EntityLayer bullets_;
  EntityLayer dresses_;
  EntityLayer mobs_;
  DebrisList debris_;
  EntityId nextId_ = 1;
  TickAccumulator accumulator_;
  RemovalLog removals_;
  std::vector<EntityId> wakeScratch_;
  NullFishingOwners noOwners_;
  FishingOwners* owners_ = &noOwners_;
};

// What a world's context hands it to make its entities: lists for that world, whose bobbers ask
// `owners` about their casters (null: nobody casts), with the mobs its file left waiting made.
class WorldEntitiesMaker final : public EntityStoreMaker {
 public:
  explicit WorldEntitiesMaker(FishingOwners* owners = nullptr) : owners_(owners) {}
  // For the lists made from now on.
  void setFishingOwners(FishingOwners* owners) { owners_ = owners; }
  std::unique_ptr<EntityStore> make(World& world) override;

 private:
  FishingOwners* owners_;
};
