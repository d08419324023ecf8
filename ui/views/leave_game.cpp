#include "ui/views/leave_game.h"

#include "game/session/game.h"
#include "game/session/game_screen.h"
#include "ui/views/game_views.h"
#include "ui/views/ui_session.h"

void saveAndQuitGame(UiSession& session, const std::function<void()>& failed) {
  session.game().save([&session, failed](bool saved) {
    if (!saved) {
      if (failed) failed();
      return;
    }
    // A second request made while the first save was written finds the game ended already: no
    // world runs and no local player is left (a joined game's player is its own, not the local one).
    if (session.world() == nullptr && session.player() == nullptr) return;
    // The views leave first: the pause view's exit resumes the game it paused, which must not
    // happen after the game ended.
    if (GameViews* views = gameViews()) views->switchTo(ViewId::Start);
    // The game's own screen, taken before it quits: a joined game is let go of as it quits.
    auto* game = dynamic_cast<Game*>(&session.game());
    GameScreen* screen = game != nullptr ? &game->screen() : nullptr;
    session.game().quit();
    // The screen takes the world's view down and shows the start view on what is left.
    if (screen != nullptr) screen->showStartView(0);
  });
}
