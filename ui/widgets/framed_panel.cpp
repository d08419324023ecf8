#include "ui/widgets/framed_panel.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "content/art/interface_layout.h"
#include "engine/layer/layer_color.h"
#include "engine/scene/inner_node.h"
#include "engine/sprite/sprite.h"
#include "ui/widgets/ui_draw.h"
#include "view/inventory/overlay_art.h"

namespace {

// The plain panel without the atlas: the frame's own fill, tinted.
engine::Color4B plainColour(engine::Color3B tint) {
  constexpr int kFill[3] = {40, 34, 52};
  return {static_cast<uint8_t>(kFill[0] * tint.r / 255), static_cast<uint8_t>(kFill[1] * tint.g / 255),
          static_cast<uint8_t>(kFill[2] * tint.b / 255), 235};
}

}  // namespace

float framePixelScale() { return std::max(1.0f, std::round(2.0f * menuScale())); }

engine::InnerNode* addFramedPanel(engine::InnerNode* parent, const engine::Rect& area, engine::Color3B tint, int z) {
  if (parent == nullptr) return nullptr;
  engine::InnerNode* panel = engine::InnerNode::create();
  parent->addChild(panel, z);
  engine::Texture2D* atlas = overlay_art::interfaceTexture();
  if (atlas == nullptr) {
    addColorLayer(panel, plainColour(tint), area.size, area.origin, 0);
    return panel;
  }
  const float s = framePixelScale();
  const float edge = static_cast<float>(art::kMenuFrameCorner) * s;
  // Column and row extents of the nine pieces: the corners keep their size, the rest stretches.
  const std::array<float, 3> xs = {area.getMinX(), area.getMinX() + edge, area.getMaxX() - edge};
  const std::array<float, 3> widths = {edge, std::max(0.0f, area.size.width - 2 * edge), edge};
  const std::array<float, 3> ys = {area.getMaxY() - edge, area.getMinY() + edge, area.getMinY()};  // top row first
  const std::array<float, 3> heights = {edge, std::max(0.0f, area.size.height - 2 * edge), edge};
  for (size_t row = 0; row < 3; ++row) {
    for (size_t column = 0; column < 3; ++column) {
      const engine::Rect& piece = art::kMenuFramePieces[row * 3 + column];
      engine::Sprite* sprite = engine::Sprite::createWithTextureRect(atlas, piece);
      if (sprite == nullptr) continue;
      sprite->setAnchorPoint(engine::Vec2(0, 0));
      sprite->setPosition(engine::Vec2(xs[column], ys[row]));
      sprite->setScaleX(widths[column] / piece.size.width);
      sprite->setScaleY(heights[row] / piece.size.height);
      sprite->setColor(tint);
      panel->addChild(sprite, 0);
    }
  }
  return panel;
}
