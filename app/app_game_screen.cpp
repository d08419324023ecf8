#include "app/app_game_screen.h"

void AppGameScreen::gameBound(GameInterface& game, LogicCells& cells, LogicEntities& entities,
                              RunningWorld& running) {
  interface_.bindGame(game, cells, entities, running);
}

void AppGameScreen::gameUnbound(const GameInterface& game) { interface_.unbindGame(game); }
