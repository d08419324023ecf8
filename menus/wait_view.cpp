#include "menus/wait_view.h"

#include "engine/scene/inner_node.h"
#include "engine/text/label.h"
#include "ui/widgets/ui_draw.h"

void WaitView::enter() {
  if (!built_) {
    built_ = true;
    const engine::Size window = uiWindowSize();
    addColorLayer(root(), engine::Color4B{12, 14, 20, 255}, window, engine::Vec2(0, 0), -1);
    const engine::Vec2 centre(window.width / 2.0f, window.height / 2.0f);
    firstLabel_ = addTextLabel(root(), first_, centre + engine::Vec2(0, 20.0f), kFontBig, engine::Color3B::WHITE,
                               engine::Vec2(0.5f, 0.5f));
    secondLabel_ = addTextLabel(root(), second_, centre - engine::Vec2(0, 20.0f), kFontSmall,
                                engine::Color3B{200, 200, 200}, engine::Vec2(0.5f, 0.5f));
    if (firstLabel_ != nullptr) firstLabel_->setTag(kFirstLineTag);
    if (secondLabel_ != nullptr) secondLabel_->setTag(kSecondLineTag);
  }
  GameView::enter();
}

void WaitView::setStatus(const std::string& first, const std::string& second) {
  first_ = first;
  second_ = second;
  setLabelText(firstLabel_, first_);
  setLabelText(secondLabel_, second_);
}
