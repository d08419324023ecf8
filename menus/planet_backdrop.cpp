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
#include "view/world_draw_scale.h"

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

// A copy of the backdrop beside the centred one: its columns with the sun and moons taken from the
// picture's copy of them without, so a window wider than the picture shows one sun.
void addLightlessCopy(engine::InnerNode* parent, engine::Texture2D* picture, const engine::Rect& backdrop,
                      engine::Vec2 at, float scale, int z) {
  const float from = static_cast<float>(art::kSkyLightsLeft), to = from + static_cast<float>(art::kSkyLightsWidth);
  const float y = backdrop.getMinY(), h = backdrop.size.height;
  addPiece(parent, picture, engine::Rect(backdrop.getMinX(), y, from, h), at, scale, z);
  addPiece(parent, picture, art::skyLightlessRect(), at + engine::Vec2(from * scale, 0.0f), scale, z);
  addPiece(parent, picture, engine::Rect(to, y, backdrop.getMaxX() - to, h), at + engine::Vec2(to * scale, 0.0f), scale, z);
}

// The middle pixel of a layer's lowest row stretched over the window's width from its bottom up to
// `top`, as the game's sky carries a picture on below itself: one pixel, since a stretched row of
// dithered pixels would draw as stripes.
void addLowestRowBelow(engine::InnerNode* parent, engine::Texture2D* picture, const engine::Rect& layer, float top,
                       float windowWidth, int z) {
  if (top <= 0.0f) return;
  // A quarter of a pixel in from its edges, so the nearest sample never takes the row beneath.
  const engine::Rect pixel(std::floor(layer.getMinX() + layer.size.width / 2.0f) + 0.25f, layer.getMaxY() - 0.75f, 0.5f, 0.5f);
  engine::Sprite* sprite = engine::Sprite::createWithTextureRect(picture, pixel);
  if (sprite == nullptr) return;
  sprite->setAnchorPoint(engine::Vec2(0, 0));
  sprite->setPosition(engine::Vec2(0, 0));
  sprite->setScaleX(windowWidth / pixel.size.width);
  sprite->setScaleY(top / pixel.size.height);
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
  // The world's own pixel scale: a pixel of the planet is as large as a pixel of a block in a game.
  const float scale = worldDrawScale();
  const float width = backdrop.size.width * scale;
  const float bottom = std::round(window.height - backdrop.size.height * scale);
  // Centred, with copies beside it where the window is wider than the picture (its edges meet).
  const float centred = std::floor((window.width - width) / 2.0f);
  // Counted in whole copies from the centred one, which alone keeps its sun and moon.
  const int before = centred > 0.0f ? static_cast<int>(std::ceil(centred / width)) : 0;
  for (int copy = -before;; ++copy) {
    const float x = centred + static_cast<float>(copy) * width;
    if (x >= window.width) break;
    if (copy == 0) {
      addPiece(node_, picture, backdrop, engine::Vec2(x, bottom), scale, 1);
    } else {
      addLightlessCopy(node_, picture, backdrop, engine::Vec2(x, bottom), scale, 1);
    }
  }
  addLowestRowBelow(node_, picture, backdrop, bottom, window.width, 0);
  int z = 2;
  for (const HillPlace& hills : kHills) {
    const engine::Rect rect = art::skyLayerRect(hills.layer);
    const float stripWidth = rect.size.width * scale;
    const float stripBottom = std::round(window.height * hills.bottom);
    addLowestRowBelow(node_, picture, rect, stripBottom, window.width, z);
    for (float x = 0.0f; x < window.width; x += stripWidth) {
      addPiece(node_, picture, rect, engine::Vec2(x, stripBottom), scale, z + 1);
    }
    z += 2;
  }
  shown_ = std::move(skyName);
  return true;
}
