#pragma once
// Two joined players and a host in one process, playing together as the program plays: the hosting
// game's rules and endpoint on one side, two joined games (each its endpoint, its game and its local
// player, built from the world the host sends) on the other, meeting over real ENet on 127.0.0.1 or
// over the stand-in store-front hub (the parameter). Helpers walk, edit, give, count every item and
// compare every world cell for cell.
#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <functional>
#include <map>
#include <memory>
#include <span>
#include <string>
#include <thread>
#include <vector>

#include "content/items/block_edit.h"
#include "content/items/item.h"
#include "content/items/item_pool.h"
#include "content/loader/game_tables_loader.h"
#include "content/planets/planet_def.h"
#include "content/tables/content_tables.h"
#include "content/tables/item_def.h"
#include "content/tables/mob_item_table.h"
#include "engine/base/random.h"
#include "engine/scene/director.h"
#include "engine/scene/scheduler.h"
#include "entities/core/world_entities.h"
#include "entities/items/treasure_entity.h"
#include "entities/mobs/mob_entity.h"
#include "game/inventory/inventory.h"
#include "game/player/player_desktop.h"
#include "game/player/player_events.h"
#include "game/session/game_saves.h"
#include "game/session/game_services.h"
#include "game/session/local_session.h"
#include "game/session/session_entities.h"
#include "game/stats/stats_store.h"
#include "game/trade/trade_abstract.h"
#include "game/trade/trade_book.h"
#include "game/trade/trade_codes.h"
#include "game/trade/trade_session.h"
#include "net/client_game/joined_game.h"
#include "net/endpoint/net_player_client.h"
#include "net/endpoint/host/host_players_view.h"
#include "net/endpoint/net_player_server.h"
#include "net/host_game/game_remote_server.h"
#include "net/host_game/net_logic.h"
#include "net/transports/enet_client.h"
#include "net/transports/enet_server.h"
#include "net/transports/steam/steam_client.h"
#include "net/transports/steam/steam_server.h"
#include "platform/steam/hub_steam_api.h"
#include "tests/engine/scene/scene_fixture.h"
#include "tests/game/session/side_session.h"
#include "tests/net/host_game/content_items.h"
#include "tests/net/host_game/host_in_game.h"
#include "tests/net/host_game/hosting_session.h"
#include "tests/net/loopback_fixture.h"
#include "tests/net/transfer/transfer_fixture.h"
#include "tests/platform/steam/hub_users.h"
#include "world/blocks/chest.h"
#include "world/edits/edit_kind.h"
#include "world/map/world_map.h"
#include "world/rules/player_state_record.h"
#include "world/seams/entity_effects.h"
#include "world/world.h"

