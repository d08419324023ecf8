// The local player drawn by the running game's view: its parts from the character atlas at its
// cell, its held tool from the swing-item atlas, and a swing that moves the tool's pixels and
// brings them back. The test atlases are plain colours: the character red, the swing items green.

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "content/art/tool_atlas_layout.h"
#include "content/items/item.h"
#include "content/tables/content_tables.h"
#include "content/tables/item_def.h"
#include "game/inventory/inventory.h"
#include "tests/view/world_view_fixture.h"
#include "view/player/player_sprite.h"
#include "view/player/world_view_player_events.h"
#include "view/world_shot.h"

namespace {

using namespace worldgl;

constexpr uint16_t kPick = 5;
constexpr Rgba kBody{255, 0, 0, 255};
constexpr Rgba kTool{0, 255, 0, 255};

std::string plainPng(int size, const Rgba& colour) {
  rendertest::PngSpec png;
  png.width = size;
  png.height = size;
  png.pixels.assign(static_cast<size_t>(size) * size * 4, 0);
  for (size_t i = 0; i < png.pixels.size(); ++i) png.pixels[i] = static_cast<uint8_t>(colour[i % 4]);
  return rendertest::encodePng(png);
}

void putFloat(SwingSpec& spec, size_t offset, float value) { std::memcpy(&spec.bytes[offset], &value, 4); }

class PlayerDrawTest : public WorldViewTest {
 protected:
  void SetUp() override {
    WorldViewTest::SetUp();
    atlases.write("equip.png", plainPng(1024, kBody));
    // Wide enough for the copies turned an eighth, right of the upright pictures.
    atlases.write("tools.png", plainPng(art::kUprightToolWidth + 64, kTool));
    resetContentTables();
    for (float v : {0.0f, 0.0f, 16.0f, 16.0f}) putFloat(spec, 4 * filled++, v);   // the picture
    for (float v : {0.0f, 0.0f, 8.0f, 8.0f}) putFloat(spec, 4 * filled++, v);     // the hold box
    putFloat(spec, content::swing_record::originOffset, 6.0f);
    putFloat(spec, content::swing_record::originOffset + 4, 4.0f);
    putFloat(spec, content::swing_record::speedFactor, 1.0f);
    putFloat(spec, content::swing_record::swingAngle, 90.0f);
    contentTables().itemDefs[kPick].swingSpec = &spec;
    running.player->inventory->setSlot({SlotKind::Quick, 0, 0}, newItem(kPick, 0, 1, -1, 0));
    running.player->inventory->select(0);
  }
  void TearDown() override {
    if (running.player != nullptr) running.player->inventory->setSlot({SlotKind::Quick, 0, 0}, nullptr);
    WorldViewTest::TearDown();
    resetContentTables();
  }

  // Which pixels of the middle 120 px square show the colour.
  static std::vector<bool> where(const Rgba& colour) {
    constexpr int kSide = 120;
    constexpr int kFrom = kWindow / 2 - kSide / 2;
    std::vector<uint8_t> rgba(static_cast<size_t>(kSide) * kSide * 4);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(kFrom, kFrom, kSide, kSide, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    std::vector<bool> mask(static_cast<size_t>(kSide) * kSide);
    for (size_t i = 0; i < mask.size(); ++i) {
      mask[i] = near({rgba[i * 4], rgba[i * 4 + 1], rgba[i * 4 + 2], 255}, colour, 8);
    }
    return mask;
  }
  static size_t count(const std::vector<bool>& mask) {
    size_t n = 0;
    for (bool on : mask) n += on;
    return n;
  }

  SwingSpec spec;
  size_t filled = 0;
};

TEST_F(PlayerDrawTest, ThePlayerStandsAtItsCellWithItsToolInHand) {
  build();
  PlayerSprite* sprite = spriteOf(*running.player);
  ASSERT_NE(sprite, nullptr);
  // Placed through the camera from the start: the middle of the root node, lifted by the body offset.
  EXPECT_FLOAT_EQ(sprite->animator()->getPositionX(), 0.0f);
  EXPECT_FLOAT_EQ(sprite->animator()->getPositionY(), PlayerSprite::kRestLift);
  frame();
  EXPECT_TRUE(running.player->hasSprite);
  EXPECT_GT(count(where(kBody)), 400u) << "the body's parts cover the middle of the view";
  EXPECT_GT(count(where(kTool)), 100u) << "the held tool shows in the hand";
  EXPECT_TRUE(near(cellPixel(11, 11), {0, 0, 0, 255})) << "nothing of the player one cell up and right";
  layer->teardownWorldView();
  EXPECT_FALSE(running.player->hasSprite);
  EXPECT_TRUE(PlayerSprite::all().empty());
}

TEST_F(PlayerDrawTest, APlayerThatEndedBeforeTheViewTakesItsSpriteAlongUntouched) {
  running.player->carriedLight = 0x0F00;  // a lit sprite would take its light out of the map
  build();
  frame();
  ASSERT_EQ(PlayerSprite::all().size(), 1u);
  running.player->inventory->setSlot({SlotKind::Quick, 0, 0}, nullptr);
  running.player.reset();
  frame();
  EXPECT_TRUE(PlayerSprite::all().empty());
  EXPECT_FALSE(layer->hasWorldView());
}

TEST_F(PlayerDrawTest, AShotOfTheRunningGameShowsThePlayerInTheMiddleWithItsTool) {
  registerCustomShaders();
  loadGameTextures(atlases.path().string(), false);
  WorldShot shot;
  std::string error;
  ASSERT_TRUE(captureWorldView(running, kWindow, kWindow, "", shot, error)) << error;
  const auto at = [&shot](int x, int y) {
    const uint32_t p = shot.pixels[static_cast<size_t>(y) * shot.width + x];
    return Rgba{int(p >> 24), int((p >> 16) & 255), int((p >> 8) & 255), 255};
  };
  size_t body = 0;
  size_t tool = 0;
  for (int y = 0; y < shot.height; ++y) {
    for (int x = 0; x < shot.width; ++x) {
      const bool middle = std::abs(x - shot.width / 2) < 60 && std::abs(y - shot.height / 2) < 60;
      body += near(at(x, y), kBody, 8) ? (middle ? 1 : 1000000) : 0;
      tool += near(at(x, y), kTool, 8) && middle;
    }
  }
  EXPECT_GT(body, 400u);
  EXPECT_LT(body, 1000000u) << "no part of the player away from the middle";
  EXPECT_GT(tool, 100u);
  EXPECT_TRUE(PlayerSprite::all().empty()) << "the shot's own view is taken down again";
}

TEST_F(PlayerDrawTest, ASwingMovesTheToolsPixelsAndBringsThemBack) {
  build();
  frame();
  const std::vector<bool> before = where(kTool);
  ASSERT_GT(count(before), 100u);
  WorldViewPlayerEvents events;
  events.playAction(*running.player, WorldViewPlayerEvents::kSwing, 0);
  std::vector<std::vector<bool>> during;
  for (int i = 0; i < 8; ++i) {
    frame();
    during.push_back(where(kTool));
  }
  bool changed = false;
  for (const auto& mask : during) changed = changed || mask != before;
  EXPECT_TRUE(changed) << "the tool turns away from its rest place during the swing";
  for (int i = 0; i < 90; ++i) frame();
  EXPECT_TRUE(where(kTool) == before) << "the swing ends with the tool back in the hand";
}

}  // namespace
