#pragma once
// The services a headless game of the tool runs on, built once and the way the program builds
// them: the entity effects registered, the save store (the user's folder or a private root), the
// player's statistics, a loading screen that reports a failed start, the session of the game played
// alone with its saves, the world files' links, the endpoint's notices printed on the output and,
// for a game over the network, the platform with its direct transport (every message counted).
// `play`, `host` and `join` each hold one; it ends the net, the session and the process-wide
// bindings it made in the reverse order, after its command has left its game.

#include <cstdio>
#include <memory>
#include <string>

#include "entities/effects/entity_effect_registry.h"
#include "game/session/local_session.h"
#include "game/stats/stats_player_events.h"
#include "platform/desktop_file_system.h"
#include "saves/launch/local_game_saves.h"
#include "saves/launch/local_saves.h"
#include "saves/world/entity_save_links.h"
#include "tools/world_tool/printed_notices.h"
#include "tools/world_tool/tool_screen.h"
#include "world/world_context.h"

namespace world_tool {

struct TrafficCounts;

struct ToolServicesSetup {
  // The save store's root; empty: the user's own folder, as the program keeps it.
  std::string saveRoot;
  // A game that reaches other machines needs the platform and its direct transport.
  bool network = false;
  // The view's seams its worlds get (carried lights, drawings); the effects' hooks are the holder's.
  WorldContext seams;
};

// The store's layout under a given root instead of the user's folder (when one is given).
class ToolFiles final : public kel::DesktopFileSystem {
 public:
  explicit ToolFiles(std::string root) : root_(std::move(root)) {}
  std::string writableRoot() const override {
    return root_.empty() ? kel::DesktopFileSystem::writableRoot() : root_;
  }

 private:
  std::string root_;
};

class ToolServices {
 public:
  // Call once the game's data is loaded: the effects are registered here. `out`: where the
  // endpoint's notices are printed.
  ToolServices(const ToolServicesSetup& setup, std::FILE* out);
  ~ToolServices();
  ToolServices(const ToolServices&) = delete;
  ToolServices& operator=(const ToolServices&) = delete;

  LocalSession& session() { return session_; }
  LocalSaves& saves() { return saves_; }
  kel::DesktopFileSystem& files() { return files_; }
  ToolScreen& screen() { return screen_; }
  PrintedNotices& notices() { return notices_; }
  // What passed through the direct transport (a game over the network only).
  TrafficCounts& traffic();

 private:
  struct Network;

  EntityEffectRegistry effects_;
  std::unique_ptr<Network> network_;
  ToolFiles files_;
  LocalSaves saves_;
  StatsPlayerEvents statsEvents_;  // the player's statistics, counted as the program counts them
  ToolScreen screen_;
  PrintedNotices notices_;
  LocalSession session_;  // after what its worlds are given: it ends its world first
  LocalGameSaves gameSaves_;
  EntitySaveLinks saveLinks_;
};

}  // namespace world_tool
