#include "app/app_game_screen.h"

void AppGameScreen::gameBound(GameInterface& game, LogicCells& cells, LogicEntities& entities, SwingRules& swing,
                              RunningWorld& running, const StatsStore* stats) {
  interface_.bindGame(game, cells, entities, swing, running, stats);
}

void AppGameScreen::gameUnbound(const GameInterface& game) { interface_.unbindGame(game); }
