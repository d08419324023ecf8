#include "view/overlays/achievement_dialog.h"

#include <algorithm>
#include <string>

#include "content/art/achievement_icons.h"
#include "content/art/interface_layout.h"
#include "engine/render/texture_cache.h"
#include "engine/scene/action_ease.h"
#include "engine/scene/action_manager.h"
#include "engine/scene/call_func.h"
#include "engine/scene/delay_time.h"
#include "engine/scene/move_by.h"
#include "engine/scene/sequence.h"
#include "engine/scene/tween_function.h"
#include "engine/sprite/sprite.h"
#include "engine/text/label.h"
#include "engine/text/text_environment.h"
#include "platform/audio/sound_effects.h"
#include "platform/resource_folders.h"
#include "view/inventory/overlay_art.h"
#include "view/labels/label_makers.h"

namespace {

using engine::Vec2;

constexpr int kBackgroundZ = 10, kLabelZ = 10;
constexpr float kEaseRate = 3.0f;
constexpr float kDescriptionWidth = 200;
const engine::Color3B kTitleColour{255, 246, 122};
const engine::Color3B kDescriptionColour{200, 200, 200};

using EaseOut = engine::EaseRateTemplate<engine::tweenfunc::easeOut>;
using EaseIn = engine::EaseRateTemplate<engine::tweenfunc::easeIn>;

engine::TextureCache* textureCache() { return engine::getTextEnvironment()->getTextureCache(); }

// The banner's labels: the title in the big font, the description in the tooltip font, both at
// most at half the interface scale, left edge at the point.
engine::Label* bannerLabel(uint8_t sizeCode, const char* text, const Vec2& at, const engine::Color3B& colour) {
  engine::Label* label = makeLabel(sizeCode, text, at);
  if (label == nullptr) return nullptr;
  label->setScale(overlay_art::uiScale() * 0.5f);
  label->setPosition(at);
  label->setAnchorPoint(Vec2(0.0f, 0.5f));
  label->setColor(colour);
  return label;
}

// Draws the label at the scale, or smaller where its text would pass the room (in points).
void fitLabel(engine::Label& label, float scale, const engine::Size& room) {
  const engine::Size size = label.getContentSize();
  float fitted = scale;
  if (size.width * fitted > room.width && size.width > 0) fitted = room.width / size.width;
  if (size.height * fitted > room.height && size.height > 0) fitted = room.height / size.height;
  label.setScale(fitted);
}

}  // namespace

float AchievementDialog::shownHeight() { return kHeight * overlay_art::uiScale(); }

AchievementDialog* AchievementDialog::create() {
  auto* dialog = new AchievementDialog();
  if (!dialog->init()) {
    delete dialog;
    return nullptr;
  }
  dialog->autorelease();
  return dialog;
}

AchievementDialog::~AchievementDialog() {
  if (icon_ != nullptr && !iconFile_.empty()) {
    if (engine::TextureCache* cache = textureCache()) cache->removeTexture(icon_->getTexture());
  }
}

engine::Sprite* addSpriteAt(engine::Texture2D* texture, const engine::Rect& rect, const Vec2& position,
                            engine::InnerNode& parent, int z, int tag) {
  engine::Sprite* sprite = engine::Sprite::createWithTextureRect(texture, rect);
  if (sprite == nullptr) return nullptr;
  sprite->setPosition(position);
  sprite->setScale(overlay_art::uiScale());
  parent.addChild(sprite, z, tag);
  return sprite;
}

engine::Sprite* addSpriteAtLayoutPoint(engine::Texture2D* texture, const engine::Rect& rect, const Vec2& relative,
                                       const LayoutBox& box, engine::InnerNode& parent, int z, int tag) {
  return addSpriteAt(texture, rect, layoutPoint(box, relative), parent, z, tag);
}

Vec2 AchievementDialog::restingPosition() const {
  const engine::Size screen = overlay_art::screenSize();
  return Vec2(screen.width * 0.5f, screen.height + kHeight * overlay_art::uiScale() * 0.5f);
}

