#include "ui/views/leave_game.h"

#include "game/session/game_screen.h"
#include "ui/views/game_views.h"
#include "world/rules/game.h"

bool saveAndQuitGame() {
  GameInterface& game = currentGame();
  if (!game.save()) return false;
  // The views leave first: the pause view's exit resumes the game it paused, which must not
  // happen after the game ended.
  if (GameViews* views = gameViews()) views->switchTo(ViewId::Start);
  game.quit();
  // The screen takes the world's view down and shows the start view on what is left.
  gameScreen().showStartView(0);
  return true;
}
