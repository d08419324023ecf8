#pragma once
// What the world transfer's tests share: a generated world from the build's own content,
// furnished with running state (queued liquid cells, timed cells, circuit records of all four
// lists, entities), and the comparison of a received world with it.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "content/loader/content_database.h"
#include "content/planets/planet_def.h"
#include "engine/base/random.h"
#include "entities/core/entity_record.h"
#include "entities/core/world_entities.h"
#include "entities/records/entity_from_record.h"
#include "saves/world/map_packing.h"
#include "saves/world/world_model_state.h"
#include "world/liquid/liquid_simulator.h"
#include "world/map/explored_bitmap.h"
#include "world/map/world_map.h"
#include "world/world.h"

namespace transfertest {

inline void loadContent() {
  loadContentDatabase(std::string(RUBBLE_DATA_DIR) + "/data.dat");
  ASSERT_TRUE(contentLoadError().empty()) << contentLoadError();
  ASSERT_FALSE(planetDefs().empty());
}

// A hosted world and its own entity lists.
struct HostWorld {
  std::unique_ptr<WorldEntitiesMaker> maker = std::make_unique<WorldEntitiesMaker>();
  std::unique_ptr<World> world;
  WorldEntities* entities = nullptr;  // the world's own
};

inline EntityRecord treasureAt(const World& world, uint16_t column, uint16_t item, uint32_t count) {
  const float x = column * 30.0f + 15.0f;
  const float y = world.map().surfaceLine(column) * 30.0f - 45.0f;
  EntityRecord record;
  record.extra = count;
  record.state.x = x;
  record.state.y = y;
  record.state.cellX = x;
  record.state.cellY = y;
  record.state.halfWidth = 8.0f;
  record.state.halfHeight = 8.0f;
  record.state.kind = EntityKind::Treasure;
  record.definition = item;
  record.kindByte = 1;
  return record;
}

inline std::vector<uint32_t> sortedLiquidsOf(WorldMap& map) {
  std::vector<uint32_t> cells = map.liquids().nextCells();
  const std::vector<uint32_t> pending = map.liquids().pendingCells();
  cells.insert(cells.end(), pending.begin(), pending.end());
  std::sort(cells.begin(), cells.end());
  cells.erase(std::unique(cells.begin(), cells.end()), cells.end());
  return cells;
}

// Liquid and timed cells, circuit records and treasures beyond what generation left; `many`
// puts more than 65,535 into each list, so that each needs more than one message.
inline void furnish(HostWorld& host, bool many) {
  World& world = *host.world;
  WorldMap& map = world.map();
  const size_t cells = map.cellCount();
  const size_t count = many ? 70'000 : 40;
  const size_t step = std::max<size_t>(1, cells / count);
  std::vector<uint32_t> liquids;
  CircuitState circuits;
  for (size_t i = 0, index = 7; i < count && index < cells; ++i, index += step) {
    liquids.push_back(static_cast<uint32_t>(index));
    world.markedCells().insert(index + 1 < cells ? index + 1 : index);
    const CellPos cell{static_cast<uint16_t>(index / map.height()), static_cast<uint16_t>(index % map.height())};
    circuits.dirty.push_back(cell);
    if (i % 4 == 0) circuits.changes.push_back({cell, static_cast<uint8_t>(i % 7 == 0 ? 3 : i % 2)});
    if (i % 5 == 0) circuits.timers.push_back({cell, static_cast<uint16_t>(i), 20});
    if (i % 6 == 0) circuits.memory.push_back({cell, 0x00050000u | static_cast<uint32_t>(i % 9), static_cast<uint16_t>(i)});
  }
  map.liquids().restorePending(liquids);
  restoreCircuits(world, circuits);
  for (uint16_t i = 0; i < 12; ++i) {
    entityFromRecord(*host.entities, treasureAt(world, static_cast<uint16_t>(10 + i * 17), static_cast<uint16_t>(1 + i), 1 + i));
  }
  if (ExploredBitmap* explored = map.explored()) explored->revealAround(map.width() / 2, map.height() / 3);
  // What the comparison then covers.
  EXPECT_EQ(host.entities->count(), 12u);
  EXPECT_FALSE(captureCircuits(world).memory.empty());
  EXPECT_FALSE(sortedLiquidsOf(map).empty());
}

// A world of the size index generated on the first planet, with its entity lists.
inline HostWorld generatedWorld(uint8_t sizeIndex, bool many = false) {
  HostWorld host;
  WorldParams params;
  params.planetId = planetDefs().front()->id;
  params.sizeIndex = sizeIndex;
  engine::randomSeed(11);
  host.world = World::create(nullptr, params);
  host.world->generate(nullptr);
  host.world->setContext(WorldContext{.entities = host.maker.get()});
  host.entities = host.world->entities();
  furnish(host, many);
  return host;
}

inline CircuitState sortedCircuits(World& world) {
  CircuitState state = captureCircuits(world);
  auto byCell = [](auto& list) {
    std::stable_sort(list.begin(), list.end(), [](const auto& a, const auto& b) {
      return std::pair(a.cell.x, a.cell.y) < std::pair(b.cell.x, b.cell.y);
    });
  };
  std::sort(state.dirty.begin(), state.dirty.end(),
            [](CellPos a, CellPos b) { return std::pair(a.x, a.y) < std::pair(b.x, b.y); });
  byCell(state.timers);
  byCell(state.memory);
  return state;
}

inline std::vector<std::array<uint8_t, EntityRecord::kSize>> records(const WorldEntities& entities) {
  std::vector<std::array<uint8_t, EntityRecord::kSize>> all;
  entities.forEach([&](const RealEntity& entity) {
    EntityRecord record;
    entity.toRecord(record);
    all.push_back(record.encode());
  });
  std::sort(all.begin(), all.end());
  return all;
}

// Every field of every cell, the position included; `withLight`: the sky, shadow and light
// fields too (packed cells leave those to the receiver, which computes them as the host did).
inline void expectSameCells(const WorldMap& host, const WorldMap& client, bool withLight) {
  ASSERT_EQ(host.cellCount(), client.cellCount());
  size_t differing = 0;
  for (size_t i = 0; i < host.cellCount(); ++i) {
    const MapBlock& a = host.cells()[i];
    const MapBlock& b = client.cells()[i];
    bool same = packMapBlock(a) == packMapBlock(b) && a.x == b.x && a.y == b.y;
    if (withLight) same = same && a.skyShadow == b.skyShadow && a.blockLight == b.blockLight;
    if (!same && differing++ < 5) ADD_FAILURE() << "cell " << a.x << "," << a.y << " differs";
  }
  EXPECT_EQ(differing, 0u);
}

// The whole received world against the host's: cells, surface line, explored cells, day clock,
// liquids, timed cells, circuits and entities.
inline void expectSameWorld(HostWorld& host, World& client, WorldEntities& clientEntities, bool withLight) {
  WorldMap& hostMap = host.world->map();
  WorldMap& clientMap = client.map();
  expectSameCells(hostMap, clientMap, withLight);
  EXPECT_EQ(hostMap.surfaceLines(), clientMap.surfaceLines());
  ASSERT_EQ(hostMap.explored() != nullptr, clientMap.explored() != nullptr);
  if (hostMap.explored() != nullptr) {
    EXPECT_EQ(hostMap.explored()->words(), clientMap.explored()->words());
    EXPECT_EQ(hostMap.explored()->secondWords(), clientMap.explored()->secondWords());
  }
  EXPECT_EQ(host.world->dayClock().tickCounter, client.dayClock().tickCounter);
  EXPECT_EQ(host.world->dayClock().phase, client.dayClock().phase);
  EXPECT_EQ(sortedLiquidsOf(hostMap), sortedLiquidsOf(clientMap));
  EXPECT_EQ(host.world->markedCells(), client.markedCells());
  EXPECT_EQ(sortedCircuits(*host.world), sortedCircuits(client));
  EXPECT_EQ(records(*host.entities), records(clientEntities));
}

}  // namespace transfertest
