// The local session: its game and rules become the process's current ones only while bound; the
// players' bodies that blasts and plates see: where each stands and what a blast does to it; and a
// character whose game ends with its death.

#include "game/rules/local_logic.h"
#include "game/session/game_local.h"
#include "game/session/game_screen.h"
#include "game/session/local_session.h"
#include "game/session/player_bodies.h"
#include "game/player/player_options.h"
#include "game/rules/collar_capture.h"
#include "tests/game/game_fixture.h"
#include "tests/game/session/session_fixture.h"
#include "tests/game/session/side_session.h"
#include "content/items/block_edit.h"
#include "content/items/item.h"
#include "content/items/item_pool.h"
#include "entities/core/real_entity.h"
#include "entities/mobs/mob_entity.h"
#include "entities/mobs/mob_pet_entity.h"
#include "content/format/record_layout.h"
#include "content/loader/game_tables_loader.h"
#include "content/tables/content_tables.h"
#include "content/tables/mob_def.h"
#include "world/entities/world_entity_places.h"
#include <cstring>
#include "game/session/session_entities.h"
#include "game/session/running_world.h"
#include "world/blocks/chest.h"
#include "world/edits/edit_kind.h"
#include "world/seams/cell_sounds.h"
#include "world/explosions/explosion_system.h"

namespace game_test {
namespace {

TEST(LocalSession, BindsItsGameAndRulesAsTheCurrentOnesOnlyWhileBound) {
  setCurrentGame(nullptr);
  setCurrentLogic(nullptr);
  LocalSession first;
  LocalSession second;
  EXPECT_EQ(first.context().rules, &first.rules());
  EXPECT_EQ(first.context().edits, &first.game());
  first.bindCurrent();
  EXPECT_EQ(&currentGame(), &first.game());
  EXPECT_EQ(&currentLogic(), &first.rules());
  second.unbindCurrent();
  EXPECT_EQ(&currentGame(), &first.game()) << "a session that is not bound leaves the current one alone";
  first.unbindCurrent();
  EXPECT_NE(&currentGame(), &first.game());
  EXPECT_NE(&currentLogic(), &first.rules());
}

// The games a screen was told are played and no longer played.
class BindingScreen final : public NullGameScreen {
 public:
  void gameBound(GameInterface& game, LogicCells& cells, LogicEntities& entities, SwingRules& swing,
                 RunningWorld& running, const StatsStore* stats) override {
    bound = &game;
    boundStats = stats;
    boundCells = &cells;
    boundEntities = &entities;
    boundSwing = &swing;
    boundRunning = &running;
  }
  void gameUnbound(const GameInterface& game) override { unbound = &game; }
  const GameInterface* bound = nullptr;
  const LogicCells* boundCells = nullptr;
  const LogicEntities* boundEntities = nullptr;
  const SwingRules* boundSwing = nullptr;
  const RunningWorld* boundRunning = nullptr;
  const StatsStore* boundStats = nullptr;
  const GameInterface* unbound = nullptr;
};

TEST(LocalSession, BindingTellsItsScreenWhichGameRulesAndWorldTheInterfacePlays) {
  BindingScreen screen;
  RunningWorld running;
  StatsStore statistics;
  LocalSession session(WorldContext{}, &running, nullptr, SessionKind{},
                       GameServices{.screen = &screen, .stats = &statistics});
  session.bindCurrent();
  EXPECT_EQ(screen.bound, &session.game());
  EXPECT_EQ(screen.boundCells, &session.rules());
  EXPECT_EQ(screen.boundEntities, &session.rules());
  EXPECT_EQ(screen.boundSwing, &session.rules());
  EXPECT_EQ(session.rules().swingTargets(), static_cast<SwingTargets*>(&session.entities()))
      << "the session's entities find the mobs a swing hits";
  EXPECT_EQ(screen.boundRunning, &running) << "the world it plays in, not the process's";
  EXPECT_EQ(screen.boundStats, &statistics) << "its game's statistics, not the process's";
  EXPECT_EQ(screen.unbound, nullptr);
  session.unbindCurrent();
  EXPECT_EQ(screen.unbound, &session.game());
}

class PlayerBodiesTest : public GameTest {};

TEST_F(PlayerBodiesTest, ABlastPushesTheLocalPlayersBody) {
  PlayerBodies bodies(rules, rules);
  player->setCellCoordinates(7, 9);
  std::vector<Body> found;
  bodies.collectAll(found);
  ASSERT_EQ(found.size(), 1u);
  bodies.push(found[0], 4.0f, 0.0f);
  EXPECT_FLOAT_EQ(player->body().impulse.x, 4.0f);
  EXPECT_NEAR(player->body().impulse.y, 0.0f, 1e-6f);
}

TEST_F(PlayerBodiesTest, ABlastFindsThePlayerWhereItStandsAndHurtsItLessItsResistance) {
  PlayerBodies bodies(rules, rules);
  player->setCellCoordinates(7, 9);
  player->health = 5.0f;
  player->stats.resist[3] = 0.5f;
  std::vector<Body> found;
  bodies.collectAll(found);
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(found[0].group, BodyGroup::Player);
  EXPECT_EQ(found[0].cellX, 7);
  EXPECT_EQ(found[0].cellY, 9);
  std::vector<Body> inCell;
  bodies.collectInCell(at(7, 9), inCell);
  bodies.collectInCell(at(8, 9), inCell);
  EXPECT_EQ(inCell.size(), 1u);

  EXPECT_TRUE(bodies.hurt(found[0], 2.0f));
  EXPECT_FLOAT_EQ(player->health, 4.0f);
  EXPECT_FALSE(bodies.hurt(found[0], 20.0f)) << "a blast that kills says so";
  EXPECT_EQ(player->dead, 1);
}

}  // namespace
}  // namespace game_test