namespace nettest {

constexpr float kFrame = 1.0f / 60.0f;
constexpr uint64_t kHostUser = 100;

// The first `count` items the content defines that stack, for the stacks the players carry.
inline std::vector<uint16_t> stackingItems(size_t count) {
  std::vector<uint16_t> ids;
  const auto& defs = contentTables().itemDefs;
  for (size_t id = 1; id < defs.size() && ids.size() < count; ++id) {
    const ItemDef& def = defs[id];
    if (def.defined && (def.record.freeStack() != 0 || def.record.variantCount() >= 2)) {
      ids.push_back(static_cast<uint16_t>(id));
    }
  }
  return ids;
}

// A trinket that calls a mob (the first the test accepts) as its wearer's pet: the game tables are
// set so (a test resets them).
inline uint16_t petTrinket(const std::function<bool(uint16_t)>& accepted = {}) {
  MobItemRow row;
  while ((mobDefinitionById(row.mob) == nullptr || (accepted && !accepted(row.mob))) && row.mob < 1000) ++row.mob;
  EXPECT_NE(mobDefinitionById(row.mob), nullptr);
  row.item = stackingItems(1)[0];
  GameTables tables;
  tables.mobItems = MobItemTable({row});
  setGameTables(std::move(tables));
  return row.item;
}

// What a joined player is told: its messages, and the requests to trade it is asked to answer.
class PlayerLog final : public PlayerEvents {
 public:
  void message(uint8_t, const std::string& text) override { messages.push_back(text); }
  void entityEffect(PlayerGraphical&, Entity* entity, uint8_t kind, uint16_t) override {
    effects.push_back({entity != nullptr ? entity->id() : kNoEntity, kind});
  }
  void tileEffect(PlayerGraphical&, const MapBlock& cell, uint8_t kind) override {
    cellEffects.push_back({cell.x, cell.y, kind});
  }
  void inventoryView(uint8_t page) override { pages.push_back(page); }
  void healthFlash(bool damage) override {
    if (!damage) ++heals;
  }
  bool tradeRequest(uint8_t askingPeer, uint8_t askedPeer, const std::string& name) override {
    asked.push_back({askingPeer, askedPeer, name});
    return true;
  }
  struct Asked {
    uint8_t asking;
    uint8_t askedAs;
    std::string name;
  };
  struct Effect {
    EntityId entity;
    uint8_t kind;
  };
  std::vector<std::string> messages;
  std::vector<Asked> asked;
  std::vector<Effect> effects;  // the effects her view was told to show at an entity
  struct CellEffect {
    int32_t x;
    int32_t y;
    uint8_t kind;
  };
  std::vector<CellEffect> cellEffects;  // the effects her view was told to show at a cell
  std::vector<uint8_t> pages;            // the inventory view's pages her uses opened
  int heals = 0;                         // the times her health icon flashed for a gain
};

class StayingExit final : public ClientGameExit {
 public:
  void leaveJoinedGame() override { ++leaves; }
  void rejoinHost() override {}
  int leaves = 0;
};

// A character's saves as far as hosts go: the tokens they handed her, as her hosts file keeps them.
class CharacterTokens : public NullGameSaves {
 public:
  std::vector<uint8_t> hostToken(const std::string& hostKey) const override {
    const auto found = tokens.find(hostKey);
    return found != tokens.end() ? found->second : std::vector<uint8_t>{};
  }
  void keepHostToken(const std::string& hostKey, std::span<const uint8_t> token) override {
    tokens[hostKey].assign(token.begin(), token.end());
  }
  std::map<std::string, std::vector<uint8_t>> tokens;
};

constexpr const char* kHostKey = "127.0.0.1:host";

// One joined player: its endpoint, its game and its local player, playing a character whose hosts
// file is `character` (a new character's by default; the same one again when she comes back).
struct Joiner {
  explicit Joiner(const std::string& name, std::shared_ptr<CharacterTokens> kept = std::make_shared<CharacterTokens>())
      : net(name, &notices), character(std::move(kept)) {
    GameServices services;
    services.saves = character.get();
    joined = std::make_unique<JoinedGame>(net, exit, WorldContext{}, &log, nullptr, services);
    joined->knowHost(kHostKey);
  }
  ~Joiner() {
    joined.reset();
    net.shutdown();
  }
  PlayerDesktopLocal& player() { return *joined->player(); }
  GameRemoteClient& game() { return joined->game(); }
  World* world() { return joined->game().world(); }
  Inventory& inventory() { return *player().inventory; }

  RecordingNotices notices;
  LoopbackClient net;
  std::shared_ptr<CharacterTokens> character;
  StayingExit exit;
  PlayerLog log;
  std::unique_ptr<JoinedGame> joined;
};

// How the players meet.
class Meeting {
 public:
  virtual ~Meeting() = default;
  virtual bool open(NetServer& server) = 0;
  virtual bool connect(NetClient& client, const std::string& name, uint64_t user) = 0;
  virtual void pump() {}
};

class EnetMeeting final : public Meeting {
 public:
  bool open(NetServer& server) override {
    const kel::NetBridgeSetup setup{kel::NET_KIND_DIRECT, 4, ""};
    auto bridge = std::make_unique<enet::EnetServer>(server.bridgeListener(), setup);
    enet::EnetServer* listening = bridge.get();
    server.setBridge(std::move(bridge));
    if (!listening->startWith(kel::base::DesktopDirectConnectionInfo(kLoopback, 0))) return false;
    port_ = listening->port();
    return port_ != 0;
  }
  bool connect(NetClient& client, const std::string&, uint64_t) override {
    client.setBridge(std::make_unique<enet::EnetClient>(client.bridgeListener(), kel::NetBridgeSetup{}));
    return client.bridge()->startWith(kel::base::DesktopDirectConnectionInfo(kLoopback, port_));
  }
  // Where a hostile transport of a test's own connects.
  uint16_t port() const { return port_; }

