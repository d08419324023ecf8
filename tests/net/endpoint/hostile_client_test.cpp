// A scripted hostile client over real ENet: admitted beside an honest one, it sends every message a
// host takes with the peer bytes forged to name the honest player (or the host), then items, slots,
// ids and amounts out of range, host-only messages, a second hello, damaged packets and finally a
// shutdown notice. The host, running the game's own rules, stays up, nobody else is removed or
// spoken for, and an honest client still joins afterwards.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "content/items/block_edit.h"
#include "content/items/item.h"
#include "content/tables/content_tables.h"
#include "game/crafting/craft_rule.h"
#include "game/rules/local_logic.h"
#include "net/endpoint/net_player_server.h"
#include "net/wire/connection_messages.h"
#include "net/wire/wire_catalogue.h"
#include "net/wire/wire_layout.h"
#include "net/wire/wire_out.h"
#include "tests/game/content_rows.h"
#include "tests/net/loopback_fixture.h"
#include "world/cells/map_block.h"
#include "world/map/world_map.h"
#include "world/rules/logic.h"
#include "world/world.h"

namespace {

using nettest::Bytes;
using nettest::Received;

// The seed whose peer bytes name peer 1, the honest player.
constexpr uint8_t kNamesAnn = 5;

// The game's own rules, so that every request a client may send is carried out.
class HostRules final : public LocalLogic {
 public:
  HostRules() : LocalLogic(nullptr, nullptr, nullptr) {}
  bool damagePlayer(PlayerBase& player, float amount, uint8_t kind) override {
    damage.push_back(amount);
    return LocalLogic::damagePlayer(player, amount, kind);
  }
  // Every item the host would put on its ground, by id and count.
  Entity* spawnItemEntity(ItemPtr item, engine::Vec2 position, float speed, float angle, uint8_t flags) override {
    grounded.emplace_back(item->id, item->count);
    return LocalLogic::spawnItemEntity(std::move(item), position, speed, angle, flags);
  }
  Entity* spawnItemDrop(ItemPtr item, engine::Vec2 position, uint8_t flags) override {
    grounded.emplace_back(item->id, item->count);
    return LocalLogic::spawnItemDrop(std::move(item), position, flags);
  }
  std::vector<float> damage;
  std::vector<std::pair<uint16_t, uint16_t>> grounded;
};

// The peer bytes of a message a client receives.
std::vector<uint8_t> peersNamed(const Bytes& message) {
  std::vector<uint8_t> peers;
  const wire::MessageSpec* spec = message.size() >= 2 ? wire::incoming(message[1], wire::Side::Client) : nullptr;
  if (spec == nullptr) return peers;
  size_t offset = wire::kHeaderSize;
  for (wire::LayoutCursor cursor(spec->layout); !cursor.atTail(); cursor.next()) {
    if (cursor.code() == 'P' && offset < message.size()) peers.push_back(message[offset]);
    offset += wire::fieldWidth(cursor.code());
  }
  return peers;
}

bool leaves(const wire::MessageSpec& spec) {
  return spec.category == 0 && (spec.is(wire::ConnectionMsg::Departure) || spec.is(wire::ConnectionMsg::NoCharacter));
}

class HostileClient : public nettest::LoopbackTest {
 protected:
  HostileClient() {
    WorldParams params;
    params.mode = 1;
    world = std::make_unique<World>(nullptr, params, 40, 20);
    world->setContext({.rules = &rules});
    rules.setWorld(world.get());
  }
  // The endpoints go before the world their players stand in.
  ~HostileClient() override {
    mallory.reset();
    clients.clear();
    host.reset();
  }

