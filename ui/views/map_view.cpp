#include "ui/views/map_view.h"

#include "ui/views/map_fog.h"
#include "ui/views/map_picture.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "content/art/interface_layout.h"
#include "engine/layer/layer_color.h"
#include "engine/render/texture2d.h"
#include "engine/scene/inner_node.h"
#include "engine/sprite/sprite.h"
#include "game/player/player_desktop.h"
#include "platform/controls/real_controls.h"
#include "platform/platform.h"
#include "ui/widgets/framed_panel.h"
#include "ui/widgets/ui_draw.h"
#include "view/world_draw_scale.h"
#include "world/map/world_map.h"
#include "world/rules/game.h"
#include "world/world.h"

namespace {
constexpr uint32_t kMapAction = 8;
constexpr float kMargin = 60.0f;
// An arrow key moves the map by this share of what shows.
constexpr float kPanShare = 0.25f;
constexpr engine::Color4B kMarkerColour{kMapPlayer[0], kMapPlayer[1], kMapPlayer[2], 255};
// White stands out from the player's red and from every cell colour of the picture.
constexpr engine::Color4B kDeathMarkerColour{255, 255, 255, 255};

// The list's keys and clicks, the wheel zooms and a drag pans.
class MapControls final : public kel::RealControls<MapView> {
 public:
  explicit MapControls(MapView* view) : RealControls(view) {}
  void keyEvent(engine::KeyCode key, bool released) override { view_->keyEvent(key, released); }
  void mouseWheel(const engine::Vec2&, float amount) override { view_->wheelZoom(amount); }
  void mouseButton(const engine::Vec2& point, int button, bool released) override {
    last_ = point;  // a drag starts where the button went down
    view_->mouseButton(point, button, released);
  }
  void mouseDrag(const engine::Vec2& point, int, kel::DragPhase) override {
    view_->panBy(point - last_);
    last_ = point;
  }

 private:
  engine::Vec2 last_;
};

// Between the texts' last line and the picture's frame: past the texts' own panel, which reaches
// 14 points below that line, and a little more, so the two frames stand apart.
constexpr float kTextsGap = 22.0f;

}  // namespace

MapView::MapView() : ListView(ViewId::Map, false) { setControls(std::make_unique<MapControls>(this)); }

MapView::~MapView() { dropPicture(); }

void MapView::setPlayerCell(int32_t x, int32_t y) {
  cellX_ = x;
  cellY_ = y;
}

void MapView::setDeathCell(int32_t x, int32_t y) {
  deathX_ = x;
  deathY_ = y;
  const World* world = session().world();
  deathWorld_ = world != nullptr ? world->serial() : 0;
}

// The mark belongs to the world she died in: another world, or the same one loaded again, has none.
bool MapView::deathShownIn(const World* world) const {
  return deathX_ >= 0 && world != nullptr && deathWorld_ == world->serial();
}

void MapView::enter() {
  session().game().pause();
  if (const PlayerDesktopLocal* p = session().player()) setPlayerCell(static_cast<int32_t>(p->cellX), static_cast<int32_t>(p->cellY));
  ListView::enter();
  drawPicture();
}

void MapView::exit() {
  dropPicture();
  ListView::exit();
  session().game().unpause();
}

void MapView::fill(std::string& title, std::vector<std::string>& lines, std::vector<MenuList::Row>&) {
  title = "Map";
  lines.push_back("Your cell: " + std::to_string(cellX_) + ", " + std::to_string(cellY_));
  if (deathShownIn(session().world())) {
    lines.push_back("You died at " + std::to_string(deathX_) + ", " + std::to_string(deathY_) + " (the white mark)");
  }
  lines.push_back(kHint);
}

engine::Rect MapView::pictureFrame() const {
  const engine::Size window = uiWindowSize();
  // Under the texts, so however far the map is zoomed it never covers the hint, and above the
  // HUD's quick bar, which stays in sight under the map; the frame's edge lies around it within
  // that space.
  const float edge = static_cast<float>(art::kMenuFrameCorner) * framePixelScale();
  const float left = kMargin + edge;
  const float bottom = std::max(kMargin, listBottom()) + edge;
  const float right = std::floor(window.width - kMargin - edge);
  const float top = std::floor(textsFoot() - kTextsGap * scale() - edge);
  return engine::Rect(left, bottom, std::max(0.0f, right - left), std::max(0.0f, top - bottom));
}

