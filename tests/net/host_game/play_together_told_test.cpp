// What the host's rules tell or show the player who acted reaches that player, over real ENet on
// 127.0.0.1: a joined player's placement in a protected area is refused with the text and the cell
// effect on her screen (none of it on the host's), and the host's forge, open in her inventory,
// shows its smelting on her screen without a click; she fills it from her inventory and takes its bar. A chest she opens opens her inventory view at
// the container's page, and food she eats flashes her health icon: on her screen, never the host's.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "content/tables/craft_def.h"
#include "content/texts/language_texts.h"
#include "game/player/player_events.h"
#include "game/rules/consumption_rules.h"
#include "net/wire/wire_out.h"
#include "tests/net/host_game/play_together.h"
#include "world/blocks/block_entity_cast.h"
#include "world/blocks/forge.h"
#include "world/edits/cell_edit.h"
#include "world/protection/protected_areas.h"

namespace nettest {
namespace {

constexpr uint16_t kForge = 33;
constexpr uint16_t kCoal = 64;         // burns 30 steps
constexpr uint16_t kOre = 65;          // smelts in 5 steps
constexpr uint16_t kBar = 1538;        // what the ore becomes
constexpr uint8_t kRefusedEffect = 13;
constexpr int16_t kProtectedText = 149;

// What the host's screen is told of its clients' players.
class HostScreen final : public HostPlayersView, public PlayerEvents {
 public:
  void clientPlayerShown(PlayerBase&) override {}
  void clientPlayerGone(const PlayerBase&) override {}
  PlayerEvents* clientEvents() override { return this; }
  void tileEffect(PlayerGraphical&, const MapBlock&, uint8_t kind) override { cellEffects.push_back(kind); }
  void message(uint8_t, const std::string& text) override { messages.push_back(text); }
  void textById(uint8_t, int16_t id) override { messages.push_back(std::to_string(id)); }
  void inventoryView(uint8_t page) override { pages.push_back(page); }
  void healthFlash(bool damage) override {
    if (!damage) ++heals;
  }
  std::vector<uint8_t> cellEffects;
  std::vector<std::string> messages;
  std::vector<uint8_t> pages;
  int heals = 0;
};

// Food: eaten, it heals. The first the content makes by a recipe.
uint16_t someFood() {
  for (const CraftDef& recipe : contentTables().craftDefs) {
    const uint16_t id = recipe.result();
    if (recipe.resultCount() == 0 || id == 0 || id >= contentTables().itemDefs.size()) continue;
    const ItemDef& def = contentTables().itemDefs[id];
    if (def.defined && isConsumable(Item(id, 0, 1, 0, 0)) && !isPotionItem(id) && def.record.value() > 0) return id;
  }
  return 0;
}

class PlayTogetherTold : public PlayTogether {
 protected:
  void SetUp() override {
    std::string json = "{\"strings\": [";
    for (int id = 0; id <= kProtectedText; ++id) {
      json += id > 0 ? ",\"" : "\"";
      json += id == kProtectedText ? "This area is protected." : "text " + std::to_string(id);
      json += "\"";
    }
    ASSERT_TRUE(languageTexts().loadText(json + "]}"));
    PlayTogether::SetUp();
  }
  void TearDown() override {
    PlayTogether::TearDown();
    server.setPlayersView(nullptr);  // the host's screen goes before the endpoint
    languageTexts().loadText(R"({"strings": []})");
  }
  HostPlayersView* hostView() override { return &screen; }

  // Room to stand in column x, on a floor of the ground's block, the same on every machine.
  MapBlock& roomWithFloor(int32_t x) {
    MapBlock& cell = standingRoom(x);
    for (World* world : {hostWorld, ann->world(), bo->world()}) {
      WorldMap& map = world->map();
      map.cellAt(map.wrapX(x), cell.y - 1)->front = ground->front;
    }
    return cell;
  }
  // She stands on the floor of column x, where the host has her too.
  MapBlock& herPlace(int32_t x) {
    MapBlock& cell = roomWithFloor(x);
    onHost(kAnn).setCellCoordinates(cell.x, cell.y);
    walk(*ann, cell);
    EXPECT_TRUE(runUntil([&] { return onHost(kAnn).cellX == cell.x && onHost(kAnn).cellY == cell.y; }));
    return cell;
  }

  // The host's forge beside her, in every machine's world, with the rules' forge task running;
  // null when it was not made.
  Forge* hostsForgeBesideHer() {
    session->game().startTimers();
    herPlace(column + 6);
    MapBlock& cell = roomWithFloor(column + 7);
    BlockEdit edit = editForCell(cell, edit_kind::kSetLayerBlock, kForge);
    edit.layer = MapBlock::kFront;
    if (!hostWorld->rules().editBlock(edit, nullptr)) return nullptr;
    const bool shown = runUntil([&] { return ann->world()->cellAt(cell.x, cell.y)->frontId() == kForge; });
    return shown ? hostWorld->forges().findAt(cell) : nullptr;
  }
  // She opens the forge on her own screen.
  bool sheOpens(const Forge& forge) {
    const MapBlock& cell = forge.cell();
    return ann->game().useBlock(*ann->world()->cellAt(cell.x, cell.y), MapBlock::kFront) &&
           runUntil([&] { return block_entity_cast<Forge>(ann->player().openContainer()) != nullptr; });
  }

