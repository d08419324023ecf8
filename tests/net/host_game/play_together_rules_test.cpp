// The host's rules act on every present player, over real ENet on 127.0.0.1, as a joined player
// meets them on her own screen: a mob on her cell and a mob's shot hurt her; a mob she strikes
// puffs; her pet follows her and is put beside her when she is far; the snow settles around her,
// far from the host; the host's copy of her jumps the lava she jumps; and in a creative world the
// host tells her when its mob limit refuses her capsule.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <set>
#include <string>

#include "content/loader/game_tables_loader.h"
#include "content/tables/bullet_def.h"
#include "content/tables/content_tables.h"
#include "content/tables/mob_def.h"
#include "content/tables/mob_item_table.h"
#include "content/texts/language_texts.h"
#include "entities/core/entity_cast.h"
#include "entities/items/treasure_factory.h"
#include "entities/mobs/mob_entity.h"
#include "entities/mobs/mob_pet_entity.h"
#include "game/inventory/item_kinds.h"
#include "game/rules/rule_entities.h"
#include "tests/net/host_game/play_together.h"
#include "world/cells/visible_cell_counts.h"
#include "world/weather/weather_table.h"

namespace nettest {
namespace {

constexpr uint8_t kHurtPuff = MobEntity::kHurtEffect;
constexpr uint16_t kSnowCover = 14;

// The first mob row whose test passes; null for none.
const MobDef* mobWhere(const std::function<bool(const MobDef&)>& test) {
  for (uint16_t id = 0; id < 1000; ++id) {
    const MobDef* mob = mobDefinitionById(id);
    if (mob != nullptr && mob->mobId() == id && test(*mob)) return mob;
  }
  return nullptr;
}

class PlayTogetherRules : public PlayTogether {
 protected:
  void TearDown() override {
    PlayTogether::TearDown();
    resetGameTables();
    languageTexts().loadText(R"({"strings": []})");
  }
  // She stands on the ground of the column, where the host put her and her client agrees.
  MapBlock* annStandsIn(int32_t x) {
    MapBlock* floor = groundIn(x);
    return floor != nullptr ? annStandsAt(*at(x, floor->y + 1)) : nullptr;
  }
  MapBlock* annStandsAt(MapBlock& cell) {
    MapBlock* standing = &cell;
    onHost(kAnn).setCellCoordinates(standing->x, standing->y);
    walk(*ann, *standing);
    const bool there = runUntil([&] { return onHost(kAnn).cellX == standing->x && ann->player().cellX == standing->x; });
    return there ? standing : nullptr;
  }
  // A mob of the row on the host, where her copy stands.
  MobEntity* mobOnHer(const MobDef& row) {
    return hostWorld->rules().spawnMob(&row, onHost(kAnn).position, {}, 0, nullptr, 0);
  }
  // She comes in whole, on her screen and on the host, unprotected: her health as her game shows it.
  float herFullHealth() {
    PlayerServerDesktop& copy = onHost(kAnn);
    copy.cooldown = 0;
    for (PlayerBase* body : {static_cast<PlayerBase*>(&ann->player()), static_cast<PlayerBase*>(&copy)}) {
      body->stats.maxHealth = 100;
      body->health = 100;
    }
    return ann->player().health;
  }
  MobPetEntity* herPetOnHost() {
    MobPetEntity* pet = nullptr;
    session->entities().lists().mobs().forEach([&](RealEntity& entity) {
      if (entity.ownerId() == onHost(kAnn).playerId() && !entity.data.removed) pet = entity_cast<MobPetEntity>(&entity);
    });
    return pet;
  }
  // She wears the trinket: her pet comes, on the host and in her world.
  MobPetEntity* callHerPet(uint16_t trinket) {
    carry(*ann, {SlotKind::Trinket, 0, 0}, trinket, 1);
    ann->game().refreshPet();
    // A call can be answered more than once (her trinket put on is told to the host beside her
    // refresh), a later pet sending the earlier away: her pet is read again every frame, never held
    // across one, and is here the one the host has once her world shows it.
    MobPetEntity* pet = nullptr;
    const bool shown = runUntil([&] {
      pet = herPetOnHost();
      return pet != nullptr && ann->world()->effects().entityById(pet->id()) != nullptr;
    });
    return shown ? pet : nullptr;
  }
  // Her copy of the pet the host has for her now; null while there is none.
  const Entity* herCopyOfHerPet() {
    const MobPetEntity* pet = herPetOnHost();
    return pet != nullptr ? ann->world()->effects().entityById(pet->id()) : nullptr;
  }
  // Snow covers in the columns around x, on her world.
  size_t snowNear(int32_t x, int32_t reach) {
    WorldMap& map = ann->world()->map();
    size_t covers = 0;
    for (int32_t dx = -reach; dx <= reach; ++dx) {
      for (int32_t y = 0; y < map.height(); ++y) {
        const MapBlock* cell = map.cellAt(x + dx, y);
        covers += static_cast<size_t>(std::count_if(cell->decos.begin(), cell->decos.end(), [](MapDeco deco) {
          return !map_deco::empty(deco) && map_deco::id(deco) == kSnowCover;
        }));
      }
    }
    return covers;
  }
  // What she sent reaches the host until the test holds (or ten seconds pass); nothing steps.
  bool deliver(const std::function<bool()>& done) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (std::chrono::steady_clock::now() < deadline) {
      meeting->pump();
      server.dispatchQueued();
      if (done()) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return done();
  }
  // A cell of the hosted world, the column folded into the map.
  MapBlock* at(int32_t x, int32_t y) {
    WorldMap& map = hostWorld->map();
    return map.cellAt(map.wrapX(x), y);
  }
  // A hall dug in the ground under the column at x, the same on both worlds: a level floor of the
  // ground's own block (deep under the surface's plants) on row g, from x + from to x + to, with
  // room to jump above it. False when the ground there is too shallow.
  bool digHall(int32_t x, int32_t g, int32_t from, int32_t to) {
    if (g <= 1) return false;
    const uint16_t soil = at(x, g)->front;
    if (block_word::id(soil) == 0) return false;
    for (World* world : {hostWorld, ann->world()}) {
      WorldMap& map = world->map();
      for (int32_t dx = from; dx <= to; ++dx) {
        for (int32_t y = g - 1; y <= g + 5; ++y) {
          MapBlock* cell = map.cellAt(map.wrapX(x + dx), y);
          cell->front = y <= g ? soil : 0;
          cell->decos = {};
          cell->liquid = 0;
        }
      }
    }
    return true;
  }
  // One frame of her body and of the host's copy of it, in step.
  void stepBoth() {
    ann->player().update(1.0f);
    onHost(kAnn).update(1.0f);
  }
};

TEST_P(PlayTogetherRules, AMobOnHerCellHurtsHerOnHerScreen) {
  const MobDef* toucher = mobWhere([](const MobDef& m) { return m.hasFlag(mob_flag::kContact) && m.damage() > 0; });
  ASSERT_NE(toucher, nullptr);
  ASSERT_NE(annStandsIn(column + 12), nullptr) << "she stands away from the host";
  const float full = herFullHealth();
  const float hostHealth = hostPlayer().health;

  MobEntity* mob = mobOnHer(*toucher);
  ASSERT_NE(mob, nullptr);
  mob->data.moving = true;
  EXPECT_TRUE(runUntil([&] { return ann->player().health < full; })) << "the mob on her cell left her whole";
  EXPECT_EQ(hostPlayer().health, hostHealth) << "the host's player stands twelve cells away";
}

TEST_P(PlayTogetherRules, AMobsShotHitsHerOnHerScreen) {
  const MobDef* shooter = mobWhere([](const MobDef& m) { return !m.hasFlag(mob_flag::kContact); });
  ASSERT_NE(shooter, nullptr);
  uint16_t row = 0;
  const auto& bullets = contentTables().bulletDefs;
  while (row < bullets.size() && !(bullets[row].playerDamage() > 0)) ++row;
  ASSERT_LT(row, bullets.size()) << "a shot that hurts players";
  ASSERT_NE(annStandsIn(column + 12), nullptr);
  const float full = herFullHealth();

  MobEntity* mob = mobOnHer(*shooter);
  ASSERT_NE(mob, nullptr);
  ASSERT_NE(hostWorld->rules().shootMobBullet(mob, row, 0.5f, 0.0f), nullptr);
  EXPECT_TRUE(runUntil([&] { return ann->player().health < full; })) << "the shot passed through her";
}

TEST_P(PlayTogetherRules, SheSeesTheHitPuffOnAMobSheStrikes) {
  const MobDef* kind = mobWhere([](const MobDef& m) { return !m.hasFlag(mob_flag::kContact); });
  ASSERT_NE(kind, nullptr);
  MobEntity* mob = mobOnHer(*kind);
  ASSERT_NE(mob, nullptr);
  mob->health = 10000;  // the blow hurts it and no more
  const EntityId id = mob->id();
  MobEntity* seen = mobSeenBy(*ann, id);
  ASSERT_NE(seen, nullptr) << "her world shows the mob";

  ann->game().hitMob(seen);
  const auto puffed = [&] {
    const auto& shown = ann->log.effects;
    return std::any_of(shown.begin(), shown.end(), [&](const PlayerLog::Effect& e) { return e.entity == id && e.kind == kHurtPuff; });
  };
  ASSERT_TRUE(runUntil([&] { return mob->health < 10000; })) << "her blow landed on the host";
  EXPECT_TRUE(runUntil(puffed)) << "her view was told of no puff on the mob she struck";
}

TEST_P(PlayTogetherRules, HerPetIsPutBesideHerWhenSheIsThirtyCellsAway) {
  ASSERT_TRUE(languageTexts().loadFile(std::string(RUBBLE_DATA_DIR) + "/language/english.json"));
  const uint16_t trinket = petTrinket([](uint16_t mob) { return !languageTexts().mobName(mob).empty(); });
  MobPetEntity* pet = callHerPet(trinket);
  ASSERT_NE(pet, nullptr) << "her pet came";
  const std::string came = languageTexts().text(175);
  const std::string& name = languageTexts().mobName(pet->row().mobId());
  ASSERT_NE(came.find("%s"), std::string::npos);
  ASSERT_FALSE(name.empty());
  const std::string named = came.substr(0, came.find("%s")) + name;
  ASSERT_TRUE(runUntil([&] {
    const auto& told = ann->log.messages;
    return std::any_of(told.begin(), told.end(), [&](const std::string& line) { return line.rfind(named, 0) == 0; });
  })) << "she is told her pet came by its name, as \"" << came << "\" says";
  settle();

  const MapBlock* far = annStandsIn(column + 30);
  ASSERT_NE(far, nullptr);
  const auto besideHer = [&](const Entity* seen) {
    return seen != nullptr && seen->data.cell != nullptr && seen->data.cell->x == far->x && seen->data.cell->y == far->y;
  };
  EXPECT_TRUE(runUntil([&] { return besideHer(herPetOnHost()); })) << "the host's pet stayed where she called it";
  EXPECT_TRUE(runUntil([&] { return besideHer(herCopyOfHerPet()); })) << "her copy of her pet stayed where she called it";
}

TEST_P(PlayTogetherRules, HerPetWalksAfterHerAlongAHall) {
  constexpr int32_t kAway = 8;  // nearer than a pet is put beside its owner: it walks
  const MapBlock* surface = groundIn(column + 20);
  ASSERT_NE(surface, nullptr);
  const int32_t x = surface->x;
  const int32_t g = surface->y - 20;
  ASSERT_TRUE(digHall(x, g, -1, kAway + 1));
  MapBlock* start = at(x, g + 1);
  ASSERT_NE(annStandsAt(*start), nullptr);
  MobPetEntity* pet = callHerPet(petTrinket());
  ASSERT_NE(pet, nullptr) << "her pet came";
  ASSERT_TRUE(runUntil([&] {
    const MobPetEntity* now = herPetOnHost();
    return now != nullptr && now->data.cell != nullptr && now->data.cell->x == start->x;
  }));

  MapBlock* far = at(x + kAway, g + 1);
  ASSERT_NE(annStandsAt(*far), nullptr);
  // The columns between her two places that the pet stood in, on the host and in her world.
  std::set<int32_t> walked;
  std::set<int32_t> seenWalking;
  const auto between = [&](const Entity* body, std::set<int32_t>& columns) {
    if (body == nullptr || body->data.cell == nullptr) return;
    const int32_t cx = body->data.cell->x;
    if (cx > start->x && cx < far->x) columns.insert(cx);
  };
  const auto arrived = [&](const Entity* body) {
    return body != nullptr && body->data.cell != nullptr && std::abs(body->data.cell->x - far->x) <= 1;
  };
  EXPECT_TRUE(runUntil([&] {
    const MobPetEntity* now = herPetOnHost();
    const Entity* seen = herCopyOfHerPet();
    between(now, walked);
    between(seen, seenWalking);
    return arrived(now) && arrived(seen);
  })) << "her pet stayed " << kAway << " cells behind her";
  EXPECT_GE(walked.size(), static_cast<size_t>(kAway / 2)) << "the host's pet did not walk the hall";
  EXPECT_FALSE(seenWalking.empty()) << "her copy of her pet did not walk the hall";
}

TEST_P(PlayTogetherRules, TheSnowSettlesAroundAGuestFarFromTheHost) {
  VisibleCellCounts view{41, 25};
  WorldContext context = hostWorld->context();
  context.visibleCells = &view;
  hostWorld->setContext(context);
  hostWorld->weather().kind = WeatherKind::Snow;
  const int32_t far = (column + hostWorld->map().width() / 2) % hostWorld->map().width();
  ASSERT_NE(annStandsIn(far), nullptr);
  ASSERT_NE(bo, nullptr);
  const size_t before = snowNear(far, view.columns / 2);

  // The rules' random tick, as the host's timer runs it every five seconds.
  int ticks = 0;
  EXPECT_TRUE(runUntil([&] {
    if (++ticks <= 300) hostWorld->rules().randomTick();
    return snowNear(far, view.columns / 2) > before;
  })) << "no snow settled around her in " << ticks << " ticks";
}

TEST_P(PlayTogetherRules, TheHostsCopyJumpsTheLavaGapSheJumps) {
  // A hall dug in the ground, the same on both worlds: a level floor with room to jump above it and
  // a one-cell pit of lava in it, right of where she stands.
  const MapBlock* surface = groundIn(column + 20);
  ASSERT_NE(surface, nullptr);
  const int32_t x = surface->x;
  const int32_t g = surface->y - 20;
  ASSERT_TRUE(digHall(x, g, -3, 5));
  for (World* world : {hostWorld, ann->world()}) {
    MapBlock* cell = world->map().cellAt(x + 1, g);
    cell->front = 0;
    cell->liquid = static_cast<uint8_t>((static_cast<uint8_t>(LiquidKind::Lava) << 6) | (4u << 3) | 4u);
  }
  MapBlock* start = at(x, g + 1);
  MapBlock* pit = at(x + 1, g);
  ASSERT_NE(annStandsAt(*start), nullptr);
  PlayerServerDesktop& copy = onHost(kAnn);
  PlayerDesktopLocal& her = ann->player();
  her.setCellCoordinates(start->x, start->y);
  copy.setCellCoordinates(start->x, start->y);
  for (int i = 0; i < 30; ++i) stepBoth();
  ASSERT_TRUE(her.isGrounded() && copy.isGrounded());

  const auto touches = [&](const PlayerBase& body) { return body.occupiesCell(*pit); };
  her.setMoveKeys(PlayerStateRecord::kRight);
  ASSERT_TRUE(deliver([&] { return copy.body().hKey == 1; })) << "the host heard her key";
  for (int i = 0; i < 60 && her.position.x < static_cast<float>(start->x) * 30.0f + 9.0f; ++i) {
    stepBoth();
    ASSERT_FALSE(touches(copy)) << "the copy walked into the lava before she jumped";
  }
  ASSERT_TRUE(her.isGrounded());
  her.jumpOrDrop(0.0f, true);
  ASSERT_EQ(her.body().jumpHold, 1) << "she jumps with the key held";
  deliver([&] { return copy.body().jumpHold == 1; });

  bool landed = false;
  for (int i = 0; i < 120 && !landed; ++i) {
    stepBoth();
    EXPECT_FALSE(touches(her)) << "she cleared the gap, frame " << i;
    ASSERT_FALSE(touches(copy)) << "the host's copy of her touched the lava, frame " << i;
    landed = her.isGrounded() && static_cast<int32_t>(her.cellX) > pit->x;
  }
  ASSERT_TRUE(landed) << "she landed past the gap";
  for (int i = 0; i < 10; ++i) {
    stepBoth();
    ASSERT_FALSE(touches(copy));
  }
  EXPECT_GT(static_cast<int32_t>(copy.cellX), pit->x) << "the host's copy stands past the gap with her";
}

INSTANTIATE_TEST_SUITE_P(OverEnet, PlayTogetherRules, ::testing::Values(false));

// A creative world: the mob limit is the host's to judge.
class PlayTogetherCreative : public PlayTogether {
 protected:
  uint8_t worldMode() const override { return 1; }
};

TEST_P(PlayTogetherCreative, SheIsToldTheMobLimitWasReached) {
  ASSERT_TRUE(hostWorld->isCreative());
  constexpr uint16_t kCapsule = 913;  // a mob capsule the creative world lets loose below the limit
  const Item capsule(kCapsule, 0, 1, 0, 0);
  ASSERT_EQ(itemKindOf(&capsule), 6);
  // The host's world holds more than 512 entities; her game counts none of them.
  const MapBlock* heap = groundIn(column + 40);
  ASSERT_NE(heap, nullptr);
  const engine::Vec2 at{static_cast<float>(heap->x) * 30.0f, static_cast<float>(heap->y + 1) * 30.0f};
  const uint16_t lying = stackingItems(1)[0];
  while (session->entities().lists().count() <= 512) {
    ASSERT_NE(createTreasureEntity(session->entities().lists(), newItem(lying, 0, 1, 0, 0), at, 0, 0, 0), nullptr);
  }
  carry(*ann, 2, kCapsule, 1);
  hold(*ann, 2);
  ASSERT_TRUE(runUntil([&] { return onHost(kAnn).heldItem() != nullptr && onHost(kAnn).heldItem()->id == kCapsule; }));

  ann->game().shoot(3.0f, 1.0f);
  const auto told = [&] {
    const auto& lines = ann->log.messages;
    return std::find(lines.begin(), lines.end(), "Mob limit reached.") != lines.end();
  };
  EXPECT_TRUE(runUntil(told)) << "the host refused her capsule without a word";
}

INSTANTIATE_TEST_SUITE_P(OverEnet, PlayTogetherCreative, ::testing::Values(false));

}  // namespace
}  // namespace nettest