bool MapView::ownKey(engine::KeyCode key, bool released) {
  if (navigationKey(key)) {
    if (!released) {
      const engine::Rect shown = frame_.shownCells();
      const float stepX = shown.size.width * kPanShare;
      const float stepY = shown.size.height * kPanShare;
      switch (key) {
        case engine::KeyCode::KP_PLUS:
        case engine::KeyCode::EQUAL: zoom(true); break;
        case engine::KeyCode::KP_MINUS:
        case engine::KeyCode::MINUS: zoom(false); break;
        case engine::KeyCode::LEFT_ARROW: frame_.panCells(-stepX, 0); break;
        case engine::KeyCode::RIGHT_ARROW: frame_.panCells(stepX, 0); break;
        case engine::KeyCode::UP_ARROW: frame_.panCells(0, stepY); break;
        default: frame_.panCells(0, -stepY); break;
      }
      if (picture_ != nullptr) placePicture();
    }
    return true;
  }
  kel::Platform* platform = kel::Platform::instance();
  if (platform == nullptr || platform->keyForAction(kMapAction) != static_cast<uint32_t>(key)) return false;
  if (released) back();
  return true;
}

bool MapView::navigationKey(engine::KeyCode key) {
  switch (key) {
    case engine::KeyCode::KP_PLUS:
    case engine::KeyCode::EQUAL:
    case engine::KeyCode::KP_MINUS:
    case engine::KeyCode::MINUS:
    case engine::KeyCode::LEFT_ARROW:
    case engine::KeyCode::RIGHT_ARROW:
    case engine::KeyCode::UP_ARROW:
    case engine::KeyCode::DOWN_ARROW: return true;
    default: return false;
  }
}

void MapView::zoom(bool in) {
  const bool changed = in ? frame_.zoomIn() : frame_.zoomOut();
  // Zooming in from the whole map starts at the player's cell.
  if (changed && in && frame_.zoomSteps() == 1 && cellX_ >= 0) frame_.centreOn(cellX_ + 0.5f, cellY_ + 0.5f);
  if (changed && picture_ != nullptr) placePicture();
}

void MapView::panBy(const engine::Vec2& delta) {
  frame_.panPoints(-delta.x, -delta.y);
  if (picture_ != nullptr) placePicture();
}

void MapView::drawPicture() {
  dropPicture();
  const World* world = session().world();
  if (world == nullptr) return;
  const WorldMap& map = world->map();
  const std::vector<uint8_t> pixels = mapPicture(map, cellX_, cellY_);
  if (pixels.empty()) return;
  auto texture = engine::RefPtr<engine::Texture2D>::adopt(new engine::Texture2D());
  if (!texture->initWithData(pixels.data(), pixels.size(), engine::Texture2D::PixelFormat::RGBA8888, map.width(),
                             map.height())) {
    return;
  }
  texture->setFilterMode(1);
  picture_ = engine::Sprite::createWithTexture(texture);
  if (picture_ == nullptr) return;
  picture_->setAnchorPoint(engine::Vec2(0, 0));
  frame_.reset(map.width(), map.height(), pictureFrame().size);
  root()->addChild(picture_, 5);
  // The player's mark is drawn over the death's when they share a cell.
  if (deathShownIn(world)) {
    deathMarker_ = addColorLayer(root(), kDeathMarkerColour, engine::Size(kMarkerPoints, kMarkerPoints), engine::Vec2(0, 0), 6);
  }
  marker_ = addColorLayer(root(), kMarkerColour, engine::Size(kMarkerPoints, kMarkerPoints), engine::Vec2(0, 0), 7);
  placePicture();
}

