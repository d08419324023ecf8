#include "ui/widgets/text_entry.h"

#include <algorithm>

#include "engine/layer/layer_color.h"
#include "engine/scene/inner_node.h"
#include "engine/text/label.h"
#include "platform/platform.h"
#include "platform/text_field.h"
#include "ui/widgets/text_wrap.h"
#include "ui/widgets/ui_draw.h"

namespace {
constexpr float kHeight = 30.0f;
constexpr float kTextInset = 8.0f;
constexpr float kCaretWidth = 2.0f;
constexpr float kCaretInset = 7.0f;  // between the panel's edges and the caret's ends
constexpr engine::Color4B kSelectionColour{60, 90, 160, 255};
}

TextEntry::TextEntry() = default;

TextEntry::~TextEntry() { stop(); }

void TextEntry::build(engine::InnerNode* parent, engine::Vec2 position, float width) {
  panel_ = engine::InnerNode::create();
  parent->addChild(panel_, 3);
  // Opaque: the entry opens over the text it edits (a row of a menu, a sign's line), which would
  // otherwise show through beside the typed text.
  back_ = addColorLayer(panel_, engine::Color4B{15, 15, 20, 255}, engine::Size(width, kHeight), position, 0);
  label_ = addTextLabel(panel_, text_, position + engine::Vec2(kTextInset, kHeight / 2.0f), kFontSmall,
                        engine::Color3B{255, 255, 200}, engine::Vec2(0.0f, 0.5f), 1);
  selection_ = addColorLayer(panel_, kSelectionColour, engine::Size(0, kHeight - 2 * kCaretInset), position, 0);
  caret_ = addColorLayer(panel_, engine::Color4B{255, 255, 200, 255},
                         engine::Size(kCaretWidth, kHeight - 2 * kCaretInset), position, 2);
  position_ = position;
  width_ = width;
  placeCaret();
  panel_->setVisible(false);
}

std::string TextEntry::shownText() const { return field_ != nullptr ? field_->getText() : text_; }

bool TextEntry::isWholeSelected() const { return field_ != nullptr && field_->isWholeSelected(); }

float TextEntry::caretX() const {
  return position_.x + (kTextInset + textWidth(shownText(), kFontSmall) + 1.0f) * scale_;
}

void TextEntry::placeCaret() {
  const float x = caretX();  // measures the whole text: once a keystroke
  if (caret_ != nullptr) caret_->setPosition(engine::Vec2(x, position_.y + kCaretInset * scale_));
  if (selection_ != nullptr) {
    // Behind the whole text while typing would replace it.
    selection_->setVisible(isWholeSelected());
    const float left = position_.x + (kTextInset - 1.0f) * scale_;
    selection_->setPosition(engine::Vec2(left, position_.y + kCaretInset * scale_));
    selection_->setContentSize(engine::Size(std::max(0.0f, x - left), (kHeight - 2 * kCaretInset) * scale_));
  }
  // A text longer than the panel (a long chat line) keeps its backing under it, to the caret and
  // an inset past it.
  if (back_ != nullptr) {
    const float needed = x - position_.x + (kCaretWidth + kTextInset) * scale_;
    back_->setContentSize(engine::Size(std::max(width_, needed), kHeight * scale_));
  }
}

void TextEntry::place(engine::Vec2 position, float width, float scale) {
  scale_ = scale > 0.0f ? scale : 1.0f;
  width_ = width;
  if (back_ != nullptr) back_->setPosition(position);
  if (label_ != nullptr) {
    label_->setScale(scale_);
    label_->setPosition(position + engine::Vec2(kTextInset, kHeight / 2.0f) * scale_);
  }
  if (caret_ != nullptr) caret_->setContentSize(engine::Size(kCaretWidth * scale_, (kHeight - 2 * kCaretInset) * scale_));
  position_ = position;
  placeCaret();
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
  placeCaret();
  kel::Platform* platform = kel::Platform::instance();
  if (platform == nullptr) return;
  kel::TextFieldSetup setup;
  setup.initialText = text;
  setup.lineLength = lengthLimit;
  setup.selectWhole = selectsWhole_;
  setup.label = label_;
  // The callbacks may end this field: they run after the field has finished its own work.
  setup.onText = [this](const std::string& typed) { submit(typed); };
  setup.onFinish = [this](const std::string&) { escape(); };
  field_ = platform->createTextField(setup);
  if (field_ == nullptr) return;
  field_->setText(text);
  field_->applyText(text);
  field_->setOnChange([this] { placeCaret(); });
  field_->startListening();
  placeCaret();
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
  placeCaret();
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
