#include "menus/menu_game_screen.h"

#include "content/texts/language_texts.h"
#include "game/session/game_screen.h"
#include "menus/start_view.h"
#include "menus/wait_view.h"
#include "ui/views/game_views.h"
#include "view/console/console_node.h"
#include "view/main_layer.h"

namespace {

constexpr const char* kLoading = "Loading...";

WaitView* waitView() {
  GameViews* views = gameViews();
  return views != nullptr ? views->menuView<WaitView>() : nullptr;
}

std::string textOr(int16_t textId, const char* fallback) {
  const std::string text = textId != GameScreen::kNoText ? languageTexts().text(textId) : std::string();
  return text.empty() ? fallback : text;
}

}  // namespace

void MenuGameScreen::showLoading(int16_t textId) {
  GameViews* views = gameViews();
  WaitView* wait = waitView();
  if (views == nullptr || wait == nullptr) return;
  wait->setStatus(textOr(textId, kLoading), "");
  if (views->currentId() != ViewId::Wait) views->switchTo(*wait);
  // The next world starts with an empty console.
  if (MainLayer* layer = MainLayer::current()) layer->setConsole(ConsoleNode::create());
}

void MenuGameScreen::setLoadingText(const std::string& text) {
  if (WaitView* wait = waitView()) wait->setStatus(wait->firstLine(), text);
}

void MenuGameScreen::setLoadingTextById(int16_t textId) { setLoadingText(textOr(textId, kLoading)); }

void MenuGameScreen::enterMainView() {
  if (GameViews* views = gameViews()) views->popToMainView();
}

void MenuGameScreen::showStartView(int dialog) {
  GameViews* views = gameViews();
  if (views == nullptr) return;
  auto* start = views->menuView<StartView>();
  if (start != nullptr && dialog != 0) start->showDialog(dialog);
  views->switchTo(ViewId::Start);
  if (start != nullptr && dialog == 0) start->showMainMenu();
}
