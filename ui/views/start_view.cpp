#include "ui/views/start_view.h"

#include "engine/layer/layer_color.h"
#include "engine/scene/director.h"
#include "engine/text/label.h"
#include "platform/platform.h"
#include "platform/resource_folders.h"
#include "ui/views/start_view_controls.h"

namespace {

constexpr const char* GAME_NAME = "Rubblemoor";
// The stand-in bar when no font is available: the size of a line of text.
constexpr float BAR_WIDTH = 240.0f;
constexpr float BAR_HEIGHT = 24.0f;

std::string fontPath() {
  kel::Platform* platform = kel::Platform::instance();
  return platform != nullptr ? platform->resourcePath(kel::FOLDER_FONTS, START_VIEW_FONT)
                             : std::string(START_VIEW_FONT);
}

}  // namespace

StartView::StartView() : GameView(ViewId::Start, false) {
  setControls(std::make_unique<StartViewControls>(this));
}

std::string StartView::lineText() {
  kel::Platform* platform = kel::Platform::instance();
  return platform != nullptr ? std::string(GAME_NAME) + " " + platform->versionText()
                             : std::string(GAME_NAME);
}

engine::Node* StartView::makeLine() const {
  if (engine::Label* label = engine::Label::createWithBMFont(fontPath(), lineText())) {
    label->setAnchorPoint(engine::Vec2(0.5f, 0.5f));
    return label;
  }
  engine::LayerColor* bar =
      engine::LayerColor::create(engine::Color4B{200, 200, 200, 255}, BAR_WIDTH, BAR_HEIGHT);
  bar->ignoreAnchorPointForPosition(false);
  bar->setAnchorPoint(engine::Vec2(0.5f, 0.5f));
  return bar;
}

void StartView::enter() {
  if (line_ == nullptr) {
    line_ = makeLine();
    if (line_ != nullptr) root()->addChild(line_);
  }
  if (line_ != nullptr) {
    const engine::Size window = engine::Director::getInstance()->getWinSize();
    line_->setPosition(window.width / 2.0f, window.height / 2.0f);
  }
  GameView::enter();
}
