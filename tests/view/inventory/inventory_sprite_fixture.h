#pragma once
// A local player with a few shaped item rows, a recording inventory view whose windows map slots
// to the sprites a test made, and a HUD layer that holds them, for the slot sprites' tests. No
// atlas is loaded: the sprites and their pieces keep their rectangles without drawing.

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "content/format/record_layout.h"
#include "content/items/item.h"
#include "content/items/item_pool.h"
#include "content/tables/content_tables.h"
#include "engine/base/ref.h"
#include "engine/scene/inner_node.h"
#include "game/inventory/inventory.h"
#include "game/player/player.h"
#include "platform/settings/settings.h"
#include "view/atlas/game_textures.h"
#include "view/inventory/inventory_sprite.h"
#include "view/inventory/inventory_view_hooks.h"
#include "tests/support/settings_reset.h"

namespace sprite_test {

constexpr uint16_t kStone = 100;  // stacks freely
constexpr uint16_t kPick = 101;   // a tool of 100 durability
constexpr uint16_t kRock = 102;   // stacks, but not with stone

class RecordingView final : public InventoryViewHooks {
 public:
  bool inventoryShown() override { return shown; }
  InventorySprite* spriteForSlot(SlotRef slot) override {
    auto found = sprites.find(slot.pack());
    return found != sprites.end() ? found->second : nullptr;
  }
  SlotWindowSize windowSize(SlotKind kind) override { return kind == SlotKind::Backpack ? SlotWindowSize{6, 6} : SlotWindowSize{}; }
  bool isNewItemCell(SlotRef) override { return false; }
  void clearNewItemCell(SlotRef slot) override { clearedNew.push_back(slot); }
  void refreshEquipment(bool, uint8_t) override {}
  void refreshCraftPreview() override {}
  void refreshContainerPanel() override {}
  void refreshOpenWindow() override {}
  void openContainerPanel(uint8_t kind, InventorySprite&) override { panels.push_back(kind); }
  void refresh() override { ++refreshes; }
  InventorySprite* selectedSprite() override { return selected; }
  void setSelectedSprite(InventorySprite* sprite) override { selected = sprite; }
  void showFloatingLabel(const std::string& text, const engine::Vec2&) override { floated.push_back(text); }
  void showRecipeFor(uint16_t) override {}
  bool craftBookPageHolds(uint16_t) override { return false; }
  bool durabilityHidden() override { return false; }

  std::map<uint64_t, InventorySprite*> sprites;
  std::vector<SlotRef> clearedNew;
  bool shown = false;  // whether the inventory view is the current view
  std::vector<uint8_t> panels;
  std::vector<std::string> floated;
  InventorySprite* selected = nullptr;
  int refreshes = 0;
};

class SpriteTest : public ::testing::Test {
 protected:
  void SetUp() override {
    resetContentTables();
    testsupport::resetSettings();
    define(kStone, 4, true);
    define(kRock, 4, true);
    define(kPick, 1, false);
    // The tool record the pick's durability comes from.
    ToolSpec& tool = contentTables().toolSpecs.emplace_back();
    tool.bytes[content::tool_record::maxDurability] = 100;
    contentTables().itemDefs[kPick].tool = &tool;
    // The game's HUD layer, whose cells a selection walks.
    hud = engine::InnerNode::create();
    hud->retain();
    gameTextures().hudLayer = hud;
  }

  void TearDown() override {
    gameTextures().hudLayer = nullptr;
    hud->release();
    engine::PoolManager::getCurrentPool()->clear();
    testsupport::resetSettings();
  }

  static void define(uint16_t id, uint8_t kind, bool freeStack) {
    ItemDef& def = contentTables().itemDefs[id];
    def.record.bytes[content::item_record::kind] = kind;
    def.record.bytes[content::item_record::freeStack] = freeStack ? 1 : 0;
    def.defined = true;
  }

  static SlotRef backpack(int x, int y) {
    return {SlotKind::Backpack, static_cast<uint8_t>(x), static_cast<uint8_t>(y)};
  }
  void put(SlotRef slot, uint16_t id, uint16_t count) {
    player.inventory->setSlot(slot, newItem(id, 0, count, -1, 0));
  }
  const Item* at(SlotRef slot) const { return player.inventory->slotItem(slot); }
  uint16_t countAt(SlotRef slot) const {
    const Item* item = at(slot);
    return item != nullptr ? item->count : 0;
  }
  // A sprite of the slot that the view's windows know, kept by the HUD.
  InventorySprite* sprite(SlotRef slot) {
    InventorySprite* made = InventorySprite::createForSlot(&player, slot, engine::Vec2(0, 0));
    EXPECT_NE(made, nullptr);
    hud->addChild(made);
    view.sprites[slot.pack()] = made;
    return made;
  }

  Player player{nullptr};
  RecordingView view;
  engine::InnerNode* hud = nullptr;
  engine::Seam<InventoryViewHooks, NullInventoryViewHooks>::Scoped useView{inventoryViewHooksSeam(), view};
};

}  // namespace sprite_test