namespace game_test {
namespace {

class RespawnTest : public SessionTest {};

TEST_F(RespawnTest, ACharacterWhoseGameEndsWithItsDeathSavesTheWorldAndLeavesIt) {
  game.lendWorld(&theWorld());
  game.lendPlayer(&local());
  game.setStarted(true);
  local().respawnReset();
  game.respawn();
  EXPECT_TRUE(game.isStarted()) << "an ordinary character comes back";
  EXPECT_TRUE(saves.savedWorlds.empty());

  local().characterFlags |= character_flag::kDeathEndsGame;
  World* played = &theWorld();
  game.respawn();
  EXPECT_EQ(saves.savedWorlds, std::vector<World*>{played});
  EXPECT_FALSE(game.isStarted());
  EXPECT_EQ(running.world, nullptr);
  EXPECT_EQ(screen.startDialogs, std::vector<int>{0});
}

}  // namespace
}  // namespace game_test

namespace game_test {
namespace {

constexpr uint16_t kChest = 213;  // a chest of the content's chest table

// The rules and the players' bodies in the world's context: a blast beside the player breaks the
// chest it has open (the rules let it go first) and hurts and pushes it.
TEST_F(PlayerBodiesTest, ABlastBesideThePlayerBreaksItsOpenChestAndHurtsIt) {
  PlayerBodies bodies(rules, rules);
  world->setContext({.rules = &rules, .edits = &game, .bodies = &bodies});
  floorAt(9);
  player->setCellCoordinates(10, 10);
  player->health = 5.0f;
  put(11, 10, kChest);
  Chest& chest = world->chests().add(std::make_unique<Chest>(at(11, 10), kChest));
  player->setOpenContainer(&chest);

  world->explosions().explodeAt(at(11, 10), kStandardBlast, nullptr);

  EXPECT_EQ(world->chests().size(), 0u);
  EXPECT_EQ(player->openContainer(), nullptr);
  EXPECT_LT(player->health, 5.0f) << "the blast reached the player through the world's bodies";
  world->setContext({});
}

}  // namespace
}  // namespace game_test

namespace game_test {
namespace {

class RecordingSounds final : public CellSounds {
 public:
  void playAt(const MapBlock& cell, uint16_t, uint16_t) override { cells.push_back(cell.x); }
  std::vector<int> cells;
};

// Two games played alone side by side, as a host's and a client's will be: each one's edits,
// sounds and rules stay in its own world.
class TwoSessionsTest : public world_test::WorldTest {
 protected:
  struct Side : SideSession {
    explicit Side(RecordingSounds& sounds) : SideSession(WorldContext{.sounds = &sounds}) {}
  };
};

TEST_F(TwoSessionsTest, EachGamesEditsSoundsAndRulesStayInItsOwnWorld) {
  RecordingSounds firstSounds, secondSounds;
  Side first(firstSounds), second(secondSounds);
  BlockEdit place;
  place.kind = edit_kind::kSetLayerBlock;
  place.x = 11;
  place.y = 10;
  place.blockId = world_test::kGlass;
  ASSERT_TRUE(first.session.game().editBlock(place));
  World& one = *first.session.running().world;
  World& two = *second.session.running().world;
  EXPECT_EQ(one.cellAt(11, 10)->frontId(), world_test::kGlass);
  EXPECT_EQ(two.cellAt(11, 10)->frontId(), 0);
  EXPECT_EQ(firstSounds.cells, std::vector<int>{11});
  EXPECT_TRUE(secondSounds.cells.empty());
  EXPECT_EQ(&one.rules(), &first.session.rules());
  EXPECT_EQ(&two.edits(), &second.session.game());
  EXPECT_NE(&currentLogic(), &first.session.rules()) << "neither session was made the process's own";
}

}  // namespace
}  // namespace game_test