  // Mallory asks for the world, says every cell arrived and enters: from then on she is heard.
  void malloryEnters() {
    script({Bytes{0, 9, 0, 0}, Bytes{0, 6, 0, 0}, Bytes{0, 5, 100, 100}});
    ASSERT_EQ(host->joinStage(kMallory), host::JoinStage::Entered);
  }
  // What Ann handled of the game's categories (the join's own aside).
  size_t gameMessagesAnnSaw(nettest::LoopbackClient& ann) {
    return static_cast<size_t>(std::count_if(ann.seen.begin(), ann.seen.end(),
                                              [](const Received& r) { return r.bytes[0] != 0; }));
  }
  // Mallory's texts from the host ([2][45]), as she hears them.
  std::vector<std::string> malloryIsTold() {
    for (Received& r : malloryHears.take()) malloryGot.push_back(std::move(r));
    std::vector<std::string> texts;
    for (const Received& r : malloryGot) {
      if (r.bytes.size() > 3 && r.bytes[0] == 2 && r.bytes[1] == 45) {
        texts.emplace_back(reinterpret_cast<const char*>(&r.bytes[2]));
      }
    }
    return texts;
  }

  static constexpr uint8_t kMallory = 2;
  uint8_t malloryPeer = kMallory;  // her peer number on the host: 1 where she is alone
  std::vector<Received> malloryGot;

  // A world that is no creative one, where items 20 and 21 stack, and Mallory alone in it, entered
  // as peer 1.
  void malloryAloneInAWorldOfItems() {
    for (uint16_t id : {uint16_t{20}, uint16_t{21}}) {
      contentTables().itemDefs[id].defined = true;
      contentTables().itemDefs[id].record.bytes[content::item_record::freeStack] = 1;
    }
    world = std::make_unique<World>(nullptr, WorldParams{}, 40, 20);
    world->setContext({.rules = &rules});
    rules.setWorld(world.get());
    startHost(4);
    host->setWorld(world.get());
    mallory = std::make_unique<enet::EnetClient>(&malloryHears, kel::NetBridgeSetup{});
    ASSERT_TRUE(mallory->startWith(kel::base::DesktopDirectConnectionInfo(nettest::kLoopback, port)));
    const wire::WireOut hello = wire::helloMessage("Mallory");
    mallory->send(hello.data(), hello.size());
    ASSERT_TRUE(pumpUntil([&] { return admitted("Mallory", 1); }));
    malloryPeer = 1;
    script({Bytes{0, 9, 0, 0}, Bytes{0, 6, 0, 0}, Bytes{0, 5, 100, 100}});
  }

  // Sends every packet from the hostile transport and waits until the host has taken them all.
  // Only Mallory's are counted: Ann's own traffic may arrive in between.
  void script(const std::vector<Bytes>& packets) {
    const size_t before = fromMallory();
    for (const Bytes& packet : packets) mallory->send(packet.data(), static_cast<uint32_t>(packet.size()));
    ASSERT_TRUE(pumpUntil([&] { return fromMallory() >= before + packets.size(); }));
  }
  size_t fromMallory() const {
    return static_cast<size_t>(std::count_if(host->seen.begin(), host->seen.end(),
                                             [this](const Received& r) { return r.peer == malloryPeer; }));
  }

  HostRules rules;
  std::unique_ptr<World> world;
  nettest::RawListener malloryHears;
  std::unique_ptr<enet::EnetClient> mallory;
};

}  // namespace

