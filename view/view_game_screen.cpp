#include "view/view_game_screen.h"

#include <utility>

#include "content/texts/language_texts.h"
#include "engine/layer/layer_color.h"
#include "engine/scene/action_ease.h"
#include "engine/scene/action_manager.h"
#include "engine/scene/delay_time.h"
#include "engine/scene/director.h"
#include "engine/scene/fade_to.h"
#include "engine/scene/scheduler.h"
#include "engine/scene/sequence.h"
#include "engine/scene/tween_function.h"
#include "engine/text/label.h"
#include "game/player/player_desktop.h"
#include "game/session/running_world.h"
#include "platform/audio/music.h"
#include "view/atlas/game_textures.h"
#include "view/effects/ambient_pass.h"
#include "view/labels/label_makers.h"
#include "view/main_layer.h"
#include "view/main_layer_views.h"
#include "view/player/player_sprite.h"
#include "view/sky/sky_creation.h"
#include "view/tiles/tile_sprites.h"
#include "view/world_view_preparation.h"
#include "world/light/light_refresh_batching.h"
#include "world/world.h"

namespace {

constexpr int kLoadingZ = 5;
constexpr int kSleepZ = 100;
constexpr engine::Color4B kSleepColour{8, 10, 32, 0};

using EaseOut = engine::EaseRateTemplate<engine::tweenfunc::easeOut>;

engine::Sequence* sequence(engine::FiniteTimeAction* a, engine::FiniteTimeAction* b) {
  return engine::Sequence::createWithTwoActions(a, b);
}

}  // namespace

ViewGameScreen::ViewGameScreen(RunningWorld& running) : running_(running) {}

ViewGameScreen::~ViewGameScreen() = default;

void ViewGameScreen::showLoading(int16_t textId) {
  loading_ = true;
  MainLayer* layer = MainLayer::current();
  if (layer == nullptr) return;
  layer->teardownWorldView();
  layer->removeAllChildrenWithCleanup();
  // The world's atlases get ready while the world generates or loads.
  if (preparation_ == nullptr) preparation_ = std::make_unique<WorldViewPreparation>(gameTextureCache(), *layer->getScheduler());
  layer->prepareWorldView(*preparation_);
  const std::string text = textId == kNoText ? std::string() : languageTexts().text(textId);
  const engine::Size screen = engine::Director::getInstance()->getWinSize();
  engine::Label* label = makeLabel(0, text, engine::Vec2(screen.width * 0.5f, screen.height * 0.5f));
  if (label == nullptr) return;
  label->setColor(engine::Color3B::WHITE);
  label->setAnchorPoint(engine::Vec2(0.5f, 0.5f));
  label->setScale(1.0f);
  label->setPosition(engine::Vec2(screen.width * 0.5f, screen.height * 0.5f));
  layer->addChild(label, kLoadingZ, MainLayer::kLoadingLabelTag);
}

void ViewGameScreen::setLoadingText(const std::string& text) {
  MainLayer* layer = MainLayer::current();
  if (layer == nullptr) return;
  if (auto* label = dynamic_cast<engine::Label*>(layer->getChildByTag(MainLayer::kLoadingLabelTag))) {
    label->setString(text);
  }
}

void ViewGameScreen::setLoadingTextById(int16_t textId) { setLoadingText(languageTexts().text(textId)); }

void ViewGameScreen::enterMainView() {
  loading_ = false;
  MainLayer* layer = MainLayer::current();
  if (layer == nullptr) return;
  if (engine::Node* label = layer->getChildByTag(MainLayer::kLoadingLabelTag)) layer->removeChild(label);
  // Whatever is still being prepared is needed now.
  if (preparation_ != nullptr) preparation_->finish();
  if (layer->hasWorldView() && layer->showsWorld(running_.world.get())) {
    layer->rebuildWorldView();
    return;
  }
  layer->buildWorldView(running_);
}

void ViewGameScreen::whenReadyToEnter(const World& world, std::function<void()> enter) {
  if (preparation_ == nullptr) {
    enter();
    return;
  }
  preparation_->prepareWorld(skyPictureFiles(world), std::move(enter));
}

void ViewGameScreen::showStartView(int) {
  loading_ = false;
  MainLayer* layer = MainLayer::current();
  if (layer == nullptr) return;
  layer->teardownWorldView();
  mainLayerViews().showStartView(layer);
}

void ViewGameScreen::setMainLayerUpdating(bool on) {
  MainLayer* layer = MainLayer::current();
  if (layer == nullptr) return;
  engine::Scheduler* scheduler = layer->getScheduler();
  if (on) {
    scheduler->scheduleUpdate(layer, false);
  } else {
    scheduler->unscheduleUpdate(layer);
  }
}

void ViewGameScreen::clockStepped(const DayClockStep& step) {
  stepSkyClock(static_cast<uint32_t>(step.phase), step.tick);
  if (!step.darknessChanged || running_.world == nullptr) return;
  running_.world->lightBatching().refreshWorldLighting();
}

void ViewGameScreen::playNextTrack() { kel::playNextMusic(); }

void ViewGameScreen::showSleepFade() {
  MainLayer* layer = MainLayer::current();
  if (layer == nullptr) return;
  const engine::Size screen = engine::Director::getInstance()->getWinSize();
  engine::LayerColor* fade = engine::LayerColor::create(kSleepColour, screen.width, screen.height);
  layer->addChild(fade, kSleepZ, MainLayer::kSleepFadeTag);
  engine::Sequence* run = sequence(EaseOut::create(engine::FadeTo::create(1.0f, 240), 2.0f),
                                   sequence(engine::DelayTime::create(10.0f),
                                            EaseOut::create(engine::FadeTo::create(1.0f, 0), 2.0f)));
  layer->getActionManager()->addAction(run, fade);
}

void ViewGameScreen::removeSleepFade() {
  MainLayer* layer = MainLayer::current();
  if (layer == nullptr) return;
  if (engine::Node* fade = layer->getChildByTag(MainLayer::kSleepFadeTag)) layer->removeChild(fade);
}

void ViewGameScreen::spawnWeatherParticles() {
  MainLayer* layer = MainLayer::current();
  if (layer == nullptr || layer->world() == nullptr || layer->tiles() == nullptr) return;
  const TileSprites& window = *layer->tiles();
  const AmbientArea area{window.columns(), window.rows(), window.centreX(), window.centreY()};
  ::spawnWeatherParticles(*layer->world(), area, [] { PlayerSprite::runLocalWornItemEffects(); });
}