 private:
  uint16_t port_ = 0;
};

class HubMeeting final : public Meeting {
 public:
  bool open(NetServer& server) override {
    kel::HubSteamApi& api = users_.add(kHostUser, "Host");
    const kel::NetBridgeSetup setup{kel::NET_KIND_STEAM, 4, ""};
    server.setBridge(std::make_unique<steam::SteamServer>(server.bridgeListener(), setup, api));
    return server.bridge()->startWith(kel::base::DesktopClientSteamConnectionInfo(0));
  }
  bool connect(NetClient& client, const std::string& name, uint64_t user) override {
    kel::HubSteamApi& api = users_.add(user, name);
    client.setBridge(std::make_unique<steam::SteamClient>(client.bridgeListener(), kel::NetBridgeSetup{}, api));
    return client.bridge()->startWith(kel::base::DesktopClientSteamConnectionInfo(kHostUser));
  }
  void pump() override { users_.runCallbacks(); }

 private:
  testsupport::HubUsers users_;
};

class PlayTogether : public ::testing::TestWithParam<bool> {
 protected:
  void SetUp() override {
    scenetest::resetScene();
    transfertest::loadContent();
    meeting = GetParam() ? std::unique_ptr<Meeting>(std::make_unique<HubMeeting>())
                         : std::unique_ptr<Meeting>(std::make_unique<EnetMeeting>());
    session = hostingSession(server, hosting, worldMode(), hostEvents(), worldDifficulty());
    hostWorld = session->running().world.get();
    WorldMap& map = hostWorld->map();
    column = map.width() / 2;
    ground = groundIn(column);
    ASSERT_NE(ground, nullptr);
    hostPlayer().setCellCoordinates(static_cast<uint32_t>(column), static_cast<uint32_t>(ground->y + 1));
    ASSERT_TRUE(meeting->open(server));
    server.setPlayersView(hostView());
    server.setHostPlayer(&hostPlayer());
    server.setStats(&hostStats);
    server.setWorld(hostWorld);
    server.worldSender().setHostedWorld(hostWorld);
    server.worldReady();

    ann = std::make_unique<Joiner>("Ann");
    bo = std::make_unique<Joiner>("Bo");
    ASSERT_TRUE(meeting->connect(ann->net, "Ann", 201));
    ASSERT_TRUE(runUntil([&] { return inGame(*ann); }));
    ASSERT_TRUE(meeting->connect(bo->net, "Bo", 202));
    ASSERT_TRUE(runUntil([&] { return inGame(*bo) && server.joinStage(kBo) == host::JoinStage::Entered; }));
  }
  void TearDown() override {
    session->game().trades()->clear();
    ann.reset();
    bo.reset();
    server.shutdown();
    server.setBridge(nullptr);  // before the transport it uses
    session.reset();
    meeting.reset();
    scenetest::resetScene();
  }

