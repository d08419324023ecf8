#include "ui/views/map_view.h"

#include "ui/views/map_picture.h"

#include <algorithm>
#include <memory>

#include "engine/layer/layer_color.h"
#include "engine/render/texture2d.h"
#include "engine/scene/inner_node.h"
#include "engine/sprite/sprite.h"
#include "game/player/player_desktop.h"
#include "platform/controls/real_controls.h"
#include "platform/platform.h"
#include "ui/widgets/ui_draw.h"
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

// Between the texts' last line and the picture's frame.
constexpr float kTextsGap = 8.0f;

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
  // Under the texts, so however far the map is zoomed it never covers the hint.
  const float top = textsFoot() - kTextsGap * scale();
  return engine::Rect(kMargin, kMargin, std::max(0.0f, window.width - 2 * kMargin), std::max(0.0f, top - kMargin));
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
  picture_->setAnchorPoint(engine::Vec2(0.5f, 0.5f));
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
  const float scale = frame_.scale();
  if (scale <= 0) return;
  // The texture's rows run from the top; the frame's cells from the bottom. The texture measures
  // itself in points, which the content scale may make fewer than its pixels (one per cell).
  const engine::Texture2D* texture = picture_->getTexture();
  const float pointsPerCell = texture->getContentSize().width / static_cast<float>(texture->getPixelsWide());
  const auto mapHeight = static_cast<float>(texture->getPixelsHigh());
  const engine::Rect shown = frame_.shownCells();
  picture_->setTextureRect(engine::Rect(shown.origin.x * pointsPerCell,
                                        (mapHeight - shown.origin.y - shown.size.height) * pointsPerCell,
                                        shown.size.width * pointsPerCell, shown.size.height * pointsPerCell));
  picture_->setScale(scale / pointsPerCell);
  picture_->setPosition(box.getMinX() + box.size.width / 2.0f, box.getMinY() + box.size.height / 2.0f);
  placeMarker(marker_, cellX_, cellY_);
  placeMarker(deathMarker_, deathX_, deathY_);
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
  if (picture_ == nullptr) return;
  picture_->removeFromParentAndCleanup();
  picture_ = nullptr;
}
