#include "ui/ui_player_events.h"

#include "content/texts/language_texts.h"
#include "game/stats/stats_store.h"
#include "game/trade/trade_codes.h"
#include "platform/audio/rain_ambience.h"
#include "platform/audio/sound_effects.h"
#include "ui/views/book_view.h"
#include "ui/views/circuit_view.h"
#include "ui/views/dialog_view.h"
#include "ui/views/fish_view.h"
#include "ui/views/game_views.h"
#include "ui/views/inventory_view.h"
#include "ui/views/main_view.h"
#include "ui/views/map_view.h"
#include "ui/hud/hud.h"
#include "ui/views/sign_view.h"
#include "view/overlays/sign_label_cell.h"
#include "view/player/portrait_frame.h"
#include "view/sky/sky_creation.h"
#include "world/blocks/sign.h"
#include "world/cells/map_block.h"
#include "world/rules/game.h"

namespace {

// The weather kind whose rain loops (1 rain) and the one that stops it (0 clear).
constexpr int8_t kRainKind = 1, kClearKind = 0;

// Every stacked view closes and the view is pushed over the main view.
void openOverMain(GameViews& views, ViewId id) {
  views.popToMainView();
  views.push(id);
}

}  // namespace

void UiPlayerEvents::recordStat(uint16_t statId, uint16_t value) {
  if (stats_ != nullptr) stats_->recordStatEvent(statId, value);
}

void UiPlayerEvents::achievementReached(uint16_t index) {
  if (stats_ != nullptr) stats_->unlockAchievement(index);
}

void UiPlayerEvents::message(uint8_t kind, const std::string& text) {
  MainView::addMessage(text, kind);
}

void UiPlayerEvents::textById(uint8_t kind, int16_t textId) { message(kind, languageTexts().text(textId)); }

void UiPlayerEvents::healthFlash(bool hurt) {
  GameViews* views = gameViews();
  if (views == nullptr) return;
  if (PortraitFrame* portrait = views->mainView().hud().portrait()) portrait->flashHealth(hurt);
}

void UiPlayerEvents::deathView() {
  if (GameViews* views = gameViews()) views->switchTo(ViewId::Death);
}

void UiPlayerEvents::popToMainView() {
  GameViews* views = gameViews();
  if (views != nullptr && views->currentId() != ViewId::Main) views->popToMainView();
}

void UiPlayerEvents::fishBiting() {
  GameViews* views = gameViews();
  if (views != nullptr && views->currentId() == ViewId::Fish) {
    views->fishView().biteSeen();
  }
}

void UiPlayerEvents::fishingEnded() {
  GameViews* views = gameViews();
  if (views != nullptr && views->currentId() == ViewId::Fish) views->popToMainView();
}

void UiPlayerEvents::portalTravelDialog(uint32_t planet) {
  GameViews* views = gameViews();
  if (views == nullptr) return;
  static_cast<DialogView&>(views->view(ViewId::Dialog)).setupPortalTravel(planet);
  if (views->currentId() != ViewId::Dialog) views->push(ViewId::Dialog);
}

void UiPlayerEvents::noticeDialog(const std::string& text) {
  GameViews* views = gameViews();
  if (views == nullptr) return;
  auto& dialog = static_cast<DialogView&>(views->view(ViewId::Dialog));
  dialog.setupNotice(text);
  // Over the view the entry was learned in (the inventory's craft grid), which OK returns to; a
  // dialog already open takes the new text.
  if (views->currentId() == ViewId::Dialog) {
    dialog.refresh();
  } else {
    views->push(ViewId::Dialog);
  }
}

void UiPlayerEvents::containerRefreshed() {
  GameViews* views = gameViews();
  if (views != nullptr && views->currentId() == ViewId::Inventory) views->inventoryView().refreshOpenWindow();
}

// The forge's step moved its counters or its stacks: the open page shows it without a click.
void UiPlayerEvents::forgeRefreshed(PlayerGraphical&, int) { containerRefreshed(); }

void UiPlayerEvents::floatingText(int16_t textId, const std::string& argument) {
  const std::string& text = languageTexts().text(textId);
  message(2, argument.empty() ? text : text + " " + argument);
}

void UiPlayerEvents::inventoryView(uint8_t page) {
  GameViews* views = gameViews();
  if (views == nullptr) return;
  openOverMain(*views, ViewId::Inventory);
  views->inventoryView().setPage(page);
}

void UiPlayerEvents::placeOfDeath(int32_t x, int32_t y) {
  if (GameViews* views = gameViews()) views->mapView().setDeathCell(x, y);
}

void UiPlayerEvents::bookView(const BookViewFields& fields) {
  GameViews* views = gameViews();
  if (views == nullptr) return;
  // The fields go in after the stack unwinds: a book that was open forgets its fields as it closes.
  views->popToMainView();
  views->bookView().setFields(fields);
  views->push(ViewId::Book);
}

void UiPlayerEvents::signView(Sign& sign) {
  GameViews* views = gameViews();
  if (views == nullptr) return;
  const MapBlock& cell = sign.cell();
  static_cast<SignView&>(views->view(ViewId::Sign)).setup(cell.x, cell.y, std::string(sign.text()));
  openOverMain(*views, ViewId::Sign);
}

void UiPlayerEvents::circuitConfigurator(PlayerGraphical&, const MapBlock& cell, const CircuitRecord& record) {
  GameViews* views = gameViews();
  if (views == nullptr) return;
  static_cast<CircuitView&>(views->view(ViewId::Circuit)).setup(cell.x, cell.y, record);
  openOverMain(*views, ViewId::Circuit);
}

void UiPlayerEvents::signLabel(const MapBlock& cell, const std::vector<std::string>& lines) {
  showSignLabelAtCell(cell, lines);
}

void UiPlayerEvents::skyPhase(uint8_t phase, uint32_t tickInPhase) { showSkyPhase(phase, tickInPhase); }

void UiPlayerEvents::skyWeather(uint8_t kind) {
  showSkyWeather(kind);
  kel::setRainAmbience(static_cast<int8_t>(kind));
}

void UiPlayerEvents::rainAmbience(bool on) { kel::setRainAmbience(on ? kRainKind : kClearKind); }

void UiPlayerEvents::interfaceSound(uint16_t soundId) { kel::playSound(soundId, 0); }

bool UiPlayerEvents::tradeRequest(uint8_t askingPeer, uint8_t askedPeer, const std::string& askingName) {
  GameViews* views = gameViews();
  if (views == nullptr || views->currentId() != ViewId::Main) return false;
  // The answer goes to the game the views play, which is the one the request came through.
  auto answer = [played = &views->session(), askingPeer, askedPeer](uint8_t reply) {
    if (GameTradeWindows* windows = played->game().tradeWindows()) windows->answerTrade(reply, askedPeer, askingPeer);
  };
  static_cast<DialogView&>(views->view(ViewId::Dialog))
      .setupChoice("Trade", askingName + " wants to trade with you.",
                   {{"Trade", [answer] { answer(trade::kAccept); }}, {"No, thanks", [answer] { answer(trade::kRefuse); }}});
  views->push(ViewId::Dialog);
  return true;
}

void UiPlayerEvents::tradeWindowOpened(const std::string&) { inventoryView(InventoryView::kTrade); }

void UiPlayerEvents::tradeWindowChanged() { containerRefreshed(); }

void UiPlayerEvents::tradeWindowClosed() {
  GameViews* views = gameViews();
  if (views != nullptr && views->currentId() == ViewId::Inventory) views->popToMainView();
}
