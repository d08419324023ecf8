#include "menus/planet_backdrop.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "content/art/sky_layout.h"
#include "content/planets/planet_def.h"
#include "engine/base/path_utils.h"
#include "engine/render/texture2d.h"
#include "engine/render/texture_cache.h"
#include "engine/scene/director.h"
#include "engine/scene/inner_node.h"
#include "engine/sprite/sprite.h"
#include "platform/platform.h"
#include "platform/resource_folders.h"

namespace {

// Where each row of hills stands, its lower edge as a share of the window's height: the farthest
// highest.
struct HillPlace {
  art::SkyLayer layer;
  float bottom;
};
constexpr HillPlace kHills[] = {
    {art::SkyLayer::FarHills, 0.22f}, {art::SkyLayer::MiddleHills, 0.12f}, {art::SkyLayer::NearHills, 0.0f}};

engine::Texture2D* dayPicture(const std::string& skyName) {
  const kel::Platform* platform = kel::Platform::instance();
  engine::TextureCache* cache = engine::Director::getInstance()->getTextureCache();
  if (platform == nullptr || cache == nullptr) return nullptr;
  const std::string file = art::skyPictureName(skyName, art::kSkyPhaseNames[0], false);
  engine::Texture2D* texture = cache->addImage(engine::joinPath(platform->folderPath(kel::FOLDER_SKY), file));
  if (texture != nullptr) texture->setFilterMode(1);  // nearest: each picture pixel a square block
  return texture;
}

// A sprite of the picture's rectangle at a whole scale, its lower left corner at the point.
void addPiece(engine::InnerNode* parent, engine::Texture2D* picture, const engine::Rect& rect, engine::Vec2 at,
              float scale, int z) {
  engine::Sprite* sprite = engine::Sprite::createWithTextureRect(picture, rect);
  if (sprite == nullptr) return;
  sprite->setAnchorPoint(engine::Vec2(0, 0));
  sprite->setPosition(at);
  sprite->setScale(scale);
  parent->addChild(sprite, z);
}

}  // namespace

PlanetBackdrop::PlanetBackdrop() : node_(engine::InnerNode::create()) {}

PlanetBackdrop::~PlanetBackdrop() { node_->removeFromParentAndCleanup(); }

bool PlanetBackdrop::showNext(engine::Size window) {
  const PlanetList& planets = planetDefs();
  if (planets.empty()) return show("terra", window);
  const PlanetDef& planet = *planets[next_ % planets.size()];
  ++next_;
  return show(art::skyNameOfPlanet(planet.name), window);
}

bool PlanetBackdrop::show(std::string skyName, engine::Size window) {
  node_->removeAllChildrenWithCleanup();
  shown_.clear();
  engine::Texture2D* picture = dayPicture(skyName);
  if (picture == nullptr) return false;
  const engine::Rect backdrop = art::skyLayerRect(art::SkyLayer::Backdrop);
  // The smallest whole scale at which the backdrop covers the window.
  const float scale = std::max({1.0f, std::ceil(window.width / backdrop.size.width), std::ceil(window.height / backdrop.size.height)});
  const float width = backdrop.size.width * scale;
  addPiece(node_, picture, backdrop, engine::Vec2((window.width - width) / 2.0f, window.height - backdrop.size.height * scale),
           scale, 0);
  int z = 1;
  for (const HillPlace& hills : kHills) {
    const engine::Rect rect = art::skyLayerRect(hills.layer);
    const float stripWidth = rect.size.width * scale;
    for (float x = 0.0f; x < window.width; x += stripWidth) {
      addPiece(node_, picture, rect, engine::Vec2(x, std::round(window.height * hills.bottom)), scale, z);
    }
    ++z;
  }
  shown_ = std::move(skyName);
  return true;
}