  HostScreen screen;
};

TEST_P(PlayTogetherTold, SheIsToldOnHerScreenThatACellIsProtected) {
  const BlockItem block = stackingBlockItem();
  ASSERT_NE(block.item, 0);
  MapBlock& standing = herPlace(column + 6);
  MapBlock& aside = roomWithFloor(column + 7);
  hostWorld->protectedAreas().add(aside, 4);
  carry(*ann, 0, block.item, 5);
  hold(*ann, 0);
  ASSERT_TRUE(runUntil([&] { return onHost(kAnn).heldItem() != nullptr; }));
  ASSERT_EQ(standing.y, aside.y);

  edit(*ann, edit_kind::kPlace, aside, block.block);
  const auto told = [&] {
    const auto& lines = ann->log.messages;
    return std::find(lines.begin(), lines.end(), "This area is protected.") != lines.end();
  };
  EXPECT_TRUE(runUntil(told)) << "the refusal's text never reached her";
  const auto shown = [&] {
    const auto& effects = ann->log.cellEffects;
    return std::any_of(effects.begin(), effects.end(), [&](const PlayerLog::CellEffect& e) {
      return e.x == aside.x && e.y == aside.y && e.kind == kRefusedEffect;
    });
  };
  EXPECT_TRUE(runUntil(shown)) << "the refusal's effect did not play on her screen";
  settle();
  EXPECT_TRUE(screen.cellEffects.empty()) << "the refusal's effect played on the host's screen";
  EXPECT_TRUE(screen.messages.empty());
  EXPECT_EQ(hostWorld->cellAt(aside.x, aside.y)->frontId(), 0) << "nothing was placed";
  EXPECT_EQ(onHost(kAnn).items().countOf(block.item), 5u) << "nothing was spent";
}

TEST_P(PlayTogetherTold, HerOpenForgeShowsTheHostsSmeltingWithoutAClick) {
  Forge* forge = hostsForgeBesideHer();
  ASSERT_NE(forge, nullptr);
  ASSERT_TRUE(sheOpens(*forge)) << "the forge did not open for her";
  const auto herForge = [&] { return block_entity_cast<Forge>(ann->player().openContainer()); };

  // The host's own player fills it: fuel and ore, and the forge burns.
  forge->setItem(Forge::kFuel, newItem(kCoal, 0, 1, 0, 0));
  forge->setItem(Forge::kInput, newItem(kOre, 0, 3, 0, 0));
  ASSERT_TRUE(forge->burning());

  // Her copy follows each step of the rules' forge task: the counters move, then the bar appears.
  EXPECT_TRUE(runUntil([&] { return herForge() != nullptr && herForge()->burning() && herForge()->fuelLeft() < 30; }))
      << "her forge's counters stood still";
  EXPECT_TRUE(runUntil([&] {
    const Item* out = herForge() != nullptr ? herForge()->itemAt(Forge::kOutput) : nullptr;
    return out != nullptr && out->id == kBar;
  }, 60)) << "the host's forge made a bar and hers stayed empty";
  ASSERT_NE(forge->itemAt(Forge::kOutput), nullptr);
  EXPECT_EQ(herForge()->itemAt(Forge::kOutput)->count, forge->itemAt(Forge::kOutput)->count);
}

// She fills the host's forge from her own inventory, as her inventory view moves stacks, and takes
// the bar it makes: the host's forge smelts what she put in, and her items and the host's copy of
// them agree at each step.
TEST_P(PlayTogetherTold, SheFillsTheHostsForgeFromHerInventoryAndTakesTheBar) {
  Forge* forge = hostsForgeBesideHer();
  ASSERT_NE(forge, nullptr);
  carry(*ann, 0, kCoal, 1);
  carry(*ann, 1, kOre, 3);
  ASSERT_TRUE(sheOpens(*forge));

  Inventory& hers = ann->inventory();
  ASSERT_TRUE(hers.swapSlots({SlotKind::Quick, 0, 0}, {SlotKind::EntityItem, Forge::kFuel, 0})) << "the fuel cell took nothing";
  ASSERT_TRUE(hers.swapSlots({SlotKind::Quick, 1, 0}, {SlotKind::EntityItem, Forge::kInput, 0}));
  EXPECT_TRUE(runUntil([&] { return forge->burning(); })) << "the host's forge never got her coal and ore";
  EXPECT_EQ(onHost(kAnn).items().countOf(kCoal), 0u) << "the host's copy of her items still holds the coal";
  EXPECT_EQ(onHost(kAnn).items().countOf(kOre), 0u);

  ASSERT_TRUE(runUntil([&] {
    const Item* out = hers.slotItem({SlotKind::EntityItem, Forge::kOutput, 0});
    return out != nullptr && out->id == kBar;
  }, 60)) << "no bar reached her forge";
  ASSERT_TRUE(hers.swapSlots({SlotKind::EntityItem, Forge::kOutput, 0}, {SlotKind::Quick, 2, 0}));
  const Item* bar = hers.slotItem({SlotKind::Quick, 2, 0});
  ASSERT_NE(bar, nullptr);
  const uint32_t taken = bar->count;
  EXPECT_TRUE(runUntil([&] { return onHost(kAnn).items().countOf(kBar) == taken; }))
      << "the host's copy of her items lacks the bar she took";
}

// A forge slot her game never could send: coal she does not carry, into the forge she has open.
// The host's forge takes nothing, and what it holds stays hers to take.
TEST_P(PlayTogetherTold, CoalSheDoesNotCarryIsNotPutIntoTheHostsForge) {
  Forge* forge = hostsForgeBesideHer();
  ASSERT_NE(forge, nullptr);
  ASSERT_TRUE(sheOpens(*forge));
  const Item coal(kCoal, 0, 5, -1, 0);
  wire::WireOut out = wire::clientMessage(wire::ForgeMsg::ForgeSlot);
  out.cell(static_cast<uint16_t>(forge->cell().x), static_cast<uint16_t>(forge->cell().y)).u8(Forge::kFuel).item(&coal);
  ann->net.send(out.data(), static_cast<uint32_t>(out.size()), 0);
  // Her next real fill is heard after the forged one: once it is in, the forged one was judged.
  carry(*ann, 1, kOre, 2);
  ASSERT_TRUE(ann->inventory().swapSlots({SlotKind::Quick, 1, 0}, {SlotKind::EntityItem, Forge::kInput, 0}));
  ASSERT_TRUE(runUntil([&] { return forge->itemAt(Forge::kInput) != nullptr; }));
  EXPECT_EQ(forge->itemAt(Forge::kFuel), nullptr) << "the host's forge took coal she never carried";
  EXPECT_FALSE(forge->burning());
}

// The host's own player tells the same screen as its clients' copies: whatever reaches it for her
// action reached the host's view.
class PlayTogetherOwnScreen : public PlayTogetherTold {
 protected:
  PlayerEvents* hostEvents() override { return &screen; }
};

TEST_P(PlayTogetherOwnScreen, AChestOpensTheContainerPageOnlyOnTheScreenOfWhoOpenedIt) {
  herPlace(column + 6);
  MapBlock& hers = roomWithFloor(column + 7);
  placeChest(hers, 8);
  ASSERT_TRUE(ann->game().useBlock(*ann->world()->cellAt(hers.x, hers.y), MapBlock::kFront));
  ASSERT_TRUE(runUntil([&] { return block_entity_cast<Chest>(ann->player().openContainer()) != nullptr; }))
      << "the chest did not open for her";
  EXPECT_EQ(ann->log.pages, std::vector<uint8_t>{inventory_page::kContainer}) << "her view opened the container page";
  settle();
  EXPECT_TRUE(screen.pages.empty()) << "the host's inventory view opened for her chest";
  EXPECT_EQ(hostPlayer().openContainer(), nullptr);
  EXPECT_TRUE(bo->log.pages.empty());

  // The host's own chest, beside him, opens on his screen and nobody else's.
  MapBlock& his = standingRoom(hostPlayer().cellX + 1);
  Chest& chest = placeChest(his, 8);
  ASSERT_TRUE(session->game().useBlock(his, MapBlock::kFront));
  EXPECT_EQ(hostPlayer().openContainer(), &chest);
  EXPECT_EQ(screen.pages, std::vector<uint8_t>{inventory_page::kContainer});
  settle();
  EXPECT_EQ(ann->log.pages.size(), 1u);
  EXPECT_TRUE(bo->log.pages.empty());
}

TEST_P(PlayTogetherOwnScreen, FoodSheEatsFlashesHerHealthIconAndNotTheHosts) {
  const uint16_t food = someFood();
  ASSERT_NE(food, 0) << "the content has a food";
  carry(*ann, 0, food, 2);
  const float hungry = ann->player().stats.maxHealth / 4;
  ann->player().health = hungry;
  onHost(kAnn).health = hungry;
  ASSERT_TRUE(ann->game().consumeItem(ann->inventory().slotItem({SlotKind::Quick, 0, 0})));
  ASSERT_TRUE(runUntil([&] { return ann->player().health > hungry; })) << "the host fed her";
  EXPECT_GE(ann->log.heals, 1) << "her health icon did not flash";
  settle();
  EXPECT_EQ(screen.heals, 0) << "the host's health icon flashed for her meal";
  EXPECT_EQ(bo->log.heals, 0);
}

INSTANTIATE_TEST_SUITE_P(OverEnet, PlayTogetherTold, ::testing::Values(false));
INSTANTIATE_TEST_SUITE_P(OverEnet, PlayTogetherOwnScreen, ::testing::Values(false));

}  // namespace
}  // namespace nettest
