// The HUD on the main view: the portrait following health and breath, the quick row showing the
// inventory's quick slots and the selected one, and both placed again for a new window size.

#include <gtest/gtest.h>

#include "engine/scene/director.h"
#include "game/inventory/inventory.h"
#include "tests/ui/play_fixture.h"
#include "ui/hud/hud.h"
#include "ui/hud/quick_slots.h"
#include "ui/views/main_view.h"
#include "view/inventory/inventory_sprite.h"
#include "view/player/portrait_frame.h"

namespace {

using HudTest = ui_test::MainViewPlayTest;

TEST_F(HudTest, TheHudFollowsHealthBreathAndTheQuickRow) {
  local->health = local->stats.maxHealth / 2;
  local->breath = PlayerBase::kFullBreath / 4;
  local->inventory->setSlot({SlotKind::Quick, 1, 0}, ItemPtr(game_test::makeItem(game_test::kStone, 7)));
  local->inventory->select(1);
  main().refreshCamera();
  ASSERT_NE(main().hud().portrait(), nullptr);
  EXPECT_FLOAT_EQ(main().hud().portrait()->health(), 0.5f);
  EXPECT_FLOAT_EQ(main().hud().portrait()->breath(), 0.25f);
  EXPECT_EQ(main().hud().quickSlots().selected(), 1);
  EXPECT_EQ(main().hud().quickSlots().face(1).count, 7);
  EXPECT_EQ(main().hud().quickSlots().face(1).durability, -1.0f) << "stone does not wear";
  EXPECT_TRUE(main().hud().quickSlots().face(0).name.empty());
  // Each slot is a slot sprite of the quick row: the held one in its selected frame.
  const InventorySprite* held = main().hud().quickSlots().sprite(1);
  ASSERT_NE(held, nullptr);
  EXPECT_EQ(held->slot(), (SlotRef{SlotKind::Quick, 1, 0}));
  EXPECT_EQ(held->elementState(), held->slotKind()->selectedId);
  EXPECT_EQ(held->slotItem(), local->inventory->slotItem({SlotKind::Quick, 1, 0}));
  const InventorySprite* other = main().hud().quickSlots().sprite(0);
  EXPECT_EQ(other->elementState(), other->slotKind()->normalId);
  EXPECT_EQ(main().hud().quickSlots().slotAt(held->getPosition()), 1);
  local->inventory->select(0);
  main().refreshCamera();
  EXPECT_EQ(held->elementState(), held->slotKind()->normalId);
  EXPECT_EQ(other->elementState(), other->slotKind()->selectedId);
  // Leaving the main view lets the sprites go; coming back makes them again.
  views().switchTo(ViewId::Death);
  EXPECT_EQ(main().hud().quickSlots().sprite(1), nullptr);
  views().switchTo(ViewId::Main);
  ASSERT_NE(main().hud().quickSlots().sprite(1), nullptr);
  EXPECT_EQ(main().hud().quickSlots().sprite(1)->slotItem(), local->inventory->slotItem({SlotKind::Quick, 1, 0}));
}

TEST_F(HudTest, ANewWindowSizePlacesTheQuickBarAndThePortraitAgain) {
  engine::Director* director = engine::Director::getInstance();
  director->designResolutionChanged(engine::Size(1280, 720));
  views().layOut();
  const InventorySprite* before = main().hud().quickSlots().sprite(0);
  ASSERT_NE(before, nullptr);
  ASSERT_FLOAT_EQ((before->getPositionX() + main().hud().quickSlots().sprite(9)->getPositionX()) / 2, 640.0f);

  director->designResolutionChanged(engine::Size(800, 600));
  views().layOut();
  const QuickSlots& quick = main().hud().quickSlots();
  ASSERT_NE(quick.sprite(0), nullptr) << "shown again at once";
  ASSERT_NE(quick.sprite(9), nullptr);
  EXPECT_FLOAT_EQ((quick.sprite(0)->getPositionX() + quick.sprite(9)->getPositionX()) / 2, 400.0f) << "centred";
  EXPECT_LT(quick.sprite(9)->getPositionX(), 800.0f);
  EXPECT_EQ(quick.slotAt(quick.sprite(9)->getPosition()), 9) << "the pointer finds the slots where they are drawn";
  ASSERT_NE(main().hud().portrait(), nullptr);
  EXPECT_LT(main().hud().portrait()->getPositionY(), 600.0f) << "the portrait stays under the window's top";
  EXPECT_GT(main().hud().portrait()->getPositionY(), 500.0f);
}

}  // namespace
