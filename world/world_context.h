#pragma once
// What a `World` calls beyond itself: the rules its edits and block entities ask, the game that
// receives the edits its own simulations make (liquids, the break cascade), and the seams of the
// layers above (cell refresh, sounds, bodies, entity effects, shelf displays, kept mobs, the
// lights its drawn players carry, the batching of its view's re-tints, the entities' effect hooks
// and drawing sides) and the options its rules obey. A world is
// built with its context; code below the edges takes these from the world, never from the
// process-wide current objects, so two worlds (a host's and a client's, a test's beside the
// running one) live side by side in one process. Every member may be null: the world then uses
// the null form, which does nothing and refuses every edit; a world without a scheduler runs its
// timers on the director's. Nothing here is owned. The entities are the world's own, made by the
// context's maker; the effect, body and kept-mob members, when set, stand in front of them.

namespace engine {
class Scheduler;
}
class CarriedLights;
class CellRefresh;
class CellSounds;
class EffectHooks;
class EntityDrawings;
class EntityEffects;
class EntityStoreMaker;
class GameInterface;
class LightRefreshBatching;
class Logic;
class PortalList;
class ShelfDisplays;
class StableMobs;
class WorldBodies;
class WorldOptions;
struct VisibleCellCounts;

struct WorldContext {
  Logic* rules = nullptr;
  GameInterface* edits = nullptr;  // where the world's own follow-up edits go
  CellRefresh* refresh = nullptr;
  CellSounds* sounds = nullptr;
  WorldBodies* bodies = nullptr;
  EntityEffects* effects = nullptr;
  EntityStoreMaker* entities = nullptr;  // makes the world's own entities (entity_store.h)
  ShelfDisplays* shelfDisplays = nullptr;
  StableMobs* stableMobs = nullptr;
  CarriedLights* carriedLights = nullptr;  // the lights its drawn players carry
  LightRefreshBatching* lightBatching = nullptr;  // its view's whole re-tints, batched
  // The entities' side (entities/): their effects' hooks and their drawing sides.
  EffectHooks* effectHooks = nullptr;
  EntityDrawings* drawings = nullptr;
  const WorldOptions* options = nullptr;  // the player's options the rules obey
  PortalList* portals = nullptr;  // the game's portals, shared by the worlds it travels between
  engine::Scheduler* scheduler = nullptr;  // the clock the world's timers run on (`World::timers`)
  // The cells its view keeps on screen (the spawner's and the rules' ranges); null: none known.
  const VisibleCellCounts* visibleCells = nullptr;
};
