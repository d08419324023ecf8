#include "ui/views/chat_view.h"

#include "game/chat/console_commands.h"
#include "game/player/player_desktop.h"
#include "ui/views/game_views.h"
#include "ui/views/main_view.h"
#include "view/console/console_node.h"
#include "world/rules/game.h"

ChatView::ChatView() : GameView(ViewId::Chat) {}

void ChatView::enter() {
  if (!built_) {
    built_ = true;
    entry_.build(root(), engine::Vec2(10.0f, 220.0f), 600.0f);
  }
  entry_.start("", kLineLimit, [this](const std::string& line) { submit(line); }, [this] {
    if (GameViews* views = gameViews(); views != nullptr && views->current() == this) views->pop();
  });
  // The lines being answered stay readable over the world while the player types.
  if (ConsoleNode* lines = MainView::console()) lines->updateBackground(true);
  GameView::enter();
}

void ChatView::exit() {
  entry_.stop();
  GameView::exit();
}

void ChatView::submit(const std::string& line) {
  // A joined game says the line to the others or asks its host; alone the line runs here.
  if (GameChat* chat = session().game().chat()) {
    chat->submitChatLine(line);
  } else if (PlayerDesktopLocal* player = session().player()) {
    PlayerConsole console(*player);
    runConsoleCommand(console, line);
  }
  if (GameViews* views = gameViews(); views != nullptr && views->current() == this) views->pop();
}
