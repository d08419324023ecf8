// One frame of a local game's rules and the players' physics in a 4096x512 world: eight desktop
// players walking, jumping and climbing over rolling ground with ladders and water, each stepped
// once per frame, with the rules' one-second timers (buffs, hazards, regeneration) run every
// sixtieth frame. Times are the thread's own CPU time per frame (mean and worst).
//
// Absolute figures only, and the output says so. Points falling onto the ground once stood beside
// it as a baseline, but they did a sliver of the work (no rules, no collisions, no climbing or
// swimming), so their ratio compared nothing; a baseline giving the same answer would be the
// players' physics and the rules themselves.

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstring>
#include <memory>
#include <vector>

#include "bench/support/absolute_figures.h"
#include "bench/support/side_by_side.h"
#include "bench/support/update_times.h"
#include "content/format/record_layout.h"
#include "content/tables/content_tables.h"
#include "content/tables/difficulty_row.h"
#include "engine/base/random.h"
#include "game/player/player_body.h"
#include "game/player/player_desktop.h"
#include "game/rules/local_logic.h"
#include "game/session/game_local.h"
#include "world/map/world_map.h"
#include "world/world.h"

namespace {

constexpr int kWidth = 4096;
constexpr int kHeight = 512;
constexpr int kPlayers = 8;
constexpr uint16_t kDirt = 10;
constexpr uint16_t kLadder = 20;

void defineBlock(uint16_t id, uint64_t flags, uint8_t transparency) {
  auto& bytes = contentTables().blockDefs[id].record.bytes;
  for (int i = 0; i < 8; ++i) bytes[content::block_record::flags + static_cast<size_t>(i)] = static_cast<uint8_t>(flags >> (8 * i));
  bytes[content::block_record::transparency] = transparency;
  bytes[content::block_record::variantCount] = 1;
}

int groundAt(int x) { return 200 + static_cast<int>(12 * std::sin(x * 0.05) + 5 * std::sin(x * 0.31)); }

struct GameFrame {
  DifficultyRow difficulty;
  std::unique_ptr<World> world;
  LocalLogic rules{nullptr, nullptr, &difficulty};
  GameLocal game{&rules};
  std::vector<std::unique_ptr<PlayerDesktopLocal>> players;

  GameFrame() {
    resetContentTables();
    defineBlock(0, 0, 1);
    defineBlock(kDirt, uint64_t{1} << 23, 0);
    defineBlock(kLadder, uint64_t{1} << 22, 1);
    const float one = 1.0f;
    std::memcpy(difficulty.bytes.data(), &one, sizeof one);
    world = World::create(&difficulty, WorldParams{}, kWidth, kHeight);
    WorldMap& map = world->map();
    for (int x = 0; x < kWidth; ++x) {
      const int ground = groundAt(x);
      for (int y = 0; y < ground; ++y) map.cell(x, y).setLayer(kDirt, 0, MapBlock::kFront);
      if (x % 97 == 0) {
        for (int y = ground; y < ground + 8; ++y) map.cell(x, y).setLayer(kLadder, 0, MapBlock::kFront);
      }
      if (x % 211 < 6) {
        for (int y = ground - 3; y < ground; ++y) {
          map.cell(x, y).setLayer(0, 0, MapBlock::kFront);
          map.cell(x, y).liquid = static_cast<uint8_t>(4 | (4 << 3) | (1 << 6));
        }
      }
    }
    for (int i = 0; i < kPlayers; ++i) {
      auto player = std::make_unique<PlayerDesktopLocal>(&game);
      player->setWorld(world.get());
      const int x = 100 + i * 500;
      player->setCell(static_cast<uint16_t>(x), static_cast<uint16_t>(groundAt(x) + 1));
      player->stats.maxHealth = 5;
      player->revive();
      player->setMoveKeys(i % 2 == 0 ? MotionEvent::kRight : MotionEvent::kLeft);
      players.push_back(std::move(player));
    }
    rules.setWorld(world.get());
    rules.setPlayer(players[0].get());
    game.lendWorld(world.get());
    game.lendPlayer(players[0].get());
    game.setDifficulty(&difficulty);
    rules.startTimers();
  }

  void frame(long index) {
    for (size_t i = 0; i < players.size(); ++i) {
      PlayerDesktopLocal& player = *players[i];
      if ((index + static_cast<long>(i) * 7) % 45 == 0) player.jump();
      if ((index + static_cast<long>(i) * 13) % 300 == 0) player.setMoveKeys(MotionEvent::kUp);
      if ((index + static_cast<long>(i) * 13) % 300 == 150) player.handleKeyRelease(MotionEvent::kUp);
      player.update(1.0f);
    }
    if (index % 60 == 0) {
      rules.timers().step();
      for (size_t i = 1; i < players.size(); ++i) players[i]->tickBuffs();
    }
    if (index % 180 == 0) {
      for (size_t i = 1; i < players.size(); ++i) players[i]->applyEnvironmentDamage(rules);
    }
  }
};

void BM_LocalGameFrame(benchmark::State& state) {
  engine::randomSeed(3);
  GameFrame game;
  bench::UpdateTimes frames;
  long index = 0;
  for (auto _ : state) frames.time([&] { game.frame(index++); });
  frames.report(state, "frame", "us");
  state.counters["players"] = kPlayers;
  bench::reportAbsoluteFiguresOnly(state);
}
BENCHMARK(BM_LocalGameFrame)->Apply(bench::repeatForMedians);

}  // namespace

BENCHMARK_MAIN();