namespace game_test {
namespace {

// The session's entities: an item the rules drop falls and comes to rest on the floor, while a
// shelf's display of an item hangs where it was put; ending the world clears both.
TEST_F(TwoSessionsTest, DroppedItemsFallToTheFloorWhileAShelfsDisplayHangsInPlace) {
  RecordingSounds sounds;
  Side side(sounds);
  World& world = *side.session.running().world;
  for (int32_t x = 0; x < 40; ++x) world.cellAt(x, 4)->setLayer(world_test::kDirt, 0, MapBlock::kFront);
  LocalLogic& rules = side.session.rules();
  Entity* drop = rules.spawnItemDrop(newItem(world_test::kDirt, 0, 1, -1, 0), {20 * 30.0f, 12 * 30.0f}, 7);
  const Item shown(world_test::kDirt, 0, 3, -1, 0);
  Entity* display = rules.spawnTreasureEntity(shown, {25 * 30.0f, 12 * 30.0f}, {0, 0}, world.cellAt(25, 12));
  ASSERT_NE(drop, nullptr);
  ASSERT_NE(display, nullptr);
  EXPECT_EQ(side.session.entities().entityCount(), 2u);
  for (int frame = 0; frame < 600; ++frame) side.session.entities().stepFrame(1.0f / 60.0f);
  const auto& lying = static_cast<RealEntity*>(drop)->data;
  EXPECT_EQ(lying.cell->y, 5) << "at rest on the floor";
  EXPECT_FALSE(lying.moving);
  EXPECT_EQ(static_cast<RealEntity*>(display)->data.cell->y, 12) << "a display never falls";
  side.session.end();
  EXPECT_EQ(side.session.entities().entityCount(), 0u);
}

}  // namespace
}  // namespace game_test

namespace game_test {
namespace {

// A mob row of the given health, 16 pixels square, written into the content tables.
MobDef& defineTestMob(uint16_t index, float health) {
  MobDef& row = contentTables().mobDefs[index];
  row = MobDef{};
  row.bytes[content::mob_record::mobId] = static_cast<uint8_t>(index);
  row.bytes[content::mob_record::width] = row.bytes[content::mob_record::height] = 16;
  std::memcpy(&row.bytes[content::mob_record::maxHealth], &health, 4);
  return row;
}

// The mob-to-item table with one row: the mob is carried as item 3000 + its row.
Item petItemFor(uint16_t mob) {
  GameTables tables;
  const auto item = static_cast<uint16_t>(3000 + mob);
  tables.mobItems = MobItemTable({{mob, 0, item, mob_items::kUnbredGroup, mob_items::kNoSex, mob_items::kNone,
                                   mob_items::kNone, mob_items::kNone}});
  setGameTables(std::move(tables));
  return Item(item, 0, 1, 0, 0);
}

}  // namespace
}  // namespace game_test

