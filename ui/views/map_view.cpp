#include "ui/views/map_view.h"

#include "ui/views/map_picture.h"

#include <algorithm>

#include "engine/render/texture2d.h"
#include "engine/scene/inner_node.h"
#include "engine/sprite/sprite.h"
#include "game/player/player_desktop.h"
#include "game/session/running_world.h"
#include "platform/platform.h"
#include "ui/widgets/ui_draw.h"
#include "world/map/world_map.h"
#include "world/rules/game.h"
#include "world/world.h"

namespace {
constexpr uint32_t kMapAction = 8;
constexpr float kMargin = 60.0f;
}  // namespace

MapView::~MapView() { dropPicture(); }

void MapView::setPlayerCell(int32_t x, int32_t y) {
  cellX_ = x;
  cellY_ = y;
}

void MapView::enter() {
  currentGame().pause();
  if (const PlayerDesktopLocal* p = runningWorld().player.get()) setPlayerCell(static_cast<int32_t>(p->cellX), static_cast<int32_t>(p->cellY));
  ListView::enter();
  drawPicture();
}

void MapView::exit() {
  dropPicture();
  ListView::exit();
  currentGame().unpause();
}

void MapView::fill(std::string& title, std::vector<std::string>& lines, std::vector<MenuList::Row>&) {
  title = "Map";
  lines.push_back("Your cell: " + std::to_string(cellX_) + ", " + std::to_string(cellY_));
}

bool MapView::ownKey(engine::KeyCode key, bool released) {
  kel::Platform* platform = kel::Platform::instance();
  if (platform == nullptr || platform->keyForAction(kMapAction) != static_cast<uint32_t>(key)) return false;
  if (released) back();
  return true;
}

void MapView::drawPicture() {
  dropPicture();
  const World* world = runningWorld().world.get();
  if (world == nullptr) return;
  const WorldMap& map = world->map();
  const std::vector<uint8_t> pixels = mapPicture(map, cellX_, cellY_);
  if (pixels.empty()) return;
  auto* texture = new engine::Texture2D();
  if (!texture->initWithData(pixels.data(), pixels.size(), engine::Texture2D::PixelFormat::RGBA8888, map.width(),
                             map.height())) {
    texture->release();
    return;
  }
  texture->setFilterMode(1);
  picture_ = engine::Sprite::createWithTexture(texture);
  texture->release();
  if (picture_ == nullptr) return;
  picture_->retain();
  picture_->setAnchorPoint(engine::Vec2(0.5f, 0.5f));
  placePicture();
  root()->addChild(picture_, 5);
}

void MapView::placePicture() {
  const engine::Size window = uiWindowSize();
  const engine::Size cells = picture_->getContentSize();  // one point per map cell
  if (cells.width <= 0 || cells.height <= 0) return;
  const float scale = std::min((window.width - 2 * kMargin) / cells.width, (window.height - 3 * kMargin) / cells.height);
  picture_->setScale(scale);
  picture_->setPosition(window.width / 2.0f, (window.height - kMargin) / 2.0f);
}

void MapView::layOut() {
  ListView::layOut();
  if (picture_ != nullptr) placePicture();
}

void MapView::dropPicture() {
  if (picture_ == nullptr) return;
  picture_->removeFromParentAndCleanup();
  picture_->release();
  picture_ = nullptr;
}
