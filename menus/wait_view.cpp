#include "menus/wait_view.h"

#include "engine/layer/layer_color.h"
#include "engine/scene/inner_node.h"
#include "engine/text/label.h"
#include "ui/views/game_views.h"
#include "ui/widgets/ui_draw.h"

namespace {
// The first line sits this far above the window's centre, the second as far below.
constexpr float kLineOffset = 20.0f;
}  // namespace

void WaitView::enter() {
  if (!built_) {
    built_ = true;
    backdrop_ = addColorLayer(root(), engine::Color4B{12, 14, 20, 255}, uiWindowSize(), engine::Vec2(0, 0), -1);
    firstLabel_ = addTextLabel(root(), first_, engine::Vec2(), kFontBig, engine::Color3B::WHITE, engine::Vec2(0.5f, 0.5f));
    secondLabel_ = addTextLabel(root(), second_, engine::Vec2(), kFontSmall, engine::Color3B{200, 200, 200},
                                engine::Vec2(0.5f, 0.5f));
    if (firstLabel_ != nullptr) firstLabel_->setTag(kFirstLineTag);
    if (secondLabel_ != nullptr) secondLabel_->setTag(kSecondLineTag);
    layOut();
  }
  GameView::enter();
}

void WaitView::layOut() {
  if (!built_) return;  // the first entry lays it out
  const engine::Size window = uiWindowSize();
  const engine::Vec2 centre(window.width / 2.0f, window.height / 2.0f);
  if (backdrop_ != nullptr) backdrop_->setContentSize(window);
  if (firstLabel_ != nullptr) firstLabel_->setPosition(centre + engine::Vec2(0, kLineOffset));
  if (secondLabel_ != nullptr) secondLabel_->setPosition(centre - engine::Vec2(0, kLineOffset));
}

void WaitView::setStatus(const std::string& first, const std::string& second) {
  first_ = first;
  second_ = second;
  setLabelText(firstLabel_, first_);
  setLabelText(secondLabel_, second_);
}

void showWaitView(const std::string& first, const std::string& second) {
  GameViews* views = gameViews();
  auto* wait = views != nullptr ? views->menuView<WaitView>() : nullptr;
  if (wait == nullptr) return;
  wait->setStatus(first, second);
  if (views->current() != wait) views->switchTo(*wait);
}
