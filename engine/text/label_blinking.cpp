#include "engine/text/label_blinking.h"

#include "engine/scene/action.h"
#include "engine/scene/action_manager.h"
#include "engine/scene/call_func.h"
#include "engine/scene/delay_time.h"
#include "engine/scene/repeat_forever.h"
#include "engine/scene/sequence.h"
#include "engine/text/font_atlas.h"

namespace {

constexpr float BLINK_HALF_PERIOD = 0.5f;

bool isCentred(const engine::Vec2& anchor) { return anchor.x == 0.5f && anchor.y == 0.5f; }

}  // namespace

LabelBlinking* LabelBlinking::create(const std::string& fontFile, const std::string& text) {
  auto* label = new LabelBlinking();
  if (!label->initWithBMFont(fontFile, text)) {
    delete label;
    return nullptr;
  }
  label->autorelease();
  return label;
}

void LabelBlinking::setPosition(const engine::Vec2& position) {
  basePosition_ = position;
  LabelColored::setPosition(position);
}

void LabelBlinking::setString(const std::string& text) {
  text_ = text;
  if (cursorShown_) setCursorVisible(false);
  LabelColored::setString(text);
}

int32_t LabelBlinking::advanceOf(char16_t letter) const {
  if (fontAtlas_ == nullptr) return 0;
  const engine::FontLetterDefinition* def = fontAtlas_->findLetterDefinition(letter);
  return def == nullptr ? 0 : def->xAdvance;
}

void LabelBlinking::setCursorVisible(bool show) {
  if (show == cursorShown_) return;
  cursorShown_ = show;
  if (show) {
    LabelColored::setString(text_ + "_");
    if (isCentred(getAnchorPoint())) {
      // A centred label grows on both sides; moving it keeps the text itself in place.
      const int32_t shift = (advanceOf(u' ') + advanceOf(u'_')) / 2;
      LabelColored::setPosition(basePosition_ + engine::Vec2(static_cast<float>(shift), 0.0f));
    }
  } else {
    LabelColored::setString(text_);
    if (isCentred(getAnchorPoint())) LabelColored::setPosition(basePosition_);
  }
}

void LabelBlinking::startCursorBlink() {
  using engine::CallFunc;
  using engine::DelayTime;
  using engine::Sequence;
  if (getActionManager() == nullptr) return;
  stopCursorBlink();
  auto* hideThenWait = Sequence::createWithTwoActions(
      CallFunc::create([this] { setCursorVisible(false); }), DelayTime::create(BLINK_HALF_PERIOD));
  auto* showThenWait = Sequence::createWithTwoActions(
      CallFunc::create([this] { setCursorVisible(true); }), DelayTime::create(BLINK_HALF_PERIOD));
  blinkAction_ =
      engine::RepeatForever::create(Sequence::createWithTwoActions(showThenWait, hideThenWait));
  // Held here too, so stopping later never touches an action the manager already let go.
  blinkAction_->retain();
  getActionManager()->addAction(blinkAction_, this);
}

void LabelBlinking::stopCursorBlink() {
  if (cursorShown_) setCursorVisible(false);
  if (blinkAction_ != nullptr && getActionManager() != nullptr) {
    getActionManager()->removeAction(blinkAction_);
  }
  engine::safeRelease(blinkAction_);
}

LabelBlinking::~LabelBlinking() {
  if (blinkAction_ != nullptr && getActionManager() != nullptr) {
    getActionManager()->removeAction(blinkAction_);
  }
  engine::safeRelease(blinkAction_);
}

engine::Size LabelBlinking::getTextSize() const {
  engine::Size size = getContentSize();
  if (cursorShown_) size.width -= static_cast<float>(advanceOf(u'_'));
  return size;
}