namespace game_test {
namespace {

// A taming collar used on a wild mob within reach captures it as its item and is used up; a point
// beside the mob, or a mob that is no item's, captures nothing and keeps the collar.
TEST_F(TwoSessionsTest, ACollarUsedOnAMobCapturesItAndIsUsedUp) {
  RecordingSounds sounds;
  Side side(sounds);
  resetContentTables();
  defineTestMob(63, 5);
  defineTestMob(64, 5);
  defineItem(kTamingCollar, 0, true);
  const Item trinket = petItemFor(63);
  Player& player = *side.session.running().player;
  player.inventory->setSlot({SlotKind::Quick, 0, 0}, newItem(kTamingCollar, 0, 2, 0, 0));
  player.inventory->select(0);
  const engine::Vec2 at = player.position + engine::Vec2(30, 0);
  MobEntity* wild = side.session.rules().spawnMob(&contentTables().mobDefs[63], at, {}, 1, nullptr, 0);
  MobEntity* other = side.session.rules().spawnMob(&contentTables().mobDefs[64], at - engine::Vec2(60, 0), {}, 1,
                                                   nullptr, 0);
  ASSERT_NE(wild, nullptr);
  ASSERT_NE(other, nullptr);
  GameInterface& game = side.session.game();
  EXPECT_FALSE(captureWithCollar(player, game, at + engine::Vec2(0, 40))) << "nothing under the point";
  EXPECT_FALSE(captureWithCollar(player, game, engine::Vec2(other->data.x, other->data.y))) << "a mob that is no item's";
  EXPECT_EQ(player.heldItem()->count, 2);
  EXPECT_TRUE(captureWithCollar(player, game, engine::Vec2(wild->data.x, wild->data.y)));
  EXPECT_TRUE(wild->data.removed);
  EXPECT_EQ(player.inventory->countItems(trinket.id, false, false), 1u);
  EXPECT_EQ(player.heldItem()->count, 1) << "one collar was used";
  side.session.end();
  resetContentTables();
  resetGameTables();
}

// A pet summoned by the rules follows its player until the player dies: then it leaves with an
// effect at its cell. A second summon replaces the first pet.
TEST_F(TwoSessionsTest, ASummonedPetIsReplacedByTheNextAndLeavesWhenItsPlayerDies) {
  RecordingSounds sounds;
  Side side(sounds);
  World& world = *side.session.running().world;
  LocalLogic& rules = side.session.rules();
  resetContentTables();
  defineTestMob(60, 5);
  const Item trinket = petItemFor(60);
  PlayerBase& player = *side.session.running().player;
  MobEntity* first = rules.summonPet(player, &trinket);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->kind(), EntityKind::Pet);
  MobEntity* second = rules.summonPet(player, &trinket);
  ASSERT_NE(second, nullptr);
  EXPECT_TRUE(first->data.removed);
  EXPECT_EQ(world.mobSpawner().groupCount(MobEntity::kPetGroup), 1u);
  player.health = 1;
  EXPECT_TRUE(rules.damagePlayer(player, 50, 0));
  EXPECT_TRUE(second->data.removed) << "the dead have no pet";
  EXPECT_EQ(world.mobSpawner().groupCount(MobEntity::kPetGroup), 0u);
  side.session.end();
  resetContentTables();
  resetGameTables();
}

// The worn trinket summons its pet when the game refreshes it and again after a respawn; taking it
// off dismisses the pet. A mob carried as an item is captured into the player's inventory and
// leaves; a pet is not.
TEST_F(TwoSessionsTest, TheWornTrinketSummonsItsPetAndACapturedMobBecomesItsItem) {
  RecordingSounds sounds;
  Side side(sounds);
  World& world = *side.session.running().world;
  resetContentTables();
  defineTestMob(63, 5);
  const Item trinket = petItemFor(63);
  Player& player = *side.session.running().player;
  player.inventory->setSlot({SlotKind::Trinket, 0, 0}, newItem(trinket.id, 0, 1, 0, 0));
  side.session.game().refreshPet();
  EXPECT_EQ(world.mobSpawner().groupCount(MobEntity::kPetGroup), 1u);
  MobEntity* pet = nullptr;
  side.session.entities().lists().mobs().forEach([&](RealEntity& e) { pet = dynamic_cast<MobEntity*>(&e); });
  ASSERT_NE(pet, nullptr);
  EXPECT_FALSE(side.session.game().captureMob(pet)) << "a pet is never captured";

  MobEntity* wild = side.session.rules().spawnMob(&contentTables().mobDefs[63], player.position + engine::Vec2(30, 0),
                                                  {}, 1, nullptr, 0);
  ASSERT_NE(wild, nullptr);
  EXPECT_FALSE(side.session.game().captureMob(wild)) << "only a collar catches";
  defineItem(kTamingCollar, 0, true);
  player.inventory->setSlot({SlotKind::Quick, 0, 0}, newItem(kTamingCollar, 0, 1, 0, 0));
  player.inventory->select(0);
  EXPECT_TRUE(side.session.game().captureMob(wild));
  EXPECT_TRUE(wild->data.removed);
  EXPECT_EQ(player.inventory->countItems(trinket.id, false, false), 1u);
  EXPECT_EQ(world.mobSpawner().groupCount(0), 0u);

  player.health = 1;
  EXPECT_TRUE(side.session.rules().damagePlayer(player, 50, 0));
  EXPECT_TRUE(pet->data.removed) << "the dead have no pet";
  side.session.rules().respawnPlayer(&player);
  EXPECT_EQ(world.mobSpawner().groupCount(MobEntity::kPetGroup), 1u) << "the trinket calls it back";

  player.inventory->setSlot({SlotKind::Trinket, 0, 0}, nullptr);
  side.session.game().refreshPet();
  EXPECT_EQ(world.mobSpawner().groupCount(MobEntity::kPetGroup), 0u) << "no trinket, no pet";
  side.session.end();
  resetContentTables();
  resetGameTables();
}

}  // namespace
}  // namespace game_test

