// A slot sprite and a tooltip drawn for real and read back from the frame.

#include <memory>

#include "content/format/record_layout.h"
#include "content/items/item.h"
#include "content/tables/content_tables.h"
#include "content/texts/language_texts.h"
#include "tests/support/language_texts_reset.h"
#include "engine/sprite/sprite.h"
#include "engine/text/label.h"
#include "engine/text/label_colored.h"
#include "game/inventory/inventory.h"
#include "game/player/player.h"
#include "tests/view/overlay_gl_fixture.h"
#include "view/atlas/game_textures.h"
#include "view/inventory/inventory_sprite.h"
#include "view/inventory/item_tooltip.h"
#include "view/inventory/tooltip_multi_line.h"

namespace overlay_test {
namespace {

using spritetest::near;
using spritetest::Rgba;

constexpr uint16_t kStone = kStoneIcon;

class SlotDraw : public OverlayGLFixture {
 protected:
  void SetUp() override {
    OverlayGLFixture::SetUp();
    resetContentTables();
    ItemDef& stone = contentTables().itemDefs[kStone];
    stone.record.bytes[content::item_record::kind] = 4;
    stone.record.bytes[content::item_record::freeStack] = 1;
    stone.defined = true;
    player = std::make_unique<Player>(nullptr);
  }
  void TearDown() override {
    OverlayGLFixture::TearDown();  // the sprites go with the scene, before the player
    player.reset();
    resetContentTables();
  }
  std::unique_ptr<Player> player;
};

TEST_F(SlotDraw, TheFrameFollowsTheSelectionAndTheIconSitsInItsMiddle) {
  player->inventory->setSlot({SlotKind::Backpack, 0, 0}, newItem(kStone, 0, 5, 0, 0));
  InventorySprite* cell = InventorySprite::createForSlot(player.get(), {SlotKind::Backpack, 0, 0},
                                                         engine::Vec2(64, 64));
  ASSERT_NE(cell, nullptr);
  scene_->addChild(cell, 0);
  cell->refreshCount(true);  // now that it has a parent, the pieces go beside it
  ASSERT_NE(cell->icon(), nullptr);
  ASSERT_NE(cell->countLabel(), nullptr);
  EXPECT_EQ(cell->countLabel()->getString(), "5");
  frame();
  // The 21-point frame spans 53.5-74.5, the 16-point icon 56-72.
  EXPECT_TRUE(near(pixel(54, 64), spritetest::kRed));
  EXPECT_TRUE(near(pixel(64, 66), kYellow));
  cell->select();
  frame();
  EXPECT_TRUE(near(pixel(54, 64), spritetest::kBlue));
  // A stack of one shows no count.
  player->inventory->slotItem({SlotKind::Backpack, 0, 0})->count = 1;
  cell->refresh();
  EXPECT_EQ(cell->countLabel(), nullptr);
}

class TooltipDraw : public OverlayGLFixture {};

TEST_F(TooltipDraw, APanelOfOneLineStandsAboveAPointInTheLowerHalfWithItsText) {
  TooltipMultiLine* tooltip = TooltipMultiLine::create();
  ASSERT_NE(tooltip, nullptr);
  scene_->addChild(tooltip, 0);
  tooltip->layout("Iron Pick", engine::Vec2(64, 20), false, 0);
  // One line of the 23-point font at half scale plus 4: 15.5, made even.
  EXPECT_EQ(tooltip->panelSize().height, 16);
  EXPECT_EQ(tooltip->titleLabel()->getString(), "Iron Pick");
  EXPECT_EQ(tooltip->bodyLabel()->getString(), "");
  EXPECT_FLOAT_EQ(tooltip->getPositionY(), 20 + 8 + 10);
  EXPECT_LT(tooltip->arrow()->getPositionY(), 0);  // under the panel, pointing down
  frame();
  const engine::Size panel = tooltip->panelSize();
  const int left = static_cast<int>(64 - panel.width / 2) + 1, right = static_cast<int>(64 + panel.width / 2) - 1;
  int green = 0, dark = 0;
  for (int x = left; x < right; ++x) {
    for (int y = 31; y < 45; ++y) {
      const Rgba colour = pixel(x, y);
      if (near(colour, spritetest::kGreen, 8)) ++green;
      if (colour[0] < 60 && colour[1] < 60) ++dark;  // the black title over the green panel
    }
  }
  EXPECT_GT(green, 100);
  EXPECT_GT(dark, 10);
}

TEST_F(TooltipDraw, NearTheLeftEdgeThePanelStaysInsideAndTheArrowLeansOut) {
  TooltipMultiLine* tooltip = TooltipMultiLine::create();
  ASSERT_NE(tooltip, nullptr);
  scene_->addChild(tooltip, 0);
  tooltip->layout("Iron Pick (tool)\nA long second line", engine::Vec2(4, 100), true, 0);
  const float half = static_cast<float>(static_cast<int>(tooltip->panelSize().width) / 2);
  EXPECT_FLOAT_EQ(tooltip->getPositionX(), half + 10);
  // The arrow leans towards the pointer but stops 4 points inside the corner piece.
  const float corner = tooltip->piece(TooltipMultiLine::TopLeft)->getPositionX();
  EXPECT_FLOAT_EQ(tooltip->arrow()->getPositionX(), std::max(4 - (half + 10), corner + 4));
  // A point in the upper half: the panel hangs below with the arrow flipped on top.
  EXPECT_LT(tooltip->getPositionY(), 100);
  EXPECT_GT(tooltip->arrow()->getPositionY(), 0);
  EXPECT_LT(tooltip->arrow()->getScaleY(), 0);
  EXPECT_EQ(tooltip->bodyLabel()->getString(), "A long second line");
}

TEST_F(SlotDraw, AnItemsTooltipIsTheHudsOneTooltipWithTheItemsLines) {
  engine::InnerNode* hud = engine::InnerNode::create();
  scene_->addChild(hud, 0);
  gameTextures().hudLayer = hud;
  resetLanguageTexts();
  std::string strings;
  for (int id = 0; id < 264; ++id) strings += "\"\",";
  ASSERT_TRUE(languageTexts().loadText(R"({"treasures": [{"id": 100, "name": "Stone"}], "strings": [)" +
                                       strings + R"("block"]})"));
  TooltipMultiLine* shown = showItemTooltip(Item(kStone, 0, 1, 0, 0), engine::Vec2(64, 30));
  ASSERT_NE(shown, nullptr);
  EXPECT_EQ(shown->getParent(), hud);
  EXPECT_TRUE(shown->isVisible());
  EXPECT_EQ(shown->titleLabel()->getMarkupText(), "Stone (^yblock^s)");
  EXPECT_EQ(showItemTooltip(Item(kStone, 0, 2, 0, 0), engine::Vec2(64, 90)), shown);  // one tooltip
  EXPECT_EQ(hud->getChildrenCount(), 1u);
  hideItemTooltip();
  EXPECT_FALSE(shown->isVisible());
  // An item nothing defines has no text: nothing shows.
  EXPECT_EQ(showItemTooltip(Item(3000, 0, 1, 0, 0), engine::Vec2(64, 30)), nullptr);
  EXPECT_FALSE(shown->isVisible());
  gameTextures().hudLayer = nullptr;
  resetLanguageTexts();
}

}  // namespace
}  // namespace overlay_test
