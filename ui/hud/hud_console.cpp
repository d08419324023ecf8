#include "ui/hud/hud_console.h"

#include "engine/scene/inner_node.h"
#include "ui/widgets/ui_draw.h"

namespace {
constexpr float kLeft = 12.0f;
constexpr float kBottom = 84.0f;
constexpr float kLineHeight = 20.0f;

engine::Color3B colourOf(uint8_t kind) {
  switch (kind) {
    case 0: return engine::Color3B{255, 255, 255};
    case 2: return engine::Color3B{140, 220, 255};
    case 3: return engine::Color3B{255, 140, 120};
    default: return engine::Color3B{220, 220, 180};
  }
}
}  // namespace

HudConsole::HudConsole(engine::InnerNode* parent) : node_(engine::InnerNode::create()) {
  parent->addChild(node_, 3);
}

HudConsole::~HudConsole() = default;

void HudConsole::addMessage(const std::string& text, uint8_t kind) {
  messages_.emplace_back(text, kind);
  while (messages_.size() > kLines) messages_.pop_front();
  redraw();
}

void HudConsole::clear() {
  messages_.clear();
  redraw();
}

void HudConsole::redraw() {
  node_->removeAllChildrenWithCleanup();
  float y = kBottom + static_cast<float>(messages_.size() - 1) * kLineHeight;
  for (const auto& [text, kind] : messages_) {
    addTextLabel(node_, text, engine::Vec2(kLeft, y), kFontSmall, colourOf(kind));
    y -= kLineHeight;
  }
}