TEST_F(HostileClient, ForgedMessagesLeaveTheHostUpAndNobodyElseRemovedOrSpokenFor) {
  startHost(4);
  host->setWorld(world.get());
  nettest::LoopbackClient* ann = join("Ann");
  ASSERT_NE(ann, nullptr);
  ASSERT_TRUE(pumpUntil([&] { return admitted("Ann", 1); }));

  mallory = std::make_unique<enet::EnetClient>(&malloryHears, kel::NetBridgeSetup{});
  ASSERT_TRUE(mallory->startWith(kel::base::DesktopDirectConnectionInfo(nettest::kLoopback, port)));
  const wire::WireOut hello = wire::helloMessage("Mallory");
  mallory->send(hello.data(), hello.size());
  ASSERT_TRUE(pumpUntil([&] { return admitted("Mallory", 2); }));
  ann->seen.clear();

  std::vector<Bytes> forged;
  for (const wire::MessageSpec& spec : wire::catalogue()) {
    if (spec.receivedBy(wire::Side::Host) && !leaves(spec)) forged.push_back(nettest::sampleMessage(spec, kNamesAnn));
  }
  // Admitted but not in the world yet: nothing but her join is heard.
  std::vector<Bytes> beforeEntering;
  for (const Bytes& message : forged) {
    if (message[0] != 0) beforeEntering.push_back(message);
  }
  const uint64_t refusedBefore = host->refusedCount();
  script(beforeEntering);
  EXPECT_EQ(host->refusedCount(), refusedBefore + beforeEntering.size()) << "every request before her entry";
  for (int i = 0; i < 20; ++i) pumpOnce();
  EXPECT_EQ(gameMessagesAnnSaw(*ann), 0u) << "Ann hears nothing Mallory did before she entered";
  malloryEnters();
  const wire::WireOut again = wire::helloMessage("Ann", 1);
  const Bytes damaged[] = {
      Bytes{2, 47, 1, 0, 100, 0},                                  // a statistic only hosts send
      Bytes{11, 113, 9, 2}, Bytes{11, 114, 2, 1},                  // trade replies naming nobody, itself
      Bytes{2, 39, 0, 0, 0xA0, 0xC0, 10},                          // damage -5
      Bytes{2, 39, 0, 0, 0x80, 0x7F, 10},                          // infinite damage
      Bytes{2, 39, 0, 0, 0, 0, 10}, Bytes{2, 39, 0, 0, 0, 0x80, 10},  // damage 0 and -0
      Bytes{2, 21, 0, 0, 0, 0, 0xFE, 0xFF, 0, 0, 0xFF, 0xFF, 0xFF, 0, 1},  // an item no content defines
      Bytes{10, 107, 5, 0, 8, 0, 255, 0, 0, 0, 0, 11, 0, 3, 0, 0, 0, 0},  // a forge slot, no forge open
      Bytes{5, 92, 0xF4, 0x01, 0, 0}, Bytes{5, 93, 1, 0, 0, 0},    // answers for entities never offered
      Bytes{0, 5, 200, 200}, Bytes{0, 5, 200, 200},                // entering without the world, twice
      Bytes(again.bytes().begin(), again.bytes().end()),             // a second hello, as Ann
      Bytes{2, 43}, Bytes{0}, Bytes{5, 78, 0xFF, 0xFF, 1},         // cut short, counts past the end
  };
  forged.insert(forged.end(), std::begin(damaged), std::end(damaged));
  script(forged);
  // A player action is the last request forwarded: by then Ann has every forward before it.
  ASSERT_TRUE(pumpUntil([&] {
    return std::any_of(ann->seen.begin(), ann->seen.end(), [](const Received& r) { return r.bytes[1] == 94; });
  })) << "the forged requests the host acts on reach Ann as Mallory's";

  EXPECT_FALSE(host->isShutDown());
  EXPECT_EQ(host->players().at(0)->name(), "Host");
  EXPECT_TRUE(admitted("Ann", 1));
  EXPECT_TRUE(admitted("Mallory", 2)) << "a second hello changes nothing";
  EXPECT_FALSE(ann->isShutDown());
  for (float amount : rules.damage) EXPECT_GT(amount, 0.0f);
  for (const Received& r : ann->seen) {
    for (uint8_t peer : peersNamed(r.bytes)) EXPECT_EQ(peer, 2) << "message " << int(r.bytes[0]) << "/" << int(r.bytes[1]);
  }

  // The host's own departure, from Mallory: Mallory leaves, Ann hears it of Mallory.
  script({Bytes{0, 4, 0, 0}});
  ASSERT_TRUE(pumpUntil([&] { return host->players().at(2) == nullptr; }));
  ASSERT_TRUE(pumpUntil([&] { return nettest::hasSeen(ann->seen, Received{Bytes{0, 4, 2, 0}, 0}); }));
  EXPECT_FALSE(host->isShutDown());
  EXPECT_TRUE(admitted("Ann", 1));

  nettest::LoopbackClient* cy = join("Cy");
  ASSERT_NE(cy, nullptr);
  EXPECT_TRUE(pumpUntil([&] { return admitted("Cy", 2) || admitted("Cy", 3); })) << "an honest client still joins";
  EXPECT_FALSE(cy->isShutDown());
}

