#include "view/overlays/sign_label_cell.h"

#include "engine/scene/node.h"
#include "view/main_layer.h"
#include "view/overlays/sign_label.h"
#include "world/cells/map_block.h"
#include "world/map/world_map.h"
#include "world/world.h"

namespace {

constexpr float kCellPixels = 30.0f;

}  // namespace

engine::Vec2 cellScreenPoint(const engine::Node& worldLayer, int32_t worldWidth, uint16_t cellX, uint16_t cellY) {
  float x = static_cast<float>(cellX) * kCellPixels;
  const float camera = -worldLayer.getPositionX();
  const float width = static_cast<float>(worldWidth) * kCellPixels;
  if (width > 0) {
    if (x - camera > width / 2) x -= width;
    if (camera - x > width / 2) x += width;
  }
  return worldLayer.convertToWorldSpace(engine::Vec2(x, static_cast<float>(cellY) * kCellPixels));
}

void showSignLabelAtCell(const MapBlock& cell, const std::vector<std::string>& lines) {
  MainLayer* layer = MainLayer::current();
  if (layer == nullptr || layer->worldLayer() == nullptr || layer->world() == nullptr) return;
  std::string text;
  for (size_t i = 0; i < lines.size(); ++i) text += (i > 0 ? "\n" : "") + lines[i];
  const int32_t width = layer->world()->map().width();
  SignLabel::show(*layer, text, cellScreenPoint(*layer->worldLayer(), width, cell.x, cell.y));
}