bool AchievementDialog::init() {
  if (!InnerNode::init()) return false;
  addSpriteAtLayoutPoint(overlay_art::interfaceTexture(), art::kAchievementBanner, Vec2(0.5f, 0.5f), box_, *this,
                         kBackgroundZ, kTag);
  titleLabel_ = bannerLabel(0, "ACHIEVE TITLE", layoutPointXY(box_, kTextLeft, kTitleMiddle), kTitleColour);
  // The description sits in the lower part, under the title (fitTexts places it).
  descriptionLabel_ = bannerLabel(3, "ACHIEVE DESCRIPTION", Vec2(), kDescriptionColour);
  if (titleLabel_ == nullptr || descriptionLabel_ == nullptr) return false;
  descriptionLabel_->setMaxLineWidth(static_cast<uint32_t>(kDescriptionWidth));
  fitTexts();
  addChild(titleLabel_, kLabelZ, kTitleTag);
  addChild(descriptionLabel_, kLabelZ, kDescriptionTag);
  setPosition(restingPosition());
  setVisible(false);
  return true;
}

bool AchievementDialog::show(const std::string& title, const std::string& description, uint16_t number) {
  if (isVisible()) return false;
  titleLabel_->setString(title);
  descriptionLabel_->setString(description);
  fitToScale();
  addIcon(number);
  const float slide = kHeight * overlay_art::uiScale();
  setPosition(restingPosition());  // the window may have changed size since the last one
  setVisible(true);
  engine::Action* movement = engine::Sequence::createWithTwoActions(
      engine::Sequence::createWithTwoActions(
          EaseOut::create(engine::MoveBy::create(kSlideSeconds, Vec2(0, -slide)), kEaseRate),
          engine::DelayTime::create(kShowSeconds)),
      engine::Sequence::createWithTwoActions(
          EaseIn::create(engine::MoveBy::create(kSlideSeconds, Vec2(0, slide)), kEaseRate),
          engine::CallFunc::create([this] { finish(); })));
  getActionManager()->addAction(movement, this);
  kel::playSound(kSound, 0);
  return true;
}

void AchievementDialog::fitToScale() {
  // The interface scale follows the window: a banner made at one size shows at another's.
  if (engine::Node* background = getChildByTag(kTag)) {
    background->setScale(overlay_art::uiScale());
    background->setPosition(layoutPoint(box_, Vec2(0.5f, 0.5f)));
  }
  titleLabel_->setPosition(layoutPointXY(box_, kTextLeft, kTitleMiddle));
  fitTexts();
}

void AchievementDialog::fitTexts() {
  const float ui = overlay_art::uiScale();
  const float width = (kWidth * (1.0f - kTextLeft) - kTextInset) * ui;
  // The title is centred three quarters up, above the description's part and under the top edge.
  const float titleHalf = std::min(kTitleMiddle - kDescriptionTop, 1.0f - kTitleMiddle) * kHeight;
  fitLabel(*titleLabel_, ui * 0.5f, engine::Size(width, 2.0f * titleHalf * ui));
  // The description is centred between an inset above the bottom edge and the title's part.
  const float descriptionFoot = kTextInset / kHeight;
  descriptionLabel_->setPosition(layoutPointXY(box_, kTextLeft, (descriptionFoot + kDescriptionTop) / 2.0f));
  fitLabel(*descriptionLabel_, ui * 0.5f, engine::Size(width, (kDescriptionTop * kHeight - kTextInset) * ui));
}

void AchievementDialog::addIcon(uint16_t number) {
  engine::TextureCache* cache = textureCache();
  if (cache == nullptr) return;
  const std::string file = overlay_art::resourceFile(kel::FOLDER_ACHIEVEMENTS, art::achievementIconFileName(number));
  engine::Texture2D* texture = cache->addImage(file);
  if (texture == nullptr) return;  // no picture for this one: the banner shows its texts alone
  icon_ = engine::Sprite::createWithTexture(texture);
  if (icon_ == nullptr) return;
  iconFile_ = file;
  icon_->setPosition(layoutPointXY(box_, 0.13f, 0.54f));
  addChild(icon_, kIconZ);
}

void AchievementDialog::finish() {
  setVisible(false);
  if (icon_ == nullptr) return;
  engine::Texture2D* texture = icon_->getTexture();
  icon_->removeFromParentAndCleanup();
  icon_ = nullptr;
  if (engine::TextureCache* cache = textureCache()) cache->removeTexture(texture);
  iconFile_.clear();
}
