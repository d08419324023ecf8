#include "tools/world_tool/tool_services.h"

#include "engine/scene/director.h"
#include "engine/scene/scheduler.h"
#include "game/session/game_saves.h"
#include "game/stats/stats_store.h"
#include "net/transports/enet_bridge_factory.h"
#include "platform/desktop_platform.h"
#include "saves/world/world_save_links.h"
#include "tools/world_tool/counting_bridges.h"

namespace world_tool {

namespace {

// A tool's crash is the shell's to report: no reporter of the program's own.
kel::DesktopPlatform::Services platformServices() {
  kel::DesktopPlatform::Services services;
  services.installCrashReporter = false;
  return services;
}

WorldContext withHooks(WorldContext seams, EffectHooks& hooks) {
  seams.effectHooks = &hooks;
  return seams;
}

}  // namespace

struct ToolServices::Network {
  kel::DesktopPlatform platform{platformServices()};
  enet::EnetBridgeFactory enet;
  CountingBridgeFactory bridges{enet};
};

ToolServices::ToolServices(const ToolServicesSetup& setup, std::FILE* out)
    : network_(setup.network ? std::make_unique<Network>() : nullptr),
      files_(setup.saveRoot),
      // A world's write or read ends on the save worker; its answer comes back through the
      // scheduler the tool steps each frame, as in the game.
      saves_(files_,
             [](std::function<void()> completion) {
               engine::Director::getInstance()->getScheduler()->performFunctionInMainThread(std::move(completion));
             }),
      statsEvents_(statsStore()),
      notices_(out),
      session_(withHooks(setup.seams, effects_.defaultHooks()), nullptr, &statsEvents_, {},
               GameServices{.screen = &screen_, .saves = &gameSaves_, .stats = &statsStore()}),
      gameSaves_(saves_, session_.running(), statsStore()) {
  effects_.registerEntityEffects();
  if (network_) {
    kel::Platform::setInstance(&network_->platform);
    network_->platform.setNetBridgeFactory(kel::NET_KIND_DIRECT, &network_->bridges);
  }
  setWorldSaveLinks(&saveLinks_);
  session_.bindCurrent();
}

ToolServices::~ToolServices() {
  // What the saves still owe the game (a write's or a read's answer) reaches it while it and its
  // saves are whole; only then does the game end.
  saves_.waitForWrites();
  session_.end();
  session_.unbindCurrent();
  setWorldSaveLinks(nullptr);
  if (network_) kel::Platform::setInstance(nullptr);
}

TrafficCounts& ToolServices::traffic() { return network_->bridges.counts(); }

}  // namespace world_tool