namespace {

Bytes bytesOf(const wire::WireOut& out) { return Bytes(out.data(), out.data() + out.size()); }

Bytes editRequest(uint8_t kind, uint16_t x, uint16_t y, uint16_t value) {
  BlockEdit edit;
  edit.kind = kind;
  edit.x = x;
  edit.y = y;
  edit.blockId = value;
  edit.extra = 1;
  return bytesOf(wire::WireOut(wire::outgoing(60, wire::Side::Client)).u8(0).blockEdit(edit));
}

bool annSawId(const nettest::LoopbackClient& ann, uint8_t id) {
  return std::any_of(ann.seen.begin(), ann.seen.end(), [id](const Received& r) { return r.bytes[1] == id; });
}

}  // namespace

TEST_F(HostileClient, AnEnteredClientChangesOnlyWhatItsGameMayAndWithinItsBounds) {
  constexpr uint16_t kDirt = 10;
  // A world of the adventure, where nobody flies or reaches across the screen.
  world = std::make_unique<World>(nullptr, WorldParams{}, 40, 20);
  world->setContext({.rules = &rules});
  rules.setWorld(world.get());
  world->cellAt(30, 10)->setLayer(kDirt, 0, MapBlock::kFront);
  startHost(4);
  host->setWorld(world.get());
  nettest::LoopbackClient* ann = join("Ann");
  ASSERT_NE(ann, nullptr);
  ASSERT_TRUE(pumpUntil([&] { return admitted("Ann", 1); }));
  mallory = std::make_unique<enet::EnetClient>(&malloryHears, kel::NetBridgeSetup{});
  ASSERT_TRUE(mallory->startWith(kel::base::DesktopDirectConnectionInfo(nettest::kLoopback, port)));
  // A hello longer than its layout (a later version's extra bytes) is read up to its layout.
  Bytes longHello = bytesOf(wire::helloMessage("Mallory"));
  longHello.insert(longHello.end(), 10, 0xEE);
  mallory->send(longHello.data(), static_cast<uint32_t>(longHello.size()));
  ASSERT_TRUE(pumpUntil([&] { return admitted("Mallory", kMallory); })) << "a long hello is answered";
  malloryEnters();
  ann->seen.clear();

  script({
      editRequest(7, 30, 10, 0),    // a removal across the map
      editRequest(20, 0, 1, 10),    // an explosion of radius 10
      editRequest(16, 0, 1, 1),     // a liquid poured
      editRequest(2, 1, 1, kDirt),  // a block set with nothing held
      editRequest(9, 0, 1, 300),    // a decoration (a lock) taken off
      Bytes{2, 46, kMallory, 200},  // a mode byte no game has
      Bytes{2, 46, kMallory, 1},    // free flight where the host's player may not fly
  });
  Bytes longChat = bytesOf(wire::WireOut(wire::outgoing(43, wire::Side::Client)).peer(kMallory).chat("hi all"));
  longChat.insert(longChat.end(), 21, 'x');
  script({longChat});
  ASSERT_TRUE(pumpUntil([&] { return annSawId(*ann, 43); })) << "a long chat line is cut, not dropped";

  const auto chat = std::find_if(ann->seen.begin(), ann->seen.end(), [](const Received& r) { return r.bytes[1] == 43; });
  EXPECT_EQ(chat->bytes.size(), 99u);
  EXPECT_EQ(world->cellAt(30, 10)->frontId(), kDirt) << "the far cell stays";
  EXPECT_EQ(world->cellAt(1, 1)->frontId(), 0);
  EXPECT_EQ(world->cellAt(0, 1)->frontId(), 0);
  EXPECT_EQ(host->entryOf(kMallory)->player()->mode, 0);
  EXPECT_FALSE(annSawId(*ann, 60)) << "no refused edit reaches Ann";
  EXPECT_FALSE(annSawId(*ann, 46)) << "nor a refused mode";
  ASSERT_TRUE(pumpUntil([&] { return malloryIsTold().size() >= 5; }));
  const std::vector<std::string> told = malloryIsTold();
  EXPECT_EQ(told, (std::vector<std::string>{"That is out of your reach.", "That change is not yours to make.",
                                            "That change is not yours to make.",
                                            "Your game did not tell the host what you carry: it lets you spend "
                                            "only what you got here.",
                                            "That change is not yours to make."}))
      << "a client that never declared her items is told so, not that she lacks what she holds";
}