void MapView::placePicture() {
  const engine::Rect box = pictureFrame();
  frame_.setFrame(box.size);
  placeFrameAndFog(box);
  const float scale = frame_.scale();
  if (scale <= 0) return;
  // The texture's rows run from the top; the frame's cells from the bottom. The texture measures
  // itself in points, which the content scale may make fewer than its pixels (one per cell).
  const engine::Texture2D* texture = picture_->getTexture();
  const float pointsPerCell = texture->getContentSize().width / static_cast<float>(texture->getPixelsWide());
  const auto mapWidth = static_cast<float>(texture->getPixelsWide());
  const auto mapHeight = static_cast<float>(texture->getPixelsHigh());
  // The map's part of what the frame spans; beyond the map's edges the fog shows.
  const engine::Rect spanned = frame_.frameCells();
  const float left = std::max(0.0f, spanned.getMinX());
  const float bottom = std::max(0.0f, spanned.getMinY());
  const float right = std::min(mapWidth, spanned.getMaxX());
  const float top = std::min(mapHeight, spanned.getMaxY());
  picture_->setVisible(right > left && top > bottom);
  picture_->setTextureRect(engine::Rect(left * pointsPerCell, (mapHeight - top) * pointsPerCell,
                                        std::max(0.0f, right - left) * pointsPerCell,
                                        std::max(0.0f, top - bottom) * pointsPerCell));
  picture_->setScale(scale / pointsPerCell);
  picture_->setPosition(box.getMinX() + (left - spanned.getMinX()) * scale,
                        box.getMinY() + (bottom - spanned.getMinY()) * scale);
  placeMarker(marker_, cellX_, cellY_);
  placeMarker(deathMarker_, deathX_, deathY_);
}

void MapView::placeFrameAndFog(const engine::Rect& box) {
  if (fog_ != nullptr && box == fogBox_) return;
  fogBox_ = box;
  if (panel_ != nullptr) panel_->removeFromParentAndCleanup();
  const float edge = static_cast<float>(art::kMenuFrameCorner) * framePixelScale();
  panel_ = addFramedPanel(root(), engine::Rect(box.getMinX() - edge, box.getMinY() - edge, box.size.width + 2 * edge,
                                               box.size.height + 2 * edge),
                          engine::Color3B::WHITE, 3);
  if (fog_ != nullptr) fog_->removeFromParentAndCleanup();
  fog_ = nullptr;
  // A texel of fog is a block of the world's own pixel size.
  const float pixel = worldDrawScale();
  const auto width = static_cast<int32_t>(std::ceil(box.size.width / pixel));
  const auto height = static_cast<int32_t>(std::ceil(box.size.height / pixel));
  const std::vector<uint8_t> pixels = mapFogPicture(width, height);
  if (pixels.empty()) return;
  auto texture = engine::RefPtr<engine::Texture2D>::adopt(new engine::Texture2D());
  if (!texture->initWithData(pixels.data(), pixels.size(), engine::Texture2D::PixelFormat::RGBA8888, width, height)) {
    return;
  }
  texture->setFilterMode(1);
  fog_ = engine::Sprite::createWithTexture(texture);
  if (fog_ == nullptr) return;
  const float pointsPerTexel = texture->getContentSize().width / static_cast<float>(width);
  fog_->setTextureRect(engine::Rect(0, 0, box.size.width / pixel * pointsPerTexel, box.size.height / pixel * pointsPerTexel));
  fog_->setAnchorPoint(engine::Vec2(0, 0));
  fog_->setScale(pixel / pointsPerTexel);
  fog_->setPosition(box.origin);
  root()->addChild(fog_, 4);
}

void MapView::placeMarker(engine::LayerColor* marker, int32_t x, int32_t y) {
  if (marker == nullptr) return;
  const engine::Rect box = pictureFrame();
  const float side = std::max(kMarkerPoints, frame_.scale());
  marker->setContentSize(engine::Size(side, side));
  const engine::Vec2 at = frame_.pointOfCell(x, y);
  marker->setPosition(box.getMinX() + at.x - side / 2.0f, box.getMinY() + at.y - side / 2.0f);
  marker->setVisible(frame_.showsCell(x, y));
}

void MapView::layOut() {
  ListView::layOut();
  if (picture_ != nullptr) placePicture();
}

void MapView::dropPicture() {
  for (engine::LayerColor** marker : {&marker_, &deathMarker_}) {
    if (*marker == nullptr) continue;
    (*marker)->removeFromParentAndCleanup();
    *marker = nullptr;
  }
  if (panel_ != nullptr) panel_->removeFromParentAndCleanup();
  panel_ = nullptr;
  if (fog_ != nullptr) fog_->removeFromParentAndCleanup();
  fog_ = nullptr;
  if (picture_ == nullptr) return;
  picture_->removeFromParentAndCleanup();
  picture_ = nullptr;
}