namespace game_test {
namespace {

// Putting the trinket on during play is enough: the pet comes at once, and goes when it is taken off.
TEST_F(TwoSessionsTest, ATrinketPutOnDuringPlaySummonsItsPetAndTakingItOffSendsItAway) {
  RecordingSounds sounds;
  Side side(sounds);
  World& world = *side.session.running().world;
  resetContentTables();
  defineTestMob(64, 5);
  const Item trinket = petItemFor(64);
  Player& player = *side.session.running().player;
  player.inventory->setSlot({SlotKind::Trinket, 0, 0}, newItem(trinket.id, 0, 1, 0, 0));
  EXPECT_EQ(world.mobSpawner().groupCount(MobEntity::kPetGroup), 1u) << "no refresh asked for";
  player.inventory->refreshSlot({SlotKind::Trinket, 0, 0});
  EXPECT_EQ(world.mobSpawner().groupCount(MobEntity::kPetGroup), 1u) << "the same trinket keeps its pet";
  player.inventory->setSlot({SlotKind::Trinket, 0, 0}, nullptr);
  EXPECT_EQ(world.mobSpawner().groupCount(MobEntity::kPetGroup), 0u) << "taken off, the pet leaves";
  side.session.end();
  resetContentTables();
  resetGameTables();
}

}  // namespace
}  // namespace game_test

namespace game_test {
namespace {

// A blow of the session's player through its swing targets: in a creative world it deals 1000,
// and a mob that lives is thrown back at 135 degrees when it stands level with the player.
TEST_F(TwoSessionsTest, APlayersBlowDealsAThousandInACreativeWorldAndThrowsALevelMobBackLeft) {
  RecordingSounds sounds;
  Side side(sounds);
  resetContentTables();
  MobDef& row = defineTestMob(61, 5000);
  LocalLogic& rules = side.session.rules();
  PlayerBase& player = *side.session.running().player;
  player.position = {300, 300};
  MobEntity* mob = rules.spawnMob(&row, {300, 300}, {}, 1, nullptr, 0);
  ASSERT_NE(mob, nullptr);
  side.session.entities().hit(mob->id());
  EXPECT_LT(mob->health, 5000.0f);  // a survival world: the bare hand's small roll
  EXPECT_GT(mob->health, 4999.0f);
  WorldParams creative;
  creative.mode = 1;
  decltype(side.session.running().world) other = World::create(nullptr, creative, 40, 30, side.session.context());
  side.session.running().world.swap(other);
  side.session.rules().setWorld(side.session.running().world.get());
  MobEntity* target = rules.spawnMob(&row, {300, 300}, {}, 1, nullptr, 0);
  ASSERT_NE(target, nullptr);
  side.session.entities().hit(target->id());
  EXPECT_FLOAT_EQ(target->health, 4000);
  EXPECT_GT(target->data.impulseY, 0);
  EXPECT_LT(target->data.impulseX, 0) << "level with the player: thrown back at 135 degrees";
  side.session.end();
  side.session.running().world.swap(other);
  resetContentTables();
}

}  // namespace
}  // namespace game_test

namespace game_test {
namespace {

// A block placed on a pet's cell: with open air above the pet leaps out; under a solid block it is
// put back on its owner's cell.
TEST_F(TwoSessionsTest, APetUnderAPlacedBlockLeapsOutOrGoesBackToItsOwner) {
  RecordingSounds sounds;
  Side side(sounds);
  World& world = *side.session.running().world;
  resetContentTables();
  defineTestMob(62, 5);
  const Item trinket = petItemFor(62);
  LocalLogic& rules = side.session.rules();
  PlayerBase& player = *side.session.running().player;
  auto* pet = dynamic_cast<MobPetEntity*>(rules.summonPet(player, &trinket));
  ASSERT_NE(pet, nullptr);
  MapBlock& away = *world.cellAt(14, 10);
  pet->teleportToCell(away);
  rules.liftPetsFromCell(away);
  EXPECT_GT(pet->data.impulseY, 0) << "open above: it leaps";
  EXPECT_EQ(pet->data.cell, &away);
  world.cellAt(14, 11)->setLayer(world_test::kDirt, 0, MapBlock::kFront);
  rules.liftPetsFromCell(away);
  EXPECT_EQ(pet->data.cell, world.cellAt(10, 10)) << "closed above: back to its owner";
  side.session.end();
  resetContentTables();
  resetGameTables();
}

}  // namespace
}  // namespace game_test
