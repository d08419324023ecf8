#pragma once
// Everything the executable wires together before the launch: the desktop platform and the
// services it hands out (window, controls, text fields, settings, alerts), the seams through
// which the lower libraries reach the world model, the saves, the world view and the interface,
// and the local game with its rules, which are the process's current game and rules from the
// launch on (a network game, when it comes, replaces them and puts them back: the multiplayer
// menus host through `hostWorld` and join through the wiring's one `ClientGameSwap`, both reached
// through the menus' `MenuNetwork`). It also holds the parts the launch calls directly
// (`launchParts`).
// Every process-wide registration is made in one list (`WiringList`) with its undoing, and the
// undoings run in exact reverse when the object goes.

#include "app/app_game_screen.h"
#include "app/platform_alert_box.h"
#include "app/wired_launch_steps.h"
#include "app/wiring_list.h"
#include "entities/effects/entity_effect_registry.h"
#include "game/launch/game_launch_services.h"
#include "game/session/local_session.h"
#include "game/stats/stats_store.h"
#include "menus/menu_net_notices.h"
#include "menus/menu_views.h"
#include "menus/program_network.h"
#include "net/client_game/client_game_swap.h"
#include "net/transports/enet_bridge_factory.h"
#include "net/transports/steam/steam_bridge_factory.h"
#include "platform/controls/desktop_controls_factory.h"
#include "platform/desktop_platform.h"
#include "platform/launch/gl_view_window_control.h"
#include "platform/platform_settings_host.h"
#include "platform/text_field/desktop_text_field_factory.h"
#include "saves/launch/local_game_saves.h"
#include "saves/launch/local_saves.h"
#include "saves/world/entity_save_links.h"
#include "ui/net/ui_host_players_view.h"
#include "ui/net/ui_net_client_view.h"
#include "ui/net/ui_transfer_screen.h"
#include "ui/ui_launch_services.h"
#include "ui/ui_player_events.h"
#include "view/effects/view_effect_hooks.h"
#include "view/entities/entity_drawing_factory.h"
#include "view/overlays/achievement_banner_popup.h"
#include "world/portals/portal_list.h"
#include "view/player/player_sprite_lights.h"
#include "view/player/world_view_player_events.h"
#include "view/tiles/tile_refresh.h"
#include "view/world_view_launch_services.h"
#include "world/seams/cell_sounds.h"
#include "world/seams/world_options.h"
#include "world/world_launch_services.h"

class GameWiring {
 public:
  explicit GameWiring(kel::DesktopPlatform::Services services);
  ~GameWiring();
  GameWiring(const GameWiring&) = delete;
  GameWiring& operator=(const GameWiring&) = delete;

  kel::DesktopPlatform& platform() { return platform_; }
  // The game played alone: current from the launch to the end of the run.
  LocalSession& session() { return session_; }
  kel::GLViewWindowControl& window() { return window_; }
  // What networked games show through the interface: a joined game's (`ClientGameSwap::setScreens`)
  // and, as `transfer`, the host's (`HostSetup::transferScreen`).
  ClientScreens netScreens() { return {&netClientView_, &transferScreen_}; }
  // What the launch steps call: the wiring's own members.
  WiredLaunchSteps::Parts launchParts();

 private:
  // Registers one process-wide object now, in the one list, with what undoes it.
  void wire(const std::function<void()>& doIt, std::function<void()> undo) { wiring_.wire(doIt, std::move(undo)); }
  // A hosted or joined game still running ends, and the game played alone is current again.
  void endNetworkPlay();

  kel::DesktopPlatform platform_;
  PlatformAlertBox alertBox_;  // the window's and the content's alerts in the platform's message box
  kel::PlatformSettingsHost settingsHost_;
  kel::GLViewWindowControl window_;
  kel::DesktopControlsFactory controls_;
  kel::DesktopTextFieldFactory textFields_;
  enet::EnetBridgeFactory directBridges_;  // the platform makes direct multiplayer's transports
  steam::SteamBridgeFactory steamBridges_{platform_.steamApi()};  // and the store front's
  WorldLaunchServices world_;
  EntityEffectRegistry entityEffects_;
  ViewEffectHooks effectHooks_{entityEffects_.defaultHooks()};  // shakes and wearers through the view
  LocalSaves saves_;
  LocalGameSaves gameSaves_;
  EntitySaveLinks saveLinks_;  // the world file's mobs and stabled animals
  AchievementBannerPopup achievementBanner_;  // unlocks slide down as the main layer's banner
  WorldViewLaunchServices worldView_;
  EntityDrawingFactory entityDrawings_;  // the entities' drawing sides, on the main layer's batches
  UiLaunchServices interface_;
  MenuViewFactory menuViews_;  // the start and wait views join the interface's fifteen
  UiPlayerEvents playerEvents_{&statsStore()};  // the local player's statistics in the run's store
  UiTransferScreen transferScreen_;  // the wait view's and the loading label's transfer statuses
  UiNetClientView netClientView_{transferScreen_.wait(), interface_};  // the other players, a client joining
  UiHostPlayersView hostPlayers_{interface_};  // a host's clients drawn in its world
  PlatformCellSounds cellSounds_;
  PlatformWorldOptions worldOptions_;
  TileRefresh tileRefresh_;  // the drawn tiles: cell refresh and batched re-tints
  // The lights the players carry, as the drawn players hold them.
  PlayerSpriteLights carriedLights_;
  // The game's portals, across every world it travels to.
  PortalList portals_;
  // Console lines in the world view's console, a lost connection's reason in the start view.
  MenuNetNotices netNotices_;
  AppGameScreen gameScreen_;  // the world view's and the menus' parts of the game's screen
  LocalSession session_;
  ClientGameSwap joins_{session_, session_.seams(), &netNotices_, &playerEvents_};  // the way into a joined game
  ProgramNetwork network_{session_, joins_, {&netNotices_, &transferScreen_, &hostPlayers_}, platform_};  // what the multiplayer menus call
  GameLaunchServices game_;
  WiringList wiring_;  // last: undone first, while everything it registered still exists
};

// The whole run: wires the game, launches it, runs frames until the window closes or the game
// quits, then terminates (saving a running game) and tears everything down. Command-line words
// that are not valid UTF-8 are repaired first. Returns the process's exit code.
int runGame(int argc, char** argv, kel::DesktopPlatform::Services services);
// The run over a wiring made already, with the launch steps the application is given (the
// wiring's own, or a test's that stands in for some of them).
int runWired(LaunchSteps& steps, int argc, char** argv);