  // The hosted world's mode byte (1: creative).
  virtual uint8_t worldMode() const { return 0; }
  // The hosted world's difficulty row (null: none).
  virtual const DifficultyRow* worldDifficulty() const { return nullptr; }
  // What the host's screen shows of its clients' players (null: nothing), set before they join.
  virtual HostPlayersView* hostView() { return nullptr; }
  // What the host's own player tells the host's screen (null: nobody).
  virtual PlayerEvents* hostEvents() { return nullptr; }
  static bool inGame(Joiner& joiner) {
    return joiner.game().isStarted() && joiner.net.state() == NetClient::kInGame;
  }
  // Frames of every game: the program's scheduler (the joined games' tasks), the transports'
  // callbacks and every endpoint's drain.
  bool runUntil(const std::function<bool()>& done, int seconds = nettest::kHangSeconds) {
    engine::Scheduler* scheduler = engine::Director::getInstance()->getScheduler();
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    while (std::chrono::steady_clock::now() < deadline) {
      frame(*scheduler);
      if (done()) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return done();
  }
  void frame(engine::Scheduler& scheduler) {
    meeting->pump();
    stepClientCopies();
    scheduler.update(kFrame);
    server.dispatchQueued();
    // The hosted world's entities step (the hosting game's task): what was taken leaves it.
    session->entities().lists().tick();
    if (ann != nullptr) ann->net.dispatchQueued();
    if (bo != nullptr) bo->net.dispatchQueued();
  }
  // The host's view steps every player it draws, the copies of the joined players too: between
  // two motion records a copy walks and falls on the host as on its client.
  void stepClientCopies() {
    for (size_t index = 1; index < server.players().size(); ++index) {
      const auto peer = static_cast<uint8_t>(index);
      const NetPlayerServer* entry = server.entryOf(peer);
      if (entry == nullptr || entry->remote() == nullptr || server.joinStage(peer) != host::JoinStage::Entered) continue;
      entry->remote()->update(1.0f);
    }
  }
  // The joined player's connection ends without a word, as when her game crashes.
  void loseConnection(Joiner& joiner, uint8_t peer) {
    joiner.net.bridge()->stop();
    ASSERT_TRUE(runUntil([&] { return server.players().at(peer) == nullptr; }));
  }
  // The pets in the hosted world that are not gone, whoever they follow.
  size_t livePets() { return petsWhere([](const RealEntity&) { return true; }); }
  size_t petsOf(const PlayerBase& owner) {
    return petsWhere([&](const RealEntity& pet) { return pet.ownerId() == owner.playerId(); });
  }
  size_t petsWhere(const std::function<bool(const RealEntity&)>& counted) {
    size_t pets = 0;
    session->entities().lists().mobs().forEach([&](const RealEntity& entity) {
      if (entity.kind() == EntityKind::Pet && !entity.data.removed && counted(entity)) ++pets;
    });
    return pets;
  }
  // The joined player's copy of the host's mob, once her world shows it; null when it never does.
  MobEntity* mobSeenBy(Joiner& joiner, EntityId id) {
    MobEntity* seen = nullptr;
    runUntil([&] {
      seen = dynamic_cast<MobEntity*>(joiner.world()->effects().entityById(id));
      return seen != nullptr;
    });
    return seen;
  }
  // A few frames for what is on its way.
  void settle() {
    int frames = 0;
    runUntil([&] { return ++frames > 30; });
  }

  Player& hostPlayer() { return *session->running().player; }
  PlayerServerDesktop& onHost(uint8_t peer) { return *server.entryOf(peer)->remote(); }
  MapBlock* groundIn(int32_t x) { return nettest::groundIn(hostWorld->map(), x); }
  // The joined player walks to stand on the cell: its motion goes to the host, which tells the
  // others.
  void walk(Joiner& joiner, const MapBlock& cell) {
    PlayerStateRecord motion;
    motion.code = PlayerStateRecord::kRight;
    motion.phase = PlayerStateRecord::kReleased;
    motion.x = static_cast<float>(cell.x) * 30.0f;
    motion.y = static_cast<float>(cell.y) * 30.0f;
    joiner.player().position = {motion.x, motion.y};
    joiner.player().setCellCoordinates(cell.x, cell.y);
    joiner.game().sendPlayerState(motion);
  }
  // A place to stand in column x on the row above the host's own ground. The ground may rise
  // there, and the host puts back nobody's record into a solid cell: the cell and the one above
  // it are emptied on every machine's map alike, leaving nothing to pick up.
  MapBlock& standingRoom(int32_t x) {
    const int32_t y = ground->y + 1;
    for (World* world : {hostWorld, ann->world(), bo->world()}) {
      for (int32_t row : {y, y + 1}) world->map().setBlockAt(0, 0, x, row, 0);
    }
    return *hostWorld->cellAt(x, y);
  }
  // A chest as a player places one: its block on the cell on every machine's map, the chest
  // behind it on the host's.
  Chest& placeChest(const MapBlock& cell, uint16_t slots) {
    constexpr uint16_t kChestBlock = 213;
    for (World* world : {hostWorld, ann->world(), bo->world()}) {
      world->cellAt(cell.x, cell.y)->front = static_cast<uint16_t>(block_word::kLayerMark | kChestBlock);
    }
    MapBlock& there = *hostWorld->cellAt(cell.x, cell.y);
    return hostWorld->chests().add(std::make_unique<Chest>(there, Chest::SlotCount{slots}));
  }
  void edit(Joiner& joiner, uint8_t kind, const MapBlock& cell, uint16_t blockId) {
    BlockEdit request;
    request.kind = kind;
    request.x = cell.x;
    request.y = cell.y;
    request.blockId = blockId;
    if (kind == edit_kind::kRemoveLayer) request.extra = 1;
    joiner.game().editBlock(request);
  }
  void give(Inventory& inventory, uint8_t quickSlot, uint16_t id, uint16_t count) {
    inventory.setSlot({SlotKind::Quick, quickSlot, 0}, newItem(id, 0, count, 0, 0));
  }
  // The joined player carries the stack as if she had brought it when she entered: the host's copy
  // of her items counts it too.
  void carry(Joiner& joiner, SlotRef slot, uint16_t id, uint16_t count) {
    joiner.inventory().setSlot(slot, newItem(id, 0, count, 0, 0));
    onHost(joiner.net.localPeerId()).items().add(Item(id, 0, count, 0, 0));
  }
  void carry(Joiner& joiner, uint8_t quickSlot, uint16_t id, uint16_t count) {
    carry(joiner, {SlotKind::Quick, quickSlot, 0}, id, count);
  }
  // A tool she brought: her inventory and the host's copy of her items hold it.
  void carryTool(Joiner& joiner, uint8_t quickSlot, ItemPtr tool) {
    onHost(joiner.net.localPeerId()).items().add(*tool);
    joiner.inventory().setSlot({SlotKind::Quick, quickSlot, 0}, std::move(tool));
  }
  // She puts on what her slot holds, as her inventory view moves it: the host hears of the place.
  static void putOn(Joiner& joiner, SlotRef from, uint8_t place) {
    ASSERT_TRUE(joiner.inventory().swapSlots(from, {SlotKind::Equipment, place, 0}));
  }
  // The joined player selects the quick slot, as the main view does: the host hears what it holds.
  static void hold(Joiner& joiner, uint8_t quickSlot) {
    joiner.inventory().select(quickSlot);
    joiner.player().heldItemChanged(joiner.player().heldItem());
  }
  // The quick slot that holds the item.
  static SlotRef slotWith(const Inventory& inventory, uint16_t id) {
    for (uint8_t index = 0; index < Inventory::kQuickSlots; ++index) {
      const Item* item = inventory.slotItem({SlotKind::Quick, index, 0});
      if (item != nullptr && item->id == id) return {SlotKind::Quick, index, 0};
    }
    return {};
  }
  // The quick row's or the backpack's slot that holds the item; the none kind for none.
  static SlotRef carriedSlot(const Inventory& inventory, uint16_t id) {
    const SlotRef quick = slotWith(inventory, id);
    if (!quick.isNone()) return quick;
    for (uint8_t x = 0; x < Inventory::kBackpackSide; ++x) {
      for (uint8_t y = 0; y < Inventory::kBackpackSide; ++y) {
        const Item* there = inventory.slotItem({SlotKind::Backpack, x, y});
        if (there != nullptr && there->id == id) return {SlotKind::Backpack, x, y};
      }
    }
    return {};
  }
  // `asking` asks the player at `askedPeer` (joined as `asked`), who stands beside her, and that
  // player accepts: true once both trade windows are open.
  bool openTrade(Joiner& asking, Joiner& asked, uint8_t askedPeer) {
    MapBlock& beside = *hostWorld->cellAt(column + 1, groundIn(column + 1)->y + 1);
    walk(asked, beside);
    const bool there = runUntil([&] {
      const PlayerBase* seen = asking.net.remotePlayer(askedPeer);
      return seen != nullptr && seen->cellX == beside.x && onHost(askedPeer).cellX == beside.x;
    });
    if (!there) return false;
    asking.game().requestTrade(asking.net.remotePlayer(askedPeer));
    if (!runUntil([&] { return !asked.log.asked.empty(); })) return false;
    asked.game().answerTrade(trade::kAccept, asked.log.asked[0].askedAs, asked.log.asked[0].asking);
    return runUntil([&] { return asking.inventory().trade() != nullptr && asked.inventory().trade() != nullptr; });
  }
  void useChest(Joiner& joiner, const MapBlock& cell) {
    sendBytes(joiner, Bytes{2, 26, static_cast<uint8_t>(cell.x), static_cast<uint8_t>(cell.x >> 8),
                            static_cast<uint8_t>(cell.y), static_cast<uint8_t>(cell.y >> 8), 0});
  }
  // The bytes go to the host as they are, past her game's own rules: what a hostile client sends.
  static void sendBytes(Joiner& joiner, const Bytes& bytes) {
    joiner.net.send(bytes.data(), static_cast<uint32_t>(bytes.size()), 0);
  }

  // Every item by id: the hosted world's chests and items lying in it, the host's and both
  // joined players' inventories, what they wear included.
  std::map<uint16_t, uint32_t> everyItem() {
    std::map<uint16_t, uint32_t> counts;
    const auto add = [&counts](const Item* item) {
      if (item != nullptr && !item->isNone()) counts[item->id] += item->count;
    };
    for (const Inventory* inventory : {hostPlayer().inventory.get(), ann->player().inventory.get(),
                                       bo->player().inventory.get()}) {
      for (auto area : {Inventory::Area::Quick, Inventory::Area::CraftGrid, Inventory::Area::Backpack,
                        Inventory::Area::Equipment, Inventory::Area::Equipment2, Inventory::Area::Single,
                        Inventory::Area::Trinket}) {
        for (const ItemPtr& item : inventory->area(area)) add(item.get());
      }
    }
    for (const auto& chest : hostWorld->chests()) {
      for (size_t slot = 0; slot < chest->slotCount(); ++slot) add(chest->itemAt(slot));
    }
    session->entities().lists().forEach([&](const RealEntity& entity) {
      const auto* lying = dynamic_cast<const TreasureEntity*>(&entity);
      if (lying != nullptr && !lying->data.removed) add(&lying->item());
    });
    return counts;
  }
  void expectSameWorlds() {
    for (Joiner* joiner : {ann.get(), bo.get()}) {
      ASSERT_NE(joiner->world(), nullptr);
      transfertest::expectSameCells(hostWorld->map(), joiner->world()->map(), false);
    }
  }

  static constexpr uint8_t kAnn = 1;
  static constexpr uint8_t kBo = 2;
  std::unique_ptr<Meeting> meeting;
  RecordingHosting hosting;
  RecordingNotices hostNotices;
  // What the host's budgets are refilled by: the steady clock, unless a test holds its own still.
  std::optional<std::chrono::steady_clock::time_point> heldBudgetClock;
  NetServer server{kel::NetBridgeSetup{kel::NET_KIND_DIRECT, 4, ""}, "Host", &hostNotices,
                   [this] { return heldBudgetClock.value_or(std::chrono::steady_clock::now()); }};
  std::unique_ptr<LocalSession> session;
  World* hostWorld = nullptr;
  int32_t column = 0;
  MapBlock* ground = nullptr;
  std::unique_ptr<Joiner> ann;
  std::unique_ptr<Joiner> bo;
  StatsStore hostStats;
};

}  // namespace nettest
