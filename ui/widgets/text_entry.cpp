#include "ui/widgets/text_entry.h"

#include "engine/layer/layer_color.h"
#include "engine/scene/inner_node.h"
#include "engine/text/label.h"
#include "platform/platform.h"
#include "platform/text_field.h"
#include "ui/widgets/ui_draw.h"

namespace {
constexpr float kHeight = 34.0f;
}

TextEntry::TextEntry() = default;

TextEntry::~TextEntry() { stop(); }

void TextEntry::build(engine::InnerNode* parent, engine::Vec2 position, float width) {
  panel_ = engine::InnerNode::create();
  parent->addChild(panel_, 3);
  back_ = addColorLayer(panel_, engine::Color4B{15, 15, 20, 230}, engine::Size(width, kHeight), position, 0);
  label_ = addTextLabel(panel_, text_, position + engine::Vec2(8.0f, kHeight / 2.0f), kFontSmall,
                        engine::Color3B{255, 255, 200}, engine::Vec2(0.0f, 0.5f), 1);
  panel_->setVisible(false);
}

void TextEntry::place(engine::Vec2 position, float width) {
  if (back_ != nullptr) {
    back_->setContentSize(engine::Size(width, kHeight));
    back_->setPosition(position);
  }
  if (label_ != nullptr) label_->setPosition(position + engine::Vec2(8.0f, kHeight / 2.0f));
}

void TextEntry::start(const std::string& text, uint32_t lengthLimit, std::function<void(const std::string&)> onEnter,
                      std::function<void()> onEscape) {
  stop();
  retired_.reset();
  text_ = text;
  lengthLimit_ = lengthLimit;
  onEnter_ = std::move(onEnter);
  onEscape_ = std::move(onEscape);
  setLabelText(label_, text_);
  kel::Platform* platform = kel::Platform::instance();
  if (platform == nullptr) return;
  kel::TextFieldSetup setup;
  setup.initialText = text;
  setup.lineLength = lengthLimit;
  setup.label = label_;
  // The callbacks may end this field: they run after the field has finished its own work.
  setup.onText = [this](const std::string& typed) { submit(typed); };
  setup.onFinish = [this](const std::string&) { escape(); };
  field_ = platform->createTextField(setup);
  if (field_ == nullptr) return;
  field_->setText(text);
  field_->applyText(text);
  field_->startListening();
  if (panel_ != nullptr) panel_->setVisible(true);
}

void TextEntry::stop() {
  if (field_ == nullptr) return;
  retired_ = std::move(field_);
  retired_->stopListening();
  if (panel_ != nullptr) panel_->setVisible(false);
}

void TextEntry::submit(const std::string& text) {
  text_ = lengthLimit_ > 0 && text.size() > lengthLimit_ ? text.substr(0, lengthLimit_) : text;
  setLabelText(label_, text_);
  if (onEnter_) {
    const auto callback = onEnter_;
    callback(text_);
  }
}

void TextEntry::escape() {
  if (onEscape_) {
    const auto callback = onEscape_;
    callback();
  }
}