namespace {

constexpr uint16_t kApple = 20;
constexpr uint16_t kGem = 21;

// An item as the wire carries it: word, id, count, durability, variant.
Bytes withItem(Bytes head, uint16_t id, uint16_t count) {
  const Bytes item{0, 0, 0, 0, static_cast<uint8_t>(id), static_cast<uint8_t>(id >> 8), static_cast<uint8_t>(count),
                   static_cast<uint8_t>(count >> 8), 0, 0, 0};
  head.insert(head.end(), item.begin(), item.end());
  return head;
}

}  // namespace

// The host takes what a client drops, throws, eats or summons with out of its own copy of what the
// client carries: a client that names items it never carried puts nothing on the host's ground.
TEST_F(HostileClient, ForgedDropsThrowsEatsAndSummonsPutNothingOnTheHostsGround) {
  malloryAloneInAWorldOfItems();
  ASSERT_EQ(host->joinStage(1), host::JoinStage::Entered);

  std::vector<Bytes> forged = {
      withItem({2, 19, 1}, kApple, 2),  // all she carries as she enters: two apples
      withItem({2, 42}, kApple, 1),     // one of them dropped: hers to drop
      withItem({2, 19, 1}, kGem, 99),   // a second inventory, richer: too late
      withItem({2, 42}, kApple, 5),     // more apples than she has left
      withItem({2, 31}, kGem, 1),       // a gem eaten
      withItem({2, 56}, kGem, 1),       // a gem as her pet's trinket
  };
  Bytes thrown = withItem({2, 24}, kGem, 1);
  const Bytes aim{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xA0, 0x40, 0, 0, 0, 0, 0};  // point, speed 5, angle 0, flags
  thrown.insert(thrown.end(), aim.begin(), aim.end());
  forged.push_back(thrown);
  for (int i = 0; i < 50; ++i) forged.push_back(withItem({2, 42}, kGem, 1));
  script(forged);

  EXPECT_EQ(rules.grounded, (std::vector<std::pair<uint16_t, uint16_t>>{{kApple, 1}}))
      << "only the apple she carried reaches the ground";
  ASSERT_TRUE(pumpUntil([&] { return malloryIsTold().size() >= 54; }));
  for (const std::string& text : malloryIsTold()) EXPECT_EQ(text, "You do not hold that.");
  resetContentTables();
}

namespace {

// Recipe row 0 as a test's content: one apple, laid alone, makes a gem.
void appleMakesAGem() { test_rows::setRecipe(0, {.layout = 0, .cells = 1, .result = kGem, .grid = {kApple}}); }

// [2][49]: the recipe row, then the stacks the craft used up.
Bytes craft(uint16_t row, const std::vector<std::pair<uint16_t, uint16_t>>& spent) {
  Bytes message{2, 49, static_cast<uint8_t>(row), static_cast<uint8_t>(row >> 8), static_cast<uint8_t>(spent.size())};
  for (const auto& [id, count] : spent) message = withItem(message, id, count);
  return message;
}

}  // namespace

