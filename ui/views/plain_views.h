#pragma once
// The views whose own content comes with the parts of the game they show (the world and its HUD,
// the map, death, pause, signs, chat, waiting, dialogs, fishing, circuits, achievements, help).
// For now each is a place on the view stack with its node tree and its controls.

#include "ui/views/game_view.h"

class MainView final : public GameView {
 public:
  MainView() : GameView(ViewId::Main) {}
};

class MapView final : public GameView {
 public:
  MapView() : GameView(ViewId::Map) {}
};

class DeathView final : public GameView {
 public:
  DeathView() : GameView(ViewId::Death) {}
};

class PauseView final : public GameView {
 public:
  PauseView() : GameView(ViewId::Pause) {}
};

class SignView final : public GameView {
 public:
  SignView() : GameView(ViewId::Sign) {}
};

class ChatView final : public GameView {
 public:
  ChatView() : GameView(ViewId::Chat) {}
};

class WaitView final : public GameView {
 public:
  WaitView() : GameView(ViewId::Wait) {}
};

class DialogView final : public GameView {
 public:
  DialogView() : GameView(ViewId::Dialog) {}
};

class FishView final : public GameView {
 public:
  FishView() : GameView(ViewId::Fish) {}
};

class CircuitView final : public GameView {
 public:
  CircuitView() : GameView(ViewId::Circuit) {}
};

class AchievementsView final : public GameView {
 public:
  AchievementsView() : GameView(ViewId::Achievements) {}
};

class HelpView final : public GameView {
 public:
  HelpView() : GameView(ViewId::Help) {}
};