// A client's craft is paid out of the host's copy of what it carries: a craft that names no
// recipe, pays with what the recipe does not ask for or with what she does not hold gives her
// nothing to drop; an honest one gives her the result, and only that reaches the ground.
TEST_F(HostileClient, ForgedCraftsGiveNothingToDrop) {
  malloryAloneInAWorldOfItems();
  ASSERT_EQ(host->joinStage(1), host::JoinStage::Entered);
  appleMakesAGem();
  script({
      withItem({2, 19, 1}, kApple, 1),    // all she carries: one apple
      craft(0, {{kGem, 1}}),              // a gem made of a gem
      craft(0, {{kApple, 2}}),            // two apples spent where she holds one
      craft(5000, {{kApple, 1}}),         // no such recipe
      craft(0, {}),                       // made of nothing
      withItem({2, 42}, kGem, 1),         // the gem none of those made, dropped
      craft(0, {{kApple, 1}}),            // her apple, crafted honestly
      withItem({2, 42}, kGem, 1),         // the gem it made, dropped
      craft(0, {{kApple, 1}}),            // the same apple again
      withItem({2, 42}, kGem, 1),         // a second gem
  });
  EXPECT_EQ(rules.grounded, (std::vector<std::pair<uint16_t, uint16_t>>{{kGem, 1}}))
      << "only the gem her apple made reaches the ground";
  ASSERT_TRUE(pumpUntil([&] { return malloryIsTold().size() >= 7; }));
  const std::string notPaid = craftRefusalText(CraftOutcome::MissingIngredients);
  const std::string noRecipe = craftRefusalText(CraftOutcome::UnknownRecipe);
  const std::string notHeld = "You do not hold that.";
  EXPECT_EQ(malloryIsTold(), (std::vector<std::string>{notPaid, notPaid, noRecipe, notPaid, notHeld, notPaid, notHeld}));
  resetContentTables();
}

namespace {

constexpr uint16_t kBag = 63;       // its fixed drop: 20 to 30 of item 64, always
constexpr uint16_t kBagFind = 64;

// Item 63 a bag, opened by its holder, and what it holds an item that stacks.
void bagsInTheContent() {
  ItemDef& bag = contentTables().itemDefs[kBag];
  bag.defined = true;
  bag.record.bytes[content::item_record::kind] = 2;
  ItemDef& find = contentTables().itemDefs[kBagFind];
  find.defined = true;
  find.record.bytes[content::item_record::freeStack] = 1;
}

}  // namespace

// A bag is rolled on the host, out of its copy of what the client carries: an open of a bag she
// does not hold, or of an item that is no bag, finds nothing; her own bag opens once, and what it
// held is hers to drop.
TEST_F(HostileClient, ForgedBagOpensFindNothing) {
  malloryAloneInAWorldOfItems();
  ASSERT_EQ(host->joinStage(1), host::JoinStage::Entered);
  bagsInTheContent();
  script({
      withItem({2, 19, 1}, kBag, 1),     // all she carries: one bag
      withItem({2, 50}, kApple, 1),      // an apple opened as a bag
      withItem({2, 50}, kBag, 1),        // her bag, opened honestly
      withItem({2, 50}, kBag, 1),        // the same bag again
      withItem({2, 42}, kBagFind, 20),   // twenty of what it held, dropped
  });
  EXPECT_EQ(rules.grounded, (std::vector<std::pair<uint16_t, uint16_t>>{{kBagFind, 20}}))
      << "only what her one bag held reaches the ground";
  ASSERT_TRUE(pumpUntil([&] { return malloryIsTold().size() >= 2; }));
  EXPECT_EQ(malloryIsTold(), (std::vector<std::string>{"That does not open.", "You do not hold that."}));
  std::vector<Bytes> contents;
  for (const Received& r : malloryGot) {
    if (r.bytes.size() >= 2 && r.bytes[0] == 2 && r.bytes[1] == 51) contents.push_back(r.bytes);
  }
  ASSERT_EQ(contents.size(), 1u) << "one bag opened";
  const Bytes& content = contents.front();
  ASSERT_EQ(content.size(), 13u);
  EXPECT_EQ(content[6] | content[7] << 8, kBagFind);
  const int count = content[8] | content[9] << 8;
  EXPECT_GE(count, 20);
  EXPECT_LE(count, 30);
  resetContentTables();
}
